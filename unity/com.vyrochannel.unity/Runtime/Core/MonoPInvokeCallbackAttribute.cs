using System;

namespace Vyro
{
    /// <summary>
    /// Marks the static methods the native library calls back, so that ahead-of-time compilers
    /// (IL2CPP) emit a native entry point for them. The compilers look for the attribute by name, so
    /// the core needs no engine assembly for it.
    /// </summary>
    [AttributeUsage(AttributeTargets.Method)]
    internal sealed class MonoPInvokeCallbackAttribute : Attribute
    {
        public MonoPInvokeCallbackAttribute(Type delegateType) { DelegateType = delegateType; }

        public Type DelegateType { get; private set; }
    }
}

// The few UnityEditor types the package's editor layer uses (see UnityEngine.cs beside this file).
using System;

namespace UnityEditor
{
    [AttributeUsage(AttributeTargets.Class)]
    public sealed class InitializeOnLoadAttribute : Attribute { }

    public enum PlayModeStateChange { EnteredEditMode, ExitingEditMode, EnteredPlayMode, ExitingPlayMode }

    public static class EditorApplication
    {
        public static event Action<PlayModeStateChange> playModeStateChanged { add { } remove { } }
    }

    public static class AssemblyReloadEvents
    {
        public delegate void AssemblyReloadCallback();
        public static event AssemblyReloadCallback beforeAssemblyReload { add { } remove { } }
    }
}

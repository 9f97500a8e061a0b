using System;

namespace Vyro
{
    /// <summary>Calls every handler of an event on its own, so that one that throws stops none of the others.</summary>
    internal static class Handlers
    {
        public static void Raise<TFirst, TSecond>(Action<TFirst, TSecond> handlers, TFirst first, TSecond second, Action<Exception> report)
        {
            if (handlers == null) return;
            foreach (Delegate handler in handlers.GetInvocationList())
            {
                try { ((Action<TFirst, TSecond>)handler)(first, second); }
                catch (Exception e) { report(e); }
            }
        }

        public static void Raise<T>(Action<T> handlers, T argument, Action<Exception> report)
        {
            if (handlers == null) return;
            foreach (Delegate handler in handlers.GetInvocationList())
            {
                try { ((Action<T>)handler)(argument); }
                catch (Exception e) { report(e); }
            }
        }
    }
}

using System;
using System.Collections.Generic;

namespace Vyro.Tests
{
    /// <summary>A stand-in for the native library: answers as each test scripts it, or fails to load.</summary>
    internal sealed class ScriptedLibrary : INativeChannel
    {
        public readonly Inbox Inbox = new Inbox();
        public readonly List<string> Calls = new List<string>();
        public Func<Exception> LoadFailure;
        public Action<VyroExport, string> OnCall = (export, parameters) => { };
        public int Ticks;

        public VyroBinding MakeBinding(List<string> log)
        {
            var binding = new VyroBinding(this, Inbox);
            binding.LogLevel = VyroLogLevel.Trace;
            binding.LogSink = (level, line) => log.Add(level + " " + line);
            return binding;
        }

        public void Call(VyroExport export, byte[] utf8Parameters)
        {
            Fail();
            string parameters = System.Text.Encoding.UTF8.GetString(utf8Parameters, 0, utf8Parameters.Length - 1);
            Calls.Add(export + " " + parameters);
            OnCall(export, parameters);
        }

        public void Tick() { Fail(); Ticks++; }

        public void RegisterEvents() { Fail(); Calls.Add("RegisterEvents"); }

        public void SetLogLevel(VyroLogLevel level) { Fail(); Calls.Add("SetLogLevel " + level); }

        public void RemoveLogHandler() { Fail(); Calls.Add("RemoveLogHandler"); }

        private void Fail()
        {
            if (LoadFailure != null) throw LoadFailure();
        }
    }
}

using System;
using System.Collections.Generic;
using System.Threading.Tasks;

namespace Vyro
{
    /// <summary>
    /// Sends requests to the library and hands its answers, events and log lines to the game in the
    /// frame loop (<see cref="Pump"/>), on the thread that pumps, never on a store's thread. Calls
    /// come from the game's main thread.
    /// </summary>
    internal sealed class VyroBinding
    {
        private readonly INativeChannel native;
        private readonly Inbox inbox;
        private readonly PendingRequests pending = new PendingRequests();
        private readonly Action tick; // made once: a frame allocates nothing
        private VyroLogLevel logLevel = VyroLogLevel.Warning;
        private bool logHandlerSet;
        private bool eventsRegistered;
        private string unavailable; // why the library cannot be used, once a call found out
        private string lastChannel = "none";

        public VyroBinding(INativeChannel native, Inbox inbox)
        {
            this.native = native;
            this.inbox = inbox;
            tick = native.Tick;
        }

        /// <summary>Receives every event, in the frame loop.</summary>
        public event Action<VyroEventType, VyroReply> EventArrived;

        /// <summary>Receives every log line at or above <see cref="LogLevel"/>, in the frame loop.</summary>
        public Action<VyroLogLevel, string> LogSink = (level, line) => Console.Error.WriteLine(line);

        public VyroLogLevel LogLevel
        {
            get { return logLevel; }
            set
            {
                logLevel = value;
                if (logHandlerSet) Guard(() => native.SetLogLevel(value));
            }
        }

        public int WaitingRequests { get { return pending.Count; } }

        public bool IsAvailable { get { return unavailable == null; } }

        /// <summary>True once a request reached the library since the last Unload.</summary>
        public bool NeedsUnload { get { return eventsRegistered; } }

        /// <summary>
        /// Unloads the channel when a request reached it since the last Unload, and takes the log
        /// handler back: the library outlives the scripts that installed it (the editor reloads them).
        /// </summary>
        public void Shutdown()
        {
            if (NeedsUnload) Send(VyroExport.Unload, new JsonObject(), null);
            if (logHandlerSet) Guard(native.RemoveLogHandler);
            logHandlerSet = false;
            Deliver();
        }

        public Task<VyroReply> Send(VyroExport export, JsonObject parameters, string extraJson)
        {
            PendingRequest request = pending.Add(export);
            string problem = unavailable ?? Merge(parameters, extraJson);
            if (problem != null)
            {
                Answer(request, VyroReply.Failure(VyroCode.Failed, lastChannel, problem, request.RequestId));
                return request.Task;
            }
            parameters["requestId"] = request.RequestId;
            byte[] text = Utf8.ToNative(JsonWriter.Write(parameters));
            if (!Start() || !CallFor(request, () => native.Call(export, text)))
            {
                Answer(request, VyroReply.Failure(VyroCode.Failed, lastChannel, unavailable, request.RequestId));
            }
            if (export == VyroExport.Unload) Unloaded(request.Serial);
            return request.Task;
        }

        /// <summary>Once per frame: lets the library pump its store, then delivers what arrived.</summary>
        public void Pump()
        {
            if (unavailable == null) Guard(tick);
            Deliver();
        }

        private static string Merge(JsonObject parameters, string extraJson)
        {
            if (extraJson == null) return null;
            object extra;
            string error;
            if (!JsonReader.TryParse(extraJson, out extra, out error)) return "The extra parameters are not JSON: " + error;
            JsonObject members = extra as JsonObject;
            if (members == null) return "The extra parameters must be a JSON object";
            parameters.AddMissing(members);
            return null;
        }

        // The log handler and the event callbacks belong to the channel the library makes at its
        // first call after a start or an Unload, so they are installed again then.
        private bool Start()
        {
            if (!logHandlerSet) logHandlerSet = Guard(() => native.SetLogLevel(logLevel));
            if (logHandlerSet && !eventsRegistered) eventsRegistered = Guard(native.RegisterEvents);
            return eventsRegistered;
        }

        private bool CallFor(PendingRequest request, Action call)
        {
            Inbox.Caller = request;
            try { return Guard(call); }
            finally { Inbox.Caller = null; }
        }

        // The library's own calls never throw; only a library that is missing, of the wrong
        // architecture or lacking an export does, and then every later call would too.
        private bool Guard(Action call)
        {
            if (unavailable != null) return false;
            try
            {
                call();
                return true;
            }
            catch (Exception e)
            {
                if (!(e is DllNotFoundException || e is BadImageFormatException || e is EntryPointNotFoundException)) throw;
                unavailable = "The VyroChannel native library cannot be used (" + e.GetType().Name + ": " + e.Message +
                              "); every request fails until the game restarts";
                Deliver(VyroLogLevel.Error, unavailable);
                return false;
            }
        }

        // After Unload returned the library answers nothing more: what came is delivered, and every
        // request sent up to the Unload and still waiting is answered here, so no task is left
        // hanging. A request a handler sends while this delivers (Load again) is the next channel's.
        private void Unloaded(long unloadSerial)
        {
            eventsRegistered = false;
            Deliver();
            foreach (PendingRequest request in pending.TakeUpTo(unloadSerial))
            {
                request.Complete(VyroReply.Failure(VyroCode.Failed, lastChannel, "Unloaded before the store answered", request.RequestId));
            }
        }

        private void Answer(PendingRequest request, VyroReply reply)
        {
            inbox.PostAnswer(request.Export, (int)reply.Code, reply.Json);
        }

        private void Deliver()
        {
            List<Arrival> arrivals = inbox.Take();
            if (arrivals == null) return;
            try
            {
                foreach (Arrival arrival in arrivals) Deliver(arrival);
            }
            finally
            {
                inbox.Recycle(arrivals);
            }
        }

        private void Deliver(Arrival arrival)
        {
            if (arrival.Kind == Arrival.Kinds.Log)
            {
                Deliver(arrival.Level, arrival.Text);
                return;
            }
            var reply = new VyroReply(arrival.Code, arrival.Text);
            if (reply.Channel != null) lastChannel = reply.Channel;
            if (arrival.Kind == Arrival.Kinds.Event)
            {
                Handlers.Raise(EventArrived, arrival.EventType, reply, ReportHandlerFailure);
                return;
            }
            PendingRequest request = pending.Take(arrival.Export, reply.RequestId, arrival.Caller);
            if (request == null)
            {
                Deliver(VyroLogLevel.Debug, "[VyroChannel] " + arrival.Export + " answer for no waiting request: " + arrival.Text);
                return;
            }
            request.Complete(reply);
        }

        private void Deliver(VyroLogLevel level, string line)
        {
            if (level < logLevel || LogSink == null) return;
            try { LogSink(level, line); }
            catch (Exception) { } // a failing log sink must not stop the frame loop
        }

        public void ReportHandlerFailure(Exception e)
        {
            Deliver(VyroLogLevel.Error, "[VyroChannel] a handler of the game threw: " + e);
        }
    }
}

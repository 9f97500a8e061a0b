using System;
using System.Collections.Generic;

namespace Vyro
{
    /// <summary>
    /// Collects what the library sends, from any thread, until the frame loop takes it. Taking
    /// swaps two lists, so a frame with nothing to deliver allocates nothing.
    /// </summary>
    internal sealed class Inbox
    {
        public static readonly Inbox Shared = new Inbox();

        // A game that stops pumping must not grow the heap without end through its log.
        private const int MaxWaitingLogLines = 10000;

        // The request whose export this thread is calling: an answer sent during that call without a
        // requestId is that request's.
        [ThreadStatic] private static PendingRequest caller;

        private readonly object gate = new object();
        private List<Arrival> incoming = new List<Arrival>();
        private List<Arrival> spare = new List<Arrival>();
        private int waitingLogLines;
        private int droppedLogLines;

        public static PendingRequest Caller { get { return caller; } set { caller = value; } }

        public void PostAnswer(VyroExport export, int code, string json)
        {
            Add(new Arrival { Kind = Arrival.Kinds.Answer, Export = export, Code = code, Text = json, Caller = caller });
        }

        public void PostEvent(VyroEventType type, int code, string json)
        {
            Add(new Arrival { Kind = Arrival.Kinds.Event, EventType = type, Code = code, Text = json });
        }

        public void PostLog(VyroLogLevel level, string line)
        {
            lock (gate)
            {
                if (waitingLogLines >= MaxWaitingLogLines) { droppedLogLines++; return; }
                waitingLogLines++;
                incoming.Add(new Arrival { Kind = Arrival.Kinds.Log, Level = level, Text = line });
            }
        }

        /// <summary>Everything that arrived since the last call, in order; hand the list back with <see cref="Recycle"/>.</summary>
        public List<Arrival> Take()
        {
            lock (gate)
            {
                if (incoming.Count == 0) return null;
                if (droppedLogLines > 0)
                {
                    incoming.Add(new Arrival { Kind = Arrival.Kinds.Log, Level = VyroLogLevel.Warning,
                                               Text = "[VyroChannel] " + droppedLogLines + " log lines dropped: nothing delivered them" });
                    droppedLogLines = 0;
                }
                List<Arrival> taken = incoming;
                // A handler that unloads takes again while the first list is still being delivered.
                incoming = spare ?? new List<Arrival>();
                spare = null;
                waitingLogLines = 0;
                return taken;
            }
        }

        public void Recycle(List<Arrival> taken)
        {
            taken.Clear();
            lock (gate) { if (spare == null) spare = taken; }
        }

        private void Add(Arrival arrival)
        {
            lock (gate) { incoming.Add(arrival); }
        }
    }
}

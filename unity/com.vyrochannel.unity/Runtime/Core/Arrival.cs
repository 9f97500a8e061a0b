namespace Vyro
{
    /// <summary>One answer, event or log line as it came from the library, waiting for the frame loop.</summary>
    internal struct Arrival
    {
        public enum Kinds { Answer, Event, Log }

        public Kinds Kind;
        public VyroExport Export;
        public VyroEventType EventType;
        public VyroLogLevel Level;
        public int Code;
        public string Text;

        /// <summary>The request whose export call was running on this thread when the answer came.</summary>
        public PendingRequest Caller;
    }
}

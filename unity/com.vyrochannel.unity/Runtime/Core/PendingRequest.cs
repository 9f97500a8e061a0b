using System.Collections.Generic;
using System.Threading.Tasks;

namespace Vyro
{
    /// <summary>A request the library has not answered yet, and the task that waits for its answer.</summary>
    internal sealed class PendingRequest
    {
        public readonly VyroExport Export;
        public readonly long Serial;
        public readonly string RequestId;
        private readonly TaskCompletionSource<VyroReply> source = new TaskCompletionSource<VyroReply>();

        // Its place in the queue of its export, for answers that carry no requestId.
        internal LinkedListNode<PendingRequest> Node;

        public PendingRequest(VyroExport export, long serial)
        {
            Export = export;
            Serial = serial;
            RequestId = "vyro-" + serial.ToString(System.Globalization.CultureInfo.InvariantCulture);
        }

        public Task<VyroReply> Task { get { return source.Task; } }

        public bool IsDone { get { return source.Task.IsCompleted; } }

        public void Complete(VyroReply reply) { source.TrySetResult(reply); }
    }
}

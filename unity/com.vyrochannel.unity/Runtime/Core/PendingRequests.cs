using System.Collections.Generic;

namespace Vyro
{
    /// <summary>
    /// The requests waiting for answers. An answer finds its request by the requestId the binding
    /// gave it; an answer without one belongs to the request whose call it came during, or else to
    /// the oldest waiting request of the same export. Used on the frame loop's thread only.
    /// </summary>
    internal sealed class PendingRequests
    {
        private readonly Dictionary<string, PendingRequest> byId = new Dictionary<string, PendingRequest>();
        private readonly LinkedList<PendingRequest>[] byExport;
        private long serial;

        public PendingRequests()
        {
            int exports = System.Enum.GetValues(typeof(VyroExport)).Length;
            byExport = new LinkedList<PendingRequest>[exports];
            for (int index = 0; index < exports; index++) byExport[index] = new LinkedList<PendingRequest>();
        }

        public int Count { get { return byId.Count; } }

        public PendingRequest Add(VyroExport export)
        {
            serial++;
            var request = new PendingRequest(export, serial);
            byId.Add(request.RequestId, request);
            request.Node = byExport[(int)export].AddLast(request);
            return request;
        }

        /// <summary>The request an answer belongs to, taken out of the table; null when none waits for it.</summary>
        public PendingRequest Take(VyroExport export, string requestId, PendingRequest caller)
        {
            PendingRequest request;
            if (!string.IsNullOrEmpty(requestId))
            {
                // An id no request holds any more is a late answer to one already completed.
                if (!byId.TryGetValue(requestId, out request)) return null;
            }
            else
            {
                request = caller != null && byId.ContainsKey(caller.RequestId) ? caller : Oldest(export);
            }
            if (request != null) Remove(request);
            return request;
        }

        /// <summary>Every waiting request sent no later than <paramref name="serial"/>, taken out of the table, oldest first.</summary>
        public List<PendingRequest> TakeUpTo(long serial)
        {
            var all = new List<PendingRequest>();
            foreach (PendingRequest request in byId.Values)
            {
                if (request.Serial <= serial) all.Add(request);
            }
            all.Sort((a, b) => a.Serial.CompareTo(b.Serial));
            foreach (PendingRequest request in all) Remove(request);
            return all;
        }

        private PendingRequest Oldest(VyroExport export)
        {
            LinkedListNode<PendingRequest> first = byExport[(int)export].First;
            return first == null ? null : first.Value;
        }

        private void Remove(PendingRequest request)
        {
            byId.Remove(request.RequestId);
            byExport[(int)request.Export].Remove(request.Node);
        }
    }
}

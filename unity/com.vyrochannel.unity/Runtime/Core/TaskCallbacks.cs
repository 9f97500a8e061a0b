using System;
using System.Threading.Tasks;

namespace Vyro
{
    /// <summary>The callback form of every request, for hosts that do not use async.</summary>
    public static class TaskCallbacks
    {
        /// <summary>Calls <paramref name="onReply"/> with the answer, in the frame loop that delivers it.</summary>
        public static void Then(this Task<VyroReply> request, Action<VyroReply> onReply)
        {
            request.ContinueWith(done =>
            {
                try { onReply(done.Result); }
                catch (Exception e) { VyroChannel.ReportHandlerFailure(e); }
            }, TaskContinuationOptions.ExecuteSynchronously);
        }
    }
}

using System.Linq;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>The real library with no store beside it: every request is still answered once.</summary>
    [TestFixture]
    public class DefaultChannelTests
    {
        [TearDown]
        public void Stop() { VyroChannel.Shutdown(); }

        [Test]
        public void RequestsBeforeLoadAfterUnloadAndWithHugeParametersAreEachAnsweredOnce()
        {
            string huge = "{\"blob\":\"" + new string('x', 1 << 20) + "\",\"nested\":" + new string('[', 100) + new string(']', 100) + "}";
            Task<VyroReply>[] requests =
            {
                VyroChannel.Products(null),              // before Load
                VyroChannel.Checkout(null, huge),
                VyroChannel.ShowMessageDialog(null, null),
            };
            Frames.Until(() => requests.All(request => request.IsCompleted), "answers");
            Frames.Until(VyroChannel.Unload());
            Task<VyroReply> afterUnload = VyroChannel.Login();
            Frames.Until(afterUnload);
            foreach (VyroReply reply in requests.Select(request => request.Result).Concat(new[] { afterUnload.Result }))
            {
                Assert.AreEqual(VyroCode.Failed, reply.Code, reply.Json);
                Assert.AreEqual("none", reply.Channel);
                Assert.AreEqual("Not implemented", reply.Message);
            }
            Assert.AreEqual(0, VyroChannel.WaitingRequests);
        }
    }
}

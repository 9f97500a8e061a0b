using System;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>A Steam session; the process runs under a launcher named steam.exe, as Steam starts a game.</summary>
    [TestFixture]
    public class SteamSessionTests : StoreSession
    {
        protected override string Channel { get { return "steam"; } }

        protected override JsonObject Simulator(string json) { return SimulatedStore.Steam(json); }

        protected override Task<VyroReply> SlowRequest() { return VyroChannel.AuthToken("backend"); }

        [Test]
        public void ASessionWithTicketOverlayAndPurchaseEventsAndUtf8BothWays()
        {
            Simulator("{\"op\":\"set\",\"personaName\":" + JsonWriter.Write(JsonTests.HardText) + "}");
            using (var events = new EventRecorder())
            {
                Ok(VyroChannel.Load());
                Ok(VyroChannel.Init());
                VyroReply login = Ok(VyroChannel.Login());
                Assert.AreEqual(JsonTests.HardText, login.Root.GetObject("steam").GetString("nickName"));

                Task<VyroReply> ticket = VyroChannel.AuthToken("backend ✓ 後端");
                // Nothing but the task holds the request while the store works on it.
                GC.Collect();
                GC.WaitForPendingFinalizers();
                GC.Collect();
                VyroReply answer = Ok(ticket);
                Assert.IsNotEmpty(answer.Root.GetString("token"));
                StringAssert.Contains("\"backend ✓ 後端\"", Simulator("{\"op\":\"journal\",\"fn\":\"SteamAPI_ISteamUser_GetAuthTicketForWebApi\"}").ToString());

                Simulator("{\"op\":\"overlay\",\"active\":true}");
                Simulator("{\"op\":\"microTxn\",\"orderId\":\"4242424242\",\"authorized\":false}");
                VyroReply purchase = events.Await(VyroEventType.PurchaseAuthorization, VyroEventType.Overlay);
                Assert.AreEqual(true, events[VyroEventType.Overlay].Root.GetBool("active"));
                Assert.AreEqual(false, purchase.Root.GetBool("authorized"));
                Assert.AreEqual("4242424242", purchase.Root.GetString("orderId"));
            }
        }
    }
}

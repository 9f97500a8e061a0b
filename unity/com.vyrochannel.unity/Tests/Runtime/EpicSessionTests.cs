using System;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>An Epic session with the configuration store staged beside the library.</summary>
    [TestFixture]
    public class EpicSessionTests : StoreSession
    {
        protected override string Channel { get { return "epic"; } }

        protected override JsonObject Simulator(string json) { return SimulatedStore.Epic(json); }

        protected override Task<VyroReply> SlowRequest() { return VyroChannel.Products(null); }

        // The launcher's sign-in (its options are on the test process's command line) completes in a
        // frame after Load.
        protected override void SignIn()
        {
            Ok(VyroChannel.Load());
            Frames.Run(3);
            Ok(VyroChannel.Init());
            Ok(VyroChannel.Login());
        }

        [Test]
        public void ASessionWithProductsAPurchaseAndLoginStatusEvents()
        {
            SignIn();
            using (var events = new EventRecorder())
            {
                VyroReply products = Ok(VyroChannel.Products(null));
                Assert.AreEqual("Épée de lumière ⚔", ((JsonObject)products.Root.GetArray("products")[2]).GetString("localizedTitle"));
                VyroReply purchase = Ok(VyroChannel.Checkout("5f1c2a9e0b7d4c38a6e3f4b2d1c09e87"));
                Assert.AreEqual(false, purchase.Canceled);
                Ok(VyroChannel.CheckEntitlements());

                Simulator("{\"op\":\"loginStatus\",\"status\":0}");
                Assert.AreEqual("epic", events.Await(VyroEventType.LoginStatus).Channel);
            }
        }
    }
}

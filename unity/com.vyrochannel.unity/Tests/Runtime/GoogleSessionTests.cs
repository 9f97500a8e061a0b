using System.Collections.Generic;
using System.Linq;
using System.Threading;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>A Play Games session: the SDK answers on a thread of its own.</summary>
    [TestFixture]
    public class GoogleSessionTests : StoreSession
    {
        protected override string Channel { get { return "google"; } }

        protected override JsonObject Simulator(string json) { return SimulatedStore.Google(json); }

        protected override Task<VyroReply> SlowRequest()
        {
            Simulator("{\"op\":\"set\",\"completionMode\":\"thread\",\"delayMs\":300}");
            return VyroChannel.CheckEntitlements();
        }

        [Test]
        public void AnswersFromTheSdkThreadReachTheGameOnlyInItsFrameLoop()
        {
            SignIn();
            int mainThread = Thread.CurrentThread.ManagedThreadId;
            int deliveredOn = -1;
            Task<VyroReply> products = VyroChannel.Products(new[] { "gems_100", "starter_pack" });
            products.Then(reply => deliveredOn = Thread.CurrentThread.ManagedThreadId);
            Simulator("{\"op\":\"drain\",\"timeoutMs\":5000}");
            Assert.IsFalse(products.IsCompleted, "answered on the SDK's thread");

            VyroChannel.Pump();
            Assert.IsTrue(products.IsCompleted);
            Assert.AreEqual(mainThread, deliveredOn);
            List<object> list = products.Result.Root.GetArray("products");
            Assert.AreEqual("Pack de démarrage ⚔", ((JsonObject)list[1]).GetString("localizedTitle"));

            VyroReply purchase = Ok(VyroChannel.Checkout("gems_100_offer", "{\"google\":{\"obfuscatedAccountId\":\"account-42\"}}"));
            Assert.AreEqual(false, purchase.Canceled);
            Simulator("{\"op\":\"set\",\"purchaseFlow\":{\"outcome\":\"cancel\"}}");
            Assert.AreEqual(true, Ok(VyroChannel.Checkout("gems_100_offer")).Canceled);
        }

        [Test]
        public void AThousandRequestsInFlightAreAnsweredExactlyOnceEach()
        {
            SignIn();
            var answers = new int[1000];
            var requests = new List<Task<VyroReply>>();
            for (int index = 0; index < answers.Length; index++)
            {
                int mine = index;
                Task<VyroReply> request = index % 2 == 0 ? VyroChannel.Products(new[] { "gems_100" }) : VyroChannel.CheckEntitlements();
                request.Then(reply => Interlocked.Increment(ref answers[mine]));
                requests.Add(request);
            }
            Frames.Until(() => requests.All(request => request.IsCompleted), "a thousand answers");
            Frames.Run(10);
            Assert.IsTrue(answers.All(count => count == 1));
            Assert.IsTrue(requests.All(request => request.Result.IsOk));
            Assert.AreEqual(requests.Count, requests.Select(request => request.Result.RequestId).Distinct().Count());
            Assert.IsFalse(Log.Any(line => line.Contains("no waiting request")));
        }
    }
}

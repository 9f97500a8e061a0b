using System;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>An Xbox session with the simulated Gaming Runtime and Xbox services.</summary>
    [TestFixture]
    public class XboxSessionTests : StoreSession
    {
        protected override string Channel { get { return "xbox"; } }

        protected override JsonObject Simulator(string json) { return SimulatedStore.Xbox(json); }

        protected override Task<VyroReply> SlowRequest() { return VyroChannel.Achievements("get"); }

        [Test]
        public void ASessionWithSocialInviteAndSignOutEventsAndUtf8BothWays()
        {
            using (var events = new EventRecorder())
            {
                SignIn();
                Simulator("{\"op\":\"dialogs\",\"texts\":[" + JsonWriter.Write(JsonTests.HardText) + "]}");
                VyroReply text = Ok(VyroChannel.ShowTextEntry("名前 🎮", "Your hero's name"));
                Assert.AreEqual(JsonTests.HardText, text.Root.GetString("text"));
                StringAssert.Contains("名前 🎮", Simulator("{\"op\":\"journal\",\"fn\":\"XGameUiShowTextEntryAsync\"}").ToString());

                Ok(VyroChannel.FriendList());
                Simulator("{\"op\":\"socialChanges\",\"changes\":[{\"kind\":\"removed\",\"xuid\":\"2533274900000102\"}]}");
                Simulator("{\"op\":\"invite\",\"uri\":\"ms-xbl-multiplayer://inviteHandleAccept/?connectionString=10.0.0.9%3A3074\"}");
                VyroReply invite = events.Await(VyroEventType.GameInvite, VyroEventType.Social);
                Assert.AreEqual("10.0.0.9:3074", invite.Root.GetObject("xbox").GetString("connectionString"));

                Simulator("{\"op\":\"signOut\"}");
                Assert.AreEqual("xbox", events.Await(VyroEventType.LoginStatus).Channel);
            }
        }
    }
}

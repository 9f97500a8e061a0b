using System;
using System.Collections.Generic;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>
    /// What every store's session must show through the public API: a clean second Play, and
    /// Unload answering what is still in flight. Each store's fixture runs in a process of its own,
    /// with that store's simulated runtime staged beside the library.
    /// </summary>
    public abstract class StoreSession
    {
        protected readonly List<string> Log = new List<string>();

        protected abstract string Channel { get; }

        /// <summary>Programs the simulated store; returns its reply.</summary>
        protected abstract JsonObject Simulator(string json);

        /// <summary>Starts a request the store answers later, not during the call.</summary>
        protected abstract System.Threading.Tasks.Task<VyroReply> SlowRequest();

        [SetUp]
        public void StartFresh()
        {
            Simulator("{\"op\":\"reset\"}");
            Log.Clear();
            VyroChannel.LogLevel = VyroLogLevel.Warning;
            VyroChannel.LogSink = (level, line) => Log.Add(level + " " + line);
        }

        [TearDown]
        public void Stop()
        {
            VyroChannel.Shutdown();
            Assert.AreEqual(0, VyroChannel.WaitingRequests);
        }

        protected VyroReply Ok(System.Threading.Tasks.Task<VyroReply> request)
        {
            VyroReply reply = Frames.Until(request);
            Assert.AreEqual(VyroCode.Ok, reply.Code, reply.Json);
            Assert.AreEqual(Channel, reply.Channel, reply.Json);
            return reply;
        }

        protected virtual void SignIn()
        {
            Ok(VyroChannel.Load());
            Ok(VyroChannel.Init());
            Ok(VyroChannel.Login());
        }

        [Test]
        public void TheSecondPlayStartsClean()
        {
            for (int play = 0; play < 2; play++)
            {
                SignIn();
                // Play Games has nothing to stop: its Unload answers "Not implemented", and the channel goes all the same.
                Assert.AreEqual(Channel, Frames.Until(VyroChannel.Unload()).Channel);
            }
        }

        [Test]
        public void UnloadAnswersEveryRequestStillInFlight()
        {
            SignIn();
            var inFlight = new List<System.Threading.Tasks.Task<VyroReply>>();
            for (int request = 0; request < 3; request++) inFlight.Add(SlowRequest());
            VyroChannel.Unload();
            foreach (System.Threading.Tasks.Task<VyroReply> request in inFlight)
            {
                Assert.IsTrue(request.IsCompleted, "a request left waiting after Unload");
            }
            Frames.Run(5);
            Assert.AreEqual(0, VyroChannel.WaitingRequests);
        }
    }
}

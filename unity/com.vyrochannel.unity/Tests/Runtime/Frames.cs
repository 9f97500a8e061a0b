using System;
using System.Diagnostics;
using System.Threading;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>The game's frame loop, as a test runs it on its own thread.</summary>
    internal static class Frames
    {
        private const int TimeoutMs = 15000;

        /// <summary>Pumps frames until the request is answered; fails the test after the time-out.</summary>
        public static VyroReply Until(Task<VyroReply> request)
        {
            Until(() => request.IsCompleted, "an answer");
            return request.Result;
        }

        public static void Until(Func<bool> done, string what)
        {
            Stopwatch clock = Stopwatch.StartNew();
            while (!done())
            {
                if (clock.ElapsedMilliseconds > TimeoutMs) Assert.Fail("no " + what + " within " + TimeoutMs + " ms");
                VyroChannel.Pump();
                Thread.Sleep(1);
            }
        }

        /// <summary>Pumps a few frames, for answers that must not come.</summary>
        public static void Run(int count)
        {
            for (int frame = 0; frame < count; frame++)
            {
                VyroChannel.Pump();
                Thread.Sleep(1);
            }
        }
    }
}

using System;
using System.Collections.Generic;
using System.Linq;
using System.Threading;
using System.Threading.Tasks;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>How the binding matches answers to requests and hands them to the frame loop.</summary>
    [TestFixture]
    public class BindingTests
    {
        private ScriptedLibrary library;
        private List<string> log;
        private VyroBinding binding;

        [SetUp]
        public void MakeBinding()
        {
            library = new ScriptedLibrary();
            log = new List<string>();
            binding = library.MakeBinding(log);
        }

        private Task<VyroReply> Send(VyroExport export, string extraJson = null)
        {
            return binding.Send(export, new JsonObject(), extraJson);
        }

        [Test]
        public void AnswersDuringTheCallOrOnAnotherThreadAreDeliveredOnlyInTheFrameLoop()
        {
            library.OnCall = (export, parameters) =>
            {
                string id = RequestIdOf(parameters);
                if (export == VyroExport.Login) library.Inbox.PostAnswer(export, 0, "{\"channel\":\"x\",\"requestId\":\"" + id + "\"}");
                else new Thread(() => library.Inbox.PostAnswer(export, 0, "{\"requestId\":\"" + id + "\"}")).Start();
            };
            Task<VyroReply> inline = Send(VyroExport.Login);
            Task<VyroReply> threaded = Send(VyroExport.Products);
            Thread.Sleep(50);
            Assert.IsFalse(inline.IsCompleted || threaded.IsCompleted, "answered outside the frame loop");

            int pumpingThread = Thread.CurrentThread.ManagedThreadId;
            int deliveredOn = -1;
            threaded.Then(reply => deliveredOn = Thread.CurrentThread.ManagedThreadId);
            binding.Pump();
            Assert.AreEqual("x", inline.Result.Channel);
            Assert.AreEqual(pumpingThread, deliveredOn);
            Assert.AreEqual(0, binding.WaitingRequests);
        }

        [Test]
        public void AnswersWithoutARequestIdFindTheirRequestByCallThenByExportInCallOrder()
        {
            var later = new List<Action>();
            library.OnCall = (export, parameters) =>
            {
                if (parameters.Contains("\"inline\"")) library.Inbox.PostAnswer(export, 0, "{\"which\":\"inline\"}");
                else
                {
                    string which = (later.Count + 1).ToString();
                    later.Add(() => library.Inbox.PostAnswer(export, 0, "{\"which\":\"" + which + "\"}"));
                }
            };
            Task<VyroReply> first = Send(VyroExport.Load);
            Task<VyroReply> second = Send(VyroExport.Load);
            Task<VyroReply> answeredInline = Send(VyroExport.Load, "{\"inline\":true}");
            Task<VyroReply> otherExport = Send(VyroExport.Init);
            binding.Pump();
            Assert.AreEqual("inline", answeredInline.Result.Root.GetString("which"));
            Assert.IsFalse(first.IsCompleted);

            foreach (Action answer in later) answer();
            binding.Pump();
            Assert.AreEqual("1", first.Result.Root.GetString("which"));
            Assert.AreEqual("2", second.Result.Root.GetString("which"));
            Assert.AreEqual("3", otherExport.Result.Root.GetString("which"));
        }

        [Test]
        public void LateAndUnmatchedAnswersCompleteNothing()
        {
            Task<VyroReply> waiting = Send(VyroExport.Products);
            library.Inbox.PostAnswer(VyroExport.Products, 0, "{\"requestId\":\"vyro-999\"}");
            library.Inbox.PostAnswer(VyroExport.Login, 0, "{}");
            binding.Pump();
            Assert.IsFalse(waiting.IsCompleted);
            Assert.AreEqual(2, log.Count(line => line.Contains("answer for no waiting request")));
        }

        [Test]
        public void EveryRequestGetsItsOwnIdAndNamedMembersWinOverExtraOnes()
        {
            var parameters = new JsonObject();
            parameters["offerId"] = "named";
            parameters["xbox"] = new JsonObject();
            binding.Send(VyroExport.Checkout, parameters, "{\"offerId\":\"extra\",\"requestId\":\"mine\",\"quantity\":2,\"xbox\":{\"a\":1}}");
            Send(VyroExport.Checkout);
            Assert.AreEqual(new[] { "SetLogLevel Trace", "RegisterEvents",
                                    "Checkout {\"offerId\":\"named\",\"xbox\":{\"a\":1},\"requestId\":\"vyro-1\",\"quantity\":2}",
                                    "Checkout {\"requestId\":\"vyro-2\"}" }, library.Calls);
        }

        [TestCase("not json")]
        [TestCase("[1,2]")]
        [TestCase("{\"a\":")]
        public void ExtraParametersThatAreNotAJsonObjectFailTheRequestWithoutCallingTheLibrary(string extraJson)
        {
            Task<VyroReply> request = Send(VyroExport.Login, extraJson);
            binding.Pump();
            Assert.AreEqual(VyroCode.Failed, request.Result.Code);
            StringAssert.StartsWith("The extra parameters", request.Result.Message);
            Assert.AreEqual("vyro-1", request.Result.RequestId);
            Assert.IsFalse(library.Calls.Any(call => call.StartsWith("Login")));
        }

        [Test]
        public void AReplyThatIsNotJsonStillCompletesItsRequest()
        {
            library.OnCall = (export, parameters) => library.Inbox.PostAnswer(export, -1, "garbage {");
            Task<VyroReply> request = Send(VyroExport.Login);
            binding.Pump();
            Assert.AreEqual(VyroCode.Failed, request.Result.Code);
            Assert.AreEqual("garbage {", request.Result.Json);
            Assert.IsNull(request.Result.Root);
            Assert.IsNull(request.Result.Message);
        }

        [Test]
        public void UnloadAnswersEveryWaitingRequestBeforeItReturns()
        {
            library.OnCall = (export, parameters) =>
            {
                if (export == VyroExport.Unload) library.Inbox.PostAnswer(export, 0, "{\"channel\":\"epic\"}");
            };
            Task<VyroReply>[] waiting = Enumerable.Range(0, 5).Select(i => Send(VyroExport.Products)).ToArray();
            Task<VyroReply> unload = Send(VyroExport.Unload);
            Assert.IsTrue(unload.IsCompleted && unload.Result.IsOk);
            foreach (Task<VyroReply> request in waiting)
            {
                Assert.AreEqual(VyroCode.Failed, request.Result.Code);
                Assert.AreEqual("Unloaded before the store answered", request.Result.Message);
                Assert.AreEqual("epic", request.Result.Channel);
            }
            Assert.IsFalse(binding.NeedsUnload);
            Send(VyroExport.Load);
            Assert.AreEqual(2, library.Calls.Count(call => call == "RegisterEvents"), "events not registered with the new channel");
        }

        [Test]
        public void ARequestSentByAHandlerOfTheUnloadAnswerBelongsToTheNextChannel()
        {
            library.OnCall = (export, parameters) =>
            {
                if (export == VyroExport.Unload) library.Inbox.PostAnswer(export, 0, "{}");
            };
            Task<VyroReply> reload = null;
            Send(VyroExport.Unload).Then(reply => reload = Send(VyroExport.Load));
            Assert.IsNotNull(reload);
            Assert.IsFalse(reload.IsCompleted, "the new Load was answered as unloaded");
            Assert.AreEqual(1, binding.WaitingRequests);
        }

        [Test]
        public void ShutdownUnloadsOnlyWhatWasStartedAndTakesTheLogHandlerBack()
        {
            binding.Shutdown();
            Assert.AreEqual(0, library.Calls.Count, "nothing was started, so nothing is loaded to stop");
            Task<VyroReply> waiting = Send(VyroExport.Login);
            binding.Shutdown();
            Assert.IsTrue(waiting.IsCompleted);
            Assert.AreEqual(new[] { "SetLogLevel Trace", "RegisterEvents", "Login {\"requestId\":\"vyro-1\"}",
                                    "Unload {\"requestId\":\"vyro-2\"}", "RemoveLogHandler" }, library.Calls);
            Send(VyroExport.Load);
            Assert.AreEqual("SetLogLevel Trace", library.Calls[5], "the next request installs the handler again");
        }

        [Test]
        public void AHandlerThatThrowsIsLoggedAndTheOtherHandlersStillRun()
        {
            var seen = new List<string>();
            binding.EventArrived += (type, reply) => { throw new InvalidOperationException("game bug"); };
            binding.EventArrived += (type, reply) => seen.Add(type + " " + reply.Json);
            library.Inbox.PostEvent(VyroEventType.Overlay, 0, "{\"active\":true}");
            binding.Pump();
            Assert.AreEqual(new[] { "Overlay {\"active\":true}" }, seen);
            Assert.AreEqual(1, log.Count(line => line.StartsWith("Error") && line.Contains("game bug")));
        }

        [Test]
        public void LogLinesFromAnyThreadReachTheSinkInTheFrameLoopAtTheChosenLevel()
        {
            binding.LogLevel = VyroLogLevel.Warning;
            var writer = new Thread(() =>
            {
                library.Inbox.PostLog(VyroLogLevel.Info, "quiet");
                library.Inbox.PostLog(VyroLogLevel.Error, "loud");
            });
            writer.Start();
            writer.Join();
            Assert.AreEqual(0, log.Count);
            binding.Pump();
            Assert.AreEqual(new[] { "Error loud" }, log);
        }

        [Test]
        public void AnIdleFrameAllocatesNothing()
        {
            binding.Pump();
            long before = GC.GetAllocatedBytesForCurrentThread();
            for (int frame = 0; frame < 1000; frame++) binding.Pump();
            Assert.AreEqual(before, GC.GetAllocatedBytesForCurrentThread());
        }

        private static IEnumerable<Exception> LoadFailures()
        {
            yield return new DllNotFoundException("VyroChannel");
            yield return new BadImageFormatException("wrong architecture");
            yield return new EntryPointNotFoundException("VyroChannel_Tick");
        }

        [TestCaseSource("LoadFailures")]
        public void ALibraryThatCannotBeLoadedFailsEveryRequestWithOneClearErrorAndNoRetries(Exception failure)
        {
            library.LoadFailure = () => failure;
            Task<VyroReply> first = Send(VyroExport.Load);
            for (int frame = 0; frame < 10; frame++) binding.Pump();
            Task<VyroReply> second = Send(VyroExport.Login);
            binding.Pump();
            Assert.IsFalse(binding.IsAvailable);
            foreach (VyroReply reply in new[] { first.Result, second.Result })
            {
                Assert.AreEqual(VyroCode.Failed, reply.Code);
                StringAssert.Contains(failure.GetType().Name, reply.Message);
            }
            Assert.AreEqual(1, log.Count, string.Join("\n", log.ToArray()));
            StringAssert.StartsWith("Error The VyroChannel native library cannot be used (" + failure.GetType().Name, log[0]);
        }

        private static string RequestIdOf(string parameters)
        {
            object parsed;
            string error;
            JsonReader.TryParse(parameters, out parsed, out error);
            return ((JsonObject)parsed).GetString("requestId");
        }
    }
}

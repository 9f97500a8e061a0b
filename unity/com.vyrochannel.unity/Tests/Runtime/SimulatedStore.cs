using System;
using System.Runtime.InteropServices;
using NUnit.Framework;

namespace Vyro.Tests
{
    /// <summary>
    /// The control entry point of the simulated store runtime staged beside the library. Without
    /// one (for example in the editor's Test Runner) the store's tests are skipped.
    /// </summary>
    internal static class SimulatedStore
    {
        public static JsonObject Steam(string json) { return Control(() => SteamControl(Utf8.ToNative(json))); }
        public static JsonObject Google(string json) { return Control(() => GoogleControl(Utf8.ToNative(json))); }
        public static JsonObject Epic(string json) { return Control(() => EpicControl(Utf8.ToNative(json))); }
        public static JsonObject Xbox(string json) { return Control(() => XboxControl(Utf8.ToNative(json))); }

        private static JsonObject Control(Func<IntPtr> control)
        {
            IntPtr reply;
            try { reply = control(); }
            catch (DllNotFoundException) { Assert.Ignore("no simulated store runtime beside the library"); throw; }
            object parsed;
            string error;
            Assert.IsTrue(JsonReader.TryParse(Utf8.FromNative(reply), out parsed, out error), error);
            var result = (JsonObject)parsed;
            Assert.AreEqual(true, result.GetBool("ok"), result.ToString());
            return result;
        }

        [DllImport("steam_api64.dll", EntryPoint = "VyroSim_Control")] private static extern IntPtr SteamControl(byte[] json);
        [DllImport("play_pc_sdk.dll", EntryPoint = "VyroSim_Control")] private static extern IntPtr GoogleControl(byte[] json);
        [DllImport("EOSSDK-Win64-Shipping.dll", EntryPoint = "VyroSim_Control")] private static extern IntPtr EpicControl(byte[] json);
        [DllImport("xgameruntime.dll", EntryPoint = "VyroSim_Control")] private static extern IntPtr XboxControl(byte[] json);
    }
}

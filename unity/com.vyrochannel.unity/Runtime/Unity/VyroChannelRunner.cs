using UnityEngine;

namespace Vyro.Unity
{
    /// <summary>
    /// The frame loop: made automatically when the game starts, kept across scenes, it pumps the
    /// channel once per frame and unloads it when the game quits.
    /// </summary>
    [AddComponentMenu("")]
    public sealed class VyroChannelRunner : MonoBehaviour
    {
        /// <summary>The lowest level of the library's log lines shown in the console.</summary>
        public static VyroLogLevel ConsoleLogLevel = VyroLogLevel.Info;

        private static VyroChannelRunner instance;

        [RuntimeInitializeOnLoadMethod(RuntimeInitializeLoadType.BeforeSceneLoad)]
        private static void StartWithTheGame()
        {
            if (instance != null) return;
            VyroChannel.LogSink = UnityConsoleLog.Write;
            VyroChannel.LogLevel = ConsoleLogLevel;
            var host = new GameObject("VyroChannel");
            host.hideFlags = HideFlags.HideAndDontSave;
            DontDestroyOnLoad(host);
            instance = host.AddComponent<VyroChannelRunner>();
        }

        private void Update()
        {
            VyroChannel.Pump();
        }

        private void OnApplicationQuit()
        {
            VyroChannel.Shutdown();
        }

        private void OnDestroy()
        {
            if (instance == this) instance = null;
        }
    }
}

using UnityEditor;

namespace Vyro.Unity.Editor
{
    /// <summary>
    /// In the editor the process outlives every Play session: leaving Play mode and reloading the
    /// scripts unload the channel, so that the next Play starts with a fresh store session and no
    /// task waits for an answer that will never come.
    /// </summary>
    [InitializeOnLoad]
    internal static class PlayModeLifecycle
    {
        static PlayModeLifecycle()
        {
            EditorApplication.playModeStateChanged += OnPlayModeChanged;
            AssemblyReloadEvents.beforeAssemblyReload += VyroChannel.Shutdown;
        }

        private static void OnPlayModeChanged(PlayModeStateChange change)
        {
            if (change == PlayModeStateChange.ExitingPlayMode) VyroChannel.Shutdown();
        }
    }
}

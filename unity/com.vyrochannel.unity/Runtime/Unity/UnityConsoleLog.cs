using UnityEngine;

namespace Vyro.Unity
{
    /// <summary>The library's log lines in Unity's console, at the matching level.</summary>
    internal static class UnityConsoleLog
    {
        public static void Write(VyroLogLevel level, string line)
        {
            if (level >= VyroLogLevel.Error) Debug.LogError(line);
            else if (level == VyroLogLevel.Warning) Debug.LogWarning(line);
            else Debug.Log(line);
        }
    }
}

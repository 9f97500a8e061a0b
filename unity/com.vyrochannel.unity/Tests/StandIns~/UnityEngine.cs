// The few UnityEngine types the package's Unity layer uses, so that Mono's compiler checks that
// layer here; Unity ignores this folder (its name ends in "~") and uses its own assemblies.
using System;

namespace UnityEngine
{
    public class Object
    {
        public HideFlags hideFlags { get; set; }
        public static void DontDestroyOnLoad(Object target) { }
    }

    public class Component : Object { }

    public class Behaviour : Component { }

    public class MonoBehaviour : Behaviour { }

    public sealed class GameObject : Object
    {
        public GameObject(string name) { }
        public T AddComponent<T>() where T : Component { return null; }
    }

    [Flags]
    public enum HideFlags { None = 0, HideAndDontSave = 61 }

    public enum RuntimeInitializeLoadType { AfterSceneLoad = 0, BeforeSceneLoad = 1 }

    [AttributeUsage(AttributeTargets.Method)]
    public sealed class RuntimeInitializeOnLoadMethodAttribute : Attribute
    {
        public RuntimeInitializeOnLoadMethodAttribute(RuntimeInitializeLoadType loadType) { }
    }

    [AttributeUsage(AttributeTargets.Class)]
    public sealed class AddComponentMenu : Attribute
    {
        public AddComponentMenu(string menuName) { }
    }

    public static class Debug
    {
        public static void Log(object message) { }
        public static void LogWarning(object message) { }
        public static void LogError(object message) { }
    }
}

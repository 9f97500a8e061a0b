namespace Vyro
{
    /// <summary>
    /// The library's exports as the binding calls them. Answers, events and log lines come back
    /// through the <see cref="Inbox"/> the implementation was made with, on whatever thread the
    /// library calls from. A library that cannot be loaded throws from the first call
    /// (<see cref="System.DllNotFoundException"/>, <see cref="System.BadImageFormatException"/>,
    /// <see cref="System.EntryPointNotFoundException"/>).
    /// </summary>
    internal interface INativeChannel
    {
        void Call(VyroExport export, byte[] utf8Parameters);
        void Tick();
        void RegisterEvents();
        void SetLogLevel(VyroLogLevel level);
        void RemoveLogHandler();
    }
}

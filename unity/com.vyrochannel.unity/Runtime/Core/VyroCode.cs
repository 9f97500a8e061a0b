namespace Vyro
{
    /// <summary>The codes every answer and event carries.</summary>
    public enum VyroCode
    {
        Ok = 0,
        Failed = -1,
        Canceled = -6,
        GoogleInitFailed = -1001,
        StoreNotPresent = -1002,
        StoreVersionMismatch = -1003,
        GoogleInitUnavailable = -1004,
        NoUser = -2001,
        AccountNeedsAttention = -2002,
    }

    /// <summary>The kinds of unsolicited store events.</summary>
    public enum VyroEventType
    {
        PurchaseAuthorization = 0,
        Overlay = 1,
        LoginStatus = 2,
        Social = 3,
        GameInvite = 4,
    }

    /// <summary>Levels of the library's log lines; <see cref="Off"/> silences it.</summary>
    public enum VyroLogLevel
    {
        Trace = 0,
        Debug = 1,
        Info = 2,
        Warning = 3,
        Error = 4,
        Off = 5,
    }
}

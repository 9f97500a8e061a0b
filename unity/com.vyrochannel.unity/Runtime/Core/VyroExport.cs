namespace Vyro
{
    /// <summary>The library's request exports, one per request kind.</summary>
    internal enum VyroExport
    {
        Load, Unload, Init, Login, AuthToken, Products, Checkout, CheckEntitlements, Consume,
        Query, CheckPrivilege, ResolvePrivilege, CheckPermission, ShowTextEntry, ShowProfileCard,
        ShowMessageDialog, ShowErrorDialog, FriendList, BlockList, UserProfile, Achievements, Statistics,
        Leaderboard, Activity, Invite, RecentPlayers,
    }
}

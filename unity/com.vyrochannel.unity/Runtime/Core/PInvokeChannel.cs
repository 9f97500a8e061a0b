using System;
using System.Runtime.InteropServices;

namespace Vyro
{
    /// <summary>
    /// The exports of the native library. Its callbacks carry no user data, so there is one static
    /// callback per export and per event type: an answer without a requestId still says which
    /// export it answers. The delegates live in static fields for the whole process, so the
    /// collector never takes one the library still holds.
    /// </summary>
    internal sealed class PInvokeChannel : INativeChannel
    {
        private const string Library = "VyroChannel";

        [UnmanagedFunctionPointer(CallingConvention.Cdecl)]
        internal delegate void ResultCallback(int code, IntPtr json);

        [UnmanagedFunctionPointer(CallingConvention.Cdecl)]
        internal delegate void LogHandler(int level, IntPtr line);

        private static readonly ResultCallback[] AnswerCallbacks =
        {
            OnLoad, OnUnload, OnInit, OnLogin, OnAuthToken, OnProducts, OnCheckout, OnCheckEntitlements, OnConsume,
            OnQuery, OnCheckPrivilege, OnResolvePrivilege, OnCheckPermission, OnShowTextEntry, OnShowProfileCard,
            OnShowMessageDialog, OnShowErrorDialog, OnFriendList, OnBlockList, OnUserProfile, OnAchievements,
            OnStatistics, OnLeaderboard, OnActivity, OnInvite, OnRecentPlayers,
        };

        private static readonly ResultCallback[] EventCallbacks =
        {
            OnPurchaseAuthorization, OnOverlay, OnLoginStatus, OnSocial, OnGameInvite,
        };

        private static readonly LogHandler LogCallback = OnLog;

        // The native callbacks are static, so the inbox they post to is too.
        private static readonly Inbox inbox = Inbox.Shared;

        public void Call(VyroExport export, byte[] utf8Parameters)
        {
            ResultCallback callback = AnswerCallbacks[(int)export];
            // A switch rather than delegates to the imports: ahead-of-time compilers handle it everywhere.
            switch (export)
            {
                case VyroExport.Load: VyroChannel_Load(utf8Parameters, callback); break;
                case VyroExport.Unload: VyroChannel_Unload(utf8Parameters, callback); break;
                case VyroExport.Init: VyroChannel_Init(utf8Parameters, callback); break;
                case VyroExport.Login: VyroChannel_Login(utf8Parameters, callback); break;
                case VyroExport.AuthToken: VyroChannel_AuthToken(utf8Parameters, callback); break;
                case VyroExport.Products: VyroChannel_Products(utf8Parameters, callback); break;
                case VyroExport.Checkout: VyroChannel_Checkout(utf8Parameters, callback); break;
                case VyroExport.CheckEntitlements: VyroChannel_CheckEntitlements(utf8Parameters, callback); break;
                case VyroExport.Consume: VyroChannel_Consume(utf8Parameters, callback); break;
                case VyroExport.Query: VyroChannel_Query(utf8Parameters, callback); break;
                case VyroExport.CheckPrivilege: VyroChannel_CheckPrivilege(utf8Parameters, callback); break;
                case VyroExport.ResolvePrivilege: VyroChannel_ResolvePrivilege(utf8Parameters, callback); break;
                case VyroExport.CheckPermission: VyroChannel_CheckPermission(utf8Parameters, callback); break;
                case VyroExport.ShowTextEntry: VyroChannel_ShowTextEntry(utf8Parameters, callback); break;
                case VyroExport.ShowProfileCard: VyroChannel_ShowProfileCard(utf8Parameters, callback); break;
                case VyroExport.ShowMessageDialog: VyroChannel_ShowMessageDialog(utf8Parameters, callback); break;
                case VyroExport.ShowErrorDialog: VyroChannel_ShowErrorDialog(utf8Parameters, callback); break;
                case VyroExport.FriendList: VyroChannel_FriendList(utf8Parameters, callback); break;
                case VyroExport.BlockList: VyroChannel_BlockList(utf8Parameters, callback); break;
                case VyroExport.UserProfile: VyroChannel_UserProfile(utf8Parameters, callback); break;
                case VyroExport.Achievements: VyroChannel_Achievements(utf8Parameters, callback); break;
                case VyroExport.Statistics: VyroChannel_Statistics(utf8Parameters, callback); break;
                case VyroExport.Leaderboard: VyroChannel_Leaderboard(utf8Parameters, callback); break;
                case VyroExport.Activity: VyroChannel_Activity(utf8Parameters, callback); break;
                case VyroExport.Invite: VyroChannel_Invite(utf8Parameters, callback); break;
                case VyroExport.RecentPlayers: VyroChannel_RecentPlayers(utf8Parameters, callback); break;
            }
        }

        public void Tick() { VyroChannel_Tick(); }

        public void RegisterEvents()
        {
            for (int type = 0; type < EventCallbacks.Length; type++) VyroChannel_RegisterCallback(type, EventCallbacks[type]);
        }

        public void SetLogLevel(VyroLogLevel level) { VyroChannel_SetLogHandler(LogCallback, (int)level); }

        public void RemoveLogHandler() { VyroChannel_SetLogHandler(null, (int)VyroLogLevel.Off); }

        // Nothing may be thrown back into the library's frames: that would end the process.
        private static void Answer(VyroExport export, int code, IntPtr json)
        {
            try { inbox.PostAnswer(export, code, Utf8.FromNative(json)); }
            catch (Exception) { }
        }

        private static void Event(VyroEventType type, int code, IntPtr json)
        {
            try { inbox.PostEvent(type, code, Utf8.FromNative(json)); }
            catch (Exception) { }
        }

        [MonoPInvokeCallback(typeof(LogHandler))]
        private static void OnLog(int level, IntPtr line)
        {
            try { inbox.PostLog((VyroLogLevel)level, Utf8.FromNative(line)); }
            catch (Exception) { }
        }

        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnLoad(int code, IntPtr json) { Answer(VyroExport.Load, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnUnload(int code, IntPtr json) { Answer(VyroExport.Unload, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnInit(int code, IntPtr json) { Answer(VyroExport.Init, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnLogin(int code, IntPtr json) { Answer(VyroExport.Login, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnAuthToken(int code, IntPtr json) { Answer(VyroExport.AuthToken, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnProducts(int code, IntPtr json) { Answer(VyroExport.Products, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnCheckout(int code, IntPtr json) { Answer(VyroExport.Checkout, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnCheckEntitlements(int code, IntPtr json) { Answer(VyroExport.CheckEntitlements, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnConsume(int code, IntPtr json) { Answer(VyroExport.Consume, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnQuery(int code, IntPtr json) { Answer(VyroExport.Query, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnCheckPrivilege(int code, IntPtr json) { Answer(VyroExport.CheckPrivilege, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnResolvePrivilege(int code, IntPtr json) { Answer(VyroExport.ResolvePrivilege, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnCheckPermission(int code, IntPtr json) { Answer(VyroExport.CheckPermission, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnShowTextEntry(int code, IntPtr json) { Answer(VyroExport.ShowTextEntry, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnShowProfileCard(int code, IntPtr json) { Answer(VyroExport.ShowProfileCard, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnShowMessageDialog(int code, IntPtr json) { Answer(VyroExport.ShowMessageDialog, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnShowErrorDialog(int code, IntPtr json) { Answer(VyroExport.ShowErrorDialog, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnFriendList(int code, IntPtr json) { Answer(VyroExport.FriendList, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnBlockList(int code, IntPtr json) { Answer(VyroExport.BlockList, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnUserProfile(int code, IntPtr json) { Answer(VyroExport.UserProfile, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnAchievements(int code, IntPtr json) { Answer(VyroExport.Achievements, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnStatistics(int code, IntPtr json) { Answer(VyroExport.Statistics, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnLeaderboard(int code, IntPtr json) { Answer(VyroExport.Leaderboard, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnActivity(int code, IntPtr json) { Answer(VyroExport.Activity, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnInvite(int code, IntPtr json) { Answer(VyroExport.Invite, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnRecentPlayers(int code, IntPtr json) { Answer(VyroExport.RecentPlayers, code, json); }

        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnPurchaseAuthorization(int code, IntPtr json) { Event(VyroEventType.PurchaseAuthorization, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnOverlay(int code, IntPtr json) { Event(VyroEventType.Overlay, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnLoginStatus(int code, IntPtr json) { Event(VyroEventType.LoginStatus, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnSocial(int code, IntPtr json) { Event(VyroEventType.Social, code, json); }
        [MonoPInvokeCallback(typeof(ResultCallback))] private static void OnGameInvite(int code, IntPtr json) { Event(VyroEventType.GameInvite, code, json); }

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Load(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Unload(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Init(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Login(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_AuthToken(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Products(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Checkout(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_CheckEntitlements(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Consume(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Query(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_CheckPrivilege(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_ResolvePrivilege(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_CheckPermission(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_ShowTextEntry(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_ShowProfileCard(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_ShowMessageDialog(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_ShowErrorDialog(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_FriendList(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_BlockList(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_UserProfile(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Achievements(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Statistics(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Leaderboard(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Activity(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Invite(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_RecentPlayers(byte[] parameters, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_Tick();
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_RegisterCallback(int type, ResultCallback callback);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)] private static extern void VyroChannel_SetLogHandler(LogHandler handler, int level);
    }
}

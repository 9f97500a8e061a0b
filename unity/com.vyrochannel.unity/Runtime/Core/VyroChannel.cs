using System;
using System.Collections.Generic;
using System.Threading.Tasks;

namespace Vyro
{
    /// <summary>
    /// The store the game was installed from, one method per request. Every method returns the
    /// answer as a task that completes in the frame loop (<see cref="Pump"/>, called once per frame by
    /// the Unity runner); it never throws and never stays incomplete after <see cref="Unload"/>.
    /// <c>extraJson</c> is a JSON object of further request members; the named parameters win over
    /// members of the same name.
    /// </summary>
    public static class VyroChannel
    {
        private static readonly VyroBinding Binding = MakeBinding();

        /// <summary>Events, delivered in the frame loop; a handler that throws is logged and the others still run.</summary>
        public static event Action<VyroReply> PurchaseAuthorization;
        public static event Action<VyroReply> OverlayChanged;
        public static event Action<VyroReply> LoginStatusChanged;
        public static event Action<VyroReply> SocialChanged;
        public static event Action<VyroReply> GameInviteReceived;

        /// <summary>Where log lines go (standard error until the host sets its own), in the frame loop.</summary>
        public static Action<VyroLogLevel, string> LogSink
        {
            get { return Binding.LogSink; }
            set { Binding.LogSink = value; }
        }

        /// <summary>The lowest level logged; the library itself drops lines below it.</summary>
        public static VyroLogLevel LogLevel
        {
            get { return Binding.LogLevel; }
            set { Binding.LogLevel = value; }
        }

        /// <summary>Requests sent and not answered yet.</summary>
        public static int WaitingRequests { get { return Binding.WaitingRequests; } }

        /// <summary>Once per frame on the main thread: pumps the store and delivers answers, events and log lines.</summary>
        public static void Pump() { Binding.Pump(); }

        public static Task<VyroReply> Load(string extraJson = null) { return Send(VyroExport.Load, extraJson); }

        /// <summary>Stops the store; every request still waiting is answered before this returns.</summary>
        public static Task<VyroReply> Unload(string extraJson = null) { return Send(VyroExport.Unload, extraJson); }

        public static Task<VyroReply> Init(string extraJson = null) { return Send(VyroExport.Init, extraJson); }

        public static Task<VyroReply> Login(string extraJson = null) { return Send(VyroExport.Login, extraJson); }

        /// <param name="identity">Steam: the identity of the web API the ticket is for.</param>
        public static Task<VyroReply> AuthToken(string identity = null, string extraJson = null)
        {
            return Send(VyroExport.AuthToken, extraJson, Members("identity", identity));
        }

        public static Task<VyroReply> Products(IEnumerable<string> productIds, string extraJson = null)
        {
            return Send(VyroExport.Products, extraJson, Members("productIds", ListOf(productIds)));
        }

        public static Task<VyroReply> Checkout(string offerId, string extraJson = null)
        {
            return Send(VyroExport.Checkout, extraJson, Members("offerId", offerId));
        }

        public static Task<VyroReply> CheckEntitlements(string extraJson = null) { return Send(VyroExport.CheckEntitlements, extraJson); }

        public static Task<VyroReply> Consume(string purchaseToken, string extraJson = null)
        {
            return Send(VyroExport.Consume, extraJson, Members("purchaseToken", purchaseToken));
        }

        public static Task<VyroReply> Query(string key, string extraJson = null)
        {
            return Send(VyroExport.Query, extraJson, Members("key", key));
        }

        public static Task<VyroReply> CheckPrivilege(uint privilege, string extraJson = null)
        {
            return Send(VyroExport.CheckPrivilege, extraJson, Xbox("privilege", JsonNumber.Of(privilege)));
        }

        public static Task<VyroReply> ResolvePrivilege(uint privilege, string extraJson = null)
        {
            return Send(VyroExport.ResolvePrivilege, extraJson, Xbox("privilege", JsonNumber.Of(privilege)));
        }

        /// <param name="xuids">The users to check against.</param>
        /// <param name="permissions">Xbox services permission numbers.</param>
        public static Task<VyroReply> CheckPermission(IEnumerable<string> xuids, IEnumerable<int> permissions, string extraJson = null)
        {
            JsonObject parameters = Xbox("account_id", ListOf(xuids));
            if (permissions != null) parameters.GetObject("xbox")["permission"] = ListOf(permissions);
            return Send(VyroExport.CheckPermission, extraJson, parameters);
        }

        public static Task<VyroReply> ShowTextEntry(string title, string description = null, string defaultValue = null,
                                                    uint maxLength = 256, string extraJson = null)
        {
            JsonObject parameters = Members("title", title, "description", description, "defaultValue", defaultValue);
            parameters["maxLength"] = JsonNumber.Of(maxLength);
            return Send(VyroExport.ShowTextEntry, extraJson, parameters);
        }

        public static Task<VyroReply> ShowProfileCard(string xuid, string extraJson = null)
        {
            return Send(VyroExport.ShowProfileCard, extraJson, Members("xuid", xuid));
        }

        /// <param name="buttons">Up to three button texts.</param>
        public static Task<VyroReply> ShowMessageDialog(string title, string content, IEnumerable<string> buttons = null,
                                                        int defaultButton = 0, int cancelButton = 0, string extraJson = null)
        {
            JsonObject parameters = Members("title", title, "content", content, "button", ListOf(buttons));
            parameters["defaultButton"] = JsonNumber.Of(defaultButton);
            parameters["cancelButton"] = JsonNumber.Of(cancelButton);
            return Send(VyroExport.ShowMessageDialog, extraJson, parameters);
        }

        public static Task<VyroReply> ShowErrorDialog(int errorCode, string content = null, string extraJson = null)
        {
            JsonObject parameters = Members("content", content);
            parameters["errorCode"] = JsonNumber.Of(errorCode);
            return Send(VyroExport.ShowErrorDialog, extraJson, parameters);
        }

        public static Task<VyroReply> FriendList(string extraJson = null) { return Send(VyroExport.FriendList, extraJson); }

        public static Task<VyroReply> BlockList(string extraJson = null) { return Send(VyroExport.BlockList, extraJson); }

        public static Task<VyroReply> UserProfile(string xuid, string extraJson = null)
        {
            return Send(VyroExport.UserProfile, extraJson, Members("xuid", xuid));
        }

        /// <param name="action">What to do, for example "get"; its own members go in <paramref name="extraJson"/>.</param>
        public static Task<VyroReply> Achievements(string action, string extraJson = null)
        {
            return Send(VyroExport.Achievements, extraJson, Members("action", action));
        }

        public static Task<VyroReply> Statistics(string action, string extraJson = null)
        {
            return Send(VyroExport.Statistics, extraJson, Members("action", action));
        }

        public static Task<VyroReply> Leaderboard(string statName, string extraJson = null)
        {
            return Send(VyroExport.Leaderboard, extraJson, Xbox("statName", statName));
        }

        /// <param name="action">"set", "get" or "delete".</param>
        public static Task<VyroReply> Activity(string action, string extraJson = null)
        {
            return Send(VyroExport.Activity, extraJson, Members("action", action));
        }

        /// <param name="action">"show" or "send".</param>
        public static Task<VyroReply> Invite(string action, string extraJson = null)
        {
            return Send(VyroExport.Invite, extraJson, Members("action", action));
        }

        public static Task<VyroReply> RecentPlayers(string extraJson = null) { return Send(VyroExport.RecentPlayers, extraJson); }

        /// <summary>
        /// Unloads the store if anything was sent since the last Unload, answers every waiting
        /// request and removes the log handler: what the Unity layer calls at quit, on leaving Play
        /// mode and before a domain reload. The next request starts afresh.
        /// </summary>
        public static void Shutdown() { Binding.Shutdown(); }

        internal static void ReportHandlerFailure(Exception e) { Binding.ReportHandlerFailure(e); }

        private static VyroBinding MakeBinding()
        {
            var binding = new VyroBinding(new PInvokeChannel(), Inbox.Shared);
            binding.EventArrived += RaiseEvent;
            return binding;
        }

        private static void RaiseEvent(VyroEventType type, VyroReply reply)
        {
            Action<VyroReply> handlers = null;
            switch (type)
            {
                case VyroEventType.PurchaseAuthorization: handlers = PurchaseAuthorization; break;
                case VyroEventType.Overlay: handlers = OverlayChanged; break;
                case VyroEventType.LoginStatus: handlers = LoginStatusChanged; break;
                case VyroEventType.Social: handlers = SocialChanged; break;
                case VyroEventType.GameInvite: handlers = GameInviteReceived; break;
            }
            Handlers.Raise(handlers, reply, ReportHandlerFailure);
        }

        private static Task<VyroReply> Send(VyroExport export, string extraJson, JsonObject parameters = null)
        {
            return Binding.Send(export, parameters ?? new JsonObject(), extraJson);
        }

        // Members whose value is null are left out, so the library applies its own defaults.
        private static JsonObject Members(params object[] namesAndValues)
        {
            var members = new JsonObject();
            for (int index = 0; index + 1 < namesAndValues.Length; index += 2)
            {
                if (namesAndValues[index + 1] != null) members[(string)namesAndValues[index]] = namesAndValues[index + 1];
            }
            return members;
        }

        private static JsonObject Xbox(string name, object value)
        {
            var parameters = new JsonObject();
            parameters["xbox"] = Members(name, value);
            return parameters;
        }

        private static List<object> ListOf<T>(IEnumerable<T> values)
        {
            if (values == null) return null;
            var list = new List<object>();
            foreach (T value in values) list.Add(value is int ? (object)JsonNumber.Of(Convert.ToInt64(value)) : value);
            return list;
        }
    }
}

using System;
using System.Collections.Generic;

namespace Vyro.Tests
{
    /// <summary>Keeps the last event of each kind the game was handed while it is in use.</summary>
    internal sealed class EventRecorder : IDisposable
    {
        private readonly Dictionary<VyroEventType, VyroReply> last = new Dictionary<VyroEventType, VyroReply>();
        private readonly Action<VyroReply> purchase, overlay, loginStatus, social, invite;

        public EventRecorder()
        {
            purchase = reply => last[VyroEventType.PurchaseAuthorization] = reply;
            overlay = reply => last[VyroEventType.Overlay] = reply;
            loginStatus = reply => last[VyroEventType.LoginStatus] = reply;
            social = reply => last[VyroEventType.Social] = reply;
            invite = reply => last[VyroEventType.GameInvite] = reply;
            VyroChannel.PurchaseAuthorization += purchase;
            VyroChannel.OverlayChanged += overlay;
            VyroChannel.LoginStatusChanged += loginStatus;
            VyroChannel.SocialChanged += social;
            VyroChannel.GameInviteReceived += invite;
        }

        /// <summary>Pumps frames until an event of each kind came; returns the last of the first kind.</summary>
        public VyroReply Await(params VyroEventType[] types)
        {
            Frames.Until(() => Array.TrueForAll(types, last.ContainsKey), string.Join(", ", Array.ConvertAll(types, type => type + " event")));
            return last[types[0]];
        }

        public VyroReply this[VyroEventType type] { get { return last[type]; } }

        public void Dispose()
        {
            VyroChannel.PurchaseAuthorization -= purchase;
            VyroChannel.OverlayChanged -= overlay;
            VyroChannel.LoginStatusChanged -= loginStatus;
            VyroChannel.SocialChanged -= social;
            VyroChannel.GameInviteReceived -= invite;
        }
    }
}

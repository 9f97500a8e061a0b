namespace Vyro
{
    /// <summary>One answer or event: its code, its JSON text and the members every reply may carry.</summary>
    public sealed class VyroReply
    {
        /// <summary>The code as the library sent it; compare with <see cref="VyroCode"/>.</summary>
        public readonly VyroCode Code;

        /// <summary>The reply exactly as the library sent it.</summary>
        public readonly string Json;

        /// <summary>The parsed reply, or null when <see cref="Json"/> is not a JSON object.</summary>
        public readonly JsonObject Root;

        public VyroReply(int code, string json)
        {
            Code = (VyroCode)code;
            Json = json ?? "";
            object parsed;
            string ignored;
            Root = JsonReader.TryParse(Json, out parsed, out ignored) ? parsed as JsonObject : null;
        }

        public bool IsOk { get { return Code == VyroCode.Ok; } }

        public string Channel { get { return Root == null ? null : Root.GetString("channel"); } }

        public string Message { get { return Root == null ? null : Root.GetString("message"); } }

        public string RequestId { get { return Root == null ? null : Root.GetString("requestId"); } }

        /// <summary>Present on purchase answers: true when the player cancelled.</summary>
        public bool? Canceled { get { return Root == null ? null : Root.GetBool("canceled"); } }

        public override string ToString() { return (int)Code + " " + Json; }

        /// <summary>An answer the binding makes itself: a failure that never reached the store.</summary>
        internal static VyroReply Failure(VyroCode code, string channel, string message, string requestId)
        {
            var reply = new JsonObject();
            reply["channel"] = channel;
            reply["message"] = message;
            if (!string.IsNullOrEmpty(requestId)) reply["requestId"] = requestId;
            return new VyroReply((int)code, JsonWriter.Write(reply));
        }
    }
}

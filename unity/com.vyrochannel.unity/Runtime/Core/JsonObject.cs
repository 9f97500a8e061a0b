using System.Collections.Generic;

namespace Vyro
{
    /// <summary>
    /// A JSON object that keeps its members in the order they were read or added. Values are null,
    /// bool, string, <see cref="JsonNumber"/>, <see cref="List{T}"/> of values, or another JsonObject.
    /// </summary>
    public sealed class JsonObject
    {
        private readonly List<string> names = new List<string>();
        private readonly Dictionary<string, object> values = new Dictionary<string, object>();

        public IList<string> Names { get { return names.AsReadOnly(); } }

        public int Count { get { return names.Count; } }

        public bool Contains(string name) { return values.ContainsKey(name); }

        public object this[string name]
        {
            get { object value; return values.TryGetValue(name, out value) ? value : null; }
            set
            {
                if (!values.ContainsKey(name)) names.Add(name);
                values[name] = value;
            }
        }

        /// <summary>The member as a string, or null when it is absent or not a string.</summary>
        public string GetString(string name) { return this[name] as string; }

        /// <summary>The member as a bool, or null when it is absent or not a bool.</summary>
        public bool? GetBool(string name)
        {
            object value = this[name];
            return value is bool ? (bool?)(bool)value : null;
        }

        public JsonObject GetObject(string name) { return this[name] as JsonObject; }

        public List<object> GetArray(string name) { return this[name] as List<object>; }

        /// <summary>Adds the members of <paramref name="other"/> this object lacks; objects on both sides merge.</summary>
        public void AddMissing(JsonObject other)
        {
            foreach (string name in other.names)
            {
                object mine = this[name];
                JsonObject mineObject = mine as JsonObject;
                JsonObject theirObject = other.values[name] as JsonObject;
                if (!Contains(name)) this[name] = other.values[name];
                else if (mineObject != null && theirObject != null) mineObject.AddMissing(theirObject);
            }
        }

        public override string ToString() { return JsonWriter.Write(this); }
    }

    /// <summary>A JSON number kept as its text, so that 64-bit ids and huge values survive unchanged.</summary>
    public struct JsonNumber
    {
        public readonly string Text;

        public JsonNumber(string text) { Text = text; }

        public static JsonNumber Of(long value) { return new JsonNumber(value.ToString(System.Globalization.CultureInfo.InvariantCulture)); }

        public bool TryGetInt64(out long value)
        {
            return long.TryParse(Text, System.Globalization.NumberStyles.AllowLeadingSign,
                                 System.Globalization.CultureInfo.InvariantCulture, out value);
        }

        public double ToDouble()
        {
            return double.Parse(Text, System.Globalization.NumberStyles.Float, System.Globalization.CultureInfo.InvariantCulture);
        }

        public override string ToString() { return Text; }
    }
}

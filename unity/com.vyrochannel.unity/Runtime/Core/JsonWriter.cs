using System.Collections;
using System.Globalization;
using System.Text;

namespace Vyro
{
    /// <summary>Writes compact JSON; every string is escaped so that any C# text survives the trip.</summary>
    public static class JsonWriter
    {
        public static string Write(object value)
        {
            var text = new StringBuilder();
            WriteValue(text, value);
            return text.ToString();
        }

        private static void WriteValue(StringBuilder text, object value)
        {
            if (value == null) text.Append("null");
            else if (value is string) WriteString(text, (string)value);
            else if (value is bool) text.Append((bool)value ? "true" : "false");
            else if (value is JsonNumber) text.Append(((JsonNumber)value).Text);
            else if (value is JsonObject) WriteObject(text, (JsonObject)value);
            else if (value is IEnumerable) WriteArray(text, (IEnumerable)value);
            else if (value is double || value is float) WriteFloating(text, System.Convert.ToDouble(value, CultureInfo.InvariantCulture));
            else text.Append(System.Convert.ToString(value, CultureInfo.InvariantCulture)); // integers
        }

        private static void WriteFloating(StringBuilder text, double value)
        {
            // JSON has no NaN or infinity; null is what a reader can still accept.
            if (double.IsNaN(value) || double.IsInfinity(value)) text.Append("null");
            else text.Append(value.ToString("R", CultureInfo.InvariantCulture));
        }

        private static void WriteObject(StringBuilder text, JsonObject value)
        {
            text.Append('{');
            bool first = true;
            foreach (string name in value.Names)
            {
                if (!first) text.Append(',');
                first = false;
                WriteString(text, name);
                text.Append(':');
                WriteValue(text, value[name]);
            }
            text.Append('}');
        }

        private static void WriteArray(StringBuilder text, IEnumerable values)
        {
            text.Append('[');
            bool first = true;
            foreach (object value in values)
            {
                if (!first) text.Append(',');
                first = false;
                WriteValue(text, value);
            }
            text.Append(']');
        }

        private static void WriteString(StringBuilder text, string value)
        {
            text.Append('"');
            foreach (char c in value)
            {
                switch (c)
                {
                    case '"': text.Append("\\\""); break;
                    case '\\': text.Append("\\\\"); break;
                    case '\n': text.Append("\\n"); break;
                    case '\r': text.Append("\\r"); break;
                    case '\t': text.Append("\\t"); break;
                    case '\b': text.Append("\\b"); break;
                    case '\f': text.Append("\\f"); break;
                    default:
                        // Control characters, and the line separators some JSON readers reject.
                        if (c < 0x20 || c == '\u2028' || c == '\u2029') text.Append("\\u").Append(((int)c).ToString("x4"));
                        else text.Append(c);
                        break;
                }
            }
            text.Append('"');
        }
    }
}

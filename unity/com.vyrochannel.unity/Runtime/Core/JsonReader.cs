using System.Collections.Generic;
using System.Globalization;
using System.Text;

namespace Vyro
{
    /// <summary>Reads JSON text into <see cref="JsonObject"/>, lists, strings, bools and numbers; never throws.</summary>
    public sealed class JsonReader
    {
        // Deep enough for every reply the library sends, shallow enough that hostile text cannot
        // exhaust the stack.
        private const int MaxDepth = 256;

        private readonly string text;
        private int position;
        private string error;

        private JsonReader(string text) { this.text = text; }

        /// <summary>Parses a whole text; on failure <paramref name="error"/> says where and why.</summary>
        public static bool TryParse(string text, out object value, out string error)
        {
            var reader = new JsonReader(text ?? "");
            value = null;
            bool ok = reader.ReadValue(0, out value) && reader.AtEndAfterSpace();
            error = ok ? null : (reader.error ?? "unexpected text at offset " + reader.position);
            if (!ok) value = null;
            return ok;
        }

        private bool AtEndAfterSpace()
        {
            SkipSpace();
            return position == text.Length;
        }

        private bool Fail(string message)
        {
            if (error == null) error = message + " at offset " + position;
            return false;
        }

        private void SkipSpace()
        {
            while (position < text.Length && (text[position] == ' ' || text[position] == '\t' || text[position] == '\n' || text[position] == '\r'))
                position++;
        }

        private bool ReadValue(int depth, out object value)
        {
            value = null;
            if (depth > MaxDepth) return Fail("nested too deeply");
            SkipSpace();
            if (position == text.Length) return Fail("missing value");
            char c = text[position];
            if (c == '{') { JsonObject o; bool ok = ReadObject(depth, out o); value = o; return ok; }
            if (c == '[') { List<object> a; bool ok = ReadArray(depth, out a); value = a; return ok; }
            if (c == '"') { string s; bool ok = ReadString(out s); value = s; return ok; }
            if (c == '-' || (c >= '0' && c <= '9')) { JsonNumber n; bool ok = ReadNumber(out n); value = n; return ok; }
            if (ReadWord("true")) { value = true; return true; }
            if (ReadWord("false")) { value = false; return true; }
            if (ReadWord("null")) return true;
            return Fail("unexpected character");
        }

        private bool ReadWord(string word)
        {
            if (string.CompareOrdinal(text, position, word, 0, word.Length) != 0) return false;
            position += word.Length;
            return true;
        }

        private bool ReadObject(int depth, out JsonObject value)
        {
            value = new JsonObject();
            position++; // '{'
            SkipSpace();
            if (position < text.Length && text[position] == '}') { position++; return true; }
            while (true)
            {
                SkipSpace();
                string name;
                if (position == text.Length || text[position] != '"') return Fail("expected a member name");
                if (!ReadString(out name)) return false;
                SkipSpace();
                if (position == text.Length || text[position] != ':') return Fail("expected ':'");
                position++;
                object member;
                if (!ReadValue(depth + 1, out member)) return false;
                value[name] = member;
                SkipSpace();
                if (position == text.Length) return Fail("unterminated object");
                if (text[position++] == '}') return true;
                if (text[position - 1] != ',') return Fail("expected ',' or '}'");
            }
        }

        private bool ReadArray(int depth, out List<object> value)
        {
            value = new List<object>();
            position++; // '['
            SkipSpace();
            if (position < text.Length && text[position] == ']') { position++; return true; }
            while (true)
            {
                object element;
                if (!ReadValue(depth + 1, out element)) return false;
                value.Add(element);
                SkipSpace();
                if (position == text.Length) return Fail("unterminated array");
                if (text[position++] == ']') return true;
                if (text[position - 1] != ',') return Fail("expected ',' or ']'");
            }
        }

        private bool ReadNumber(out JsonNumber value)
        {
            int start = position;
            if (text[position] == '-') position++;
            int digits = position;
            while (position < text.Length && "0123456789+-.eE".IndexOf(text[position]) >= 0) position++;
            string number = text.Substring(start, position - start);
            value = new JsonNumber(number);
            double ignored;
            bool ok = position > digits && double.TryParse(number, NumberStyles.Float, CultureInfo.InvariantCulture, out ignored);
            return ok || Fail("invalid number");
        }

        private bool ReadString(out string value)
        {
            value = null;
            position++; // '"'
            var result = new StringBuilder();
            while (position < text.Length)
            {
                char c = text[position++];
                if (c == '"') { value = result.ToString(); return true; }
                if (c < 0x20) return Fail("control character in a string");
                if (c != '\\') { result.Append(c); continue; }
                if (position == text.Length) break;
                char escape = text[position++];
                switch (escape)
                {
                    case '"': result.Append('"'); break;
                    case '\\': result.Append('\\'); break;
                    case '/': result.Append('/'); break;
                    case 'b': result.Append('\b'); break;
                    case 'f': result.Append('\f'); break;
                    case 'n': result.Append('\n'); break;
                    case 'r': result.Append('\r'); break;
                    case 't': result.Append('\t'); break;
                    case 'u':
                        int code;
                        if (position + 4 > text.Length ||
                            !int.TryParse(text.Substring(position, 4), NumberStyles.AllowHexSpecifier, CultureInfo.InvariantCulture, out code))
                            return Fail("invalid \\u escape");
                        result.Append((char)code);
                        position += 4;
                        break;
                    default: return Fail("invalid escape");
                }
            }
            return Fail("unterminated string");
        }
    }
}

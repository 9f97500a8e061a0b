using System;
using System.Runtime.InteropServices;
using System.Text;

namespace Vyro
{
    /// <summary>Every text crosses to and from the library as UTF-8, never the system's code page.</summary>
    internal static class Utf8
    {
        // Invalid UTF-8 from a store becomes U+FFFD instead of an exception.
        private static readonly Encoding Encoding = new UTF8Encoding(false, false);

        /// <summary>The text as NUL-terminated UTF-8, or null for a null text.</summary>
        public static byte[] ToNative(string text)
        {
            if (text == null) return null;
            var bytes = new byte[Encoding.GetByteCount(text) + 1];
            Encoding.GetBytes(text, 0, text.Length, bytes, 0);
            return bytes;
        }

        /// <summary>The NUL-terminated UTF-8 text at <paramref name="pointer"/>, copied; null for a null pointer.</summary>
        public static string FromNative(IntPtr pointer)
        {
            if (pointer == IntPtr.Zero) return null;
            int length = 0;
            while (Marshal.ReadByte(pointer, length) != 0) length++;
            if (length == 0) return "";
            var bytes = new byte[length];
            Marshal.Copy(pointer, bytes, 0, length);
            return Encoding.GetString(bytes);
        }
    }
}

using System.Collections.Generic;
using System.Text;
using NUnit.Framework;

namespace Vyro.Tests
{
    [TestFixture]
    public class JsonTests
    {
        // Emoji (4-byte UTF-8), CJK, a combining mark, every escape JSON knows, other controls and
        // the line separators.
        public const string HardText = "Zoë 🎮 李小龍 e\u0301 \"quoted\" back\\slash /\b\f\n\r\t \u0001\u001f \u2028\u2029 end";

        [Test]
        public void EveryTextSurvivesWritingAndReadingBack()
        {
            var everyCharacter = new StringBuilder();
            for (int c = 0; c < 0xD800; c++) everyCharacter.Append((char)c);
            foreach (string text in new[] { HardText, everyCharacter.ToString(), "" })
            {
                var written = new JsonObject();
                written[text] = new List<object> { text, true, null, JsonNumber.Of(-12) };
                object read;
                string error;
                Assert.IsTrue(JsonReader.TryParse(JsonWriter.Write(written), out read, out error), error);
                List<object> values = ((JsonObject)read).GetArray(text);
                Assert.AreEqual(text, values[0]);
                Assert.AreEqual(new object[] { true, null }, values.GetRange(1, 2));
            }
        }

        [Test]
        public void NumbersKeepTheirTextSoSixtyFourBitIdsSurvive()
        {
            object read;
            string error;
            Assert.IsTrue(JsonReader.TryParse("{\"xuid\":18446744073709551615,\"price\":1.5e300}", out read, out error));
            Assert.AreEqual("{\"xuid\":18446744073709551615,\"price\":1.5e300}", JsonWriter.Write(read));
        }

        [TestCase("", "missing value")]
        [TestCase("{\"a\":1,}", "expected a member name")]
        [TestCase("{\"a\" 1}", "expected ':'")]
        [TestCase("[1 2]", "expected ',' or ']'")]
        [TestCase("\"tab\there\"", "control character")]
        [TestCase("\"\\x\"", "invalid escape")]
        [TestCase("\"\\u12\"", "invalid \\u escape")]
        [TestCase("-", "invalid number")]
        [TestCase("{} {}", "unexpected text")]
        [TestCase("nul", "unexpected character")]
        public void TextThatIsNotJsonIsRefusedWithWhereAndWhy(string text, string why)
        {
            object read;
            string error;
            Assert.IsFalse(JsonReader.TryParse(text, out read, out error));
            Assert.IsNull(read);
            StringAssert.Contains(why, error);
        }

        [Test]
        public void HostileNestingIsRefusedInsteadOfOverflowingTheStack()
        {
            object read;
            string error;
            Assert.IsFalse(JsonReader.TryParse(new string('[', 100000), out read, out error));
            StringAssert.Contains("nested too deeply", error);
            Assert.IsTrue(JsonReader.TryParse(new string('[', 200) + new string(']', 200), out read, out error), error);
        }
    }
}

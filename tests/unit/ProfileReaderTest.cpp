// The portable profile reader, its decodings and the choice between it and
// the system's API. Behaviour that the differential test compares with
// GetPrivateProfileStringW under Wine is pinned here too, so that a change
// shows up without Wine; where Wine and Windows differ, these follow Windows.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "platform/Failure.h"
#include "settings/LetterCase.h"
#include "settings/ProfileReader.h"
#include "settings/ProfileText.h"
#include "settings/TextEncoding.h"

namespace orvex {
namespace {

constexpr char kMissing[] = "(none)";

// A test name from a case's description: letters and digits only.
std::string TestName(const char* description) {
  std::string name;
  bool upper = true;
  for (const char* c = description; *c; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (u < 0x80 && std::isalnum(u)) {
      name.push_back(upper ? static_cast<char>(std::toupper(u)) : *c);
      upper = false;
    } else {
      upper = true;
    }
  }
  return name;
}

template <typename Info>
std::string NameOf(const Info& info) {
  return TestName(info.param.name);
}

struct LookupCase {
  const char* name;
  std::string profile;  // bytes, read with the API's decoding (Windows-1252)
  std::string section;
  std::string key;
  std::string expected;
  std::size_t capacity = 255;
  ProfileDecoding decoding = kSystemApiDecoding;
};

void PrintTo(const LookupCase& c, std::ostream* out) { *out << c.name; }

class LookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupTest, AnswersLikeTheProfileApi) {
  const LookupCase& c = GetParam();
  const auto reader = ProfileReader::FromBytes(c.profile, c.decoding);
  EXPECT_EQ(reader.Read(c.section, c.key, kMissing, c.capacity).value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LookupTest,
    ::testing::Values(
        LookupCase{"plain", "[DIALOG]\r\nShow=1\r\n", "DIALOG", "Show", "1"},
        LookupCase{"section case", "[dialog]\r\nShow=1\r\n", "DIALOG", "Show", "1"},
        LookupCase{"key case", "[DIALOG]\r\nsHoW=1\r\n", "DIALOG", "SHOW", "1"},
        LookupCase{"asked with blanks", "[DIALOG]\r\nShow=1\r\n", " DIALOG\t", "\tShow ", "1"},
        LookupCase{"blanks in brackets", "[ \tDIALOG\t ]\r\nShow=1\r\n", "DIALOG", "Show", "1"},
        LookupCase{"blank inside a name", "[BUTTON 1]\r\nShow=1\r\n", "BUTTON1", "Show", kMissing},
        LookupCase{"last bracket ends the name", "[A]]\r\nk=1\r\n", "A]", "k", "1"},
        LookupCase{"text after the bracket", "[A] note\r\nk=1\r\n", "A", "k", "1"},
        LookupCase{"no closing bracket: an ordinary line", "[A]\r\n[B\r\nk=1\r\n", "A", "k", "1"},
        LookupCase{"no closing bracket, with =", "[A]\r\n[B=2\r\n", "A", "[B", "2"},
        LookupCase{"first section counts", "[A]\r\nx=1\r\n[a]\r\nk=2\r\n", "A", "k", kMissing},
        LookupCase{"first key counts", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
        LookupCase{"line without = is not a key", "[A]\r\nShow\r\n", "A", "Show", kMissing},
        LookupCase{"line without = hides a later key", "[A]\r\nShow\r\nShow=1\r\n", "A", "Show",
                   kMissing},
        LookupCase{"comment is not the key", "[A]\r\n;Show=0\r\nShow=1\r\n", "A", "Show", "1"},
        LookupCase{"comment is an entry of its own", "[A]\r\n;Show=0\r\n", "A", ";Show", "0"},
        LookupCase{"keys before the first section", "Show=1\r\n[A]\r\n", "", "Show", "1"},
        LookupCase{"empty-named section comes too late", "[A]\r\n[]\r\nk=1\r\n", "", "k", kMissing},
        LookupCase{"empty key name", "[A]\r\n=v\r\n", "A", "", "v"},
        LookupCase{"NUL ends a key name", std::string("[A]\r\nk\0x=1\r\n", 12), "A", "k", "1"},
        LookupCase{"NUL ends a section name", std::string("[A\0B]\r\nk=1\r\n", 12), "A", "k", "1"},
        LookupCase{"beyond ASCII: Latin-1",
                   "[\xDC"
                   "BER]\r\nk=1\r\n",
                   "\xC3\xBC"
                   "ber",
                   "k", "1"},
        LookupCase{"beyond ASCII: the first of two spellings",
                   "[\xDC"
                   "BER]\r\nk=1\r\n[\xFC"
                   "ber]\r\nk=2\r\n",
                   "\xC3\xBC"
                   "ber",
                   "k", "1"},
        LookupCase{"long s is not s", "[A]\r\n\xC5\xBFhow=1\r\nShow=2\r\n", "A", "show", "2", 255,
                   kUtf8Decoding},
        LookupCase{"dotless i is not i", "[A]\r\n\xC4\xB1nfo=1\r\n", "A", "INFO", kMissing, 255,
                   kUtf8Decoding},
        LookupCase{"beyond ASCII: Cyrillic", "[\xD0\x97\xD0\x90\xD0\x93]\r\nk=1\r\n",
                   "\xD0\xB7\xD0\xB0\xD0\xB3", "K", "1", 255, kUtf8Decoding},
        LookupCase{"beyond ASCII: Greek final sigma", "[\xCE\xA3]\r\nk=1\r\n", "\xCF\x82", "k", "1",
                   255, kUtf8Decoding},
        LookupCase{"sharp s has no capital",
                   "[A]\r\nGr\xF6\xDF"
                   "e=1\r\n",
                   "A", "GR\xC3\x96SSE", kMissing}),
    NameOf<::testing::TestParamInfo<LookupCase>>);

INSTANTIATE_TEST_SUITE_P(
    Values, LookupTest,
    ::testing::Values(LookupCase{"blanks around", "[A]\r\n  k  =  a b  \r\n", "A", "k", "a b"},
                      LookupCase{"tabs, VT, FF and Ctrl-Z are blanks",
                                 "[A]\r\n\t\v\fk\x1A=\x1A\t v\f\v\r\n", "A", "k", "v"},
                      LookupCase{"no-break space is not a blank", "[A]\r\nk=\xA0v\xA0\r\n", "A",
                                 "k", "\xC2\xA0v\xC2\xA0"},
                      LookupCase{"= in the value", "[A]\r\nk=a=b==c\r\n", "A", "k", "a=b==c"},
                      LookupCase{"empty value", "[A]\r\nk=\r\n", "A", "k", ""},
                      LookupCase{"missing key", "[A]\r\nj=1\r\n", "A", "k", kMissing},
                      LookupCase{"missing section", "[A]\r\nk=1\r\n", "B", "k", kMissing},
                      LookupCase{"double quotes", "[A]\r\nk=\" a \"\r\n", "A", "k", " a "},
                      LookupCase{"single quotes", "[A]\r\nk=' a '\r\n", "A", "k", " a "},
                      LookupCase{"empty quotes", "[A]\r\nk=\"\"\r\n", "A", "k", ""},
                      LookupCase{"a lone quote", "[A]\r\nk=\"\r\n", "A", "k", "\""},
                      LookupCase{"unmatched quote", "[A]\r\nk=\"abc\r\n", "A", "k", "\"abc"},
                      LookupCase{"mixed quotes", "[A]\r\nk=\"abc'\r\n", "A", "k", "\"abc'"},
                      LookupCase{"quote inside", "[A]\r\nk=\"a\"b\"\r\n", "A", "k", "a\"b"},
                      LookupCase{"NUL ends a value", std::string("[A]\r\nk=a\0b\r\n", 12), "A", "k",
                                 "a"},
                      LookupCase{"LF", "[A]\nk=1\nj=2\n", "A", "j", "2"},
                      LookupCase{"CR", "[A]\rk=1\rj=2\r", "A", "j", "2"},
                      LookupCase{"mixed line ends", "[A]\n\rk=1\r\r\nj=2", "A", "j", "2"}),
    NameOf<::testing::TestParamInfo<LookupCase>>);

INSTANTIATE_TEST_SUITE_P(
    Capacity, LookupTest,
    ::testing::Values(
        LookupCase{"fits", "[A]\r\nk=abcdefg\r\n", "A", "k", "abcdefg", 8},
        LookupCase{"cut to capacity - 1", "[A]\r\nk=abcdefgh\r\n", "A", "k", "abcdefg", 8},
        LookupCase{"capacity 1", "[A]\r\nk=abc\r\n", "A", "k", "", 1},
        LookupCase{"capacity 0", "[A]\r\nk=abc\r\n", "A", "k", "", 0},
        LookupCase{"counted in UTF-16 units, not bytes", "[A]\r\nk=\xE9\xE9\xE9\xE9\r\n", "A", "k",
                   "\xC3\xA9\xC3\xA9\xC3\xA9", 4},
        LookupCase{"quoted, shorter", "[A]\r\nk=\"abcdef\"\r\n", "A", "k", "abcdef", 8},
        // Wine's API drops one unit more here; the differential test holds
        // the reader to it.
        LookupCase{"quoted, exactly capacity - 1", "[A]\r\nk=\"abcdefg\"\r\n", "A", "k", "abcdef",
                   8},
        LookupCase{"quoted, longer", "[A]\r\nk=\"abcdefgh\"\r\n", "A", "k", "abcdefg", 8},
        LookupCase{"a value of 300 reads as 254", "[A]\r\nk=" + std::string(300, 'x') + "\r\n", "A",
                   "k", std::string(254, 'x'), 255},
        LookupCase{"the fallback is cut too", "[A]\r\n", "A", "k", "(no", 4}),
    NameOf<::testing::TestParamInfo<LookupCase>>);

TEST(ProfileReaderTest, CutSurrogatePairBecomesReplacementCharacter) {
  // Three emoji are six UTF-16 units; capacity 6 leaves room for five.
  const auto reader = ProfileReader::FromBytes(
      "[A]\nk=\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\n", kUtf8Decoding);
  const ProfileAnswer answer = reader.Read("A", "k", "", 6);
  EXPECT_EQ(answer.stored, 5u);
  EXPECT_EQ(answer.value, "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

TEST(ProfileReaderTest, ReportsWhetherTheProfileAnswered) {
  const auto reader = ProfileReader::FromBytes("[A]\r\nk=\r\nn\r\n");
  EXPECT_TRUE(reader.Read("A", "k", "x", 255).fromProfile);
  EXPECT_FALSE(reader.Read("A", "n", "x", 255).fromProfile);
  EXPECT_FALSE(reader.Read("A", "m", "x", 255).fromProfile);
}

TEST(ProfileReaderTest, FallbackLosesTrailingSpacesButNotItsFirstCharacter) {
  const auto reader = ProfileReader::FromBytes("");
  EXPECT_EQ(reader.Read("A", "k", "ab  ", 255).value, "ab");
  EXPECT_EQ(reader.Read("A", "k", "  ", 255).value, " ");
  EXPECT_EQ(reader.Read("A", "k", " a", 255).value, " a");
}

// --- encodings

struct EncodingCase {
  const char* name;
  std::string bytes;
  ProfileDecoding decoding;
  ProfileEncoding encoding;
  std::string caption;  // [DIALOG] Caption, UTF-8
};

void PrintTo(const EncodingCase& c, std::ostream* out) { *out << c.name; }

class EncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, DecodesTheProfile) {
  const EncodingCase& c = GetParam();
  const auto reader = ProfileReader::FromBytes(c.bytes, c.decoding);
  EXPECT_EQ(reader.Encoding(), c.encoding);
  EXPECT_EQ(reader.Read("DIALOG", "Caption", kMissing, 255).value, c.caption);
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

const char kGruesse[] =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";  // Grüße 日本語
const std::u16string kGruesse16 = u"[DIALOG]\r\nCaption=Gr\u00FC\u00DFe \u65E5\u672C\u8A9E\r\n";

INSTANTIATE_TEST_SUITE_P(
    Profiles, EncodingTest,
    ::testing::Values(
        EncodingCase{
            "UTF-16 LE", Utf16(kGruesse16, false), {}, ProfileEncoding::Utf16LeWithBom, kGruesse},
        EncodingCase{
            "UTF-16 BE", Utf16(kGruesse16, true), {}, ProfileEncoding::Utf16BeWithBom, kGruesse},
        EncodingCase{"UTF-16 odd last byte dropped",
                     Utf16(kGruesse16, false) + "x",
                     {},
                     ProfileEncoding::Utf16LeWithBom,
                     kGruesse},
        EncodingCase{"UTF-16 without a line end at the end",
                     Utf16(u"[DIALOG]\r\nCaption=Gr\u00FC\u00DFe", true),
                     {},
                     ProfileEncoding::Utf16BeWithBom,
                     "Gr\xC3\xBC\xC3\x9F"
                     "e"},
        EncodingCase{"UTF-16 read by the API too", Utf16(kGruesse16, false), kSystemApiDecoding,
                     ProfileEncoding::Utf16LeWithBom, kGruesse},
        EncodingCase{"UTF-8 BOM", "\xEF\xBB\xBF[DIALOG]\r\nCaption=" + std::string(kGruesse),
                     kUtf8Decoding, ProfileEncoding::Utf8WithBom, kGruesse},
        EncodingCase{"UTF-8 BOM in code page 1252",
                     "\xEF\xBB\xBF[DIALOG]\r\nCaption=\xC3\xA9",
                     {kCodePageWindows1252, true},
                     ProfileEncoding::Utf8WithBom,
                     "\xC3\xA9"},
        // Windows' API glues the BOM to the first line: [DIALOG] is lost.
        EncodingCase{"UTF-8 BOM as the API reads it", "\xEF\xBB\xBF[DIALOG]\r\nCaption=x",
                     kSystemApiDecoding, ProfileEncoding::CodePage, kMissing},
        EncodingCase{"UTF-8 without BOM", "[DIALOG]\r\nCaption=" + std::string(kGruesse),
                     kUtf8Decoding, ProfileEncoding::CodePage, kGruesse},
        EncodingCase{"UTF-8 without BOM as the API reads it", "[DIALOG]\r\nCaption=Gr\xC3\xBC",
                     kSystemApiDecoding, ProfileEncoding::CodePage, "Gr\xC3\x83\xC2\xBC"},
        // All of 80 to 9F; the five bytes without a character stay C1 controls.
        EncodingCase{"Windows-1252",
                     "[DIALOG]\r\nCaption=Caf\xE9 "
                     "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                     "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F",
                     kSystemApiDecoding, ProfileEncoding::CodePage,
                     "Caf\xC3\xA9 €\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"}),
    NameOf<::testing::TestParamInfo<EncodingCase>>);

TEST(ProfileReaderTest, RefusesOtherCodePages) {
  try {
    ProfileReader::FromBytes("[A]", ProfileDecoding{1251, true});
    FAIL() << "code page 1251 accepted";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Kind(), FailureKind::InvalidProcedureCall);
  }
}

// --- what a checker needs: where things stand

TEST(ProfileReaderTest, GivesSectionsKeysAndTheirLines) {
  const auto reader = ProfileReader::FromBytes(
      "; "
      "note\r\n[DIALOG]\nShow=1\rlone\r\n\r\nCaption=a\n[BUTTON1]\nShow=0\n[dialog]\nPicture=p\n");
  const auto sections = reader.Sections();
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].name, "DIALOG");
  EXPECT_EQ(sections[0].line, 2);
  EXPECT_EQ(sections[1].line, 7);
  EXPECT_EQ(sections[2].name, "dialog");
  EXPECT_EQ(sections[2].line, 9);

  // The keys of the first [DIALOG] only; "lone" has no "=".
  const auto keys = reader.Keys("Dialog");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].name, "Show");
  EXPECT_EQ(keys[0].line, 3);
  EXPECT_EQ(keys[1].name, "Caption");
  EXPECT_EQ(keys[1].line, 6);

  EXPECT_EQ(reader.KeyLine("DIALOG", "caption"), 6);
  EXPECT_EQ(reader.KeyLine("DIALOG", "lone"), 4);
  EXPECT_EQ(reader.KeyLine("DIALOG", "Picture"), std::nullopt);
  EXPECT_EQ(reader.KeyLine("NONE", "Show"), std::nullopt);
  EXPECT_EQ(reader.KeyLine("", "; note"), 1);
}

// --- letter case of names

TEST(LetterCaseTest, FoldsCommonLettersWithoutCrossingIntoAscii) {
  struct Pair {
    std::u16string a, b;
    bool equal;
  };
  const std::vector<Pair> pairs = {
      {u"show", u"SHOW", true},
      {u"\u00FCber", u"\u00DCBER", true},                    // über
      {u"\u00E0\u00FE", u"\u00C0\u00DE", true},              // àþ: the ends of the block
      {u"\u00FF", u"\u0178", true},                          // ÿ Ÿ
      {u"\u0153\u0161\u017E", u"\u0152\u0160\u017D", true},  // œšž
      {u"\u0142\u0144\u0148", u"\u0141\u0143\u0147", true},  // łńň
      {u"\u0177", u"\u0176", true},                          // ŷ Ŷ: the last pair of its block
      {u"\u03C3\u03C2\u03AC", u"\u03A3\u03A3\u0386", true},  // σςά
      {u"\u03AD\u03AF\u03CC", u"\u0388\u038A\u038C", true},  // έίό
      {u"\u03CD\u03CE", u"\u038E\u038F", true},              // ύώ
      {u"\u0437\u0451", u"\u0417\u0401", true},              // зё
      {u"\uFF41", u"\uFF21", true},                          // fullwidth a
      {u"\u00F8\u017A", u"\u00D8\u0179", true},              // øź: ends of runs
      {u"\u03B1\u03C1", u"\u0391\u03A1", true},              // αρ
      {u"\u00F7", u"\u00D7", false},                         // ÷ × are not letters
      {u"\u017F", u"S", false},                              // long s
      {u"\u0131", u"I", false},                              // dotless i
      {u"\u00DF", u"\u1E9E", false},                         // ß and its rare capital
      {u"ab", u"abc", false},
  };
  for (const Pair& pair : pairs) {
    EXPECT_EQ(NamesEqual(pair.a, pair.b), pair.equal) << EncodeUtf8(pair.a);
  }
}

// --- text decoding

TEST(TextEncodingTest, ReplacesEachMaximalInvalidPartOnce) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const std::vector<Case> cases = {
      {"a\xC3"
       "b",
       u"a\uFFFDb"},  // lead without its byte
      {"\xE2\x82"
       "c",
       u"\uFFFDc"},                                       // two of three bytes
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong lead
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // a surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF0\x9F\x98", u"\uFFFD"},                        // cut at the end
      {"\xFF", u"\uFFFD"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xEF\xBF\xBD", u"\uFFFD"},
      {"\xC2\xA0\xC2\xA9", u"\u00A0\u00A9"},  // the lowest two-byte lead
      {"\xDF\xBF", u"\u07FF"},                // the highest
      {"\xE0\xA0\x80", u"\u0800"},            // the lowest of three bytes
      // The lowest of four bytes, then leads with their low bits set.
      {"\xF0\x90\x80\x80\xF1\x80\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U00040000\U0010FFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUtf8(c.bytes), c.text) << c.bytes;
  // Cut at the end of a view, though the buffer goes on.
  EXPECT_EQ(DecodeUtf8(std::string_view("\xE2\x82\xAC", 2)), u"\uFFFD");
}

TEST(TextEncodingTest, KnowsValidUtf8) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(
      IsValidUtf8("Gr\xC3\xBC\xC3\x9F"
                  "e \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("Caf\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xED\xBF\xBF"));
}

TEST(TextEncodingTest, LoneSurrogateBecomesReplacementCharacter) {
  EXPECT_EQ(EncodeUtf8(u"a\xD800"
                       "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(EncodeUtf8(u"\xDC00"), "\xEF\xBF\xBD");
  EXPECT_EQ(EncodeUtf8(std::u16string_view(u"\xD800\xDC00", 1)), "\xEF\xBF\xBD");  // view's end
  // Two high ones are no pair; the units just outside the surrogates are
  // ordinary characters.
  EXPECT_EQ(EncodeUtf8(u"\xD7FF\xDBFF\xDBFF\xE000"),
            "\xED\x9F\xBF\xEF\xBF\xBD\xEF\xBF\xBD\xEE\x80\x80");
  // And the edges of each form.
  EXPECT_EQ(EncodeUtf8(u"\u007F\u0080\u07FF\u0800\U00010000\U0010FFFF"),
            "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
}

// --- which reader the launcher uses

struct ChoiceCase {
  const char* name;
  std::string bytes;
  ProfileReading reading;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }

class ChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceTest, ChoosesTheReader) {
  EXPECT_EQ(ChooseProfileReading(GetParam().bytes), GetParam().reading);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ChoiceTest,
    ::testing::Values(
        ChoiceCase{"empty", "", ProfileReading::SystemApi},
        ChoiceCase{"pure ASCII", "[DIALOG]\r\nShow=1\r\n", ProfileReading::SystemApi},
        ChoiceCase{"UTF-8 BOM, ASCII after it", "\xEF\xBB\xBF[DIALOG]\r\n", ProfileReading::Utf8},
        ChoiceCase{"UTF-8 BOM, invalid after it", "\xEF\xBB\xBF[A]\r\nk=\xE9\r\n",
                   ProfileReading::Utf8},
        ChoiceCase{"valid UTF-8 without BOM",
                   "[A]\r\nk=Gr\xC3\xBC\xC3\x9F"
                   "e\r\n",
                   ProfileReading::Utf8},
        ChoiceCase{"copyright sign: the lowest two-byte lead", "[A]\r\nk=\xC2\xA9 2026\r\n",
                   ProfileReading::Utf8},
        ChoiceCase{"four-byte UTF-8", "[A]\r\nk=\xF0\x9F\x98\x80", ProfileReading::Utf8},
        ChoiceCase{"ANSI \xE9", "[A]\r\nk=Caf\xE9\r\n", ProfileReading::SystemApi},
        ChoiceCase{"valid UTF-8, then one ANSI byte", "k=\xC3\xBC\r\nj=\xE9\r\n",
                   ProfileReading::SystemApi},
        ChoiceCase{"UTF-8 cut at the end", "k=\xE6\x97", ProfileReading::SystemApi},
        ChoiceCase{"overlong form", "k=\xC0\xAF", ProfileReading::SystemApi},
        ChoiceCase{"encoded surrogate", "k=\xED\xA0\x80", ProfileReading::SystemApi},
        ChoiceCase{"UTF-16 LE BOM", Utf16(u"[A]\r\nk=\u00FC", false), ProfileReading::SystemApi},
        ChoiceCase{"UTF-16 BE BOM", Utf16(u"[A]\r\nk=\u00FC", true), ProfileReading::SystemApi},
        ChoiceCase{"UTF-16 LE BOM, one byte more", Utf16(u"[A]\r\nk=\u00FC", false) + "x",
                   ProfileReading::Utf16OddLength},
        ChoiceCase{"UTF-16 BE BOM, last unit cut", Utf16(u"[A]\r\nk=v", true).substr(0, 15),
                   ProfileReading::Utf16OddLength},
        ChoiceCase{"UTF-16 LE BOM alone, one byte more", "\xFF\xFEx",
                   ProfileReading::Utf16OddLength}),
    NameOf<::testing::TestParamInfo<ChoiceCase>>);

// --- the unit tests' platform reads profiles like autorun.exe

TEST(FakePlatformProfileTest, ReadsProfilesAsTheLauncherDoes) {
  struct Case {
    const char* name;
    std::string profile;
    std::string caption;
  };
  const std::vector<Case> cases = {
      {"UTF-8", "[DIALOG]\nCaption=" + std::string(kGruesse) + "\n", kGruesse},
      {"UTF-8 with BOM", "\xEF\xBB\xBF[DIALOG]\nCaption=" + std::string(kGruesse), kGruesse},
      {"UTF-16", Utf16(kGruesse16, false), kGruesse},
      {"ANSI", "[DIALOG]\nCaption=Caf\xE9\n", "Caf\xC3\xA9"},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.SetProfile(c.profile);
    EXPECT_EQ(platform.ReadProfileString(platform.ProfilePath(), "DIALOG", "Caption", "", 255),
              c.caption)
        << c.name;
  }
  FakePlatform platform;
  EXPECT_EQ(platform.ReadProfileString(platform.ProfilePath(), "DIALOG", "Caption", "dflt", 255),
            "dflt");
}

}  // namespace
}  // namespace orvex

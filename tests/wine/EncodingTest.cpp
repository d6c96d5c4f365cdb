// Profiles in the encodings authors' editors save: the title, a button's
// caption and its action come out as written. The system's profile API
// reads UTF-8 without a BOM in the ANSI code page ("GrÃ¼ÃŸe"), so that case
// needs the launcher's own reading. Wine's API, unlike Windows', decodes a
// UTF-8 BOM itself; the unit tests of ChooseProfileReading cover that case.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

enum class Encoding { Utf8, Utf8WithBom, Utf16LeWithBom, Windows1252 };

// The UTF-8 text in the encoding, as an editor would save it.
std::string Encode(const std::string& utf8, Encoding encoding) {
  const std::wstring wide = Wide(utf8);
  switch (encoding) {
    case Encoding::Utf8: return utf8;
    case Encoding::Utf8WithBom: return "\xEF\xBB\xBF" + utf8;
    case Encoding::Utf16LeWithBom: return Utf16(wide);
    case Encoding::Windows1252: {
      const int size = static_cast<int>(wide.size());
      std::string bytes(wide.size() * 2, '\0');
      BOOL lossy = FALSE;
      bytes.resize(static_cast<size_t>(WideCharToMultiByte(1252, 0, wide.data(), size, bytes.data(),
                                                           size * 2, nullptr, &lossy)));
      EXPECT_FALSE(lossy) << "not all of the text is in Windows-1252";
      return bytes;
    }
  }
  return {};
}

struct EncodingCase {
  const char* name;
  Encoding encoding;
  std::string text;      // UTF-8
  std::wstring lowered;  // the text as the started command line has it
};

class EncodingProfile : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingProfile, ShowsTitleCaptionAndActionAsWritten) {
  const EncodingCase& c = GetParam();
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.caption = c.text;
  profile.buttons[0].caption = c.text;
  profile.buttons[0].action = "recorder.exe /" + c.text;
  PrepareWindowMedium(medium, profile);
  const std::string bytes = Encode(profile.Text(), c.encoding);
  if (c.encoding == Encoding::Windows1252) {
    ASSERT_NE(bytes.find('\xE9'), std::string::npos) << "\"\xC3\xA9\" is the byte E9";
  }
  medium.WriteProfile(bytes);

  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  EXPECT_EQ(window.title, Wide(c.text));
  EXPECT_EQ(window.buttons[0].caption, Wide(c.text));

  ClickButton(window.handle, window.buttons[0]);
  ExpectEnding(run, Started(L"recorder.exe /" + c.lowered));
}

const char kGreeting[] =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";  // Grüße 日本語
const wchar_t kGreetingLowered[] = L"gr\u00FC\u00DFe \u65E5\u672C\u8A9E";

INSTANTIATE_TEST_SUITE_P(
    Editors, EncodingProfile,
    ::testing::Values(
        EncodingCase{"Utf8WithoutBom", Encoding::Utf8, kGreeting, kGreetingLowered},
        EncodingCase{"Utf8WithBom", Encoding::Utf8WithBom, kGreeting, kGreetingLowered},
        EncodingCase{"Utf16LeWithBom", Encoding::Utf16LeWithBom, kGreeting, kGreetingLowered},
        // Not valid UTF-8, so the system's API reads it, in Windows-1252.
        EncodingCase{"AnsiE9", Encoding::Windows1252, "Caf\xC3\xA9 \xC3\x89t\xC3\xA9",
                     L"caf\u00E9 \u00E9t\u00E9"}),
    [](const auto& info) { return std::string(info.param.name); });

// A UTF-8 profile is read by the launcher itself, with a path of any
// length: here 291 characters, beyond MAX_PATH (and beyond the 269 that
// Wine's profile API could open). The current directory stays under the 259
// at which Wine no longer starts a program.
TEST(EncodingLongPath, Utf8ProfileBeyondMaxPathIsRead) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.picture = Utf8(medium.PathOf(L"splash.bmp"));
  profile.caption = kGreeting;
  profile.buttons[0].caption = kGreeting;
  PrepareWindowMedium(medium, profile);
  const std::wstring baseName = L"autorun-with-a-rather-long-name-0123";
  const std::wstring exe = medium.CopyLauncher(baseName + L".exe");

  const std::wstring folder = medium.MakeFolderOfLength(250);
  const std::wstring profilePath = folder + L"\\" + baseName + L".ini";
  ASSERT_EQ(profilePath.size(), 291u);
  WriteBytes(profilePath, profile.Text());

  Launch run(folder, exe);
  const WindowInfo window = ExpectWindow(run);
  EXPECT_EQ(window.title, Wide(kGreeting));
  EXPECT_EQ(window.buttons[0].caption, Wide(kGreeting));
  ExpectCloses(run, window);
}

}  // namespace
}  // namespace winetest

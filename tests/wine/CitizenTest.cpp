// The launcher as a Windows program of its own: media in folders whose names
// lie outside the ANSI code page, long current directories, and bitmap
// pictures decoded without GDI+.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Harness.h"
#include "Modules.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

// "日本語メディア": no Western code page has these characters, so a launcher
// that passed the path through the ANSI API would lose them.
const std::wstring kJapaneseSuffix = L"-\u65E5\u672C\u8A9E\u30E1\u30C7\u30A3\u30A2";

// ---------------------------------------------------------------- Unicode

TEST(CitizenUnicodePaths, MissingProfileMessageShowsThePath) {
  const Medium medium(kJapaneseSuffix);
  ASSERT_NE(medium.Path().find(L"\u65E5\u672C\u8A9E"), std::wstring::npos);
  const std::wstring exe = medium.CopyLauncher();
  Launch run(medium.Path(), exe);
  ExpectOutcome(run, Message(MissingProfileText(medium.Path())));
}

class CitizenUnicodeMedium : public ::testing::TestWithParam<PictureFormat> {};

// The profile is found, the picture loads (by GDI for a bitmap, by GDI+
// otherwise), and a button starts its program in that folder.
TEST_P(CitizenUnicodeMedium, FindsProfileLoadsPictureAndStartsAction) {
  const Medium medium(kJapaneseSuffix);
  PreparePictureMedium(medium, WindowProfile::WithButtons(1), GetParam(), 60, 40);
  const std::wstring exe = medium.CopyLauncher();

  Launch run(medium.Path(), exe);
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);
  EXPECT_EQ(image.At(0, 0), kPictureColour);
  EXPECT_EQ(image.At(59, 39), kPictureColour);
  EXPECT_EQ(image.At(60, 40), kBackground);

  ClickButton(window.handle, window.buttons[0]);
  ExpectEnding(run, Started(L"recorder.exe /button1", medium.Path()));
}

INSTANTIATE_TEST_SUITE_P(Pictures, CitizenUnicodeMedium,
                         ::testing::Values(PictureFormat::Bmp, PictureFormat::Png),
                         [](const auto& info) { return FormatName(info.param); });

// ---------------------------------------------------------------- manifest

// The manifest's dependency brings Common Controls 6, the side-by-side copy
// with the current visual style, not version 5 from the system directory.
TEST(CitizenManifest, ButtonsComeFromCommonControlsSix) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(1));
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  std::wstring commonControls;
  for (const std::wstring& module : LoadedModules(run.ProcessId())) {
    if (FileName(module) == L"comctl32.dll") commonControls = module;
  }
  EXPECT_NE(commonControls.find(L"\\winsxs\\"), std::wstring::npos)
      << "Common Controls: " << (commonControls.empty() ? "not loaded" : Utf8(commonControls));
  EXPECT_NE(commonControls.find(L"common-controls"), std::wstring::npos);
  ExpectCloses(run, window);
}

// The launcher takes no text input, so its thread has the input method
// turned off and the system makes no IME window for it (under Wine such a
// window cost most of the time the window took to show).
BOOL CALLBACK NoteImeWindow(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (_wcsicmp(name, L"IME") == 0) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

TEST(CitizenInputMethod, LauncherThreadHasNoImeWindow) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(1));
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  std::vector<HWND> imeWindows;
  EnumThreadWindows(GetWindowThreadProcessId(window.handle, nullptr), NoteImeWindow,
                    reinterpret_cast<LPARAM>(&imeWindows));
  EXPECT_TRUE(imeWindows.empty()) << imeWindows.size() << " IME window(s)";
  ExpectCloses(run, window);
}

// ---------------------------------------------------------------- long paths

// The current directory stays within Wine's limit; the profile's path, the
// picture's and the message text go beyond MAX_PATH.
TEST(CitizenLongPaths, MissingProfileMessageShowsTheWholePath) {
  const Medium medium;
  const std::wstring folder = medium.MakeFolderOfLength(kLongestStartableDirectory);
  // Beyond MAX_PATH: nothing of it may be cut.
  ASSERT_GT((folder + L"\\autorun.ini").size(), static_cast<std::size_t>(MAX_PATH));
  Launch run(folder);
  ExpectOutcome(run, Message(MissingProfileText(folder)));
}

TEST(CitizenLongPaths, ProfilePictureAndActionWork) {
  const Medium medium;
  const std::wstring folder = medium.MakeFolderOfLength(kLongestStartableDirectory);
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.picture = "pictures\\splash.bmp";
  // A program in the long folder itself would have a path of MAX_PATH
  // characters or more, which Wine's CreateProcessW does not find: the
  // recorder stays at the medium's root and is named by its full path.
  profile.buttons[0].action = Utf8(medium.PathOf(L"recorder.exe")) + " /long";
  const std::wstring picture = folder + L"\\pictures\\splash.bmp";
  ASSERT_GT(picture.size(), static_cast<std::size_t>(MAX_PATH));
  medium.CopyRecorder();
  ASSERT_TRUE(CreateDirectoryW(Extended(folder + L"\\pictures").c_str(), nullptr));
  WriteBytes(folder + L"\\autorun.ini", profile.Text());
  WriteSolidPicture(picture, PictureFormat::Bmp, kSplashWidth, kSplashHeight, kSplashColour);

  Launch run(folder);
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);
  EXPECT_EQ(image.At(0, 0), kSplashColour);
  EXPECT_EQ(image.At(kSplashWidth, 0), kBackground);
  ClickButton(window.handle, window.buttons[0]);
  ExpectEnding(run, Started(Lower(medium.PathOf(L"recorder.exe")) + L" /long", folder));
}

// ---------------------------------------------------------------- bitmaps

// A bitmap file of four quadrants, written byte by byte. The quadrants tell
// whether the rows were taken top-down or bottom-up and whether a colour
// table was applied.
struct BitmapCase {
  const char* name;
  int bitsPerPixel;  // 1, 4, 8, 16 or 24
  bool topDown;      // negative height
  int headerSize;    // 40, 108 or 124
};

constexpr int kQuadrantWidth = 10;
constexpr int kQuadrantHeight = 8;
// Top-left, top-right, bottom-left, bottom-right. Multiples of 8, so that a
// 16-bit (5-5-5) file can hold them too.
constexpr Rgb kQuadrants[4] = {{248, 0, 0}, {0, 200, 0}, {0, 0, 248}, {248, 248, 0}};

int QuadrantAt(int x, int row) {
  return (row >= kQuadrantHeight ? 2 : 0) + (x >= kQuadrantWidth ? 1 : 0);
}

std::string QuadrantBitmap(const BitmapCase& c) {
  const int width = 2 * kQuadrantWidth;
  const int height = 2 * kQuadrantHeight;
  // One colour table entry per quadrant; a 1-bit table has two, so its
  // right-hand quadrants repeat the left-hand ones.
  const int colours = c.bitsPerPixel == 1 ? 2 : (c.bitsPerPixel <= 8 ? 4 : 0);
  const int stride = ((width * c.bitsPerPixel + 31) / 32) * 4;
  std::string pixels;
  for (int stored = 0; stored < height; ++stored) {
    const int row = c.topDown ? stored : height - 1 - stored;  // row 0 is the top
    std::string line(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      int index = QuadrantAt(x, row);
      if (c.bitsPerPixel == 1) index /= 2;
      const Rgb& rgb = kQuadrants[QuadrantAt(x, row)];
      switch (c.bitsPerPixel) {
        case 1: line[x / 8] |= static_cast<char>(index << (7 - x % 8)); break;
        case 4: line[x / 2] |= static_cast<char>(index << (x % 2 ? 0 : 4)); break;
        case 8: line[x] = static_cast<char>(index); break;
        case 16: {
          std::string value;
          PutLe16(value, static_cast<std::uint16_t>((rgb.r >> 3) << 10 | (rgb.g >> 3) << 5 |
                                                    (rgb.b >> 3)));
          line.replace(2 * static_cast<size_t>(x), 2, value);
          break;
        }
        default: line.replace(3 * static_cast<size_t>(x), 3, Bgr(rgb));
      }
    }
    pixels += line;
  }
  std::string table;
  for (int i = 0; i < colours; ++i) {
    table += Bgr(kQuadrants[c.bitsPerPixel == 1 ? 2 * i : i]) + '\0';
  }
  return BitmapFile(width, c.topDown ? -height : height, c.bitsPerPixel, table, pixels, 96,
                    c.headerSize);
}

class CitizenBitmapFiles : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(CitizenBitmapFiles, AreDrawnTheRightWayUpInTheirColours) {
  const BitmapCase& c = GetParam();
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(0);
  profile.picture = "quadrants.bmp";
  PrepareWindowMedium(medium, profile);
  medium.Write(L"quadrants.bmp", QuadrantBitmap(c));

  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    const int x = (quadrant % 2) * kQuadrantWidth + kQuadrantWidth / 2;
    const int y = (quadrant / 2) * kQuadrantHeight + kQuadrantHeight / 2;
    const Rgb expected = kQuadrants[c.bitsPerPixel == 1 ? quadrant / 2 * 2 : quadrant];
    // 16-bit files widen 5 bits to 8 in more than one way.
    EXPECT_TRUE(Near(image.At(x, y), expected, c.bitsPerPixel == 16 ? 8 : 0))
        << "quadrant " << quadrant << " is " << ::testing::PrintToString(image.At(x, y));
  }
  EXPECT_EQ(image.At(2 * kQuadrantWidth, 0), kBackground);
  EXPECT_EQ(image.At(0, 2 * kQuadrantHeight), kBackground);
  ExpectCloses(run, window);
}

// 1, 4, 8 and 24 bits are decoded by GDI; 16 bits still by GDI+.
INSTANTIATE_TEST_SUITE_P(Layouts, CitizenBitmapFiles,
                         ::testing::Values(BitmapCase{"OneBit", 1, false, 40},
                                           BitmapCase{"FourBits", 4, false, 40},
                                           BitmapCase{"EightBits", 8, false, 40},
                                           BitmapCase{"EightBitsTopDown", 8, true, 40},
                                           BitmapCase{"TrueColour", 24, false, 40},
                                           BitmapCase{"TrueColourTopDown", 24, true, 40},
                                           BitmapCase{"TrueColourV4Header", 24, false, 108},
                                           BitmapCase{"TrueColourV5Header", 24, false, 124},
                                           BitmapCase{"SixteenBitsThroughGdiPlus", 16, false, 40}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace winetest

// Window mode's appearance: background colour in both forms, the title, and
// the missing or unreadable picture.
#include <gtest/gtest.h>

#include "Harness.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

struct ColourCase {
  const char* name;
  std::string backColor;
  Rgb expected;
};

class AppearanceColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(AppearanceColour, FillsTheBackground) {
  const ColourCase& c = GetParam();
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(0);
  profile.backColor = c.backColor;
  PrepareWindowMedium(medium, profile);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);
  ASSERT_EQ(image.width, 481);
  ASSERT_EQ(image.height, 335);
  for (const POINT p : {POINT{kSplashWidth, 0}, POINT{0, kSplashHeight}, POINT{240, 160},
                        POINT{480, 0}, POINT{0, 334}, POINT{480, 334}, POINT{60, 316}}) {
    EXPECT_EQ(image.At(p.x, p.y), c.expected) << "at " << p.x << "," << p.y;
  }
  EXPECT_EQ(image.At(0, 0), kSplashColour);
  ExpectCloses(run, window);
}

INSTANTIATE_TEST_SUITE_P(
    BothForms, AppearanceColour,
    ::testing::Values(ColourCase{"RedGreenBlue", "16,32,64", {16, 32, 64}},
                      ColourCase{"RedGreenBlueWithBlanks", " 200 , 100 ,50 ", {200, 100, 50}},
                      ColourCase{"FourthComponentIgnored", "47,31,107,99", {47, 31, 107}},
                      ColourCase{"HexNumber", "&H6B1F2F", {47, 31, 107}},
                      ColourCase{"LowerCaseHexNumber", "&h00ff00", {0, 255, 0}},
                      ColourCase{"DecimalNumber", "7020335", {47, 31, 107}},
                      ColourCase{"DecimalRed", "255", {255, 0, 0}},
                      // 300 gives three hexadecimal digits, which shift green.
                      ColourCase{"UnclampedComponent", "300,0,0", {0x2C, 0x01, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct MissingPictureCase {
  const char* name;
  const char* picture;
};

class AppearanceMissingPicture : public ::testing::TestWithParam<MissingPictureCase> {};

// The message names the picture as the profile gives it.
TEST_P(AppearanceMissingPicture, ShowsTheMessageAndEnds) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(2);
  profile.picture = GetParam().picture;
  PrepareWindowMedium(medium, profile);
  medium.MakeFolder(L"folder.bmp");  // a folder is no picture file
  Launch run(medium.Path());
  ExpectOutcome(run, Message(MissingPictureText(Wide(profile.picture))));
}

INSTANTIATE_TEST_SUITE_P(BothForms, AppearanceMissingPicture,
                         ::testing::Values(MissingPictureCase{"MissingFile",
                                                              "Pictures\\Splash.BMP"},
                                           MissingPictureCase{"EmptyValue", ""},
                                           MissingPictureCase{"Folder", "folder.bmp"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AppearancePicture, TextFileNamedLikeAPictureIsFatal) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.picture = "notes.bmp";
  PrepareWindowMedium(medium, profile);
  medium.Write(L"notes.bmp", "These are notes, not a picture.\r\n");
  Launch run(medium.Path());
  ExpectOutcome(run, Report(L"Invalid picture", {L"notes.bmp"}));
}

// At a drive's root: a leading '/' is that root, as on Windows (Wine's own
// calls would take it for the root of the Unix file system), and COM¹ is a
// device there, which Wine alone would open as the file.
TEST(AppearancePicture, PathsAreReadAsWindowsReadsThem) {
  const struct {
    const char* picture;
    Expected expected;
  } rows[] = {
      {"/splash.bmp", Window(L"Test Medium")},
      {"COM\xC2\xB9.bmp", Report(L"Invalid picture", {L"device name"})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.picture);
    const auto medium = Medium::AtDriveRoot();
    ASSERT_TRUE(medium) << "the session maps no drive letter for this test (see README.md)";
    WindowProfile profile = WindowProfile::WithButtons(1);
    profile.picture = row.picture;
    PrepareWindowMedium(*medium, profile);
    ASSERT_TRUE(CopyFileW(medium->PathOf(L"splash.bmp").c_str(),
                          medium->PathOf(L"COM\u00B9.bmp").c_str(), FALSE));
    Launch run(medium->Path());
    ExpectOutcome(run, row.expected);
  }
}

struct CaptionCase {
  const char* name;
  std::string caption;
  std::wstring title;
};

class AppearanceCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(AppearanceCaption, BecomesTheWindowTitle) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.caption = GetParam().caption;
  PrepareWindowMedium(medium, profile);
  Launch run(medium.Path());
  ExpectOutcome(run, Window(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppearanceCaption,
    ::testing::Values(CaptionCase{"Plain", "Welcome to the Medium", L"Welcome to the Medium"},
                      CaptionCase{"Empty", "", L""},
                      CaptionCase{"Long300CutTo254", std::string(254, 'k') + std::string(46, 'x'),
                                  std::wstring(254, L'k')}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace winetest

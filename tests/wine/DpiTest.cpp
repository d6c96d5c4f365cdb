// Twips follow the display's DPI: the client area, the buttons and their
// text grow with it, the picture keeps its pixel size. Wine reads the DPI
// from "HKCU\Control Panel\Desktop" LogPixels when a program starts, for
// every program of the prefix: so these tests run only in a prefix of their
// own (ORVEX_DPI_PREFIX=1, set by the wine.dpi group), and skip elsewhere.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Harness.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

void SetLogPixels(DWORD dotsPerInch) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                            &dotsPerInch, sizeof(dotsPerInch)),
            ERROR_SUCCESS);
}

class DpiScaling : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!FlagSet(L"ORVEX_DPI_PREFIX"))
      GTEST_SKIP() << "changes LogPixels: runs in the wine.dpi group only";
  }
  void TearDown() override {
    if (FlagSet(L"ORVEX_DPI_PREFIX")) SetLogPixels(96);
  }
};

struct DpiCase {
  int dpi;
  SIZE client;
  // The two-button row: Button(0) at left 240, Button(1) at left 4075, both
  // 2895 wide; top 4560, height 375 (twips).
  RECT first;
  RECT second;
};

// Pixels = twips x DPI / 1440, rounded half away from zero; worked out by
// hand from the design.
constexpr DpiCase kCases[] = {
    {96, {481, 335}, {16, 304, 16 + 193, 304 + 25}, {272, 304, 272 + 193, 304 + 25}},
    {120, {601, 419}, {20, 380, 20 + 241, 380 + 31}, {340, 380, 340 + 241, 380 + 31}},
    {144, {722, 503}, {24, 456, 24 + 290, 456 + 38}, {408, 456, 408 + 290, 456 + 38}},
};

// Rows of the button's face with dark (text) pixels, from the first to the
// last; the outer 3 pixels (frame, focus rectangle) are left out.
int TextHeight(const ClientImage& image, const RECT& button) {
  int first = -1;
  int last = -1;
  for (int y = button.top + 3; y < button.bottom - 3; ++y) {
    for (int x = button.left + 3; x < button.right - 3; ++x) {
      const Rgb pixel = image.At(x, y);
      if (pixel.r + pixel.g + pixel.b < 3 * 96) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

TEST_F(DpiScaling, ClientAreaButtonRowAndTextFollowTheDpiButThePictureDoesNot) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(2);
  profile.buttons[0].caption = "Setup Hg";  // ascenders and descenders
  profile.buttons[1].caption = "Setup Hg";
  PrepareWindowMedium(medium, profile);

  int textAt96 = 0;
  for (const DpiCase& c : kCases) {
    SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
    SetLogPixels(static_cast<DWORD>(c.dpi));
    Launch run(medium.Path());
    const WindowInfo window = ExpectWindow(run);
    EXPECT_EQ(window.client.cx, c.client.cx);
    EXPECT_EQ(window.client.cy, c.client.cy);
    ASSERT_TRUE(window.buttons[0].visible && window.buttons[1].visible);
    EXPECT_EQ(Edges(window.buttons[0].rect), Edges(c.first));
    EXPECT_EQ(Edges(window.buttons[1].rect), Edges(c.second));

    const ClientImage image = CaptureClient(window.handle);
    // The 40 x 30 splash picture at its pixel size, whatever the DPI.
    EXPECT_EQ(image.At(kSplashWidth - 1, kSplashHeight - 1), kSplashColour);
    EXPECT_EQ(image.At(kSplashWidth, 0), kBackground);
    EXPECT_EQ(image.At(0, kSplashHeight), kBackground);

    const int text = TextHeight(image, window.buttons[1].rect);
    EXPECT_GT(text, 0) << "no caption text found";
    if (c.dpi == 96) {
      textAt96 = text;
    } else if (textAt96 > 0) {
      // The font is the system's message font for the display's DPI: about
      // DPI / 96 times as high, give or take a pixel of rounding.
      const double expected = textAt96 * c.dpi / 96.0;
      EXPECT_NEAR(text, expected, 2.0)
          << "caption text " << text << " pixels high, at 96 DPI " << textAt96;
    }
    ExpectCloses(run, window);
  }
}

// Themed buttons are see-through at their rounded corners: a picture under
// the button row must show there, not the background colour.
TEST_F(DpiScaling, ButtonCornersShowThePictureUnderThem) {
  const Medium medium;
  for (const DpiCase& c : kCases) {
    SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
    SetLogPixels(static_cast<DWORD>(c.dpi));
    // A picture over the whole client area.
    PreparePictureMedium(medium, WindowProfile::WithButtons(2), PictureFormat::Bmp, c.client.cx,
                         c.client.cy);
    Launch run(medium.Path());
    const WindowInfo window = ExpectWindow(run);
    const ClientImage image = CaptureClient(window.handle);
    for (const RECT& b : {c.first, c.second}) {
      for (const POINT p : {POINT{b.left, b.top}, POINT{b.right - 1, b.top},
                            POINT{b.left, b.bottom - 1}, POINT{b.right - 1, b.bottom - 1}}) {
        // The theme blends a little of the button's edge into the corner.
        EXPECT_TRUE(Near(image.At(p.x, p.y), kPictureColour, 32))
            << ::testing::PrintToString(image.At(p.x, p.y)) << " at " << p.x << "," << p.y;
      }
    }
    ExpectCloses(run, window);
  }
}

}  // namespace
}  // namespace winetest

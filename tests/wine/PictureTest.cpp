// The background picture in each format the launcher reads, drawn at its
// natural pixel size from the client area's top-left corner.
#include <gtest/gtest.h>

#include "Harness.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

struct FormatCase {
  PictureFormat format;
  int width;
  int height;
  int dotsPerInch;  // recorded in the file where the format has a place for it
  int tolerance;    // per colour component: lossy formats
};

std::string CaseName(const FormatCase& c) {
  return FormatName(c.format) + std::to_string(c.width) + "x" + std::to_string(c.height) + "At" +
         std::to_string(c.dotsPerInch) + "Dpi";
}

class PictureFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormats, IsDrawnAtItsPixelSizeFromTheTopLeft) {
  const FormatCase& c = GetParam();
  const Medium medium;
  PreparePictureMedium(medium, WindowProfile::WithButtons(0), c.format, c.width, c.height,
                       c.dotsPerInch);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);

  const int w = c.width;
  const int h = c.height;
  // Inside, up to the last row and column of the picture.
  for (const POINT p :
       {POINT{0, 0}, POINT{w / 2, h / 2}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}}) {
    EXPECT_TRUE(Near(image.At(p.x, p.y), kPictureColour, c.tolerance))
        << "picture pixel " << p.x << "," << p.y << " is "
        << ::testing::PrintToString(image.At(p.x, p.y));
  }
  // Just right of it and just below it: the background.
  for (const POINT p : {POINT{w, 0}, POINT{w, h - 1}, POINT{0, h}, POINT{w - 1, h}, POINT{w, h},
                        POINT{w + 20, h / 2}, POINT{w / 2, h + 20}}) {
    EXPECT_EQ(image.At(p.x, p.y), kBackground) << "background pixel " << p.x << "," << p.y;
  }
  ExpectCloses(run, window);
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureFormats,
                         ::testing::Values(FormatCase{PictureFormat::Bmp, 120, 80, 96, 0},
                                           FormatCase{PictureFormat::Bmp, 120, 80, 300, 0},
                                           FormatCase{PictureFormat::Ico, 48, 40, 96, 0},
                                           FormatCase{PictureFormat::Wmf, 120, 80, 96, 0},
                                           FormatCase{PictureFormat::Emf, 120, 80, 96, 0},
                                           FormatCase{PictureFormat::Gif, 120, 80, 96, 0},
                                           FormatCase{PictureFormat::Jpeg, 120, 80, 96, 6},
                                           FormatCase{PictureFormat::Jpeg, 120, 80, 300, 6},
                                           FormatCase{PictureFormat::Png, 120, 80, 96, 0},
                                           FormatCase{PictureFormat::Png, 120, 80, 300, 0}),
                         [](const auto& info) { return CaseName(info.param); });

TEST(PictureLarge, IsCutAtTheClientArea) {
  const Medium medium;
  PreparePictureMedium(medium, WindowProfile::WithButtons(0), PictureFormat::Png, 700, 500);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  EXPECT_EQ(window.client.cx, 481);
  EXPECT_EQ(window.client.cy, 335);
  const ClientImage image = CaptureClient(window.handle);
  for (const POINT p :
       {POINT{0, 0}, POINT{480, 0}, POINT{0, 334}, POINT{480, 334}, POINT{240, 167}}) {
    EXPECT_EQ(image.At(p.x, p.y), kPictureColour) << "at " << p.x << "," << p.y;
  }
  // Nothing of it outside the client area: the frame keeps its size.
  RECT frame{};
  GetWindowRect(window.handle, &frame);
  EXPECT_EQ(frame.right - frame.left, window.frame.right - window.frame.left);
  EXPECT_LT(frame.right - frame.left, 700);
  ExpectCloses(run, window);
}

// Under the buttons: the shown buttons cover the picture.
TEST(PictureLarge, LiesUnderTheButtons) {
  const Medium medium;
  PreparePictureMedium(medium, WindowProfile::WithButtons(4), PictureFormat::Png, 700, 500);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);
  for (const ButtonInfo& button : window.buttons) {
    const int x = (button.rect.left + button.rect.right) / 2;
    const int y = (button.rect.top + button.rect.bottom) / 2;
    EXPECT_NE(image.At(x, y), kPictureColour) << "button middle " << x << "," << y;
  }
  EXPECT_EQ(image.At(124, 316), kPictureColour);  // between Button(0) and Button(1)
  ExpectCloses(run, window);
}

}  // namespace
}  // namespace winetest

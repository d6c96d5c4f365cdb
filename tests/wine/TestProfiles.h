// Profiles and media that many Wine tests share.
#pragma once

#include <array>
#include <string>

#include "Harness.h"
#include "Pictures.h"

namespace winetest {

struct ButtonSection {
  std::string show = "0";
  std::string caption;
  std::string action;
  std::string moreLines = "";  // "Key=Value\r\n" lines after Action
};

// A window-mode profile. Every field is written as given; the picture path
// is relative to the medium unless absolute.
struct WindowProfile {
  std::string backColor = "16,32,64";
  std::string picture = "splash.bmp";
  std::string caption = "Test Medium";
  std::string moreLines = "";  // "Key=Value\r\n" lines after DIALOG's Caption
  std::array<ButtonSection, 4> buttons;

  // The first count sections enabled, captioned "Button 1".."Button 4",
  // each starting recorder.exe with its own argument "/button1".."/button4".
  static WindowProfile WithButtons(int count);
  std::string Text() const;
};

// The colour the window profiles use unless a test says otherwise.
inline constexpr Rgb kBackground{16, 32, 64};
// The small picture splash.bmp in the top-left corner.
inline constexpr Rgb kSplashColour{250, 200, 0};
inline constexpr int kSplashWidth = 40;
inline constexpr int kSplashHeight = 30;

// Writes profile, splash.bmp and recorder.exe into the medium.
void PrepareWindowMedium(const Medium& medium, const WindowProfile& profile);
// The colour of the pictures made as a medium's own.
inline constexpr Rgb kPictureColour{0, 160, 80};
// PrepareWindowMedium, with the picture "picture.<extension>" of that colour.
void PreparePictureMedium(const Medium& medium, WindowProfile profile, PictureFormat format,
                          int width, int height, int dotsPerInch = 96);

// The headless profile: Show=0 and the given DefaultAction.
std::string HeadlessProfile(const std::string& defaultAction);

}  // namespace winetest

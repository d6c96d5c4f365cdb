#include "TestProfiles.h"

#include <sstream>

#include "Pictures.h"

namespace winetest {

WindowProfile WindowProfile::WithButtons(int count) {
  WindowProfile profile;
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i + 1);
    profile.buttons[static_cast<size_t>(i)] = {"1", "Button " + number,
                                               "recorder.exe /button" + number};
  }
  return profile;
}

std::string WindowProfile::Text() const {
  // A stream rather than a chain of "+": GCC 12 warns falsely about the
  // chain at -O3 on 32-bit.
  std::ostringstream text;
  text << "[DIALOG]\r\nShow=1\r\nBackColor=" << backColor << "\r\nPicture=" << picture
       << "\r\nCaption=" << caption << "\r\n"
       << moreLines;
  for (size_t i = 0; i < buttons.size(); ++i) {
    text << "\r\n[BUTTON" << i + 1 << "]\r\nShow=" << buttons[i].show
         << "\r\nCaption=" << buttons[i].caption << "\r\nAction=" << buttons[i].action << "\r\n"
         << buttons[i].moreLines;
  }
  return text.str();
}

void PrepareWindowMedium(const Medium& medium, const WindowProfile& profile) {
  medium.WriteProfile(profile.Text());
  WriteSolidPicture(medium.PathOf(L"splash.bmp"), PictureFormat::Bmp, kSplashWidth, kSplashHeight,
                    kSplashColour);
  medium.CopyRecorder();
}

void PreparePictureMedium(const Medium& medium, WindowProfile profile, PictureFormat format,
                          int width, int height, int dotsPerInch) {
  profile.picture = "picture." + Utf8(Extension(format));
  PrepareWindowMedium(medium, profile);
  WriteSolidPicture(medium.PathOf(Wide(profile.picture)), format, width, height, kPictureColour,
                    dotsPerInch);
}

std::string HeadlessProfile(const std::string& defaultAction) {
  return "[DIALOG]\r\nShow=0\r\nDefaultAction=" + defaultAction + "\r\n";
}

}  // namespace winetest

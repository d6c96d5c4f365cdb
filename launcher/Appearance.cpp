#include "launcher/Launcher.h"
#include "platform/Failure.h"
#include "settings/Colour.h"
#include "settings/NumberText.h"
#include "settings/Profile.h"

namespace orvex {

void ApplyAppearance(PlatformServices& platform, const std::string& profilePath) {
  const std::string colourText =
      ReadProfileValue(platform, profilePath, kDialogSection, "BackColor");
  WithContext(
      "Reading \"BackColor\" in section [DIALOG] of " + profilePath + ": \"" + colourText + "\"",
      [&] { platform.SetWindowColour(ParseNumber(ParseColour(colourText))); });

  const std::string picturePath =
      ReadProfileValue(platform, profilePath, kDialogSection, "Picture");
  if (!platform.FileExists(picturePath)) {
    platform.ShowMessage(kMissingPictureMessage + picturePath);
    platform.EndProgram(ExitStatus::MessageShown);
  }
  WithContext("Loading the picture \"" + picturePath + "\":",
              [&] { platform.SetWindowPicture(platform.LoadPictureFile(picturePath)); });

  platform.SetWindowTitle(ReadProfileValue(platform, profilePath, kDialogSection, "Caption"));
}

}  // namespace orvex

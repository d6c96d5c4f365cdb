#include "launcher/Launcher.h"
#include "platform/Failure.h"
#include "settings/Colour.h"
#include "settings/NumberText.h"
#include "settings/Profile.h"

namespace orvex {

void ApplyAppearance(PlatformServices& platform, const ProfileFiles& profilePath) {
  const ProfileValue colour = ReadProfileEntry(platform, profilePath, kDialogSection, "BackColor");
  WithContext(
      "Reading \"BackColor\" in section [DIALOG] of " + colour.file + ": \"" + colour.text + "\"",
      [&] { platform.SetWindowColour(ParseNumber(ParseColour(colour.text))); });

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

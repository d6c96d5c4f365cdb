#include "launcher/Launcher.h"
#include "platform/DeviceName.h"
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
  // Such a name opens a device, which is there but holds no picture (and a
  // serial port could keep the read waiting): refused without opening it.
  const bool device = NamesWindowsDevice(picturePath);
  if (!device && !platform.FileExists(picturePath)) {
    platform.ShowMessage(kMissingPictureMessage + picturePath);
    platform.EndProgram(ExitStatus::MessageShown);
  }
  WithContext("Loading the picture \"" + picturePath + "\":", [&] {
    if (device) {
      throw Failure(FailureKind::InvalidPicture,
                    std::string("The name is ") + kDeviceNameRule + ".");
    }
    platform.SetWindowPicture(platform.LoadPictureFile(picturePath));
  });

  platform.SetWindowTitle(ReadProfileValue(platform, profilePath, kDialogSection, "Caption"));
}

}  // namespace orvex

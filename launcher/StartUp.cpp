#include "launcher/ActionRunner.h"
#include "launcher/Launcher.h"
#include "settings/Profile.h"

namespace orvex {

namespace {

constexpr char kMissingProfileText[] =
    " doesn't exist. INI filename must be the same as EXE filename.";

}  // namespace

void StartUp(PlatformServices& platform, SplashState& state) {
  state.profilePath =
      FormProfilePath(platform.CurrentDirectoryPath(), platform.ExecutableBaseName());
  if (!platform.FileExists(state.profilePath)) {
    platform.ShowMessage(state.profilePath + kMissingProfileText);
    platform.EndProgram(ExitStatus::MessageShown);
  }
  if (!ReadProfileBoolean(platform, state.profilePath, kDialogSection, "Show")) {
    // Headless mode reads nothing else of the profile.
    RunAction(platform,
              ReadProfileValue(platform, state.profilePath, kDialogSection, "DefaultAction"));
  }
  PrepareWindow(platform, state);
}

void PrepareWindow(PlatformServices& platform, SplashState& state) {
  state.buttons = LoadButtons(platform, state.profilePath);
  ApplyAppearance(platform, state.profilePath);
  state.stayOpen =
      ReadOptionalBoolean(platform, state.profilePath, kDialogSection, "StayOpen", false);
  ApplyButtonLayout(platform, state.buttons.count);
}

}  // namespace orvex

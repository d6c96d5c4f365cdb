#include "launcher/ActionRunner.h"
#include "launcher/Launcher.h"
#include "settings/LanguageChoice.h"
#include "settings/Profile.h"

namespace orvex {

namespace {

constexpr char kMissingProfileText[] =
    " doesn't exist. INI filename must be the same as EXE filename.";

}  // namespace

void StartUp(PlatformServices& platform, SplashState& state) {
  const std::string directory = platform.CurrentDirectoryPath();
  const std::string baseName = platform.ExecutableBaseName();
  state.profilePath.profile = FormProfilePath(directory, baseName);
  if (!platform.FileExists(state.profilePath.profile)) {
    platform.ShowMessage(state.profilePath.profile + kMissingProfileText);
    platform.EndProgram(ExitStatus::MessageShown);
  }
  if (const auto chosen = ChooseLanguageProfile(platform, directory, baseName)) {
    state.language = chosen->language;
    state.profilePath.language = chosen->path;
  }
  if (!ReadProfileBoolean(platform, state.profilePath, kDialogSection, "Show")) {
    // Headless mode reads nothing else of the profile but what to run.
    RunCommand(platform, ChooseCommand(ReadCommandValues(platform, state.profilePath,
                                                         kDialogSection, kDefaultCommandKeys,
                                                         platform.NativeArchitecture())));
  }
  PrepareWindow(platform, state);
}

void PrepareWindow(PlatformServices& platform, SplashState& state) {
  if (!state.language.empty()) platform.SetTextLanguage(state.language);
  state.buttons = LoadButtons(platform, state.profilePath);
  ApplyAppearance(platform, state.profilePath);
  state.stayOpen =
      ReadOptionalBoolean(platform, state.profilePath, kDialogSection, "StayOpen", false);
  ApplyButtonLayout(platform, state.buttons.count);
}

}  // namespace orvex

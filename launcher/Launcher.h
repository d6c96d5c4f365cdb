// The launcher's own logic: start-up, window preparation and the two events
// of the launcher window frmSplash.
#pragma once

#include <string>

#include "platform/PlatformServices.h"
#include "settings/ButtonTable.h"
#include "settings/Profile.h"

namespace orvex {

// What frmSplash keeps for the life of the process.
struct SplashState {
  ProfileFiles profilePath;
  // The language of the language profile read, empty without one.
  std::string language;
  ButtonTable buttons;
};

// Run once when frmSplash has been created, before it is shown. Returns only
// in window mode, with the window prepared; every other outcome ends the
// process.
void StartUp(PlatformServices& platform, SplashState& state);

// Window mode: buttons, appearance, layout.
void PrepareWindow(PlatformServices& platform, SplashState& state);

// The message for a picture file that is not there; the path as read
// follows it.
inline constexpr char kMissingPictureMessage[] = "Couldn't find splash screen picture - ";

// Colour, picture and title from the "DIALOG" section.
void ApplyAppearance(PlatformServices& platform, const ProfileFiles& profilePath);

// Shows, moves and widens the buttons for count enabled buttons.
void ApplyButtonLayout(PlatformServices& platform, int count);

// A click on Button(index) runs its slot's command and ends the process.
[[noreturn]] void OnButtonClick(PlatformServices& platform, const SplashState& state, int index);

// Closing the window ends the process and starts nothing.
[[noreturn]] void OnWindowClose(PlatformServices& platform);

}  // namespace orvex

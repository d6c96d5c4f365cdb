// The launcher's own logic: start-up, window preparation and the two events
// of the launcher window frmSplash.
#pragma once

#include <array>
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
  // [DIALOG] StayOpen: a click that starts a program leaves the window.
  bool stayOpen = false;
  // Programs started from the window and still running, by section number.
  std::array<int, kButtonCount + 1> running{};
};

// Run once when frmSplash has been created, before it is shown. Returns only
// in window mode, with the window prepared; every other outcome ends the
// process.
void StartUp(PlatformServices& platform, SplashState& state);

// Window mode: buttons, appearance, StayOpen, layout.
void PrepareWindow(PlatformServices& platform, SplashState& state);

// The message for a picture file that is not there; the path as read
// follows it.
inline constexpr char kMissingPictureMessage[] = "Couldn't find splash screen picture - ";

// Colour, picture and title from the "DIALOG" section.
void ApplyAppearance(PlatformServices& platform, const ProfileFiles& profilePath);

// Shows, moves and widens the buttons for count enabled buttons, from
// their design places.
void ApplyButtonLayout(PlatformServices& platform, int count);

// Puts every button back to its design place, for a new layout.
void ResetButtonPlaces(PlatformServices& platform);

// With StayOpen: looks at the Installed states again, packs and lays out
// the buttons anew where that changes them, and disables those whose
// program is still running.
void RefreshButtons(PlatformServices& platform, SplashState& state);

// A click on Button(index) runs its slot's command and ends the process;
// with StayOpen the window stays after a program has started, with its
// button disabled, after a document has opened, or after the report that
// either could not be.
void OnButtonClick(PlatformServices& platform, SplashState& state, int index);

// With StayOpen, a program started under tag (its section) has ended.
void OnProgramEnded(PlatformServices& platform, SplashState& state, int tag);

// The window has become active again after another one was.
void OnWindowActivated(PlatformServices& platform, SplashState& state);

// Closing the window ends the process and starts nothing.
[[noreturn]] void OnWindowClose(PlatformServices& platform);

}  // namespace orvex

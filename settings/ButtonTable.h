// The buttons the profile enables, packed from the left.
#pragma once

#include <array>
#include <string>

#include "platform/PlatformServices.h"
#include "settings/ButtonFace.h"
#include "settings/Profile.h"

namespace orvex {

inline constexpr int kButtonCount = 4;

// A section whose "Show" is true.
struct ButtonSection {
  int number = 0;  // 1 for "BUTTON1"
  ButtonValues values;
};

// The enabled sections, and what fills the four slots of Button: their
// commands and sections, and how many slots are filled.
// Captions live in the buttons themselves.
struct ButtonTable {
  std::array<ButtonSection, kButtonCount> sections;
  int sectionCount = 0;
  std::array<std::string, kButtonCount> captions;
  std::array<Command, kButtonCount> commands;
  std::array<int, kButtonCount> sectionOf{};
  int count = 0;
};

// "BUTTON1" to "BUTTON4".
std::string ButtonSectionName(int number);

// Reads "BUTTON1" to "BUTTON4" in order: "Show", and for an enabled section
// "Caption", "Action", "Action.<arch>", "Open", "Installed" and, where that
// is given,
// "InstalledCaption", "InstalledAction", "InstalledOpen" and
// "InstalledShow". A rejected "Show" or "InstalledShow" or a malformed
// "Installed" fails.
ButtonTable ReadButtons(PlatformServices& platform, const ProfileFiles& profilePath);

// Fills the slots without gaps with the sections whose face is shown
// (ChooseButtonFace, each "Installed" looked up now).
void PackButtons(PlatformServices& platform, ButtonTable& table);

// Gives the filled slots' buttons their captions.
void ShowCaptions(PlatformServices& platform, const ButtonTable& table);

// ReadButtons, PackButtons, ShowCaptions.
ButtonTable LoadButtons(PlatformServices& platform, const ProfileFiles& profilePath);

}  // namespace orvex

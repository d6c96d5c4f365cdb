// The buttons the profile enables, packed from the left.
#pragma once

#include <array>
#include <string>

#include "platform/PlatformServices.h"
#include "settings/Command.h"
#include "settings/Profile.h"

namespace orvex {

inline constexpr int kButtonCount = 4;

// What the four slots of Button do, and how many slots are filled.
// Captions live in the buttons themselves.
struct ButtonTable {
  std::array<Command, kButtonCount> commands;
  int count = 0;
};

// "BUTTON1" to "BUTTON4".
std::string ButtonSectionName(int number);

// Reads "BUTTON1" to "BUTTON4" in order and fills the slots of the enabled
// ones without gaps, setting their captions. A rejected "Show" fails.
ButtonTable LoadButtons(PlatformServices& platform, const ProfileFiles& profilePath);

}  // namespace orvex

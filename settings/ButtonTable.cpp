#include "settings/ButtonTable.h"

#include "settings/Profile.h"

namespace orvex {

std::string ButtonSectionName(int number) { return "BUTTON" + std::to_string(number); }

ButtonTable LoadButtons(PlatformServices& platform, const ProfileFiles& profilePath) {
  ButtonTable table;
  const Architecture native = platform.NativeArchitecture();
  for (int number = 1; number <= kButtonCount; ++number) {
    const std::string section = ButtonSectionName(number);
    if (!ReadProfileBoolean(platform, profilePath, section, "Show")) continue;
    const int slot = table.count++;
    platform.SetButtonCaption(slot, ReadProfileValue(platform, profilePath, section, "Caption"));
    table.commands[slot] = ChooseCommand(
        ReadCommandValues(platform, profilePath, section, kButtonCommandKeys, native));
  }
  return table;
}

}  // namespace orvex

#include "settings/ButtonTable.h"

#include "platform/Failure.h"
#include "settings/Profile.h"

namespace orvex {

std::string ButtonSectionName(int number) { return "BUTTON" + std::to_string(number); }

ButtonTable ReadButtons(PlatformServices& platform, const ProfileFiles& profilePath) {
  ButtonTable table;
  const Architecture native = platform.NativeArchitecture();
  for (int number = 1; number <= kButtonCount; ++number) {
    const std::string section = ButtonSectionName(number);
    if (!ReadProfileBoolean(platform, profilePath, section, "Show")) continue;
    ButtonValues values;
    const auto read = [&](const char* key) {
      return ReadProfileValue(platform, profilePath, section, key);
    };
    values.caption = read("Caption");
    values.command = ReadCommandValues(platform, profilePath, section, kButtonCommandKeys, native);
    // The new keys after the old ones, so that every older failure comes
    // first; the rest only for a button that asks what is installed.
    if (const ProfileValue installed =
            ReadProfileEntry(platform, profilePath, section, "Installed");
        !installed.text.empty()) {
      values.installed = WithContext(
          "Reading \"Installed\" in section [" + section + "] of " + installed.file + ":",
          [&] { return ParseInstalled(installed.text); });
      values.installedCaption = read("InstalledCaption");
      values.installedAction = read("InstalledAction");
      values.installedOpen = read("InstalledOpen");
      values.installedShow =
          ReadOptionalBoolean(platform, profilePath, section, "InstalledShow", true);
    }
    table.sections[table.sectionCount++] = {number, std::move(values)};
  }
  return table;
}

void PackButtons(PlatformServices& platform, ButtonTable& table) {
  table.count = 0;
  table.captions = {};
  table.commands = {};
  table.sectionOf = {};
  for (int index = 0; index < table.sectionCount; ++index) {
    const ButtonSection& section = table.sections[index];
    const ButtonValues& values = section.values;
    const bool installed = values.installed && IsInstalled(platform, *values.installed);
    ButtonFace face = ChooseButtonFace(values, installed);
    if (!face.shown) continue;
    const int slot = table.count++;
    table.captions[slot] = std::move(face.caption);
    table.commands[slot] = std::move(face.command);
    table.sectionOf[slot] = section.number;
  }
}

void ShowCaptions(PlatformServices& platform, const ButtonTable& table) {
  for (int slot = 0; slot < table.count; ++slot)
    platform.SetButtonCaption(slot, table.captions[slot]);
}

ButtonTable LoadButtons(PlatformServices& platform, const ProfileFiles& profilePath) {
  ButtonTable table = ReadButtons(platform, profilePath);
  PackButtons(platform, table);
  ShowCaptions(platform, table);
  return table;
}

}  // namespace orvex

#include "settings/Command.h"

#include "settings/Profile.h"

namespace orvex {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsSchemeCharacter(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

}  // namespace

Command ChooseCommand(const CommandValues& values) {
  if (!values.machineAction.empty()) return {Command::Kind::Run, values.machineAction};
  if (values.action.empty() && !values.open.empty()) return {Command::Kind::Open, values.open};
  return {Command::Kind::Run, values.action};
}

std::string ArchitectureName(Architecture architecture) {
  switch (architecture) {
    case Architecture::X86: return "x86";
    case Architecture::X64: return "x64";
    case Architecture::Arm64: return "arm64";
    case Architecture::Other: break;
  }
  return {};
}

std::string MachineKey(const std::string& key, Architecture architecture) {
  const std::string name = ArchitectureName(architecture);
  return name.empty() ? std::string() : key + "." + name;
}

CommandValues ReadCommandValues(PlatformServices& platform, const ProfileFiles& profilePath,
                                const std::string& section, const CommandKeys& keys,
                                Architecture native) {
  CommandValues values;
  values.action = ReadProfileValue(platform, profilePath, section, keys.action);
  const std::string machineKey = MachineKey(keys.action, native);
  if (!machineKey.empty()) {
    values.machineAction = ReadProfileValue(platform, profilePath, section, machineKey);
  }
  values.open = ReadProfileValue(platform, profilePath, section, keys.open);
  return values;
}

bool IsWebAddress(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos || colon < 2 || !IsAsciiLetter(text[0])) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    if (!IsSchemeCharacter(text[i])) return false;
  }
  return true;
}

}  // namespace orvex

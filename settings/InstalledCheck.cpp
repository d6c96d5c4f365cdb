#include "settings/InstalledCheck.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/Failure.h"
#include "settings/NumberText.h"

namespace orvex {

namespace {

constexpr std::array<std::pair<std::string_view, RegistryHive>, 4> kHives = {{
    {"HKLM", RegistryHive::LocalMachine},
    {"HKEY_LOCAL_MACHINE", RegistryHive::LocalMachine},
    {"HKCU", RegistryHive::CurrentUser},
    {"HKEY_CURRENT_USER", RegistryHive::CurrentUser},
}};

[[noreturn]] void Refuse(const std::string& value, const std::string& why) {
  throw Failure(FailureKind::InvalidPropertyValue, "\"" + value + "\" " + why);
}

}  // namespace

InstalledCheck ParseInstalled(const std::string& value) {
  const std::string_view text = value;
  const std::string_view first = text.substr(0, text.find('\\'));
  if (first.size() < 2 || !EqualsIgnoringCase(first.substr(0, 2), "HK")) {
    return {false, RegistryHive::LocalMachine, value};
  }
  InstalledCheck check{true, RegistryHive::LocalMachine, ""};
  bool known = false;
  for (const auto& [name, hive] : kHives) {
    if (EqualsIgnoringCase(first, name)) {
      check.hive = hive;
      known = true;
    }
  }
  if (!known) {
    Refuse(value,
           "names no registry hive the launcher reads: HKLM, HKCU, HKEY_LOCAL_MACHINE or "
           "HKEY_CURRENT_USER.");
  }
  if (first.size() == text.size()) Refuse(value, "names no key below the hive.");
  check.path = value.substr(first.size() + 1);
  // "HKCU\\Software", "HKCU\Software\": a part without a name.
  for (std::size_t start = 0;;) {
    const std::size_t end = check.path.find('\\', start);
    if (end == start || start == check.path.size()) Refuse(value, "has an empty part.");
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return check;
}

std::string ExpandVariables(PlatformServices& platform, const std::string& text) {
  std::string expanded;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('%', at);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) break;
    expanded += text.substr(at, open - at);
    const std::string name = text.substr(open + 1, close - open - 1);
    std::optional<std::string> found;
    if (!name.empty()) {
      if (EqualsIgnoringCase(name, "ProgramFiles"))
        found = platform.EnvironmentVariable("ProgramW6432");
      if (!found) found = platform.EnvironmentVariable(name);
    }
    expanded += found ? *found : text.substr(open, close - open + 1);
    at = close + 1;
  }
  return expanded + text.substr(at);
}

bool IsInstalled(PlatformServices& platform, const InstalledCheck& check) {
  if (!check.registry) return platform.PathExists(ExpandVariables(platform, check.path));
  if (platform.RegistryEntryExists(check.hive, check.path, std::nullopt)) return true;
  const std::size_t last = check.path.rfind('\\');
  const std::string parent = last == std::string::npos ? "" : check.path.substr(0, last);
  const std::string value = last == std::string::npos ? check.path : check.path.substr(last + 1);
  return platform.RegistryEntryExists(check.hive, parent, value);
}

}  // namespace orvex

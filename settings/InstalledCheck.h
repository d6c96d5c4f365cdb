// "Installed" of a button section: a registry key or value, or a file or
// folder, whose existence says that the product is installed.
#pragma once

#include <string>

#include "platform/PlatformServices.h"

namespace orvex {

struct InstalledCheck {
  bool registry = false;
  RegistryHive hive = RegistryHive::LocalMachine;
  // Registry: the key below the hive ("SOFTWARE\Example"). Otherwise the
  // path as written, variables not yet expanded.
  std::string path;
};

// A value whose first part starts with "HK" is a registry path: HKLM, HKCU,
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER (any letter case), then at least
// one part below it, none of them empty. Anything else is a file or folder.
// A malformed registry path fails with "Invalid property value".
InstalledCheck ParseInstalled(const std::string& value);

// %NAME% replaced by the variable's value; an unknown one stays as
// written. %ProgramFiles% is the machine's own program folder
// (ProgramW6432 where it is set), also for a 32-bit launcher on 64-bit
// Windows, which would otherwise get the x86 folder.
std::string ExpandVariables(PlatformServices& platform, const std::string& text);

// Whether the key exists, or the last part of the path is a value of its
// parent key; or whether the file or folder exists.
bool IsInstalled(PlatformServices& platform, const InstalledCheck& check);

}  // namespace orvex

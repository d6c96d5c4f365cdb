// Looking into the registry without changing it.
#pragma once

#include <optional>
#include <string>

#include "platform/PlatformServices.h"

namespace orvex::win32 {

// Whether the key below the hive, or that value of it, exists in the 64-bit
// or the 32-bit registry view (the same view twice on 32-bit Windows).
// Opened for reading only.
bool RegistryEntryExists(RegistryHive hive, const std::wstring& key,
                         const std::optional<std::wstring>& valueName);

}  // namespace orvex::win32

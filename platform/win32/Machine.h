#pragma once

#include "platform/PlatformServices.h"

namespace orvex::win32 {

// The machine's own architecture: x64 for the 32-bit launcher on 64-bit
// Windows, arm64 on ARM64 Windows, whatever the launcher itself runs as.
Architecture NativeMachine();

}  // namespace orvex::win32

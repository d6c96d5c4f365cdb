#pragma once

#include <string>

#include "platform/PlatformServices.h"

namespace orvex {

// Lower-cases the action and starts it as a command line, unless it is
// "exit"; then ends the process either way.
[[noreturn]] void RunAction(PlatformServices& platform, const std::string& action);

}  // namespace orvex

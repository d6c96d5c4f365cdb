#pragma once

#include <string>

#include "platform/PlatformServices.h"

namespace orvex {

// Lower-cases the action and starts it as a command line, unless it is
// "exit"; then ends the process either way.
[[noreturn]] void RunAction(PlatformServices& platform, const std::string& action);

// RunAction for a window that stays open: "exit" still ends the process,
// but a started program does not, and a program that cannot be started is
// reported (as the fatal report would) and the window stays. True when a
// program was started, which the platform then watches under tag.
bool RunActionStayingOpen(PlatformServices& platform, const std::string& action, int tag);

}  // namespace orvex

#pragma once

#include <string>

#include "platform/PlatformServices.h"
#include "settings/Command.h"

namespace orvex {

// Lower-cases the action and starts it as a command line, unless it is
// "exit"; then ends the process either way.
[[noreturn]] void RunAction(PlatformServices& platform, const std::string& action);

// Opens the target as written with the program the system associates with
// it; a path to no file or folder fails with "File not found". Then ends the
// process.
[[noreturn]] void OpenTarget(PlatformServices& platform, const std::string& target);

// RunAction or OpenTarget, as the command says.
[[noreturn]] void RunCommand(PlatformServices& platform, const Command& command);

// RunCommand for a window that stays open: "exit" still ends the process,
// but a started program or an opened document does not, and one that cannot
// be started or opened is reported (as the fatal report would) and the
// window stays. True when a program was started, which the platform then
// watches under tag.
bool RunCommandStayingOpen(PlatformServices& platform, const Command& command, int tag);

}  // namespace orvex

// autorun-check's command line, apart from the program's entry point so
// that the Linux and the Windows programs share it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvex::check {

enum ExitCode : int { kLauncherWorks = 0, kLauncherFails = 1, kUsageError = 2 };

// arguments: UTF-8, without the program's name.
int RunChecker(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace orvex::check

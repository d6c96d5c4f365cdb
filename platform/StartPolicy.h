// Decisions taken when a command line is started, kept apart from the Win32
// calls so that they can be tested anywhere.
#pragma once

#include <cstdint>
#include <string>

namespace orvex {

// Win32 error codes these decisions look at.
inline constexpr std::uint32_t kErrorElevationRequired = 740;
inline constexpr std::uint32_t kErrorCancelled = 1223;

enum class StartFailureStep {
  // The program needs administrator rights: ask through the shell's
  // elevation prompt instead. Setup programs on a medium mostly do.
  Elevate,
  Fail,
};

StartFailureStep OnCreateProcessError(std::uint32_t error);

enum class ElevationFailureStep {
  EndQuietly,  // the user said no to the prompt: not a fault of the medium
  Fail,
};

ElevationFailureStep OnElevationError(std::uint32_t error);

// A command line divided as the system divides it: the first word, or the
// text between a leading pair of double quotes, is the program; the rest,
// after the blanks that follow the program, are its arguments.
struct SplitCommand {
  std::string program;
  std::string arguments;
};

SplitCommand SplitCommandLine(const std::string& commandLine);

}  // namespace orvex

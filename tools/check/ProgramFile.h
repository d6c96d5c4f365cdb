// Whether Windows' process start runs a file found for a command line. It
// goes by the file's first bytes, not its name, except that a batch file
// without a program header is run through cmd. The checker takes the
// user's Windows to be 64-bit Windows on an x86-64 PC, the usual one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex::check {

// How much of a file the judgement reads: program headers lie well within.
inline constexpr std::size_t kProgramHeadSize = 1024 * 1024;

// Why the process start refuses the file, or nothing when it runs it. head:
// the file's first bytes (kProgramHeadSize, or the whole of a shorter
// file); fileSize: the whole file's. Any bytes give an answer.
std::optional<std::string> WhyNotRunnable(std::string_view fileName, std::string_view head,
                                          std::uint64_t fileSize);

}  // namespace orvex::check

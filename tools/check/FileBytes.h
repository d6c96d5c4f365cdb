// Reading a whole file from the medium, with the host's own file functions.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvex::check {

// The whole of a regular file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

}  // namespace orvex::check

// Reading a file from the medium, with the host's own file functions.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvex::check {

// The whole of a regular file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Its first `count` bytes, or all of a shorter file.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::size_t count);

}  // namespace orvex::check

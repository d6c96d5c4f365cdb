// Reading a profile from disk; kept apart from ProfileReader.cpp so that
// programs that only parse bytes do not link the stream library.
#include <fstream>
#include <iterator>

#include "settings/ProfileReader.h"

namespace orvex {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return std::nullopt;
  return bytes;
}

std::optional<ProfileReader> ProfileReader::FromFile(const std::filesystem::path& path,
                                                     ProfileDecoding decoding) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return FromBytes(*bytes, decoding);
}

}  // namespace orvex

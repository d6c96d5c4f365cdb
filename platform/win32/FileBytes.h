// Reading a file, or its first bytes, with the wide-character API.
#pragma once

#include <optional>
#include <string>

namespace orvex::win32 {

// The file's bytes, or nothing when it cannot be opened or read (or is
// larger than any profile could sensibly be). Long paths work.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// At most the first count bytes of the file, or nothing when it cannot be
// opened or read. Long paths work.
std::optional<std::string> ReadFileHead(const std::wstring& path, std::size_t count);

}  // namespace orvex::win32

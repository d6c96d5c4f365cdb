// Reading a whole file with the wide-character API.
#pragma once

#include <optional>
#include <string>

namespace orvex::win32 {

// The file's bytes, or nothing when it cannot be opened or read (or is
// larger than any profile could sensibly be). Long paths work.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

}  // namespace orvex::win32

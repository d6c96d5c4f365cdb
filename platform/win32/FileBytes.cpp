#include "platform/win32/FileBytes.h"

#include <windows.h>

#include "platform/win32/ScopedWin.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

constexpr LONGLONG kLargestFile = 16 * 1024 * 1024;

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  // Shared with every kind of access: an editor may hold the file open.
  const HANDLE opened = CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const ScopedHandle file(opened);

  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestFile) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t total = 0;
  while (total < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &read,
                  nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;
    total += read;
  }
  bytes.resize(total);
  return bytes;
}

}  // namespace orvex::win32

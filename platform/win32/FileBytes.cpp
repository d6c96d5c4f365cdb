#include "platform/win32/FileBytes.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/ScopedWin.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

constexpr LONGLONG kLargestFile = 16 * 1024 * 1024;

// Shared with every kind of access: an editor may hold the file open.
ScopedHandle OpenForReading(const std::wstring& path) {
  const HANDLE opened = CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return ScopedHandle(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
}

// Up to size bytes from the start; fewer when the file ends first.
std::optional<std::string> ReadBytes(const ScopedHandle& file, std::size_t size) {
  std::string bytes(size, '\0');
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

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  const ScopedHandle file = OpenForReading(path);
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestFile) return std::nullopt;
  return ReadBytes(file, static_cast<std::size_t>(size.QuadPart));
}

std::optional<std::string> ReadFileHead(const std::wstring& path, std::size_t count) {
  const ScopedHandle file = OpenForReading(path);
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  return ReadBytes(file, static_cast<std::size_t>(
                             std::min<LONGLONG>(size.QuadPart, static_cast<LONGLONG>(count))));
}

}  // namespace orvex::win32

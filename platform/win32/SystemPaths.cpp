#include "platform/win32/SystemPaths.h"

#include <windows.h>

namespace orvex::win32 {

namespace {

// For the functions that answer too small a buffer (or none) with the size
// they need, the end of string included: what they wrote into path, sized
// as they said; empty when they gave no answer.
std::wstring Fitted(std::wstring& path, UINT length) {
  path.resize(length < path.size() ? length : 0);
  return path;
}

}  // namespace

std::wstring ModulePath() {
  // The only one of these that does not tell the size it needs.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring CurrentDirectory() {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  return Fitted(path, GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
}

std::wstring SystemDirectory() {
  std::wstring path(GetSystemDirectoryW(nullptr, 0), L'\0');
  return Fitted(path, GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size())));
}

std::wstring WindowsDirectory() {
  std::wstring path(GetWindowsDirectoryW(nullptr, 0), L'\0');
  return Fitted(path, GetWindowsDirectoryW(path.data(), static_cast<UINT>(path.size())));
}

std::wstring Wow64SystemDirectory() {
  // A 64-bit build is told the SysWOW64 folder too, but is not redirected.
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return {};
  std::wstring path(GetSystemWow64DirectoryW(nullptr, 0), L'\0');
  return Fitted(path, GetSystemWow64DirectoryW(path.data(), static_cast<UINT>(path.size())));
}

}  // namespace orvex::win32

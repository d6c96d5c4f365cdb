#include "platform/win32/SystemPaths.h"

#include <windows.h>

namespace orvex::win32 {

namespace {

// For the functions that answer a null buffer with the size they need, the
// end of string included. Empty when the system gives no answer.
template <typename Ask>
std::wstring AskedPath(Ask ask) {
  const UINT size = ask(nullptr, 0);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  const UINT length = ask(path.data(), size);
  path.resize(length < size ? length : 0);
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
  return AskedPath([](wchar_t* buffer, UINT size) { return GetCurrentDirectoryW(size, buffer); });
}

std::wstring SystemDirectory() { return AskedPath(GetSystemDirectoryW); }

std::wstring WindowsDirectory() { return AskedPath(GetWindowsDirectoryW); }

std::wstring Wow64SystemDirectory() {
  // A 64-bit build is told the SysWOW64 folder too, but is not redirected.
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return {};
  return AskedPath(GetSystemWow64DirectoryW);
}

}  // namespace orvex::win32

#include "platform/win32/SystemLibrary.h"

#include <string>

#include "platform/Failure.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

std::wstring SystemDirectory() {
  wchar_t buffer[MAX_PATH];
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

}  // namespace

ScopedModule LoadSystemLibrary(const wchar_t* name) {
  // A full path needs no search at all, and works also where the
  // LOAD_LIBRARY_SEARCH_* flags are unknown.
  const std::wstring path = SystemDirectory() + L"\\" + name;
  ScopedModule module(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module.Valid()) {
    const DWORD error = GetLastError();
    throw Failure(FailureKind::CannotCreateObject,
                  "Loading " + Narrow(path) + ": " + SystemErrorText(error));
  }
  return module;
}

void HardenDllSearch() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}

}  // namespace orvex::win32

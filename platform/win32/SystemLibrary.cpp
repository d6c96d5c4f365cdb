#include "platform/win32/SystemLibrary.h"

#include <commctrl.h>

#include <string>

#include "platform/Failure.h"
#include "platform/win32/SystemPaths.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

// Whether SetDefaultDllDirectories took effect, and so the
// LOAD_LIBRARY_SEARCH_* flags are known.
bool searchRestricted = false;

}  // namespace

ScopedModule TryLoadSystemLibrary(const wchar_t* name) {
  // By full path, so the DLL itself needs no search. Its own dependencies
  // are searched for, though: with LOAD_LIBRARY_SEARCH_SYSTEM32 only in the
  // system directory. That flag is known exactly where
  // SetDefaultDllDirectories is; elsewhere the altered search order at least
  // starts in the system directory.
  const std::wstring path = SystemDirectory() + L"\\" + name;
  const DWORD flags =
      searchRestricted ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
  return ScopedModule(LoadLibraryExW(path.c_str(), nullptr, flags));
}

ScopedModule LoadSystemLibrary(const wchar_t* name) {
  ScopedModule module = TryLoadSystemLibrary(name);
  if (!module.Valid()) {
    const DWORD error = GetLastError();
    throw Failure(FailureKind::CannotCreateObject, "Loading " + Narrow(SystemDirectory()) + "\\" +
                                                       Narrow(name) + ": " +
                                                       SystemErrorText(error));
  }
  return module;
}

void HardenDllSearch() {
  // Process-wide, so it also covers the DLLs that the system loads by name
  // on the program's behalf, such as the theme library with the first
  // window. SetDefaultDllDirectories is looked up because Vista and Windows
  // 7 without update KB2533623 lack it; there the launcher's own directory
  // stays in the search and only the current directory can be taken out.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  searchRestricted = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}

void LoadWindowLibraries() {
  // The theme library, which the system loads by name with the first window
  // or message box, and what it loads in turn when first needed
  // (delay-loaded). Where delay-loads ignore the default DLL directories
  // (Wine), or those cannot be set (Vista, Windows 7 without its update),
  // such a search still starts in the launcher's own folder. Loaded from the
  // system directory beforehand, the names are taken when they are asked
  // for. Kept until the process ends.
  static const ScopedModule modules[] = {
      TryLoadSystemLibrary(L"uxtheme.dll"),
      TryLoadSystemLibrary(L"msimg32.dll"),
  };
  (void)modules;
}

void DisableInputMethod() {
  // Without it the system makes an IME window with the thread's first
  // window and activates it with the window: under Wine that was most of
  // the time ShowWindow took, and 2 MiB. Only looked up, never loaded: where
  // imm32 is not loaded yet, no input method is active either.
  HMODULE imm = GetModuleHandleW(L"imm32.dll");
  if (!imm) return;
  using DisableFn = BOOL(WINAPI*)(DWORD);
  const auto disable =
      reinterpret_cast<DisableFn>(reinterpret_cast<void*>(GetProcAddress(imm, "ImmDisableIME")));
  if (disable) disable(0);  // 0: the calling thread
}

void LoadCommonControls() {
  // comctl32 is not a KnownDLL, and it must not come from the system
  // directory by full path either: that copy is version 5, the classic
  // look. The manifest names Common Controls 6 as a dependency, so the loader
  // resolves the bare name through the process's activation context to the
  // side-by-side copy in WinSxS before any search happens; a DLL of that
  // name on the medium or in the current directory is never considered.
  // Without the manifest the search would still be confined to the system
  // directory by HardenDllSearch, where the system supports it.
  HMODULE module = LoadLibraryW(L"comctl32.dll");
  if (!module) return;
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = reinterpret_cast<InitFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControlsEx")));
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  if (init) init(&classes);
  // Not freed: the buttons' window procedure lives in it.
}

}  // namespace orvex::win32

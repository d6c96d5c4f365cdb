#include "platform/win32/ProcessStart.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <vector>

#include "platform/Failure.h"
#include "platform/StartPolicy.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

std::wstring ModuleDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring path(size, L'\0');
  path.resize(GetCurrentDirectoryW(size, path.data()));
  return path;
}

// The full path CreateProcess would have run, in its own search order, so
// that the elevated start runs the very same file.
std::wstring FindProgram(const std::wstring& program) {
  wchar_t windows[MAX_PATH] = {};
  wchar_t system[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring searchPath = ModuleDirectory() + L";" + CurrentDirectory() + L";" + system + L";" +
                            windows + L"\\System;" + windows;
  const DWORD pathSize = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  if (pathSize > 0) {
    std::wstring variable(pathSize, L'\0');
    variable.resize(GetEnvironmentVariableW(L"PATH", variable.data(), pathSize));
    searchPath += L";" + variable;
  }
  std::vector<wchar_t> found(32768);
  const DWORD length = SearchPathW(searchPath.c_str(), program.c_str(), L".exe",
                                   static_cast<DWORD>(found.size()), found.data(), nullptr);
  if (length == 0 || length >= found.size()) return program;
  return std::wstring(found.data(), length);
}

// Only the rare program that needs elevation uses the shell, so it is loaded
// here rather than imported: every other run starts without it. It stays
// loaded, as the shell may still be at work when this returns.
using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
ShellExecuteExFn ShellExecuteFunction() {
  static ScopedModule shell = LoadSystemLibrary(L"shell32.dll");
  const auto function = reinterpret_cast<ShellExecuteExFn>(
      reinterpret_cast<void*>(GetProcAddress(shell.Get(), "ShellExecuteExW")));
  if (!function) {
    throw Failure(FailureKind::CannotCreateObject, "The shell lacks the function ShellExecuteExW.");
  }
  return function;
}

StartResult StartElevated(const std::string& commandLine) {
  const ShellExecuteExFn shellExecute = ShellExecuteFunction();
  const SplitCommand split = SplitCommandLine(commandLine);
  const std::wstring program = FindProgram(Widen(split.program));
  const std::wstring arguments = Widen(split.arguments);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = program.c_str();
  info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (shellExecute(&info)) return StartResult::Started;
  const DWORD error = GetLastError();
  if (OnElevationError(error) == ElevationFailureStep::EndQuietly) return StartResult::Declined;
  throw Failure(FailureKind::FileNotFound,
                "The program needs administrator rights and could not be started with them: " +
                    SystemErrorText(error));
}

}  // namespace

StartResult StartCommandLine(const std::string& commandLine) {
  std::wstring mutableLine = Widen(commandLine);  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    const ScopedHandle processHandle(process.hProcess);
    const ScopedHandle threadHandle(process.hThread);
    // The started program may bring its window to the front.
    AllowSetForegroundWindow(process.dwProcessId);
    return StartResult::Started;
  }
  const DWORD error = GetLastError();
  if (OnCreateProcessError(error) == StartFailureStep::Elevate) return StartElevated(commandLine);
  throw Failure(FailureKind::FileNotFound, "The system says: " + SystemErrorText(error));
}

}  // namespace orvex::win32

#include "platform/win32/ProcessStart.h"

#include <windows.h>
// after windows.h, which they need
#include <objbase.h>
#include <shellapi.h>
#include <winnetwk.h>

#include <utility>
#include <vector>

#include "platform/Failure.h"
#include "platform/PathForms.h"
#include "platform/StartPolicy.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/SystemPaths.h"
#include "platform/win32/WideText.h"
#include "settings/Command.h"

namespace orvex::win32 {

namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD kErrorElevationRequired = 740;

StartRefusal Refusal(DWORD error) {
  switch (error) {
    case kErrorElevationRequired: return StartRefusal::NeedsElevation;
    case ERROR_CANCELLED: return StartRefusal::Declined;
    default: return StartRefusal::Other;
  }
}

// The full path CreateProcess would have run, in its own search order, so
// that the elevated start runs the very same file.
std::wstring FindProgram(const std::wstring& program) {
  const std::wstring module = ModulePath();
  const std::wstring windows = WindowsDirectory();
  std::wstring searchPath = module.substr(0, module.find_last_of(L'\\')) + L";" +
                            CurrentDirectory() + L";" + SystemDirectory() + L";" + windows +
                            L"\\System;" + windows;
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

// A program on a mapped network drive by its network name, which the
// elevated program can reach: it does not see the user's drive letters. The
// network library is loaded only for such a path.
std::wstring NetworkName(const std::wstring& program) {
  const std::wstring root = DriveLetterRoot(program);
  if (root.empty() || GetDriveTypeW(root.c_str()) != DRIVE_REMOTE) return program;
  const ScopedModule network = TryLoadSystemLibrary(L"mpr.dll");
  if (!network.Valid()) return program;
  using GetUniversalNameFn = DWORD(WINAPI*)(const wchar_t*, DWORD, void*, DWORD*);
  const auto getUniversalName = reinterpret_cast<GetUniversalNameFn>(
      reinterpret_cast<void*>(GetProcAddress(network.Get(), "WNetGetUniversalNameW")));
  // Room for the answer's header and the longest path there is.
  std::vector<wchar_t> answer(sizeof(UNIVERSAL_NAME_INFOW) + 32768);
  DWORD size = static_cast<DWORD>(answer.size() * sizeof(wchar_t));
  if (!getUniversalName || getUniversalName(program.c_str(), UNIVERSAL_NAME_INFO_LEVEL,
                                            answer.data(), &size) != NO_ERROR) {
    return program;  // not connected now: the letter is all there is
  }
  return reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(answer.data())->lpUniversalName;
}

// Only the rare program that needs elevation, and opening a document, use
// the shell, so it is loaded here rather than imported: every other run
// starts without it. It stays loaded, as the shell may still be at work when
// this returns, and so does COM, which shell handlers may need on the
// calling thread. Microsoft asks for an apartment without OLE1 DDE before
// ShellExecuteEx; an apartment made earlier in another way
// (RPC_E_CHANGED_MODE) is used as it is.
using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
ShellExecuteExFn LoadShell() {
  static const ScopedModule ole = LoadSystemLibrary(L"ole32.dll");
  using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
  const auto initialise = reinterpret_cast<CoInitializeExFn>(
      reinterpret_cast<void*>(GetProcAddress(ole.Get(), "CoInitializeEx")));
  if (initialise) initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  static const ScopedModule shell = LoadSystemLibrary(L"shell32.dll");
  const auto function = reinterpret_cast<ShellExecuteExFn>(
      reinterpret_cast<void*>(GetProcAddress(shell.Get(), "ShellExecuteExW")));
  if (!function) {
    throw Failure(FailureKind::CannotCreateObject, "The shell lacks the function ShellExecuteExW.");
  }
  return function;
}

HWND PromptOwnerWindow(HWND launcherWindow) {
  return ChoosePromptOwner(launcherWindow != nullptr) == PromptOwner::LauncherWindow
             ? launcherWindow
             : GetForegroundWindow();
}

StartResult StartElevated(const std::string& commandLine, HWND launcherWindow, ScopedHandle* keep) {
  const ShellExecuteExFn shellExecute = LoadShell();
  const SplitCommand split = SplitCommandLine(commandLine);
  const std::wstring program = NetworkName(UnredirectedPath(
      FindProgram(Widen(split.program)), SystemDirectory(), Wow64SystemDirectory()));
  const std::wstring arguments = Widen(split.arguments);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | (keep ? SEE_MASK_NOCLOSEPROCESS : 0);
  info.hwnd = PromptOwnerWindow(launcherWindow);
  info.lpVerb = L"runas";
  info.lpFile = program.c_str();
  info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (shellExecute(&info)) {
    if (keep) *keep = ScopedHandle(info.hProcess);
    return StartResult::Started;
  }
  const DWORD error = GetLastError();
  if (OnElevationError(Refusal(error)) == ElevationFailureStep::EndQuietly) {
    return StartResult::Declined;
  }
  throw Failure(FailureKind::FileNotFound,
                "The program needs administrator rights and could not be started with them: " +
                    SystemErrorText(error));
}

}  // namespace

StartResult StartCommandLine(const std::string& commandLine, HWND launcherWindow,
                             ScopedHandle* keep) {
  std::wstring mutableLine = Widen(commandLine);  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    ScopedHandle processHandle(process.hProcess);
    const ScopedHandle threadHandle(process.hThread);
    // The started program may bring its window to the front.
    AllowSetForegroundWindow(process.dwProcessId);
    if (keep) *keep = std::move(processHandle);
    return StartResult::Started;
  }
  const DWORD error = GetLastError();
  if (OnCreateProcessError(Refusal(error)) == StartFailureStep::Elevate) {
    return StartElevated(commandLine, launcherWindow, keep);
  }
  throw Failure(FailureKind::FileNotFound, "The system says: " + SystemErrorText(error));
}

StartResult OpenWithShell(const std::string& target, HWND launcherWindow) {
  const ShellExecuteExFn shellExecute = LoadShell();
  // A full path, so that the program gets the same path whatever its own
  // current directory.
  const std::wstring file = IsWebAddress(target) ? Widen(target) : FullPath(Widen(target));
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // Not SEE_MASK_FLAG_NO_UI: a document without a program gets the
  // system's choice of program, as in Explorer.
  info.fMask = SEE_MASK_NOASYNC;
  info.hwnd = PromptOwnerWindow(launcherWindow);
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  // The program may already run (a browser given a web address): it may
  // come to the front too.
  AllowSetForegroundWindow(ASFW_ANY);
  if (shellExecute(&info)) return StartResult::Started;
  const DWORD error = GetLastError();
  if (OnElevationError(Refusal(error)) == ElevationFailureStep::EndQuietly) {
    return StartResult::Declined;
  }
  throw Failure(FailureKind::FileNotFound, "The system says: " + SystemErrorText(error));
}

}  // namespace orvex::win32

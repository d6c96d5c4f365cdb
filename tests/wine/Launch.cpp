// One run of the launcher: started in a job, watched by polling.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Harness.h"

namespace winetest {

namespace {

constexpr DWORD kPollMs = 5;
constexpr int kStartAttempts = 3;
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr wchar_t kSplashClass[] = L"OrvexAutorunSplash";

// The launcher's own environment plus the name of the record file, which
// the recorders it starts inherit.
std::wstring EnvironmentWith(const std::wstring& name, const std::wstring& value) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  const std::wstring prefix = name + L"=";
  for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, prefix.c_str(), prefix.size()) == 0) continue;
    block += entry;
    block.push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  block += prefix + value;
  block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

std::wstring NextRecordFile() {
  static std::atomic<int> counter{0};
  const std::wstring folder = RunRoot() + L"\\records";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\launch-" + std::to_wstring(++counter) + L".txt";
}

// Zero when the job cannot be read.
JOBOBJECT_BASIC_ACCOUNTING_INFORMATION Accounting(HANDLE job) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                            sizeof(accounting), nullptr);
  return accounting;
}

[[noreturn]] void Fail(const std::string& why) {
  throw std::runtime_error(why + " (error " + std::to_string(GetLastError()) + ")");
}

MessageBoxInfo ReadMessageBox(HWND box) {
  MessageBoxInfo info;
  info.handle = box;
  info.title = TextOf(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring kind = ClassOf(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        info.hasIcon = info.hasIcon || (style & WS_VISIBLE);
      } else if (!TextOf(child).empty()) {
        info.text = TextOf(child);
      }
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0 && (style & WS_VISIBLE)) {
      info.buttons.push_back(TextOf(child));
    }
  }
  return info;
}

}  // namespace

Launch::Launch(const std::wstring& currentDirectory, const std::wstring& exe,
               const std::wstring& arguments)
    : job_(CreateJobObjectW(nullptr, nullptr)), recordFile_(NextRecordFile()) {
  if (!job_.Valid()) Fail("CreateJobObjectW failed");
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job_.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));

  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring environment = EnvironmentWith(L"ORVEX_RECORD", recordFile_);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  // Wine now and then fails to bring up a new process (ERROR_INTERNAL_ERROR,
  // seen once in some thousand starts under load); that is not the
  // launcher's doing, so such a start is tried again a few times.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                       currentDirectory.c_str(), &startup, &process)) {
      break;
    }
    if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) {
      Fail("cannot start " + Utf8(exe) + " in " + Utf8(currentDirectory));
    }
    Sleep(kPollMs * 10);
  }
  process_ = ScopedHandle(process.hProcess);
  const ScopedHandle thread(process.hThread);
  processId_ = process.dwProcessId;
  if (!AssignProcessToJobObject(job_.Get(), process_.Get())) {
    TerminateProcess(process_.Get(), 1);
    Fail("AssignProcessToJobObject failed");
  }
  ResumeThread(thread.Get());
}

Launch::~Launch() {
  if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.Get(), 255);
  TerminateJobObject(job_.Get(), 255);
  WaitForSingleObject(process_.Get(), kWaitMs);
}

std::vector<HWND> Launch::Poll() {
  std::vector<HWND> windows = TopLevelWindows(processId_);
  for (HWND window : windows) {
    if (!IsWindowVisible(window)) continue;
    const std::wstring kind = ClassOf(window);
    if (kind == kMessageBoxClass) {
      NoteMessageBox(window);
    } else if (kind == kSplashClass) {
      windowEverShown_ = true;
    } else if (otherShownClass_.empty()) {
      // Wine may show a passing window of its own in the process under load;
      // it is named in the situation, not taken for the launcher's window.
      otherShownClass_ = kind;
    }
  }
  return windows;
}

void Launch::NoteMessageBox(HWND window) {
  if (std::find(messageBoxesSeen_.begin(), messageBoxesSeen_.end(), window) ==
      messageBoxesSeen_.end()) {
    messageBoxesSeen_.push_back(window);
  }
}

std::optional<MessageBoxInfo> Launch::WaitForMessageBox(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  do {
    for (HWND window : Poll()) {
      if (IsWindowVisible(window) && ClassOf(window) == kMessageBoxClass) {
        // It may have become visible after Poll looked at it: a returned box
        // is always among those seen.
        NoteMessageBox(window);
        MessageBoxInfo info = ReadMessageBox(window);
        // The box is visible a moment before its text is in place.
        if (!info.buttons.empty()) return info;
      }
    }
    if (WaitForSingleObject(process_.Get(), kPollMs) == WAIT_OBJECT_0) return std::nullopt;
  } while (GetTickCount64() < end);
  return std::nullopt;
}

void Launch::Dismiss(const MessageBoxInfo& box) {
  PostMessageW(box.handle, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.handle, IDOK)));
}

std::optional<MessageBoxInfo> Launch::TakeMessageBox(DWORD timeoutMs) {
  auto box = WaitForMessageBox(timeoutMs);
  if (box) Dismiss(*box);
  return box;
}

std::optional<WindowInfo> Launch::WaitForWindow(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  do {
    for (HWND window : Poll()) {
      if (!IsWindowVisible(window)) continue;
      const std::wstring kind = ClassOf(window);
      if (kind == kMessageBoxClass) return std::nullopt;
      if (kind == kSplashClass) return InspectWindow(window);
    }
    if (WaitForSingleObject(process_.Get(), kPollMs) == WAIT_OBJECT_0) return std::nullopt;
  } while (GetTickCount64() < end);
  return std::nullopt;
}

std::optional<DWORD> Launch::WaitForExit(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    Poll();
    if (WaitForSingleObject(process_.Get(), kPollMs) == WAIT_OBJECT_0) break;
    if (GetTickCount64() >= end) return std::nullopt;
  }
  // The programs it started must have written their reports too.
  while (Accounting(job_.Get()).ActiveProcesses > 0) {
    if (GetTickCount64() >= end) return std::nullopt;
    Sleep(kPollMs);
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

bool Launch::StillRunningAfter(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  do {
    Poll();
    if (WaitForSingleObject(process_.Get(), kPollMs) == WAIT_OBJECT_0) return false;
  } while (GetTickCount64() < end);
  return true;
}

std::vector<Recorded> Launch::Started() const {
  std::vector<Recorded> records;
  std::ifstream file(recordFile_.c_str(), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("command=", 0) == 0) {
      records.push_back({Wide(line.substr(8)), L""});
    } else if (line.rfind("directory=", 0) == 0 && !records.empty()) {
      records.back().currentDirectory = Wide(line.substr(10));
    }
  }
  return records;
}

unsigned Launch::ChildProcessCount() const {
  const DWORD total = Accounting(job_.Get()).TotalProcesses;
  return total > 0 ? total - 1 : 0;
}

std::string Launch::Situation() {
  std::ostringstream out;
  DWORD code = 0;
  if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process_.Get(), &code)) {
    // 0xC0000000 and above: an unhandled exception (0xC0000005 access
    // violation, 0xC0000409 fail-fast, 0xC00000FD stack overflow, ...).
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    out << (code >= 0xC0000000u ? "launcher CRASHED with exception " + std::string(hex)
                                : "launcher ended with exit code " + std::to_string(code));
  } else {
    out << "launcher still running";
  }
  for (HWND window : TopLevelWindows(processId_)) {
    if (IsWindowVisible(window) && ClassOf(window) == kMessageBoxClass) {
      const MessageBoxInfo box = ReadMessageBox(window);
      out << "; message box \"" << Utf8(box.title) << "\": " << Utf8(box.text);
    } else if (IsWindowVisible(window)) {
      out << "; window \"" << Utf8(TextOf(window)) << "\" (" << Utf8(ClassOf(window)) << ")";
    }
  }
  if (windowEverShown_) out << "; the launcher window was shown";
  if (!otherShownClass_.empty())
    out << "; a window of class " << Utf8(otherShownClass_) << " was shown";
  out << "; " << Started().size() << " program(s) recorded";
  return out.str();
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

// A plain function: a lambda has the wrong calling convention on 32-bit.
BOOL CALLBACK CollectWindowOf(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace winetest

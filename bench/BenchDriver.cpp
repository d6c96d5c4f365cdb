// Start-up benchmark of the launcher against a minimal Win32 program. Runs
// under Wine (or Windows) and starts both programs itself, so that Wine's own
// start-up cost is paid once and not in every measurement.
//
//   bench_driver.exe <launcher.exe> <minimal_window.exe> <work folder> [runs]
//
// Per round, in alternating order: each program's time from CreateProcessW to
// its first visible top-level window, its peak working set once the window is
// idle, and the whole run of a headless "exit" profile (for the minimal
// program: a run that returns at once). Prints medians and ratios.
#include <windows.h>
// after windows.h
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr wchar_t kLauncherTitle[] = L"Benchmark";  // the profile's "Caption"
constexpr wchar_t kMinimalTitle[] = L"Minimal";

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

[[noreturn]] void Fail(const std::wstring& what) {
  std::fwprintf(stderr, L"bench: %ls (error %lu)\n", what.c_str(), GetLastError());
  std::fflush(stderr);
  ExitProcess(1);
}

struct Child {
  PROCESS_INFORMATION info{};
  ~Child() {
    if (info.hProcess) {
      if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(info.hProcess, 99);
      CloseHandle(info.hProcess);
      CloseHandle(info.hThread);
    }
  }
};

void Start(Child& child, const std::wstring& program, const std::wstring& arguments,
           const std::wstring& folder) {
  std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &child.info)) {
    Fail(L"cannot start " + program);
  }
}

struct Search {
  DWORD processId;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t title[64] = {};
  if (owner == search->processId && IsWindowVisible(window) && GetWindowTextW(window, title, 64) &&
      lstrcmpW(title, search->title) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The program's own window, not a message box it may show instead.
HWND WaitForVisibleWindow(const Child& child, const wchar_t* title) {
  const double deadline = Now() + kTimeoutMs;
  for (;;) {
    Search search{child.info.dwProcessId, title, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(child.info.hProcess, 1) == WAIT_OBJECT_0) {
      DWORD status = 0;
      GetExitCodeProcess(child.info.hProcess, &status);
      Fail(L"the program ended with status " + std::to_wstring(status) +
           L" without showing its window");
    }
    if (Now() > deadline) Fail(L"no window within the time limit");
  }
}

DWORD WaitForEnd(const Child& child) {
  if (WaitForSingleObject(child.info.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    Fail(L"the program did not end within the time limit");
  }
  DWORD status = 0;
  GetExitCodeProcess(child.info.hProcess, &status);
  return status;
}

struct WindowRun {
  double visibleMs;
  double readyMs;
  double peakMiB;
};

WindowRun MeasureWindow(const std::wstring& program, const wchar_t* title,
                        const std::wstring& folder) {
  Child child;
  const double start = Now();
  Start(child, program, L"", folder);
  HWND window = WaitForVisibleWindow(child, title);
  const double visible = Now() - start;
  // Painted and waiting for input: all start-up work is done.
  WaitForInputIdle(child.info.hProcess, kTimeoutMs);
  const double ready = Now() - start;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  if (!GetProcessMemoryInfo(child.info.hProcess, &memory, sizeof(memory))) {
    Fail(L"no memory figures for " + program);
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForEnd(child) != 0) Fail(program + L" ended with a failure status");
  return {visible, ready, static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0)};
}

double MeasureHeadless(const std::wstring& program, const std::wstring& arguments,
                       const std::wstring& folder) {
  Child child;
  const double start = Now();
  Start(child, program, arguments, folder);
  const DWORD status = WaitForEnd(child);
  const double elapsed = Now() - start;
  if (status != 0) Fail(program + L" ended with a failure status");
  return elapsed;
}

// The value below which the given share of the values lie.
double Quantile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  const double position = share * static_cast<double>(values.size() - 1);
  const std::size_t below = static_cast<std::size_t>(position);
  const std::size_t above = std::min(below + 1, values.size() - 1);
  return values[below] + (values[above] - values[below]) * (position - static_cast<double>(below));
}

// Median, with the middle half of the values after it.
std::wstring Spread(const std::vector<double>& values, const wchar_t* unit) {
  wchar_t text[96];
  swprintf(text, 96, L"%.1f %ls (%.1f-%.1f)", Quantile(values, 0.5), unit, Quantile(values, 0.25),
           Quantile(values, 0.75));
  return text;
}

std::wstring BaseName(const std::wstring& path) {
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  return name.substr(0, name.find_last_of(L'.'));
}

void WriteText(const std::wstring& path, const std::string& text) {
  std::ofstream file(path.c_str(), std::ios::binary);
  file << text;
  if (!file) Fail(L"cannot write " + path);
}

// A 24-bit bitmap of the client area's size: the launcher decodes and draws
// a full-size picture, as a real medium's would be.
void WriteSplashBitmap(const std::wstring& path) {
  constexpr int kWidth = 481;
  constexpr int kHeight = 335;
  const int stride = (kWidth * 3 + 3) & ~3;
  BITMAPFILEHEADER fileHeader{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = kWidth;
  info.biHeight = kHeight;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * kHeight);
  fileHeader.bfType = 0x4D42;
  fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(info);
  fileHeader.bfSize = fileHeader.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  for (int y = 0; y < kHeight; ++y) {
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < kWidth; ++x) {
      row[x * 3] = static_cast<char>(x & 0xFF);
      row[x * 3 + 1] = static_cast<char>(y & 0xFF);
      row[x * 3 + 2] = static_cast<char>((x + y) & 0xFF);
    }
    bytes += row;
  }
  WriteText(path, bytes);
}

// A window-mode profile (and its picture) with four buttons; dialogMore
// follows DIALOG's keys, buttonMore[i] the Action of BUTTONi+1.
void WriteFourButtonMedium(const std::wstring& profilePath, const std::string& dialogMore,
                           const std::array<const char*, 4>& buttonMore) {
  const std::wstring folder = profilePath.substr(0, profilePath.find_last_of(L'\\'));
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteSplashBitmap(folder + L"\\splash.bmp");
  std::string text =
      "[DIALOG]\r\nShow=1\r\nBackColor=16,32,64\r\nPicture=splash.bmp\r\nCaption=Benchmark\r\n" +
      dialogMore;
  for (int index = 0; index < 4; ++index) {
    text += "[BUTTON" + std::to_string(index + 1) +
            "]\r\nShow=1\r\nCaption=Button\r\nAction=exit\r\n" +
            buttonMore[static_cast<std::size_t>(index)];
  }
  WriteText(profilePath, text);
}

std::wstring WineVersion() {
  using Version = const char*(CDECL*)();
  const auto version = reinterpret_cast<Version>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
  if (!version) return L"none (Windows)";
  const std::string text = version();
  return std::wstring(text.begin(), text.end());
}

struct Row {
  const wchar_t* name;
  const wchar_t* unit;
  const std::vector<double>& launcher;
  const std::vector<double>& minimal;
  const wchar_t* goal;
};

// The rows of one table, with the header given.
template <std::size_t count>
void PrintTable(const wchar_t* header, const Row (&rows)[count]) {
  std::wprintf(L"%ls", header);
  std::wprintf(L"|---|---:|---:|---:|---:|---|\n");
  for (const Row& row : rows) {
    // Runs of one round follow each other closely; their ratio is less
    // disturbed by other load on the machine than the medians are.
    std::vector<double> paired;
    for (std::size_t i = 0; i < row.launcher.size(); ++i) {
      paired.push_back(row.launcher[i] / row.minimal[i]);
    }
    std::wprintf(L"| %ls | %ls | %ls | %.3f | %.3f | %ls |\n", row.name,
                 Spread(row.launcher, row.unit).c_str(), Spread(row.minimal, row.unit).c_str(),
                 Quantile(row.launcher, 0.5) / Quantile(row.minimal, 0.5), Quantile(paired, 0.5),
                 row.goal);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr,
                  L"usage: bench_driver <launcher.exe> <minimal_window.exe> <work folder> "
                  L"[runs]\n");
    return 2;
  }
  const std::wstring launcher = argv[1];
  const std::wstring minimal = argv[2];
  const std::wstring work = argv[3];
  const int runs = argc > 4 ? _wtoi(argv[4]) : 15;
  if (runs < 1) Fail(L"runs must be at least 1");

  const std::wstring profile = BaseName(launcher) + L".ini";
  const std::wstring windowFolder = work + L"\\window";
  const std::wstring headlessFolder = work + L"\\headless";
  const std::wstring languagesFolder = work + L"\\languages";
  CreateDirectoryW(work.c_str(), nullptr);
  CreateDirectoryW(windowFolder.c_str(), nullptr);
  CreateDirectoryW(headlessFolder.c_str(), nullptr);
  CreateDirectoryW(languagesFolder.c_str(), nullptr);
  const char windowProfile[] =
      "[DIALOG]\r\nShow=1\r\nBackColor=16,32,64\r\nPicture=splash.bmp\r\n"
      "Caption=Benchmark\r\n[BUTTON1]\r\nShow=1\r\nCaption=Install\r\nAction=exit\r\n"
      "[BUTTON2]\r\nShow=1\r\nCaption=Browse\r\nAction=exit\r\n"
      "[BUTTON3]\r\nShow=0\r\n[BUTTON4]\r\nShow=0\r\n";
  for (const std::wstring& folder : {windowFolder, languagesFolder}) {
    WriteSplashBitmap(folder + L"\\splash.bmp");
    WriteText(folder + L"\\" + profile, windowProfile);
  }
  // The same medium in 12 languages, the user's own (en: Wine's prefix)
  // among them, translating the buttons; the title stays, to find the window.
  for (const wchar_t* language : {L"ar", L"de", L"en", L"es", L"fr", L"he", L"it", L"ja", L"ko",
                                  L"pt-BR", L"ru", L"zh-Hans"}) {
    WriteText(languagesFolder + L"\\" + BaseName(launcher) + L"." + language + L".ini",
              "[BUTTON1]\r\nCaption=Install it\r\n[BUTTON2]\r\nCaption=Browse it\r\n");
  }
  WriteText(headlessFolder + L"\\" + profile, "[DIALOG]\r\nShow=0\r\nDefaultAction=exit\r\n");
  // Four buttons, without and with every new key: four Installed checks,
  // two of them registry paths, none of them there; the machines' actions
  // and Open beside the action, read but not used.
  const std::wstring fourFolder = work + L"\\four";
  const std::wstring keysFolder = work + L"\\keys";
  WriteFourButtonMedium(fourFolder + L"\\" + profile, "", {"", "", "", ""});
  WriteFourButtonMedium(keysFolder + L"\\" + profile, "StayOpen=True\r\n",
                        {"Installed=HKLM\\SOFTWARE\\Orvex Bench\\Product\r\n"
                         "InstalledCaption=Start\r\nInstalledAction=exit\r\n"
                         "InstalledOpen=manual.pdf\r\nInstalledShow=True\r\n",
                         "Installed=HKCU\\Software\\Orvex Bench\\Version\r\n"
                         "Action.x86=exit\r\nAction.x64=exit\r\nAction.arm64=exit\r\n",
                         "Installed=%ProgramFiles%\\Orvex Bench\r\nInstalledShow=False\r\n",
                         "Installed=%APPDATA%\\Orvex Bench\\extras.txt\r\n"
                         "Open=https://example.com/orvex\r\n"});

  // One warm-up round fills the file cache and Wine's own caches.
  MeasureWindow(launcher, kLauncherTitle, windowFolder);
  MeasureWindow(launcher, kLauncherTitle, languagesFolder);
  MeasureWindow(launcher, kLauncherTitle, fourFolder);
  MeasureWindow(launcher, kLauncherTitle, keysFolder);
  MeasureWindow(minimal, kMinimalTitle, work);
  MeasureHeadless(launcher, L"", headlessFolder);
  MeasureHeadless(minimal, L"exit", work);

  std::vector<double> launcherVisible, minimalVisible, launcherReady, minimalReady;
  std::vector<double> launcherPeak, minimalPeak;
  std::vector<double> launcherHeadless, minimalHeadless;
  std::vector<double> languagesVisible;
  std::vector<double> fourVisible, fourReady, keysVisible, keysReady;
  for (int round = 0; round < runs; ++round) {
    // Alternate which program goes first, so that neither always profits
    // from what the other just left in the caches.
    for (int turn = 0; turn < 2; ++turn) {
      if ((round + turn) % 2 == 0) {
        const WindowRun run = MeasureWindow(launcher, kLauncherTitle, windowFolder);
        launcherVisible.push_back(run.visibleMs);
        launcherReady.push_back(run.readyMs);
        launcherPeak.push_back(run.peakMiB);
        launcherHeadless.push_back(MeasureHeadless(launcher, L"", headlessFolder));
        languagesVisible.push_back(
            MeasureWindow(launcher, kLauncherTitle, languagesFolder).visibleMs);
        // The four-button pair takes turns going first as well.
        const bool keysFirst = round % 4 < 2;
        const WindowRun early =
            MeasureWindow(launcher, kLauncherTitle, keysFirst ? keysFolder : fourFolder);
        const WindowRun late =
            MeasureWindow(launcher, kLauncherTitle, keysFirst ? fourFolder : keysFolder);
        const WindowRun& four = keysFirst ? late : early;
        const WindowRun& keys = keysFirst ? early : late;
        fourVisible.push_back(four.visibleMs);
        fourReady.push_back(four.readyMs);
        keysVisible.push_back(keys.visibleMs);
        keysReady.push_back(keys.readyMs);
      } else {
        const WindowRun run = MeasureWindow(minimal, kMinimalTitle, work);
        minimalVisible.push_back(run.visibleMs);
        minimalReady.push_back(run.readyMs);
        minimalPeak.push_back(run.peakMiB);
        minimalHeadless.push_back(MeasureHeadless(minimal, L"exit", work));
      }
    }
  }

  const Row rows[] = {
      {L"window visible", L"ms", launcherVisible, minimalVisible, L"<= 1.10"},
      {L"window visible, 12 language profiles", L"ms", languagesVisible, minimalVisible,
       L"within noise of the first row"},
      {L"window painted, waiting for input", L"ms", launcherReady, minimalReady, L"-"},
      {L"headless \"exit\" run", L"ms", launcherHeadless, minimalHeadless, L"<= 1.05"},
      {L"peak working set (window)", L"MiB", launcherPeak, minimalPeak, L"-"},
  };
  std::wprintf(L"Wine %ls, %d runs of each, interleaved; median (middle half)\n\n",
               WineVersion().c_str(), runs);
  PrintTable(
      L"| figure | launcher | minimal program | ratio of medians | median of paired "
      L"ratios | goal |\n",
      rows);
  // The launcher's four-button window with and without the keys of
  // Installed and StayOpen.
  const Row keyRows[] = {
      {L"window visible", L"ms", keysVisible, fourVisible, L"within noise"},
      {L"window painted, waiting for input", L"ms", keysReady, fourReady, L"within noise"},
  };
  std::wprintf(L"\n");
  PrintTable(
      L"| figure | every new key | none of them | ratio of medians | "
      L"median of paired ratios | goal |\n",
      keyRows);
  return 0;
}

// Drives the real autorun.exe from a GoogleTest driver that itself runs
// under Wine: makes medium folders, starts the launcher with a chosen current
// directory, finds its message boxes and window, sends it input, reads its
// pixels and sees which programs it started (copies of recorder.exe).
//
// Every wait is bounded (kWaitMs unless a test gives its own) and polls; no
// call sleeps longer than it has to.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/win32/ScopedWin.h"

namespace winetest {

inline constexpr DWORD kWaitMs = 10000;

// ---------------------------------------------------------------- text

std::string Utf8(const std::wstring& wide);
std::wstring Wide(const std::string& utf8);
std::wstring Lower(std::wstring text);
// The text in UTF-16 with its byte-order mark, as an editor saves it.
std::string Utf16(const std::wstring& text, bool bigEndian = false);

// ---------------------------------------------------------------- bytes and files

using orvex::win32::ScopedHandle;
// Handles whose "none" is INVALID_HANDLE_VALUE.
template <BOOL(WINAPI* close)(HANDLE)>
struct MinusOneTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { close(h); }
};
using ScopedFind = orvex::win32::Scoped<HANDLE, MinusOneTraits<FindClose>>;
using ScopedFile = orvex::win32::Scoped<HANDLE, MinusOneTraits<CloseHandle>>;

void PutLe16(std::string& out, std::uint16_t value);
void PutLe32(std::string& out, std::uint32_t value);
// "\\?\" before a full path, so that it may be longer than MAX_PATH.
std::wstring Extended(const std::wstring& path);
// Writes the bytes as they are (no line-end or code-page conversion) to a
// path of any length in an existing folder; throws when it cannot.
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The files and folders in a folder, without "." and "..".
std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& folder);

// ---------------------------------------------------------------- places

// The autorun.exe under test (environment variable ORVEX_LAUNCHER).
std::wstring LauncherPath();
// A program or DLL built beside the driver (recorder.exe, planted.dll, ...).
std::wstring BesideDriver(const std::wstring& name);
// An environment variable holding a path, given from the Unix side or from
// Windows, as Wine names it; empty when it is not set.
std::wstring EnvironmentPath(const wchar_t* name);
// Whether the environment variable is "1", as the group that needs it sets.
bool FlagSet(const wchar_t* name);
// The longest current directory Wine 8 starts a program in (from 260
// characters on CreateProcessW crashes its caller); Windows allows as much
// to a program that is not long-path aware. Its profile API cannot open a
// path of about 269 characters or more.
inline constexpr size_t kLongestStartableDirectory = 258;
// A folder of this driver run; media are made below it.
std::wstring RunRoot();
// Deletes it with everything in it (the driver does, when all passed).
void RemoveRunRoot();

// ---------------------------------------------------------------- media

// A folder standing for a distribution medium: profile, pictures, programs.
class Medium {
 public:
  // A fresh, empty folder <run root>\<test name><suffix>.
  explicit Medium(const std::wstring& suffix = L"");
  // The root of the harness's own drive letter (R:\ by default), emptied;
  // nothing when the session has no such drive.
  static std::optional<Medium> AtDriveRoot();

  // No trailing separator, except at a drive root ("R:\").
  const std::wstring& Path() const { return path_; }
  // Full path of a file or folder inside the medium.
  std::wstring PathOf(const std::wstring& relative) const;

  // Writes the bytes as they are (no line-end or code-page conversion),
  // making folders on the way. Returns the full path.
  std::wstring Write(const std::wstring& relative, const std::string& bytes) const;
  std::wstring WriteProfile(const std::string& text,
                            const std::wstring& name = L"autorun.ini") const {
    return Write(name, text);
  }
  std::wstring MakeFolder(const std::wstring& relative) const;
  // Nested folders inside the medium, down to a full path of exactly length
  // characters (beyond MAX_PATH if asked). Returns that path.
  std::wstring MakeFolderOfLength(size_t length) const;
  // Copies the file into the medium, making folders on the way; full path.
  std::wstring CopyIn(const std::wstring& from, const std::wstring& relative) const;
  std::wstring CopyRecorder(const std::wstring& relative = L"recorder.exe") const {
    return CopyIn(BesideDriver(L"recorder.exe"), relative);
  }
  std::wstring CopyLauncher(const std::wstring& relative = L"autorun.exe") const {
    return CopyIn(LauncherPath(), relative);
  }

 private:
  struct AtPath {};
  Medium(AtPath, std::wstring path) : path_(std::move(path)) {}
  std::wstring path_;
};

// ---------------------------------------------------------------- what is seen

struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
void PrintTo(const Rgb& colour, std::ostream* out);
// Each component within tolerance (lossy picture formats).
bool Near(const Rgb& a, const Rgb& b, int tolerance);
// Blue, green, red: a pixel as bitmap rows and colour tables store it.
std::string Bgr(const Rgb& colour);

struct MessageBoxInfo {
  HWND handle = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;  // captions of its push buttons
  bool hasIcon = false;
};

struct ButtonInfo {
  HWND handle = nullptr;
  bool visible = false;
  RECT rect{};  // in the launcher window's client coordinates
  std::wstring caption;
  bool isDefault = false;  // drawn as the default push button
  bool enabled = false;
};

// Left, top, right, bottom: printed in full when they differ.
inline std::array<LONG, 4> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

struct WindowInfo {
  HWND handle = nullptr;
  std::wstring title;
  SIZE client{};         // client area size in pixels
  RECT frame{};          // whole window, screen coordinates
  POINT clientOrigin{};  // client (0,0) in screen coordinates
  DWORD style = 0;
  DWORD exStyle = 0;
  std::array<ButtonInfo, 4> buttons;  // Button(0) to Button(3)
};

// A program the launcher started, as recorder.exe saw itself.
struct Recorded {
  std::wstring commandLine;       // GetCommandLineW
  std::wstring currentDirectory;  // GetCurrentDirectoryW
};

// ---------------------------------------------------------------- a run

class Launch {
 public:
  // Starts exe (by default the launcher under test) with currentDirectory as
  // its current directory, in a job of its own so that the programs it
  // starts are seen and never outlive the test. Arguments follow the
  // program's name on its command line.
  explicit Launch(const std::wstring& currentDirectory, const std::wstring& exe = LauncherPath(),
                  const std::wstring& arguments = L"");
  ~Launch();  // ends whatever of the run is still running
  Launch(const Launch&) = delete;
  Launch& operator=(const Launch&) = delete;

  DWORD ProcessId() const { return processId_; }

  // The launcher's visible message box; nothing after the timeout or when
  // the process ended first.
  std::optional<MessageBoxInfo> WaitForMessageBox(DWORD timeoutMs = kWaitMs);
  // Presses OK.
  void Dismiss(const MessageBoxInfo& box);
  // WaitForMessageBox, then Dismiss.
  std::optional<MessageBoxInfo> TakeMessageBox(DWORD timeoutMs = kWaitMs);

  // The launcher window once visible; nothing after the timeout, or as soon
  // as the process ended or showed a message box instead.
  std::optional<WindowInfo> WaitForWindow(DWORD timeoutMs = kWaitMs);

  // The launcher's exit code once it and every program it started have
  // ended; nothing after the timeout.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kWaitMs);
  // True when the process is still running after the given time.
  bool StillRunningAfter(DWORD ms);

  // Whether the launcher window was visible at any poll of the waits above
  // (they poll every few milliseconds).
  bool WindowEverShown() const { return windowEverShown_; }
  // How many different message boxes those polls saw.
  size_t MessageBoxesSeen() const { return messageBoxesSeen_.size(); }
  // The programs started, in order, from the recorders' reports. Complete
  // once WaitForExit has returned.
  std::vector<Recorded> Started() const;
  // Processes the run has created besides the launcher, of any kind.
  unsigned ChildProcessCount() const;

  // One line on where the run stands (running, exit code or the exception
  // that ended it, message box text), for failure messages.
  std::string Situation();

 private:
  // The launcher's top-level windows now; notes what is visible.
  std::vector<HWND> Poll();
  void NoteMessageBox(HWND window);

  ScopedHandle job_;
  ScopedHandle process_;
  DWORD processId_ = 0;
  std::wstring recordFile_;
  bool windowEverShown_ = false;
  std::wstring otherShownClass_;
  std::vector<HWND> messageBoxesSeen_;
};

// ---------------------------------------------------------------- the window

// Reads title, sizes, styles, icons and the four buttons of a launcher window.
WindowInfo InspectWindow(HWND window);
// Whether the window's caption shows the first icon of the executable, pixel
// for pixel at the small-icon size. (Under Wine the icons of another
// process's window class cannot be read, so this is how a test sees them.)
bool CaptionShowsIcon(HWND window, const std::wstring& executable);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// Top-level windows of a process, visible or not.
std::vector<HWND> TopLevelWindows(DWORD processId);

// Posts WM_CLOSE.
void RequestClose(HWND window);
// Brings the window to the foreground and clicks with the real mouse at a
// point of its client area.
void ClickAt(HWND window, POINT clientPoint);
// Clicks the middle of a button of the launcher window.
void ClickButton(HWND window, const ButtonInfo& button);
// Brings the window to the foreground and types one key, with Alt held down
// when asked (Alt+F4).
void PressKey(HWND window, WORD virtualKey, bool withAlt = false);

// The client area as the screen shows it, read once the painting has
// settled (two equal reads in a row).
struct ClientImage {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row by row from the top-left
  Rgb At(int x, int y) const;
};
ClientImage CaptureClient(HWND window);

// ---------------------------------------------------------------- outcomes

// The title of every message box of the launcher.
inline const std::wstring kReportTitle = L"OrvexAutorun";
// The launcher's messages for a missing profile (folder is the current
// directory, as the launcher names it) and a missing picture.
std::wstring MissingProfileText(const std::wstring& folder);
std::wstring MissingPictureText(const std::wstring& picture);

enum class Outcome {
  Window,   // the window shows (title `text` unless any); closed, exit 0
  Started,  // exactly one program started, command line `text`; exit 0
  Nothing,  // nothing started, no message; exit 0
  Report,   // the fatal report, first line `text`; exit 2
  Message,  // the launcher's own message, exactly `text`; exit 1
  // A damaged picture that a decoder may still read: the window, or the
  // fatal report "Invalid picture", and nothing else.
  WindowOrInvalidPicture,
};

struct Expected {
  Outcome outcome;
  std::wstring text;
  bool anyText = false;
  std::vector<std::wstring> mentions = {};  // a report's text contains these
  std::wstring directory = L"";             // a started program's current directory, unless empty
};

Expected Window();
Expected Window(std::wstring title);
Expected Started(std::wstring commandLine, std::wstring directory = L"");
Expected NothingStarted();
Expected Report(std::wstring failure, std::vector<std::wstring> mentions = {});
Expected Message(std::wstring text);
Expected WindowOrInvalidPicture();

// The run from its start: ends as expected, with nothing else on the way
// (no window unless expected, no second message box, no crash).
void ExpectOutcome(Launch& run, const Expected& expected, DWORD timeoutMs = kWaitMs);
// The end of a run whose window was used (a click, a key).
void ExpectEnding(Launch& run, const Expected& expected, DWORD timeoutMs = kWaitMs);
// The exit code, within the time; a crash is called by its name.
void ExpectExit(Launch& run, DWORD expected, DWORD timeoutMs = kWaitMs);
// The launcher window; throws (failing the test) when none shows.
WindowInfo ExpectWindow(Launch& run, DWORD timeoutMs = kWaitMs);
// Closes the window: the launcher ends with 0, having started nothing.
void ExpectCloses(Launch& run, const WindowInfo& window, DWORD timeoutMs = kWaitMs);

}  // namespace winetest

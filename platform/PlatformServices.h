// Everything the launcher needs from the operating system, the window system
// and the runtime. The portable core in settings/ and launcher/ reaches the
// system only through this interface; platform/win32/ implements it for
// Windows and the unit tests implement it with a recording fake.
//
// Text is UTF-8 on this side of the interface. Operations report failures by
// throwing orvex::Failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

// A picture loaded from a file; what it holds is the platform's business.
class Picture;
using PicturePtr = std::shared_ptr<Picture>;

// The registry hives a profile may name.
enum class RegistryHive { LocalMachine, CurrentUser };

enum class ExitStatus : int {
  Normal = 0,        // an action started, "exit", the window closed
  MessageShown = 1,  // missing profile or missing picture
  FatalFailure = 2,  // the fatal report
  Declined = 3,      // the user declined to start an elevated program
};

// The machine's own processor architecture, whatever the launcher's build.
enum class Architecture { X86, X64, Arm64, Other };

class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // Absolute path of the current directory, "\" at the end only at a
  // drive's root.
  virtual std::string CurrentDirectoryPath() = 0;
  // True only for an existing file, not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // The executable's file name without directory and extension.
  virtual std::string ExecutableBaseName() = 0;
  // The value of key in section of the profile file, or fallback when it is
  // missing; a value longer than capacity - 1 is cut to that length.
  virtual std::string ReadProfileString(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& fallback,
                                        std::size_t capacity) = 0;
  // The text after the program's name on the launcher's command line.
  virtual std::string CommandLineArguments() = 0;
  // The user's display languages, most preferred first ("de-CH", ...);
  // none where the system cannot say.
  virtual std::vector<std::string> PreferredLanguages() = 0;
  // The language the system falls back to from language ("zh-TW" gives
  // "zh-Hant"); empty at the top or for a name it does not know.
  virtual std::string ParentLanguage(const std::string& language) = 0;

  // Modal message box: critical icon, OK only, title "OrvexAutorun".
  virtual void ShowMessage(const std::string& text) = 0;
  // Starts a new process, window shown normally with the focus; returns at
  // once.
  virtual void StartProgram(const std::string& commandLine) = 0;
  // StartProgram for a window that stays open. True when the platform
  // watches the program and will tell the launcher (OnProgramEnded with
  // tag) when it ends; false where the user declined the elevation prompt
  // (nothing started) or the system gave no handle to watch.
  virtual bool StartWatchedProgram(const std::string& commandLine, int tag) = 0;
  virtual PicturePtr LoadPictureFile(const std::string& path) = 0;
  virtual std::string ToLowerCase(const std::string& text) = 0;
  // True for an existing file or folder.
  virtual bool PathExists(const std::string& path) = 0;
  // Opens a document, folder or web address, as written, with the program
  // the system associates with it (the default verb), shown normally with
  // the focus; returns at once. False where the user declined (cancelled
  // the system's choice of program): nothing opened.
  virtual bool OpenDocument(const std::string& target) = 0;
  virtual Architecture NativeArchitecture() = 0;

  // What is installed on the machine; only read, never changed.
  // The variable's value, or nothing when it is not set.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
  // Whether the key below the hive exists, or with valueName, that value
  // of it; on 64-bit Windows in either registry view.
  virtual bool RegistryEntryExists(RegistryHive hive, const std::string& key,
                                   const std::optional<std::string>& valueName) = 0;

  // Properties of the launcher window frmSplash.
  virtual void SetWindowColour(std::int32_t colour) = 0;
  virtual void SetWindowPicture(const PicturePtr& picture) = 0;
  virtual void SetWindowTitle(const std::string& title) = 0;
  // The title and captions are in language: they read in its direction.
  virtual void SetTextLanguage(const std::string& language) = 0;

  // Properties of button index (0 to 3) of the array Button; lengths in twips.
  virtual void SetButtonCaption(int index, const std::string& caption) = 0;
  virtual void SetButtonVisible(int index, bool visible) = 0;
  virtual void SetButtonLeft(int index, int twips) = 0;
  virtual void SetButtonWidth(int index, int twips) = 0;
  virtual void SetButtonEnabled(int index, bool enabled) = 0;

  // Ends the process at once; no further event or handler runs.
  [[noreturn]] void EndProgram(ExitStatus status) {
    EndProcess(status);
    std::terminate();  // an implementation that returns is broken
  }
  // The standard error report naming the failure, then the end of the
  // process.
  [[noreturn]] void ReportFatalFailure(const class Failure& failure) {
    ReportAndEnd(failure);
    std::terminate();
  }

 protected:
  // Neither returns.
  virtual void EndProcess(ExitStatus status) = 0;
  virtual void ReportAndEnd(const class Failure& failure) = 0;
};

}  // namespace orvex

// PlatformServices for Windows, with the wide-character API throughout.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/PlatformServices.h"
#include "platform/win32/SplashWindow.h"
#include "settings/ProfileReader.h"

namespace orvex::win32 {

class Win32Platform final : public PlatformServices {
 public:
  explicit Win32Platform(HINSTANCE instance) : instance_(instance) {}

  // Creates frmSplash from its design, hidden.
  SplashWindow& CreateSplash();
  SplashWindow& Splash() { return *splash_; }

  std::string CurrentDirectoryPath() override;
  bool FileExists(const std::string& path) override;
  std::string ExecutableBaseName() override;
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t capacity) override;
  std::string CommandLineArguments() override;
  std::vector<std::string> PreferredLanguages() override;
  std::string ParentLanguage(const std::string& language) override;
  void ShowMessage(const std::string& text) override;
  void StartProgram(const std::string& commandLine) override;
  bool StartWatchedProgram(const std::string& commandLine, int tag) override;
  PicturePtr LoadPictureFile(const std::string& path) override;
  std::string ToLowerCase(const std::string& text) override;
  bool PathExists(const std::string& path) override;
  bool OpenDocument(const std::string& target) override;
  Architecture NativeArchitecture() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
  bool RegistryEntryExists(RegistryHive hive, const std::string& key,
                           const std::optional<std::string>& valueName) override;
  void SetWindowColour(std::int32_t colour) override;
  void SetWindowPicture(const PicturePtr& picture) override;
  void SetWindowTitle(const std::string& title) override;
  void SetTextLanguage(const std::string& language) override;
  void SetButtonCaption(int index, const std::string& caption) override;
  void SetButtonVisible(int index, bool visible) override;
  void SetButtonLeft(int index, int twips) override;
  void SetButtonWidth(int index, int twips) override;
  void SetButtonEnabled(int index, bool enabled) override;

 protected:
  void EndProcess(ExitStatus status) override;
  void ReportAndEnd(const Failure& failure) override;

 private:
  // The profile as the portable reader reads it, or nothing when the
  // system's API reads it; decided once per file.
  const ProfileReader* PortableProfile(const std::string& file);
  // The launcher's window while it is shown; null before and in headless
  // mode.
  HWND ShownWindow() const;

  HINSTANCE instance_;
  std::unique_ptr<SplashWindow> splash_;
  std::map<std::string, std::optional<ProfileReader>> portableProfiles_;
};

}  // namespace orvex::win32

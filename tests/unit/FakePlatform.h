// A PlatformServices that keeps files in memory and records every call in
// order, so that tests can check what the launcher did and in which order.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/PlatformServices.h"
#include "settings/Profile.h"
#include "tools/check/StandInPlatform.h"

namespace orvex {

struct FakePicture {
  std::string path;
};

class FakePlatform : public PlatformServices {
 public:
  std::string currentDirectory = "D:\\setup";
  std::string baseName = "launch";
  // Files by full path, with their text.
  std::map<std::string, std::string> files;
  // Files that exist but are not pictures.
  std::set<std::string> notPictures;
  // Command lines that fail to start.
  std::set<std::string> unstartable;
  // Folders by full or relative path; environment variables by name.
  std::set<std::string> folders;
  std::map<std::string, std::string> environment;
  // Registry keys and values that exist, as "HKLM\key" and "HKLM\key|value"
  // (the hive's short name; "HKCU|value" for a value of the hive itself).
  std::set<std::string> registry;
  Architecture architecture = Architecture::X86;
  std::string arguments;
  std::vector<std::string> languages;
  // Each language's parent, as the system names it.
  std::map<std::string, std::string> parents;

  // Every call made, as one line each ("ShowMessage text", ...).
  std::vector<std::string> calls;
  std::vector<std::string> started;
  std::vector<std::string> opened;
  // Targets whose choice of program the user cancels.
  std::set<std::string> declinedOpens;
  std::vector<std::string> messages;

  // The profile at the default place, D:\setup\launch.ini.
  void SetProfile(const std::string& text);
  std::string ProfilePath() const;
  // That profile alone, without a language profile.
  orvex::ProfileFiles ProfileFiles() const { return {ProfilePath(), ""}; }
  // The calls whose line starts with prefix.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  std::string CurrentDirectoryPath() override;
  bool FileExists(const std::string& path) override;
  std::string ExecutableBaseName() override;
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t capacity) override;
  std::string CommandLineArguments() override { return arguments; }
  std::vector<std::string> PreferredLanguages() override { return languages; }
  std::string ParentLanguage(const std::string& language) override;
  void ShowMessage(const std::string& text) override;
  void StartProgram(const std::string& commandLine) override;
  bool StartWatchedProgram(const std::string& commandLine, int tag) override;
  PicturePtr LoadPictureFile(const std::string& path) override;
  std::string ToLowerCase(const std::string& text) override;
  bool PathExists(const std::string& path) override;
  bool OpenDocument(const std::string& target) override;
  Architecture NativeArchitecture() override { return architecture; }
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
};

}  // namespace orvex

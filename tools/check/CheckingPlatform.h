// PlatformServices for the checker: the launcher's own start-up runs on it
// against a medium folder. It reads the profile with the portable reader,
// answers file questions from the folder, reads pictures' headers, and
// records what the launcher does to its window and which programs it
// starts. Ending the process ends the simulated run (ProcessEnded).
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformServices.h"
#include "settings/ButtonTable.h"
#include "settings/ProfileReader.h"
#include "tools/check/MediumFolder.h"
#include "tools/check/PictureInfo.h"
#include "tools/check/ProgramSearch.h"
#include "tools/check/StandInPlatform.h"

namespace orvex::check {

// A profile file as the launcher reads it.
struct LoadedProfile {
  std::string bytes;
  ProfileReading reading = ProfileReading::SystemApi;
  ProfileReader reader;
};

struct ButtonState {
  std::string caption;
  bool visible = true;
  int left = 0;   // twips
  int width = 0;  // twips
};

struct ProfileRead {
  std::string section;
  std::string key;
};

// A command line the launcher gave to start, and where its program is.
struct StartedProgram {
  std::string commandLine;
  ProgramSearch search;
};

class CheckingPlatform final : public PlatformServices {
 public:
  CheckingPlatform(const MediumFolder& medium, std::string executableBaseName);

  // What the run did, in order.
  const std::vector<ProfileRead>& Reads() const { return reads_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<StartedProgram>& Started() const { return started_; }
  const std::vector<std::string>& Opened() const { return opened_; }
  const std::array<ButtonState, kButtonCount>& Buttons() const { return buttons_; }

  // A profile file the run read from, if it did.
  const LoadedProfile* Loaded(const std::string& file) const;

  // Forgets the programs started and the targets opened, for the next
  // simulated click.
  void ClearStarted() {
    started_.clear();
    opened_.clear();
  }
  // The buttons in their design state, for laying them out again.
  void ResetButtons();

  // The display languages of the user the run is for, most preferred first.
  void SetLanguages(std::vector<std::string> languages) { languages_ = std::move(languages); }

  // The root of the drive the medium is taken to be in.
  std::string CurrentDirectoryPath() override;
  bool FileExists(const std::string& path) override;
  std::string ExecutableBaseName() override { return baseName_; }
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t capacity) override;
  std::string CommandLineArguments() override { return {}; }
  std::vector<std::string> PreferredLanguages() override { return languages_; }
  std::string ParentLanguage(const std::string& language) override;
  void ShowMessage(const std::string& text) override { messages_.push_back(text); }
  // Records the command line; fails as the launcher would when the program
  // is nowhere it looks or is not a program (FindProgram).
  void StartProgram(const std::string& commandLine) override;
  bool StartWatchedProgram(const std::string& commandLine, int) override {
    StartProgram(commandLine);
    return true;
  }
  PicturePtr LoadPictureFile(const std::string& path) override;
  std::string ToLowerCase(const std::string& text) override;
  // On the medium; a path to another drive is taken to be there, as the
  // checker cannot look.
  bool PathExists(const std::string& path) override;
  bool OpenDocument(const std::string& target) override {
    opened_.push_back(target);
    return true;
  }
  // The shipped launcher's own; the checker judges each machine's action
  // itself.
  Architecture NativeArchitecture() override { return Architecture::X86; }
  // The checker cannot see the user's machine: the launcher's start-up is
  // run as on one where nothing is installed, and the checker looks at the
  // installed state on its own.
  std::optional<std::string> EnvironmentVariable(const std::string&) override {
    return std::nullopt;
  }
  bool RegistryEntryExists(RegistryHive, const std::string&,
                           const std::optional<std::string>&) override {
    return false;
  }
  // Fails for values the window does not take, as the launcher's does.
  void SetWindowColour(std::int32_t colour) override;
  void SetWindowPicture(const PicturePtr&) override {}
  void SetWindowTitle(const std::string&) override {}
  void SetTextLanguage(const std::string&) override {}
  void SetButtonCaption(int index, const std::string& caption) override {
    buttons_.at(index).caption = caption;
  }
  void SetButtonVisible(int index, bool visible) override { buttons_.at(index).visible = visible; }
  void SetButtonLeft(int index, int twips) override { buttons_.at(index).left = twips; }
  void SetButtonWidth(int index, int twips) override { buttons_.at(index).width = twips; }
  void SetButtonEnabled(int, bool) override {}

 protected:
  void EndProcess(ExitStatus status) override { throw ProcessEnded{status}; }
  // Never reached: the checker catches failures where the launcher's entry
  // point does.
  void ReportAndEnd(const Failure& failure) override;

 private:
  const LoadedProfile* Load(const std::string& file);

  const MediumFolder& medium_;
  std::string baseName_;
  std::vector<std::string> languages_;
  std::map<std::string, std::optional<LoadedProfile>> profiles_;
  std::vector<ProfileRead> reads_;
  std::vector<std::string> messages_;
  std::vector<StartedProgram> started_;
  std::vector<std::string> opened_;
  std::array<ButtonState, kButtonCount> buttons_;
};

}  // namespace orvex::check

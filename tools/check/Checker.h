// The checker's working state, shared by the files that check one part of
// the profile each (MediumCheck.cpp, ActionCheck.cpp, ButtonCheck.cpp,
// AppearanceCheck.cpp, NameCheck.cpp).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launcher/Launcher.h"
#include "settings/ButtonFace.h"
#include "settings/Command.h"
#include "tools/check/CheckingPlatform.h"
#include "tools/check/MediumCheck.h"
#include "tools/check/Report.h"
#include "tools/check/Simulation.h"

namespace orvex::check {

// Sizes in pixels are given at Windows' standard resolution.
inline constexpr int kDotsPerInch = 96;

// What the checker makes of an action the launcher runs.
struct ActionVerdict {
  std::optional<Failure> failure;  // the launcher's failure when it runs it
  std::string explanation;         // why it fails, or where the program is
  bool exits = false;              // "exit": starts nothing
  bool outside = false;            // a program the checker cannot see
  bool certain = false;            // the failure comes on every machine
};

// A file of the medium as the user's way of naming the folder shows it.
std::string DisplayPath(const std::string& folderAsGiven, std::string relative);

// Checks each language profile of the medium as its users get it, and what
// the set of them lacks (LanguageCheck.cpp).
void AddLanguageReports(const CheckOptions& options, CheckReport& report);

class Checker {
 public:
  explicit Checker(const CheckOptions& options);
  CheckReport Run();

 private:
  // Where the launcher's own start-up stops: the value it read last, how it
  // ends, and the launcher's own words for it.
  struct Stop {
    ProfileRead read;
    Ending ending;
    std::string detail;
  };

  // MediumCheck.cpp
  void ReportMissingProfile(const RunOutcome& start);
  // Files and folders on the medium that Windows cannot open.
  void CheckFileNames();
  void CheckEncoding();
  // The mode to check the rest as: window mode (true) or headless.
  bool CheckMode();
  // What the image cannot hold, with --media.
  void CheckLimits();
  // The medium's root as the user named it, for findings about its files.
  std::string ShownRoot() const;
  void Add(Severity severity, int line, std::string text);
  // An error that ends the start-up when the launcher reads about: where it
  // stops if about is its last read, otherwise if it gets this far.
  void AddEnding(int line, const ProfileRead& about, Ending ending, const std::string& reason);
  void AddFailure(int line, const ProfileRead& about, const Failure& failure,
                  const std::string& reason);
  int LineOf(const std::string& section, const std::string& key) const;
  std::optional<int> SectionLine(const std::string& section) const;
  bool HasKey(const std::string& section, const std::string& key) const;
  std::string Value(const std::string& section, const std::string& key);
  // A "Show" key: its value, or an error and nothing.
  std::optional<bool> CheckBoolean(const std::string& section, const std::string& key,
                                   const std::string& missingHint);

  // ActionCheck.cpp
  // Runs the action with the launcher's RunAction and judges the outcome.
  ActionVerdict JudgeAction(const std::string& section, const std::string& key,
                            const std::string& action);
  // Runs the target with the launcher's OpenTarget and judges the outcome.
  ActionVerdict JudgeOpen(const std::string& section, const std::string& key,
                          const std::string& target);
  // What the section does on a machine without an action of its own, and
  // how the checker sees that: the command, its key and the verdict.
  struct CommandJudgement {
    Command command;
    std::string key;
    ActionVerdict verdict;
  };
  CommandJudgement JudgeCommand(const std::string& section, const CommandKeys& keys);
  // The machines' own actions (warnings where they would fail) and an Open
  // that an action hides; subject says whose ("clicking button 2").
  void CheckCommandExtras(const std::string& section, const CommandKeys& keys,
                          const std::string& subject);
  void CheckHeadless();

  // ButtonCheck.cpp
  // A shown button of one state of the window, and the key its command is
  // from.
  struct RowButton {
    std::string section;
    ButtonFace face;
    const char* key;
  };
  void CheckButtons();
  void CheckInstalledKeys(const std::string& section, ButtonValues& values);
  void CheckButtonRow(const std::vector<RowButton>& row, bool installed);
  void CheckStayOpen();
  void CheckCaptionWidth(const std::string& section, const std::string& caption, int widthTwips);

  // AppearanceCheck.cpp
  void CheckColour();
  void CheckPicture();
  void CheckTitle();

  // NameCheck.cpp
  void CheckNames(bool windowMode);

  // SignatureAudit.cpp
  void AuditPrograms();
  void AuditProgram(const std::string& relative);

  CheckOptions options_;
  MediumFolder medium_;
  CheckingPlatform platform_;
  SplashState state_;
  const LoadedProfile* profile_ = nullptr;
  // The language profile the launcher reads first, if any, and its name as
  // reports give it. Lines in it count from kLanguageLines (LineOf).
  const LoadedProfile* language_ = nullptr;
  std::string languageFile_;
  CheckReport report_;
  std::optional<Stop> stop_;
  // The programs on the medium that actions start, below its root.
  std::vector<std::string> startedPrograms_;
};

}  // namespace orvex::check

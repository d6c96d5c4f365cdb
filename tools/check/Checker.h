// The checker's working state, shared by the files that check one part of
// the profile each (MediumCheck.cpp, ActionCheck.cpp, ButtonCheck.cpp,
// AppearanceCheck.cpp, NameCheck.cpp).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launcher/Launcher.h"
#include "settings/ButtonFace.h"
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
};

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
  void CheckEncoding();
  // The mode to check the rest as: window mode (true) or headless.
  bool CheckMode();
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
  void CheckHeadless();

  // ButtonCheck.cpp
  // A shown button of one state of the window, and the key its action is
  // from.
  struct RowButton {
    std::string section;
    ButtonFace face;
    const char* actionKey;
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

  CheckOptions options_;
  MediumFolder medium_;
  CheckingPlatform platform_;
  SplashState state_;
  const LoadedProfile* profile_ = nullptr;
  CheckReport report_;
  std::optional<Stop> stop_;
};

}  // namespace orvex::check

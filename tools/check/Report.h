// What the checker found in a medium, and its two printed forms: lines like
// a compiler's, and JSON for build pipelines.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvex::check {

enum class Severity { Note, Warning, Error };

struct Finding {
  int line = 1;  // 0: none
  Severity severity = Severity::Note;
  std::string text;
  // Where the line is, or the file on the medium the finding is about (line
  // 0: about the whole file); empty: the profile.
  std::string file = {};
};

// How the launcher would end: a failure's report or one of its own
// messages, and the first line of the box it shows.
struct Ending {
  int line = 1;
  std::string failure;  // the failure's name; empty for the launcher's own message
  std::string shows;
};

// A button whose click would end in a report.
struct ClickEnding {
  int button = 0;  // 1 is the leftmost shown button
  Ending ending;
};

struct CheckReport {
  std::string profile;   // the profile's path as the user named the medium
  std::string encoding;  // how the launcher reads it; empty when there is none
  std::string mode;      // "window", "headless", or empty when unknown
  std::string title;     // the window's title as the launcher reads it
  std::vector<Finding> findings;
  std::optional<Ending> startUpEnding;  // start-up ends in a report or message
  std::vector<ClickEnding> clickEndings;
  // The language the report is for, empty for a user without a language
  // profile; and the reports for each language profile of the medium.
  std::string language = {};
  std::vector<CheckReport> languages = {};

  int Count(Severity severity) const;
  // In every language.
  bool LauncherWorks() const;
};

// "PROFILE:LINE: severity: text" or "FILE: severity: text", one finding a
// line.
void WriteText(const CheckReport& report, std::ostream& out);
void WriteJson(const CheckReport& report, std::ostream& out);

// A JSON string of UTF-8 text, quotes included.
std::string Json(const std::string& text);

}  // namespace orvex::check

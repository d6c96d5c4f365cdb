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
  int line = 1;
  Severity severity = Severity::Note;
  std::string text;
  // A file on the medium the finding is about, instead of the profile's line.
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

  int Count(Severity severity) const;
  bool LauncherWorks() const { return Count(Severity::Error) == 0; }
};

// "PROFILE:LINE: severity: text" or "FILE: severity: text", one finding a
// line.
void WriteText(const CheckReport& report, std::ostream& out);
void WriteJson(const CheckReport& report, std::ostream& out);

// A JSON string of UTF-8 text, quotes included.
std::string Json(const std::string& text);

}  // namespace orvex::check

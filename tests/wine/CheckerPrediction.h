// What autorun-check predicts for a medium (its --json output), and what the
// tests comparing it with the launcher share: the medium copied in, the
// checker run under Wine.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Harness.h"

namespace winetest {

// Copies a folder into the medium with every name as it is (trailing dots
// and blanks, device names: paths in the "\\?\" form).
void CopyTree(const std::wstring& from, const Medium& medium, const std::wstring& relative = L"");

// What a program wrote to its standard output (kept in the file), once it
// has ended; nothing when it did not start or end in time.
std::optional<std::string> OutputOf(std::wstring commandLine, const std::wstring& file);

// The JSON string whose opening quote is at `at`; `at` moves past it.
std::string JsonString(const std::string& text, size_t& at);

struct Ending {
  std::string failure;  // empty: the launcher's own message
  std::wstring shows;
};

// A shown button, from the checker's note on it.
struct PredictedButton {
  std::string section;  // "BUTTON2"
  std::wstring action;  // as the launcher lower-cases it
  bool exits = false;   // "exit": starts nothing
  bool found = false;   // the program is on the medium or one of Windows' own
};

struct Prediction {
  std::string mode;
  std::optional<Ending> startUp;
  std::vector<std::pair<int, Ending>> clicks;  // button 1 = leftmost shown
  std::optional<std::wstring> title;
  std::vector<PredictedButton> buttons;
  // Headless mode: the command line started, or "" for "exit".
  std::optional<std::wstring> headlessStarts;
};

Prediction Predict(const std::string& json);

// The text of the ending's box on this medium: the checker names the
// profile's path as the launcher forms it at the root of drive D:.
std::wstring ShownOn(const Medium& medium, const Ending& ending);

}  // namespace winetest

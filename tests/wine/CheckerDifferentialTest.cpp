// autorun-check against the real launcher on random media (make-media.py,
// run by run-differential.sh): each medium is copied to the root of the
// session's drive, and the launcher's outcome at start-up and on clicking
// each button it shows is compared with what the native checker (its JSON
// beside the media) and the Windows build of the checker (run here)
// predict. A difference of an open, known kind (known-differences.txt,
// matched by the generator's tags) is listed but does not fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CheckerPrediction.h"
#include "Harness.h"

namespace winetest {
namespace {

// Outcomes as text, the same for predictions and runs: "window "title", N
// buttons", "report FAILURE", "message TEXT", "started COMMAND LINE",
// "nothing"; a prediction may be "unknown" (a program outside the medium).
using Outcomes = std::vector<std::string>;

std::string Ended(const Medium& medium, const std::optional<Ending>& ending) {
  if (!ending) return "unknown";
  return (ending->failure.empty() ? "message " : "report ") + Utf8(ShownOn(medium, *ending));
}

Outcomes Predicted(const Medium& medium, const Prediction& prediction) {
  if (prediction.startUp) return {Ended(medium, prediction.startUp)};
  if (prediction.mode == "headless") {
    const auto& starts = prediction.headlessStarts;
    return {!starts ? "unknown" : starts->empty() ? "nothing" : "started " + Utf8(*starts)};
  }
  Outcomes outcomes{"window \"" + Utf8(prediction.title.value_or(L"?")) + "\", " +
                    std::to_string(prediction.buttons.size()) + " buttons"};
  for (size_t i = 0; i < prediction.buttons.size(); ++i) {
    const PredictedButton& button = prediction.buttons[i];
    const auto click =
        std::find_if(prediction.clicks.begin(), prediction.clicks.end(),
                     [&](const auto& c) { return c.first == static_cast<int>(i + 1); });
    outcomes.push_back(click != prediction.clicks.end() ? Ended(medium, click->second)
                       : button.exits                   ? "nothing"
                       : button.found                   ? "started " + Utf8(button.action)
                                                        : "unknown");
  }
  return outcomes;
}

// The command line as the launcher gave it. Wine's process start puts quotes
// around a program name it found among blank-separated prefixes
// (" sub\..\sub\setup.exe" /q); Windows passes the line unchanged.
std::wstring AsGiven(const std::wstring& commandLine) {
  const size_t close = commandLine.find(L'"', 1);
  if (commandLine.size() < 2 || commandLine[0] != L'"' || close == std::wstring::npos) {
    return commandLine;
  }
  const std::wstring name = commandLine.substr(1, close - 1);
  if (name.find(L' ') == std::wstring::npos || name[0] != L' ') return commandLine;
  return name + commandLine.substr(close + 1);
}

// How a run went on from now: a message box (the report's first line, or
// the launcher's whole message), the one program it started, or nothing.
std::string Ending(Launch& run) {
  const auto box = run.TakeMessageBox();
  const auto code = run.WaitForExit();
  if (!code) return "still running: " + run.Situation();
  if (box && (*code == 1 || *code == 2)) {
    return *code == 2 ? "report " + Utf8(box->text.substr(0, box->text.find_first_of(L"\r\n")))
                      : "message " + Utf8(box->text);
  }
  const std::vector<Recorded> started = run.Started();
  if (*code == 0 && !box && started.size() == 1 && run.ChildProcessCount() == 1) {
    return "started " + Utf8(AsGiven(started[0].commandLine));
  }
  if (*code == 0 && !box && run.ChildProcessCount() == 0) return "nothing";
  return "unexpected: " + run.Situation();
}

std::vector<const ButtonInfo*> Shown(const WindowInfo& window) {
  std::vector<const ButtonInfo*> shown;
  for (const ButtonInfo& button : window.buttons) {
    if (button.visible) shown.push_back(&button);
  }
  std::sort(shown.begin(), shown.end(),
            [](const auto* a, const auto* b) { return a->rect.left < b->rect.left; });
  return shown;
}

// The launcher's outcomes: at start-up, then a run for each shown button,
// clicked (the first in the start-up run).
Outcomes Observed(const Medium& medium, const std::wstring& launcher) {
  Launch first(medium.Path(), launcher);
  const auto window = first.WaitForWindow();
  if (!window) return {Ending(first)};
  const size_t count = Shown(*window).size();
  Outcomes outcomes{"window \"" + Utf8(window->title) + "\", " + std::to_string(count) +
                    " buttons"};
  if (count == 0) {
    RequestClose(window->handle);
    first.WaitForExit();
  }
  for (size_t i = 0; i < count; ++i) {
    std::optional<Launch> again;
    if (i > 0) again.emplace(medium.Path(), launcher);
    Launch& run = i == 0 ? first : *again;
    const auto shown = i == 0 ? window : run.WaitForWindow();
    if (!shown || Shown(*shown).size() != count) {
      outcomes.push_back("no window the second time: " + run.Situation());
      continue;
    }
    ClickButton(shown->handle, *Shown(*shown)[i]);
    outcomes.push_back(Ending(run));
  }
  return outcomes;
}

// The tags of "tag<TAB>why" lines; "#" starts a comment.
std::set<std::string> KnownDifferences(const std::wstring& file) {
  std::set<std::string> known;
  std::istringstream lines(file.empty() ? "" : ReadBytes(file));
  for (std::string line; std::getline(lines, line);) {
    const size_t tab = line.find('\t');
    if (!line.empty() && line[0] != '#' && tab != std::string::npos) {
      known.insert(line.substr(0, tab));
    }
  }
  return known;
}

// The generator's tags: medium -> section ("*": the whole profile) -> tags.
using Tags = std::map<std::string, std::map<std::string, std::set<std::string>>>;

Tags ReadTags(const std::wstring& file) {
  Tags tags;
  std::istringstream lines(ReadBytes(file));
  for (std::string name, section, line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::getline(fields, name, '\t');
    std::getline(fields, section, '\t');
    for (std::string tag; fields >> tag;) tags[name][section].insert(tag);
  }
  return tags;
}

struct Tally {
  size_t compared = 0;
  size_t agreed = 0;
  std::map<std::string, std::vector<std::string>> known;  // tags -> "medium outcome"
  size_t unexplained = 0;
};

// The listed tags that may explain a difference in an outcome, joined: those
// of the whole profile and of the section ([DIALOG] at start-up, the
// button's on a click); empty when none is listed.
std::string Explained(const std::map<std::string, std::set<std::string>>& tags,
                      const std::string& section, const std::set<std::string>& known) {
  std::string listed;
  for (const auto& [part, names] : tags) {
    if (part != "*" && part != section) continue;
    for (const std::string& tag : names) {
      if (known.count(tag)) listed += (listed.empty() ? "" : " or ") + tag;
    }
  }
  return listed;
}

TEST(CheckerDifferential, LauncherEndsAsTheCheckersPredict) {
  const std::wstring root = EnvironmentPath(L"ORVEX_DIFF_MEDIA");
  if (root.empty()) GTEST_SKIP() << "ORVEX_DIFF_MEDIA is not set (run-differential.sh sets it)";
  const std::wstring checker = EnvironmentPath(L"ORVEX_CHECKER");
  const auto known = KnownDifferences(EnvironmentPath(L"ORVEX_DIFF_KNOWN"));
  const Tags tags = ReadTags(root + L"\\tags.txt");
  ASSERT_FALSE(tags.empty()) << "no media in " << Utf8(root);

  Tally tally;
  const ULONGLONG started = GetTickCount64();
  for (const auto& [name, mediumTags] : tags) {
    const auto medium = Medium::AtDriveRoot();
    ASSERT_TRUE(medium) << "the session has no drive of its own";
    CopyTree(root + L"\\media\\" + Wide(name), *medium);
    std::vector<std::pair<std::string, Prediction>> predictions;
    const std::wstring native = root + L"\\native\\" + Wide(name) + L".json";
    if (GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES) {
      predictions.emplace_back("native checker", Predict(ReadBytes(native)));
    }
    if (!checker.empty()) {
      const auto json =
          OutputOf(L"\"" + checker + L"\" --json " + medium->Path(), RunRoot() + L"\\checker.json");
      ASSERT_TRUE(json && json->find("\"findings\"") != std::string::npos)
          << name << ": the Windows checker did not run";
      predictions.emplace_back("Windows checker", Predict(*json));
    }
    const Outcomes seen = Observed(*medium, medium->CopyLauncher());
    for (const auto& [who, prediction] : predictions) {
      const Outcomes expected = Predicted(*medium, prediction);
      for (size_t i = 0; i < std::max(expected.size(), seen.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "(no such outcome)";
        const std::string got = i < seen.size() ? seen[i] : "(no such outcome)";
        if (want == "unknown") continue;
        ++tally.compared;
        if (want == got) {
          ++tally.agreed;
          continue;
        }
        const std::string section =
            i == 0 || i > prediction.buttons.size() ? "DIALOG" : prediction.buttons[i - 1].section;
        const std::string where =
            name + (i == 0 ? " start-up" : " button " + std::to_string(i) + " [" + section + "]");
        if (const std::string listed = Explained(mediumTags, section, known); !listed.empty()) {
          tally.known[listed].push_back(where + " (" + who + ")");
          std::printf("%s, %s: known (%s): predicts %s; launcher: %s\n", where.c_str(), who.c_str(),
                      listed.c_str(), want.c_str(), got.c_str());
        } else {
          ++tally.unexplained;
          ADD_FAILURE() << where << ", " << who << ": predicts " << want << "\n  launcher: " << got;
        }
        if (i == 0) break;  // the clicks follow from a start-up that differs
      }
    }
  }
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000.0;
  std::printf(
      "\n%zu media, %zu outcomes compared: %zu agree, %zu unexplained differences; "
      "%.2f s a medium\n",
      tags.size(), tally.compared, tally.agreed, tally.unexplained,
      seconds / static_cast<double>(tags.size()));
  for (const auto& [listed, where] : tally.known) {
    std::printf("known, %s, %zu:", listed.c_str(), where.size());
    for (const std::string& place : where) std::printf(" %s;", place.c_str());
    std::printf("\n");
  }
}

}  // namespace
}  // namespace winetest

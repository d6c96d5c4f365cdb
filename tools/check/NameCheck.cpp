// Names the launcher never reads: keys in the sections it reads that are
// probably typos, repeated keys and sections it ignores, and sections that
// look like its own but are not.
#include <algorithm>

#include "settings/ButtonTable.h"
#include "settings/Profile.h"
#include "tools/check/Checker.h"
#include "tools/check/KeyNames.h"
#include "tools/check/Texts.h"

namespace orvex::check {

namespace {

bool Known(const std::string& name, const std::vector<std::string>& names) {
  for (const std::string& known : names) {
    if (SameName(name, known)) return true;
  }
  return false;
}

// "BUTTON" and a number: a button section, known or not.
bool LooksLikeButtonSection(const std::string& name) {
  if (name.size() <= 6 || !SameName(name.substr(0, 6), "BUTTON")) return false;
  return name.find_first_not_of("0123456789", 6) == std::string::npos;
}

}  // namespace

void Checker::CheckNames(bool windowMode) {
  std::vector<std::string> readSections = {kDialogSection};
  if (windowMode) {
    for (int number = 1; number <= kButtonCount; ++number) {
      readSections.push_back(ButtonSectionName(number));
    }
  }
  std::vector<Finding> found;

  for (const std::string& section : readSections) {
    const bool dialog = section == kDialogSection;
    const std::vector<std::string>& keys = dialog ? DialogKeys() : ButtonKeys();
    const std::vector<std::string>& otherKeys = dialog ? ButtonKeys() : DialogKeys();
    for (const ProfileName& key : profile_->reader.Keys(section)) {
      if (key.name.empty() || key.name[0] == ';') continue;  // a comment
      const std::string where = "[" + section + "] " + key.name;
      if (Known(key.name, keys)) {
        const auto line = profile_->reader.KeyLine(section, key.name);
        if (line && *line != key.line) {
          found.push_back({key.line, Severity::Warning,
                           where + " is given again; the launcher reads only the first, on line " +
                               std::to_string(*line)});
        }
      } else if (Known(key.name, otherKeys)) {
        found.push_back({key.line, Severity::Warning,
                         where + " is never read: the launcher reads " + key.name + " only in " +
                             (dialog ? "[BUTTON1] to [BUTTON4]" : "[DIALOG]")});
      } else if (const auto nearest = NearestName(key.name, keys)) {
        found.push_back({key.line, Severity::Warning,
                         where + " is never read; did you mean " + *nearest + "?"});
      } else {
        found.push_back({key.line, Severity::Warning, where + " is never read by the launcher"});
      }
    }
  }

  for (const ProfileName& section : profile_->reader.Sections()) {
    const std::string where = "[" + section.name + "]";
    if (Known(section.name, KnownSections())) {
      const auto first = SectionLine(section.name);
      if (first && *first != section.line) {
        found.push_back({section.line, Severity::Warning,
                         where + " is given again; the launcher reads only the first, on line " +
                             std::to_string(*first)});
      }
    } else if (LooksLikeButtonSection(section.name)) {
      found.push_back({section.line, Severity::Warning,
                       where + " is never read: the launcher has four buttons, [BUTTON1] to "
                               "[BUTTON4]"});
    } else if (const auto nearest = NearestName(section.name, KnownSections())) {
      found.push_back({section.line, Severity::Warning,
                       where + " is never read; did you mean [" + *nearest + "]?"});
    }
  }

  std::stable_sort(found.begin(), found.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  for (Finding& finding : found) Add(finding.severity, finding.line, std::move(finding.text));
}

}  // namespace orvex::check

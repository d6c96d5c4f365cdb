#include "tools/check/MediumCheck.h"

#include <algorithm>

#include "platform/DeviceName.h"
#include "settings/Profile.h"
#include "tools/check/Checker.h"
#include "tools/check/KeyNames.h"
#include "tools/check/Texts.h"

namespace orvex::check {

// The profile's path in the user's own style: on Windows, "/" when that is
// what they wrote.
std::string DisplayPath(const std::string& folderAsGiven, std::string relative) {
  char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (folderAsGiven.find('/') != std::string::npos &&
      folderAsGiven.find('\\') == std::string::npos) {
    separator = '/';
  }
  std::replace(relative.begin(), relative.end(), '/', separator);
  if (folderAsGiven.empty()) return relative;
  const char last = folderAsGiven.back();
  if (last == '/' || last == '\\') return folderAsGiven + relative;
  return folderAsGiven + separator + relative;
}

namespace {

// Lines of the language profile are told apart from the profile's by this
// much, so that the checks pass them on as they are; Add names the file.
constexpr int kLanguageLines = 1 << 24;

bool EndsWithIni(const std::string& name) {
  return name.size() > 4 && SameName(name.substr(name.size() - 4), ".ini");
}

std::string StopText(const Ending& ending, bool stops) {
  if (ending.failure.empty()) {
    return "the launcher stops here, showing " + Quoted(ending.shows) +
           (stops ? ": " : ", if it gets this far: ");
  }
  return "the launcher stops here with " + Quoted(ending.failure) +
         (stops ? ": " : " if it gets this far: ");
}

}  // namespace

CheckReport CheckMedium(const CheckOptions& options) {
  CheckReport report = Checker(options).Run();
  if (options.language.empty()) AddLanguageReports(options, report);
  return report;
}

Checker::Checker(const CheckOptions& options)
    : options_(options), medium_(options.folder), platform_(medium_, options.executableName) {
  if (!options.language.empty()) platform_.SetLanguages({options.language});
}

CheckReport Checker::Run() {
  const std::string profileName = options_.executableName + ".ini";
  report_.profile =
      DisplayPath(options_.folderAsGiven, medium_.FindRelative(profileName).value_or(profileName));

  // The launcher's own start-up, as its entry point runs it.
  const RunOutcome start = Simulate(platform_, [&] { StartUp(platform_, state_); });
  profile_ = platform_.Loaded(state_.profilePath.profile);
  report_.language = state_.language;
  if (!state_.language.empty()) {
    language_ = platform_.Loaded(state_.profilePath.language);
    const std::string name = options_.executableName + "." + state_.language + ".ini";
    languageFile_ = DisplayPath(options_.folderAsGiven, medium_.FindRelative(name).value_or(name));
  }
  if (!profile_) {
    ReportMissingProfile(start);
    CheckFileNames();
    AuditPrograms();
    CheckLimits();
    return report_;
  }
  if (start.failure) {
    const std::string name = FailureName(start.failure->Kind());
    stop_ =
        Stop{start.lastRead.value_or(ProfileRead{}), {1, name, name}, DetailLine(*start.failure)};
  } else if (start.message) {
    stop_ = Stop{start.lastRead.value_or(ProfileRead{}),
                 {1, "", *start.message},
                 "the launcher's own message"};
  }

  CheckEncoding();
  const bool windowMode = CheckMode();
  if (windowMode) {
    CheckButtons();
    CheckColour();
    CheckPicture();
    CheckTitle();
    CheckStayOpen();
  } else {
    CheckHeadless();
  }
  CheckNames(windowMode);
  CheckFileNames();
  if (stop_ && !report_.startUpEnding) {
    // The checker's own look missed what the launcher meets: say what the
    // launcher says.
    const ProfileRead& read = stop_->read;
    AddEnding(read.section.empty() ? 1 : LineOf(read.section, read.key), read, stop_->ending,
              stop_->detail);
  }
  AuditPrograms();
  CheckLimits();
  return report_;
}

std::string Checker::ShownRoot() const {
  std::string shownRoot = options_.folderAsGiven;
  while (shownRoot.size() > 1 && (shownRoot.back() == '/' || shownRoot.back() == '\\')) {
    shownRoot.pop_back();
  }
  return shownRoot;
}

void Checker::CheckLimits() {
  if (!options_.limits) return;
  for (Finding& finding : CheckMediumLimits(options_.folder, ShownRoot(), *options_.limits)) {
    report_.findings.push_back(std::move(finding));
  }
}

void Checker::ReportMissingProfile(const RunOutcome& start) {
  const std::string message = start.message.value_or("");
  const Ending ending{1, "", message};
  report_.startUpEnding = ending;
  Add(Severity::Error, 1,
      StopText(ending, true) + "there is no " + options_.executableName +
          ".ini in the medium's root (the launcher, started from the "
          "medium in drive " +
          kMediumDrive + ", reads its profile from the current directory)");
  std::vector<std::string> others;
  std::error_code error;
  for (std::filesystem::directory_iterator it(medium_.Root(), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = Utf8FromPath(it->path().filename());
    if (EndsWithIni(name) && it->is_regular_file(error)) others.push_back(name);
  }
  std::sort(others.begin(), others.end());
  for (const std::string& name : others) {
    const std::string base = name.substr(0, name.size() - 4);
    Add(Severity::Note, 1,
        "there is " + name + ": a launcher named " + base +
            ".exe would read it (check it with "
            "--exe " +
            base + ")");
  }
}

void Checker::CheckFileNames() {
  std::vector<std::string> devices;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(medium_.Root(), error), end;
       !error && it != end; it.increment(error)) {
    if (NamesWindowsDevice(Utf8FromPath(it->path().filename()))) {
      const std::u8string relative =
          it->path().lexically_relative(medium_.Root()).generic_u8string();
      devices.emplace_back(relative.begin(), relative.end());
    }
  }
  std::sort(devices.begin(), devices.end());
  for (const std::string& name : devices) {
    Add(Severity::Error, 1, name + " on the medium is " + kDeviceNameRule + "; rename it");
  }
}

void Checker::CheckEncoding() {
  std::string how;
  switch (profile_->reader.Encoding()) {
    case ProfileEncoding::Utf16LeWithBom:
    case ProfileEncoding::Utf16BeWithBom: {
      const bool little = profile_->reader.Encoding() == ProfileEncoding::Utf16LeWithBom;
      report_.encoding = little ? "utf-16le" : "utf-16be";
      how = std::string("as UTF-16 (") + (little ? "little" : "big") +
            "-endian, with a byte-order mark), ";
      how += profile_->reading == ProfileReading::Utf16OddLength
                 ? "with its own reader, since the file has an odd number of bytes"
                 : "through Windows' profile API";
      break;
    }
    case ProfileEncoding::Utf8WithBom:
      report_.encoding = "utf-8-bom";
      how =
          "as UTF-8 with a byte-order mark, with its own reader (Windows' profile API would "
          "take the mark for part of the first line)";
      break;
    case ProfileEncoding::CodePage:
      if (profile_->reading == ProfileReading::Utf8) {
        report_.encoding = "utf-8";
        how =
            "as UTF-8 without a byte-order mark, with its own reader (Windows' profile API "
            "would read it in the ANSI code page and garble its non-ASCII letters)";
      } else if (std::all_of(profile_->bytes.begin(), profile_->bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        report_.encoding = "ascii";
        how = "as plain ASCII, through Windows' profile API";
      } else {
        report_.encoding = "windows-1252";
        how =
            "in the ANSI code page, through Windows' profile API: it is not UTF-8, so it is "
            "taken as Windows-1252, and a system with another ANSI code page shows other "
            "letters for its non-ASCII bytes";
      }
      break;
  }
  Add(Severity::Note, 1, "the launcher reads this profile " + how);
  if (profile_->reading == ProfileReading::Utf16OddLength) {
    Add(Severity::Warning, 1,
        "the UTF-16 profile ends in half a character: the launcher leaves its last byte out "
        "(Windows' profile API would read whatever follows the file in memory); save it again");
  }
}

bool Checker::CheckMode() {
  const std::optional<bool> show = CheckBoolean(
      kDialogSection, "Show", "it must be True (window mode) or False (headless mode)");
  const int line = LineOf(kDialogSection, "Show");
  if (!show) {
    // Check the rest as the author probably meant it.
    bool windowish = HasKey(kDialogSection, "Picture") || HasKey(kDialogSection, "BackColor");
    for (int number = 1; number <= kButtonCount; ++number) {
      windowish = windowish || SectionLine(ButtonSectionName(number)).has_value();
    }
    Add(Severity::Note, line,
        std::string("the mode is unknown until Show is fixed; the rest is checked as for ") +
            (windowish ? "window mode" : "headless mode"));
    return windowish;
  }
  const std::string value = Value(kDialogSection, "Show");
  if (*show) {
    report_.mode = "window";
    Add(Severity::Note, line, "window mode ([DIALOG] Show is " + Quoted(value) + ")");
  } else {
    report_.mode = "headless";
    Add(Severity::Note, line,
        "headless mode ([DIALOG] Show is " + Quoted(value) +
            "): the launcher runs DefaultAction (or opens DefaultOpen) and reads nothing else");
  }
  return *show;
}

std::optional<bool> Checker::CheckBoolean(const std::string& section, const std::string& key,
                                          const std::string& missingHint) {
  const std::string value = Value(section, key);
  try {
    return ParseBoolean(value);
  } catch (const Failure& failure) {
    std::string reason;
    if (!SectionLine(section)) {
      reason =
          "there is no [" + section + "] section, so " + key + " reads as empty; " + missingHint;
    } else if (!HasKey(section, key)) {
      reason = "[" + section + "] has no " + key + ", so it reads as empty; " + missingHint;
    } else {
      reason = "[" + section + "] " + key + ": " + DetailLine(failure);
    }
    AddFailure(LineOf(section, key), {section, key}, failure, reason);
    return std::nullopt;
  }
}

void Checker::Add(Severity severity, int line, std::string text) {
  if (line >= kLanguageLines) {
    report_.findings.push_back({line - kLanguageLines, severity, std::move(text), languageFile_});
  } else {
    report_.findings.push_back({line, severity, std::move(text)});
  }
}

void Checker::AddEnding(int line, const ProfileRead& about, Ending ending,
                        const std::string& reason) {
  ending.line = line % kLanguageLines;
  const bool stops =
      stop_ && SameName(about.section, stop_->read.section) && SameName(about.key, stop_->read.key);
  if (stops) report_.startUpEnding = ending;
  Add(Severity::Error, line, StopText(ending, stops) + reason);
}

void Checker::AddFailure(int line, const ProfileRead& about, const Failure& failure,
                         const std::string& reason) {
  const std::string name = FailureName(failure.Kind());
  AddEnding(line, about, {line, name, name}, reason);
}

std::optional<int> Checker::SectionLine(const std::string& section) const {
  for (const ProfileName& info : profile_->reader.Sections()) {
    if (SameName(info.name, section)) return info.line;
  }
  if (language_) {
    for (const ProfileName& info : language_->reader.Sections()) {
      if (SameName(info.name, section)) return kLanguageLines + info.line;
    }
  }
  return std::nullopt;
}

bool Checker::HasKey(const std::string& section, const std::string& key) const {
  return (language_ && language_->reader.KeyLine(section, key)) ||
         profile_->reader.KeyLine(section, key).has_value();
}

// The line of the value the launcher reads: the language profile's when it
// holds the key.
int Checker::LineOf(const std::string& section, const std::string& key) const {
  if (language_) {
    if (const auto line = language_->reader.KeyLine(section, key)) return kLanguageLines + *line;
  }
  if (const auto line = profile_->reader.KeyLine(section, key)) return *line;
  return SectionLine(section).value_or(1);
}

std::string Checker::Value(const std::string& section, const std::string& key) {
  return ReadProfileValue(platform_, state_.profilePath, section, key);
}

}  // namespace orvex::check

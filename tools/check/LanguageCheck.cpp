// The language profiles of a medium: each checked as its users get it (the
// launcher's own choice, with the parents of LanguageParents.h), and what
// the set of them lacks.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "settings/ButtonTable.h"
#include "settings/LanguageChoice.h"
#include "settings/Profile.h"
#include "settings/ProfileReader.h"
#include "tools/check/Checker.h"
#include "tools/check/FileBytes.h"
#include "tools/check/KeyNames.h"
#include "tools/check/LanguageParents.h"
#include "tools/check/MediumFolder.h"
#include "tools/check/Texts.h"

namespace orvex::check {

namespace {

struct LanguageFile {
  std::string language;  // as the file name writes it
  std::string name;      // the file's name
  std::string shown;     // its path as reports give it
  std::optional<ProfileReader> reader;
};

std::optional<ProfileReader> ReadProfile(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return ProfileReader::FromBytes(*bytes, DecodingFor(ChooseProfileReading(*bytes)));
}

// "<exe>.<language>.ini" in the medium's root, in name order.
std::vector<LanguageFile> FindLanguageFiles(const CheckOptions& options) {
  std::vector<LanguageFile> files;
  const std::string prefix = options.executableName + ".";
  std::error_code error;
  for (std::filesystem::directory_iterator it(options.folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = Utf8FromPath(it->path().filename());
    if (name.size() <= prefix.size() + 4 || !SameName(name.substr(0, prefix.size()), prefix) ||
        !SameName(name.substr(name.size() - 4), ".ini") || !it->is_regular_file(error)) {
      continue;
    }
    files.push_back({name.substr(prefix.size(), name.size() - prefix.size() - 4), name,
                     DisplayPath(options.folderAsGiven, name), ReadProfile(it->path())});
  }
  std::sort(files.begin(), files.end(),
            [](const LanguageFile& a, const LanguageFile& b) { return a.name < b.name; });
  return files;
}

bool HasFileFor(const std::vector<LanguageFile>& files, const std::string& language) {
  return std::any_of(files.begin(), files.end(),
                     [&](const LanguageFile& file) { return SameName(file.language, language); });
}

bool SameFinding(const Finding& a, const Finding& b) {
  return a.line == b.line && a.severity == b.severity && a.text == b.text && a.file == b.file;
}

// The caption keys the window shows: the title, and each shown button's.
std::vector<std::pair<std::string, std::string>> ShownCaptions(const ProfileReader& profile) {
  std::vector<std::pair<std::string, std::string>> captions{{kDialogSection, "Caption"}};
  for (int number = 1; number <= kButtonCount; ++number) {
    const std::string section = ButtonSectionName(number);
    try {
      if (ParseBoolean(profile.Read(section, "Show", "", 255).value)) {
        captions.push_back({section, "Caption"});
      }
    } catch (const Failure&) {
      // The profile's own report says so.
    }
  }
  return captions;
}

void WarnAboutKeys(const LanguageFile& file, const ProfileReader& profile, CheckReport& report) {
  for (const ProfileName& section : file.reader->Sections()) {
    for (const ProfileName& key : file.reader->Keys(section.name)) {
      if (key.name.empty() || key.name[0] == ';' || profile.KeyLine(section.name, key.name)) {
        continue;
      }
      report.findings.push_back(
          {key.line, Severity::Warning,
           "[" + section.name + "] " + key.name + " is not in the profile's [" + section.name +
               "]: a typo, or a translation of a value the profile no longer has?",
           file.shown});
    }
  }
}

void WarnAboutUntranslated(const std::vector<LanguageFile>& files, const LanguageFile& file,
                           const ProfileReader& profile, CheckReport& report) {
  for (const auto& [section, key] : ShownCaptions(profile)) {
    if (file.reader->KeyLine(section, key)) continue;
    for (const LanguageFile& other : files) {
      if (other.reader && &other != &file && IsLanguageName(other.language) &&
          other.reader->KeyLine(section, key)) {
        report.findings.push_back({1, Severity::Warning,
                                   "[" + section + "] " + key + " is left untranslated (" +
                                       other.name + " translates it): its users see the " +
                                       "profile's text",
                                   file.shown});
        break;
      }
    }
  }
}

// A profile for a region (de-DE, zh-TW, sr-Latn-RS) with none for what it
// falls back to: the language's other users get the profile's text.
void WarnAboutRegionOnly(const CheckOptions& options, const std::vector<LanguageFile>& files,
                         const LanguageFile& file, CheckReport& report) {
  const std::string region = file.language.substr(file.language.rfind('-') + 1);
  const std::string parent = LanguageParent(file.language);
  if (parent.empty() || region.size() == 4) return;  // a language, or a script
  for (std::string up = parent; !up.empty(); up = LanguageParent(up)) {
    if (HasFileFor(files, up)) return;
  }
  const std::string rename = options.executableName + "." + parent + ".ini";
  report.findings.push_back({1, Severity::Warning,
                             "there is no " + rename + ": users of " + parent + " outside " +
                                 file.language + " get the profile's text; name this file " +
                                 rename + " unless it is for " + file.language + " alone",
                             file.shown});
}

}  // namespace

void AddLanguageReports(const CheckOptions& options, CheckReport& report) {
  const std::vector<LanguageFile> files = FindLanguageFiles(options);
  const auto profilePath = options.folder / PathFromUtf8(options.executableName + ".ini");
  const std::optional<ProfileReader> profile = ReadProfile(profilePath);
  if (files.empty() || !profile) return;

  std::vector<std::string> served;
  for (const LanguageFile& file : files) {
    if (!IsLanguageName(file.language)) {
      report.findings.push_back(
          {1, Severity::Warning,
           Quoted(file.language) +
               " is not a language name as Windows writes it (like de, pt-BR or zh-Hans), so "
               "the launcher never reads " +
               file.name,
           file.shown});
      continue;
    }
    served.push_back(file.language);
    CheckOptions asUser = options;
    asUser.language = file.language;
    CheckReport language = Checker(asUser).Run();
    // What the profile alone already shows is said once, above.
    std::erase_if(language.findings, [&](const Finding& finding) {
      return std::any_of(report.findings.begin(), report.findings.end(),
                         [&](const Finding& said) { return SameFinding(finding, said); });
    });
    if (file.reader) {
      WarnAboutKeys(file, *profile, language);
      WarnAboutUntranslated(files, file, *profile, language);
    }
    WarnAboutRegionOnly(options, files, file, language);
    report.languages.push_back(std::move(language));
  }
  if (served.empty()) return;
  std::string list;
  for (const std::string& language : served) list += (list.empty() ? "" : ", ") + language;
  report.findings.push_back({1, Severity::Note,
                             "the medium serves these languages with language profiles: " + list +
                                 "; every other language gets the profile alone"});
}

}  // namespace orvex::check

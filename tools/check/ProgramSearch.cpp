#include "tools/check/ProgramSearch.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/StartPolicy.h"
#include "tools/check/FileBytes.h"
#include "tools/check/ProgramFile.h"
#include "tools/check/Texts.h"

namespace orvex::check {

namespace {

// Programs that Windows keeps in its system folders (System32 or the
// Windows folder), where the launcher's search reaches them. Only real
// executables: "start" is a command of cmd, and WordPad lives outside the
// search path.
constexpr std::array<std::string_view, 10> kSystemPrograms = {
    "cmd",     "control", "explorer", "hh",       "msiexec",
    "mspaint", "notepad", "regedit",  "rundll32", "write",
};

constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".com", ".bat", ".cmd"};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view FileNameOf(std::string_view path) {
  const auto cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// A name without extension is taken as an executable.
std::string WithExtension(std::string_view name) {
  if (FileNameOf(name).find('.') == std::string_view::npos) return std::string(name) + ".exe";
  return std::string(name);
}

bool IsProgramFile(std::string_view name) {
  const std::string lower = Lower(FileNameOf(name));
  for (const std::string_view extension : kProgramExtensions) {
    if (lower.ends_with(extension)) return true;
  }
  return false;
}

bool IsSystemProgram(std::string_view name) {
  std::string lower = Lower(name);
  if (lower.ends_with(".exe")) lower.resize(lower.size() - 4);
  for (const std::string_view program : kSystemPrograms) {
    if (lower == program) return true;
  }
  return false;
}

std::optional<std::string> ProgramFault(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  const auto head = ReadFileBytes(file, kProgramHeadSize);
  if (error || !head) return "the checker cannot read it";
  return WhyNotRunnable(Utf8FromPath(file.filename()), *head, size);
}

// One candidate name for the program, searched as CreateProcess searches.
std::optional<ProgramSearch> Search(const MediumFolder& medium, const std::string& name) {
  if (PlaceOf(name) == PathPlace::OtherDrive) {
    return ProgramSearch{ProgramPlace::OutsideMedium, name, "", ""};
  }
  const std::string file = WithExtension(name);
  // Without a folder: the launcher's folder, then the current directory,
  // both the medium's root here, then the system folders.
  if (const auto found = medium.FindRelative(file)) {
    const auto why = ProgramFault(medium.Root() / PathFromUtf8(*found));
    if (!why) return ProgramSearch{ProgramPlace::OnMedium, name, *found, ""};
    if (!IsProgramFile(*found)) return ProgramSearch{ProgramPlace::NotAProgram, name, *found, ""};
    return ProgramSearch{ProgramPlace::NotRunnable, name, *found, *why};
  }
  const bool hasFolder =
      std::any_of(name.begin(), name.end(), IsSeparator) || PlaceOf(name) != PathPlace::Medium;
  if (!hasFolder && IsSystemProgram(file))
    return ProgramSearch{ProgramPlace::SystemProgram, name, "", ""};
  return std::nullopt;
}

}  // namespace

ProgramSearch FindProgram(const MediumFolder& medium, const std::string& commandLine) {
  const SplitCommand split = SplitCommandLine(commandLine);
  if (split.program.empty()) return {ProgramPlace::Blank, "", "", ""};

  std::vector<std::string> candidates;
  if (commandLine.front() == '"') {
    const auto close = commandLine.find('"', 1);
    if (close == std::string::npos) {
      return {ProgramPlace::Missing, split.program, "",
              "the double quote before the program's name is never closed: Wine's process start "
              "then looks for a name that begins with the quote and finds none; Windows takes "
              "the rest of the line, arguments included, as the name"};
    }
    candidates.push_back(commandLine.substr(1, close - 1));
  } else {
    // Unquoted, a name may hold blanks: each longer prefix that ends at a
    // blank is tried in turn, as CreateProcess does. Blanks before the
    // name are part of it.
    for (auto blank = commandLine.find_first_of(" \t");;
         blank = commandLine.find_first_of(" \t", blank + 1)) {
      const std::string candidate = commandLine.substr(0, blank);
      if (!candidate.empty() && candidate.find_last_not_of(" \t") + 1 == candidate.size()) {
        candidates.push_back(candidate);
      }
      if (blank == std::string::npos) break;
    }
  }
  for (const std::string& candidate : candidates) {
    if (auto found = Search(medium, candidate)) return *found;
  }
  if (commandLine.front() == ' ' || commandLine.front() == '\t') {
    // Never without candidates: the line holds more than blanks.
    return {ProgramPlace::Missing, candidates.front(), "",
            "the command line begins with a blank, which the process start takes as the "
            "beginning of the program's name: it looks for a file " +
                Quoted(candidates.front()) + ", not " + Quoted(split.program)};
  }
  return {ProgramPlace::Missing, split.program, "", ""};
}

}  // namespace orvex::check

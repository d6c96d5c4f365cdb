#include "tools/check/MediumFolder.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/DeviceName.h"
#include "settings/TextEncoding.h"
#include "tools/check/SystemCase.h"

namespace orvex::check {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool IsMediumDrive(std::string_view path) {
  return HasDriveLetter(path) && (path[0] & ~0x20) == kMediumDrive[0];
}

bool DropsTrailing(char c) { return c == '.' || c == ' '; }

// The names below the medium's root that Windows' full-path normalisation
// makes of path, the current directory being the root: "." and ".."
// resolved (".." stays at the root), one dot dropped from the end of a
// folder's name ("img.\" is "img\", "img..\" is "img.\") and every dot
// and blank from the end of the last name, whichever that is then. Nothing
// when the path leaves the medium or cannot name a file.
std::optional<std::vector<std::string>> NamesBelowRoot(std::string_view path) {
  if (HasDriveLetter(path)) {
    if (!IsMediumDrive(path)) return std::nullopt;
    path.remove_prefix(2);
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return std::nullopt;  // a share
  }
  if (path.empty() || IsSeparator(path.back())) return std::nullopt;
  std::vector<std::string> names;
  std::size_t at = 0;
  while (at <= path.size()) {
    const auto end = std::find_if(path.begin() + static_cast<long>(at), path.end(), IsSeparator);
    std::string name(path.begin() + static_cast<long>(at), end);
    at = static_cast<std::size_t>(end - path.begin()) + 1;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      if (end != path.end() && name.back() == '.') name.pop_back();
      // "...\" became "..", a name no file can have.
      if (name == "..") return std::nullopt;
      names.push_back(name);
    }
  }
  if (names.empty()) return std::nullopt;
  std::string& last = names.back();
  while (!last.empty() && DropsTrailing(last.back())) last.pop_back();
  if (last.empty()) return std::nullopt;
  return names;
}

// The entry of folder named like name, exact spelling first, then in any
// letter case the file system folds together (the first in sorted order, so
// that the answer never depends on the order the system lists them in).
std::optional<std::filesystem::path> Entry(const std::filesystem::path& folder,
                                           const std::string& name) {
  std::error_code error;
  const std::filesystem::path exact = folder / PathFromUtf8(name);
  // Windows' file functions would drop a dot or blank at the end again.
  if (!DropsTrailing(name.back()) && std::filesystem::exists(exact, error)) return exact;
  const std::u16string wanted = DecodeUtf8(name);
  std::vector<std::filesystem::path> matches;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::filesystem::path found = it->path();
    if (FileNamesEqual(DecodeUtf8(Utf8FromPath(found.filename())), wanted)) {
      matches.push_back(found);
    }
  }
  if (matches.empty()) return std::nullopt;
  return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

PathPlace PlaceOf(std::string_view windowsPath) {
  if (IsMediumDrive(windowsPath)) return PathPlace::MediumDrive;
  if (HasDriveLetter(windowsPath)) return PathPlace::OtherDrive;
  if (windowsPath.size() >= 2 && IsSeparator(windowsPath[0]) && IsSeparator(windowsPath[1])) {
    return PathPlace::OtherDrive;
  }
  return PathPlace::Medium;
}

std::optional<std::filesystem::path> MediumFolder::Locate(std::string_view windowsPath) const {
  if (NamesWindowsDevice(windowsPath)) return std::nullopt;
  const auto names = NamesBelowRoot(windowsPath);
  if (!names) return std::nullopt;
  std::filesystem::path at = root_;
  for (const std::string& name : *names) {
    const auto entry = Entry(at, name);
    if (!entry) return std::nullopt;
    at = *entry;
  }
  return at;
}

std::optional<std::filesystem::path> MediumFolder::Find(std::string_view windowsPath) const {
  const auto found = Locate(windowsPath);
  std::error_code error;
  if (!found || !std::filesystem::is_regular_file(*found, error)) return std::nullopt;
  return found;
}

bool MediumFolder::Contains(std::string_view windowsPath) const {
  // "docs\" names the folder docs, and only a folder.
  std::string_view trimmed = windowsPath;
  while (!trimmed.empty() && IsSeparator(trimmed.back())) trimmed.remove_suffix(1);
  if (trimmed.size() == windowsPath.size()) return Locate(windowsPath).has_value();
  const auto found = Locate(trimmed);
  std::error_code error;
  return found && std::filesystem::is_directory(*found, error);
}

std::optional<std::string> MediumFolder::FindRelative(std::string_view windowsPath) const {
  const auto found = Find(windowsPath);
  if (!found) return std::nullopt;
  const std::u8string relative = found->lexically_relative(root_).generic_u8string();
  return std::string(relative.begin(), relative.end());
}

}  // namespace orvex::check

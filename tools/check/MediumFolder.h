// The folder that stands for a medium's root, and the files in it found the
// way Windows finds them: "\" or "/" between names, letter case ignored.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvex::check {

// Paths in UTF-8, whatever the host's own encoding of file names.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// Where a path from the profile points, seen from the medium's root as the
// current directory.
enum class PathPlace {
  Medium,       // relative, or from the root of the current drive
  OtherDrive,   // names a drive letter other than the medium's, or a share
  MediumDrive,  // names the drive letter the checker takes the medium to be in
};

// The drive the checker takes the medium to be in; the launcher's own
// current directory path is this letter's root.
inline constexpr char kMediumDrive[] = "D:";

PathPlace PlaceOf(std::string_view windowsPath);

class MediumFolder {
 public:
  explicit MediumFolder(std::filesystem::path root) : root_(std::move(root)) {}

  const std::filesystem::path& Root() const { return root_; }

  // The existing regular file that windowsPath names on the medium, with the
  // names as they are on disk; nothing for a missing file, a folder, or a
  // path that leaves the medium, and for a Windows device name, which no
  // file on the medium can have.
  std::optional<std::filesystem::path> Find(std::string_view windowsPath) const;
  // Whether windowsPath names an existing file or folder on the medium (the
  // root included).
  bool Contains(std::string_view windowsPath) const;
  // The same as Find, as the path below the root with the names as they are on disk
  // and "/" between them ("pics/Splash.bmp").
  std::optional<std::string> FindRelative(std::string_view windowsPath) const;

 private:
  // The existing entry that windowsPath names, file or folder.
  std::optional<std::filesystem::path> Locate(std::string_view windowsPath) const;

  std::filesystem::path root_;
};

}  // namespace orvex::check

#include "tools/check/MediumLimits.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "settings/TextEncoding.h"
#include "tools/check/MediumFolder.h"
#include "tools/check/SystemCase.h"

namespace orvex::check {

namespace {

// As the file system compares names: each unit upper-cased.
std::u16string FoldedName(const std::string& utf8) {
  std::u16string name = DecodeUtf8(utf8);
  for (char16_t& unit : name) unit = FileNameUpperCase(unit);
  return name;
}

constexpr std::size_t kJolietNameUnits = 64;
constexpr std::size_t kJolietPathUnits = 240;
constexpr int kIsoDirectoryLevels = 8;  // the root is the first
constexpr std::uint64_t kSector = 2048;
constexpr std::uint64_t kLargeFile = std::uint64_t{4} << 30;
// Volume descriptors, path tables and directories of a small image.
constexpr std::uint64_t kImageOverhead = 64 * kSector;

std::size_t Utf16Units(const std::string& utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;  // a character's first byte
    if (byte >= 0xF0) ++units;           // beyond the BMP: a surrogate pair
  }
  return units;
}

struct Walk {
  const std::string& shownRoot;
  const MediumLimits& limits;
  std::vector<Finding> found;
  std::uint64_t bytes = kImageOverhead;

  void Error(const std::string& relative, std::string text) {
    found.push_back({0, Severity::Error, std::move(text), shownRoot + "/" + relative});
  }

  void Folder(const std::filesystem::path& folder, const std::string& relative, int level) {
    std::map<std::u16string, std::string> byFoldedName;
    std::error_code error;
    // In name order, so that findings come in the same order on every system.
    std::vector<std::filesystem::directory_entry> entries;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end());
    for (const std::filesystem::directory_entry& entry : entries) {
      const std::string name = Utf8FromPath(entry.path().filename());
      const std::string path = relative.empty() ? name : relative + "/" + name;
      const auto [other, added] = byFoldedName.emplace(FoldedName(name), name);
      if (!added) {
        Error(path, "the name differs from " + other->second +
                        " only in letter case: Windows sees one name, so one of them cannot be "
                        "reached");
      }
      if (Utf16Units(name) > kJolietNameUnits) {
        Error(path, "the name has " + std::to_string(Utf16Units(name)) +
                        " characters; Joliet names hold at most " +
                        std::to_string(kJolietNameUnits));
      }
      if (Utf16Units(path) > kJolietPathUnits) {
        Error(path, "the path has " + std::to_string(Utf16Units(path)) +
                        " characters; Joliet paths hold at most " +
                        std::to_string(kJolietPathUnits));
      }
      if (entry.is_directory(error)) {
        if (level + 1 > kIsoDirectoryLevels) {
          Error(path, "the folder lies " + std::to_string(level + 1) +
                          " levels deep; ISO 9660 holds at most " +
                          std::to_string(kIsoDirectoryLevels) + ", the root included");
        } else {
          Folder(entry.path(), path, level + 1);
        }
        bytes += kSector;
      } else if (entry.is_regular_file(error)) {
        const std::uint64_t size = entry.file_size(error);
        if (error) continue;
        if (size >= kLargeFile && !limits.largeFiles) {
          Error(path, "the file has " + std::to_string(size) +
                          " bytes; files of 4 GiB and more need ISO level 3 "
                          "(autorun-medium --iso-level 3)");
        }
        bytes += (size + kSector - 1) / kSector * kSector;
      }
    }
  }
};

}  // namespace

std::optional<MediumKind> FindMediumKind(std::string_view name) {
  for (const MediumKind& kind : kMediumKinds) {
    if (kind.name == name) return kind;
  }
  return std::nullopt;
}

std::vector<Finding> CheckMediumLimits(const std::filesystem::path& root,
                                       const std::string& shownRoot, const MediumLimits& limits) {
  Walk walk{shownRoot, limits, {}};
  walk.Folder(root, "", 1);
  if (limits.medium.bytes != 0 && walk.bytes > limits.medium.bytes) {
    walk.found.push_back({0, Severity::Error,
                          "the files take about " + std::to_string(walk.bytes) + " bytes; a " +
                              std::string(limits.medium.name) + " holds " +
                              std::to_string(limits.medium.bytes),
                          shownRoot});
  }
  return walk.found;
}

}  // namespace orvex::check

// What the image autorun-medium writes can hold: names and paths in ISO 9660
// with Joliet names, file sizes, and the capacity of the media it goes on.
// autorun-medium refuses what these find; the checker reports it earlier.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/check/Report.h"

namespace orvex::check {

struct MediumKind {
  std::string_view name;
  std::uint64_t bytes;  // 0: no fixed size (a USB stick)
};

// Smallest first.
inline constexpr MediumKind kMediumKinds[] = {
    {"cd", 737'280'000},        // 80 minutes, 360000 sectors
    {"dvd", 4'700'372'992},     // single layer
    {"dvd-dl", 8'543'666'176},  // dual layer
    {"bd", 25'025'314'816},     // single layer
    {"usb", 0},
};

std::optional<MediumKind> FindMediumKind(std::string_view name);

struct MediumLimits {
  MediumKind medium;
  bool largeFiles = false;  // ISO level 3: files of 4 GiB and more
};

// One error per name, path or file the image cannot hold, and one for a
// medium too small; files are named as shownRoot followed by their path.
std::vector<Finding> CheckMediumLimits(const std::filesystem::path& root,
                                       const std::string& shownRoot, const MediumLimits& limits);

}  // namespace orvex::check

// Checks a medium folder: runs the launcher's own start-up on it to see
// what it would do and where it would stop, then checks every value of the
// profile on its own, so that all problems are found at once.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tools/check/MediumLimits.h"
#include "tools/check/Report.h"

namespace orvex::check {

struct CheckOptions {
  std::filesystem::path folder;
  // The folder as the user wrote it; the profile is named after it.
  std::string folderAsGiven;
  // The launcher's executable name without ".exe"; the profile is NAME.ini.
  std::string executableName = "autorun";
  // What the image must hold (--media); nothing: not checked.
  std::optional<MediumLimits> limits;
  // Audit the signatures of every Windows program on the medium, not only
  // those the profile starts.
  bool allFiles = false;
  // The roots osslsigncode trusts instead of the system's; empty: the system's.
  std::string caFile;
  // Check as a user of this display language sees the medium; empty: the
  // profile alone and then each language profile of the medium.
  std::string language;
};

CheckReport CheckMedium(const CheckOptions& options);

}  // namespace orvex::check

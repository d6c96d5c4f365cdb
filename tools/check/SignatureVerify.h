// A second opinion on a signature from osslsigncode, where it is installed:
// does the signature match the file, and does its chain lead to a trusted
// root?
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvex::check {

struct VerifyVerdict {
  bool signed_ = false;
  bool timestamped = false;
  bool verifies = false;
  std::string reason;  // why it does not verify
};

// Nothing when osslsigncode cannot be run. caFile: the roots to trust
// instead of the system's; empty for the system's.
std::optional<VerifyVerdict> VerifyWithOsslsigncode(const std::filesystem::path& file,
                                                    const std::string& caFile);

}  // namespace orvex::check

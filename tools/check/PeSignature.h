// The checker's own reading of a Windows program's Authenticode signature:
// whether the file is a program at all, whether it carries a signature, a
// timestamp, and when the signing certificates expire. Damaged files give a
// problem, never a crash or a read beyond the bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvex::check {

enum class PeSigning { Damaged, Unsigned, Signed };

struct PeSignature {
  PeSigning signing = PeSigning::Damaged;
  std::string problem = {};  // why a file is taken as damaged
  bool timestamped = false;
  // The earliest expiry of the certificates in the signature, "YYYY-MM-DD".
  std::optional<std::string> certificatesEnd = {};
};

PeSignature ReadPeSignature(std::string_view bytes);

}  // namespace orvex::check

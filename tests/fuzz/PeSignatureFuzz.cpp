// The checker's reading of a program's signature: any bytes give a verdict,
// a damaged file always says why, and an expiry date is always a date.
#include <cstdint>
#include <string_view>

#include "tests/fuzz/FuzzCheck.h"
#include "tools/check/PeSignature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvex;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const check::PeSignature signature = check::ReadPeSignature(bytes);
  fuzz::Check(signature.signing != check::PeSigning::Damaged || !signature.problem.empty(),
              "a damaged file says why", bytes);
  fuzz::Check(signature.signing == check::PeSigning::Signed || !signature.timestamped,
              "only a signature has a timestamp", bytes);
  if (signature.certificatesEnd) {
    const std::string& date = *signature.certificatesEnd;
    fuzz::Check(date.size() == 10 && date[4] == '-' && date[7] == '-', "the expiry is a date",
                bytes);
  }
  return 0;
}

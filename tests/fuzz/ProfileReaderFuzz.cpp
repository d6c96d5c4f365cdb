// The portable profile reader: any bytes give an answer, a value is never
// longer than the capacity allows, and line ends do not matter: a profile
// and the same profile with CRLF line ends give the same answers.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "settings/ProfileReader.h"

namespace {

using orvex::ProfileDecoding;
using orvex::ProfileReader;
using namespace orvex::fuzz;

// Every bare LF becomes CRLF; CR and CRLF stay as they are.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

bool StartsUtf16(const std::string& bytes) {
  return bytes.size() >= 2 &&
         ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

// The lookups made: the launcher's "DIALOG" keys, and the first few keys of
// the first few sections in the file (every lookup searches the profile, so
// asking for all of them would make a large input slow to check).
constexpr std::size_t kAskedFromFile = 6;

std::vector<std::pair<std::string, std::string>> Lookups(const ProfileReader& reader) {
  std::vector<std::pair<std::string, std::string>> lookups;
  for (const char* key : {"Show", "DefaultAction", "BackColor", "Picture", "Caption", "Action"}) {
    lookups.emplace_back("DIALOG", key);
  }
  const auto sections = reader.Sections();
  for (std::size_t s = 0; s < sections.size() && s < kAskedFromFile; ++s) {
    const auto keys = reader.Keys(sections[s].name);
    for (std::size_t k = 0; k < keys.size() && k < kAskedFromFile; ++k) {
      lookups.emplace_back(sections[s].name, keys[k].name);
    }
  }
  return lookups;
}

void CheckDecoding(const std::string& bytes, const ProfileDecoding& decoding) {
  const ProfileReader lf = ProfileReader::FromBytes(bytes, decoding);
  const ProfileReader crlf = ProfileReader::FromBytes(WithCrLf(bytes), decoding);

  const auto sections = lf.Sections();
  const auto crlfSections = crlf.Sections();
  Check(sections.size() == crlfSections.size(), "CRLF: the same number of sections", bytes);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    Check(sections[i].name == crlfSections[i].name && sections[i].line == crlfSections[i].line,
          "CRLF: the same sections on the same lines", bytes);
    if (i >= kAskedFromFile) continue;
    const auto keys = lf.Keys(sections[i].name);
    const auto crlfKeys = crlf.Keys(sections[i].name);
    Check(keys.size() == crlfKeys.size(), "CRLF: the same number of keys", bytes);
    for (std::size_t k = 0; k < keys.size(); ++k) {
      Check(keys[k].name == crlfKeys[k].name && keys[k].line == crlfKeys[k].line,
            "CRLF: the same keys on the same lines", bytes);
    }
  }
  for (const auto& [section, key] : Lookups(lf)) {
    for (std::size_t capacity : {std::size_t{255}, std::size_t{3}}) {
      const auto answer = lf.Read(section, key, "fallback ", capacity);
      const auto crlfAnswer = crlf.Read(section, key, "fallback ", capacity);
      Check(answer.value == crlfAnswer.value && answer.stored == crlfAnswer.stored &&
                answer.fromProfile == crlfAnswer.fromProfile,
            "CRLF: the same answer for every key", bytes);
      Check(answer.stored < capacity, "a value fits the capacity with its terminator", bytes);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // Inserting CR bytes would break UTF-16 text; those are decoded whole.
  if (StartsUtf16(bytes)) {
    ProfileReader::FromBytes(bytes).Read("DIALOG", "Show", "", 255);
    return 0;
  }
  CheckDecoding(bytes, orvex::kSystemApiDecoding);
  CheckDecoding(bytes, orvex::kUtf8Decoding);
  return 0;
}

#include "tools/check/KeyNames.h"

#include <algorithm>

#include "settings/LetterCase.h"
#include "settings/TextEncoding.h"

namespace orvex::check {

namespace {

std::u16string Folded(std::string_view name) {
  std::u16string text = DecodeUtf8(name);
  for (char16_t& unit : text) unit = UpperCaseForNames(unit);
  return text;
}

// Edits between a and b, a swap of neighbours counting as one.
std::size_t EditDistance(const std::u16string& a, const std::u16string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// Other names of the architectures, which the launcher does not take: the
// key with the launcher's name for it is the one meant.
std::optional<std::string> ArchitectureMeant(std::string_view name,
                                             const std::vector<std::string>& known) {
  static const std::pair<const char*, const char*> kAliases[] = {
      {"amd64", "x64"}, {"x86_64", "x64"}, {"x86-64", "x64"},    {"win64", "x64"}, {"i386", "x86"},
      {"i686", "x86"},  {"win32", "x86"},  {"aarch64", "arm64"}, {"arm", "arm64"},
  };
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  for (const auto& [alias, architecture] : kAliases) {
    if (!SameName(name.substr(dot + 1), alias)) continue;
    const std::string meant = std::string(name.substr(0, dot + 1)) + architecture;
    for (const std::string& candidate : known) {
      if (SameName(candidate, meant)) return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace

const std::vector<std::string>& DialogKeys() {
  static const std::vector<std::string> keys = {"Show",
                                                "DefaultAction",
                                                "BackColor",
                                                "Picture",
                                                "Caption",
                                                "DefaultOpen",
                                                "DefaultAction.x86",
                                                "DefaultAction.x64",
                                                "DefaultAction.arm64",
                                                "StayOpen"};
  return keys;
}

const std::vector<std::string>& ButtonKeys() {
  static const std::vector<std::string> keys = {"Show",
                                                "Caption",
                                                "Action",
                                                "Open",
                                                "Action.x86",
                                                "Action.x64",
                                                "Action.arm64",
                                                "Installed",
                                                "InstalledCaption",
                                                "InstalledAction",
                                                "InstalledOpen",
                                                "InstalledShow"};
  return keys;
}

const std::vector<std::string>& KnownSections() {
  static const std::vector<std::string> sections = {"DIALOG", "BUTTON1", "BUTTON2", "BUTTON3",
                                                    "BUTTON4"};
  return sections;
}

bool SameName(std::string_view a, std::string_view b) {
  return NamesEqual(DecodeUtf8(a), DecodeUtf8(b));
}

std::optional<std::string> NearestName(std::string_view name,
                                       const std::vector<std::string>& known) {
  if (auto meant = ArchitectureMeant(name, known)) return meant;
  const std::u16string folded = Folded(name);
  std::optional<std::string> nearest;
  std::size_t best = 0;
  for (const std::string& candidate : known) {
    const std::size_t distance = EditDistance(folded, Folded(candidate));
    if (!nearest || distance < best) {
      nearest = candidate;
      best = distance;
    }
  }
  // Two edits in a long name, one in a short one: further than that it is
  // more likely a key of the author's own than a slip.
  if (!nearest || best == 0) return std::nullopt;
  const std::size_t allowed = std::min(folded.size(), Folded(*nearest).size()) >= 6 ? 2 : 1;
  if (best > allowed) return std::nullopt;
  return nearest;
}

}  // namespace orvex::check

// A profile (INI file) read the way Windows' profile API reads it, on any
// platform. Holds the whole profile, parsed once; answers lookups like
// GetPrivateProfileStringW.
//
// The rules are those of GetPrivateProfileStringW under Wine, which the
// differential test in tests/profiles/ checks, except where Windows is known
// to differ (letter case beyond ASCII, the UTF-8 BOM); there Windows counts.
// - Lines end at CR, LF or CRLF. Blanks (space, tab, VT, FF and Ctrl-Z) are
//   dropped at both ends of a line, around the "=" and around a section
//   name in brackets. Blank lines are skipped.
// - A line starting with "[" and holding a "]" starts a section named by the
//   text up to the last "]"; what follows that "]" is ignored. A "[" line
//   without "]" is an ordinary line.
// - Any other line is an entry: the name before the first "=" and the value
//   after it. A line without "=" is an entry without a value: looking it up
//   gives the fallback, and it hides a later key of the same name. Comment
//   lines (";") are entries too, named with their ";", so a plain key name
//   never meets them.
// - Entries before the first section header belong to a section named "",
//   which comes before any "[]".
// - Section and key names match without regard to letter case, beyond ASCII
//   as Windows does (UpperCaseForNames; Wine 8 folds ASCII letters only);
//   the names asked for lose their blanks at both ends. The first section of
//   a name counts, and within it the first entry.
// - A NUL character ends the name or value it stands in.
// - A value that starts and ends with the same quote (" or ') loses both.
// - Capacity counts UTF-16 code units, like the API's buffer: a value is cut
//   to capacity - 1 units (capacity 0 gives nothing). A quoted value whose
//   text without quotes is exactly capacity - 1 units long loses one more
//   unit, as Wine's API does. A surrogate pair cut in half becomes U+FFFD
//   in the UTF-8 answer.
// - The fallback loses its trailing spaces (but not its first character) and
//   is then stored like a value.
// How the bytes become text: settings/ProfileText.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProfileText.h"

namespace orvex {

struct ProfileAnswer {
  std::string value;         // UTF-8
  std::size_t stored = 0;    // UTF-16 code units stored, as the API returns
  bool fromProfile = false;  // false: the fallback was given
};

// A section or key name and the line it stands on.
struct ProfileName {
  std::string name;
  int line = 0;  // 1-based
};

class ProfileReader {
 public:
  // Decoded by DecodeProfileBytes.
  static ProfileReader FromBytes(std::string_view bytes, ProfileDecoding decoding = {});

  ProfileEncoding Encoding() const { return encoding_; }

  // What GetPrivateProfileStringW(section, key, fallback, buffer, capacity)
  // stores.
  ProfileAnswer Read(std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t capacity) const;

  // Every section header, duplicates included, in file order.
  std::vector<ProfileName> Sections() const;
  // The keys (entries with "=") of the section that lookups use, in file
  // order, duplicates and ";" names included.
  std::vector<ProfileName> Keys(std::string_view section) const;
  // The line of the entry that answers a lookup of key in section, if any
  // does (an entry without "=" answers with the fallback).
  std::optional<int> KeyLine(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::u16string name;
    std::optional<std::u16string> value;  // none: the line has no "="
    int line = 0;
  };
  struct Section {
    std::u16string name;
    int line = 0;  // 0 for the nameless section before the first header
    std::vector<Entry> entries;
  };

  void Parse(std::u16string_view text);
  const Section* FindSection(std::string_view name) const;
  const Entry* FindEntry(std::string_view section, std::string_view key) const;

  ProfileEncoding encoding_ = ProfileEncoding::CodePage;
  std::vector<Section> sections_;
};

}  // namespace orvex

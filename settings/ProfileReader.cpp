#include "settings/ProfileReader.h"

#include <algorithm>

#include "settings/LetterCase.h"

namespace orvex {

namespace {

// The blanks of the system's profile API: Ctrl-Z counts (old media end their
// files with it); no-break spaces and other Unicode spaces do not.
bool IsProfileBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\v' || unit == u'\f' || unit == u'\r' ||
         unit == u'\n' || unit == 0x1A;
}

std::u16string_view TrimStart(std::u16string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view TrimEnd(std::u16string_view text) {
  while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string_view Trim(std::u16string_view text) { return TrimEnd(TrimStart(text)); }

// The API works with NUL-terminated strings: a NUL ends what it stands in.
std::u16string_view CutAtNul(std::u16string_view text) {
  return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

// A name as the caller asks for it: UTF-16, without blanks at the ends.
std::u16string QueryName(std::string_view utf8) {
  const std::u16string wide = DecodeUtf8(utf8);
  return std::u16string(Trim(CutAtNul(wide)));
}

bool IsQuote(char16_t unit) { return unit == u'"' || unit == u'\''; }

// What the API stores for a value in a buffer of capacity units: matching
// quotes dropped, then cut. The cut follows Wine's API, which copies the
// value after its opening quote and then drops the last unit copied when
// the buffer could hold the value with its closing quote, or all but that
// quote; so text exactly capacity - 1 units long inside quotes loses a unit.
std::u16string StoredValue(std::u16string_view value, std::size_t capacity) {
  const std::size_t room = capacity - 1;
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    const std::u16string_view afterQuote = value.substr(1);
    std::u16string stored(afterQuote.substr(0, std::min(room, afterQuote.size())));
    if (capacity >= afterQuote.size() && !stored.empty()) stored.pop_back();
    return stored;
  }
  return std::u16string(value.substr(0, std::min(room, value.size())));
}

// The API drops trailing spaces of the fallback, but never its first
// character.
std::u16string_view TrimFallback(std::u16string_view fallback) {
  while (fallback.size() > 1 && fallback.back() == u' ') fallback.remove_suffix(1);
  return fallback;
}

}  // namespace

ProfileReader ProfileReader::FromBytes(std::string_view bytes, ProfileDecoding decoding) {
  const ProfileText decoded = DecodeProfileBytes(bytes, decoding);
  ProfileReader reader;
  reader.encoding_ = decoded.encoding;
  reader.Parse(decoded.text);
  return reader;
}

void ProfileReader::Parse(std::u16string_view text) {
  sections_.push_back(Section{});  // entries before the first header
  int lineNumber = 1;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.size(), text.find_first_of(u"\r\n", at));
    const std::u16string_view line = Trim(text.substr(at, end - at));
    const int thisLine = lineNumber;
    at = end;
    if (at < text.size()) {
      at += (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ? 2 : 1;
      ++lineNumber;
    }
    if (line.empty()) continue;

    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != std::u16string_view::npos) {
        const std::u16string_view name = CutAtNul(Trim(line.substr(1, close - 1)));
        sections_.push_back(Section{std::u16string(name), thisLine, {}});
        continue;
      }
    }

    Entry entry;
    entry.line = thisLine;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
      entry.name = CutAtNul(line);
    } else {
      entry.name = CutAtNul(TrimEnd(line.substr(0, equals)));
      entry.value = std::u16string(CutAtNul(TrimStart(line.substr(equals + 1))));
    }
    sections_.back().entries.push_back(std::move(entry));
  }
}

const ProfileReader::Section* ProfileReader::FindSection(std::string_view name) const {
  const std::u16string wanted = QueryName(name);
  for (const Section& section : sections_) {
    if (NamesEqual(section.name, wanted)) return &section;
  }
  return nullptr;
}

const ProfileReader::Entry* ProfileReader::FindEntry(std::string_view section,
                                                     std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return nullptr;
  const std::u16string wanted = QueryName(key);
  for (const Entry& entry : found->entries) {
    if (NamesEqual(entry.name, wanted)) return &entry;
  }
  return nullptr;
}

ProfileAnswer ProfileReader::Read(std::string_view section, std::string_view key,
                                  std::string_view fallback, std::size_t capacity) const {
  ProfileAnswer answer;
  if (capacity == 0) return answer;
  const Entry* entry = FindEntry(section, key);
  std::u16string stored;
  if (entry && entry->value) {
    stored = StoredValue(*entry->value, capacity);
    answer.fromProfile = true;
  } else {
    const std::u16string wide = DecodeUtf8(fallback);
    stored = StoredValue(TrimFallback(CutAtNul(wide)), capacity);
  }
  answer.stored = stored.size();
  answer.value = EncodeUtf8(stored);
  return answer;
}

std::vector<ProfileName> ProfileReader::Sections() const {
  std::vector<ProfileName> infos;
  for (const Section& section : sections_) {
    if (section.line > 0) infos.push_back({EncodeUtf8(section.name), section.line});
  }
  return infos;
}

std::vector<ProfileName> ProfileReader::Keys(std::string_view section) const {
  std::vector<ProfileName> keys;
  if (const Section* found = FindSection(section)) {
    for (const Entry& entry : found->entries) {
      if (entry.value) keys.push_back({EncodeUtf8(entry.name), entry.line});
    }
  }
  return keys;
}

std::optional<int> ProfileReader::KeyLine(std::string_view section, std::string_view key) const {
  const Entry* entry = FindEntry(section, key);
  if (!entry) return std::nullopt;
  return entry->line;
}

}  // namespace orvex

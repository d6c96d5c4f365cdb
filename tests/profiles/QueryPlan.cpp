#include "QueryPlan.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "DumpFormat.h"
#include "settings/ProfileText.h"
#include "settings/TextEncoding.h"

namespace profiletest {

namespace {

using orvex::EncodeUtf8;

std::u16string_view CutAtNul(std::u16string_view text) {
  return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

// Only ASCII blanks: the plan wants names both as written and trimmed in
// the plainest way; the reader's own idea of blanks is what is under test.
std::u16string_view TrimAscii(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

std::u16string AsciiCase(std::u16string_view text, bool upper) {
  std::u16string out(text);
  for (char16_t& unit : out) {
    if (upper && unit >= u'a' && unit <= u'z') unit -= 0x20;
    if (!upper && unit >= u'A' && unit <= u'Z') unit += 0x20;
  }
  return out;
}

// Adds the name as written and trimmed, each also in ASCII upper and lower
// case.
void AddVariants(std::vector<std::string>& names, std::set<std::string>& seen,
                 std::u16string_view raw) {
  raw = CutAtNul(raw);
  for (const std::u16string_view form : {raw, TrimAscii(raw)}) {
    for (const std::u16string& variant :
         {std::u16string(form), AsciiCase(form, true), AsciiCase(form, false)}) {
      std::string utf8 = EncodeUtf8(variant);
      if (seen.insert(utf8).second) names.push_back(std::move(utf8));
    }
  }
}

void AddNamesFromText(std::u16string_view text, std::vector<std::string>& sections,
                      std::set<std::string>& seenSections, std::vector<std::string>& keys,
                      std::set<std::string>& seenKeys) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.size(), text.find_first_of(u"\r\n", at));
    const std::u16string_view line = text.substr(at, end - at);
    at = end + 1;
    if (TrimAscii(line).empty()) continue;
    const std::size_t open = line.find(u'[');
    if (open != std::u16string_view::npos) {
      const std::size_t close = line.rfind(u']');
      const std::size_t stop =
          close != std::u16string_view::npos && close > open ? close : line.size();
      AddVariants(sections, seenSections, line.substr(open + 1, stop - open - 1));
    }
    const std::size_t equals = line.find(u'=');
    AddVariants(keys, seenKeys,
                equals == std::u16string_view::npos ? line : line.substr(0, equals));
  }
}

std::string Field(const std::vector<std::string_view>& fields, std::size_t index,
                  std::string_view line) {
  const auto text = Unescape(fields[index]);
  if (!text) throw std::runtime_error("bad escape in known difference: " + std::string(line));
  return *text;
}

}  // namespace

std::vector<KnownDifference> ParseKnownDifferences(std::string_view text) {
  std::vector<KnownDifference> differences;
  while (!text.empty()) {
    const std::size_t end = std::min(text.size(), text.find('\n'));
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(text.size(), end + 1));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != 6) {
      throw std::runtime_error("known difference without 6 fields: " + std::string(line));
    }
    differences.push_back({Field(fields, 0, line), Field(fields, 1, line), Field(fields, 2, line),
                           Field(fields, 3, line), Field(fields, 4, line), Field(fields, 5, line)});
  }
  return differences;
}

FilePlan PlanFile(std::string_view fileName, std::string_view bytes,
                  const std::vector<KnownDifference>& differences) {
  FilePlan plan;
  plan.readings.push_back({"api", orvex::kSystemApiDecoding});
  if (orvex::ChooseProfileReading(bytes) == orvex::ProfileReading::Utf8) {
    plan.readings.push_back({"utf8", orvex::kUtf8Decoding});
  }

  std::vector<std::string> sections{"", "NoSuchSection"};
  std::vector<std::string> keys{"", "NoSuchKey"};
  std::set<std::string> seenSections(sections.begin(), sections.end());
  std::set<std::string> seenKeys(keys.begin(), keys.end());
  for (const PlannedReading& reading : plan.readings) {
    const auto decoded = orvex::DecodeProfileBytes(bytes, reading.decoding);
    AddNamesFromText(decoded.text, sections, seenSections, keys, seenKeys);
  }

  for (const std::string& section : sections) {
    for (const std::string& key : keys) {
      for (const std::size_t capacity : kCapacities)
        plan.queries.push_back({section, key, capacity});
    }
  }
  std::set<std::pair<std::string, std::string>> extra;
  for (const KnownDifference& difference : differences) {
    if (difference.file != fileName) continue;
    if (seenSections.count(difference.section) && seenKeys.count(difference.key)) continue;
    if (!extra.insert({difference.section, difference.key}).second) continue;
    for (const std::size_t capacity : kCapacities) {
      plan.queries.push_back({difference.section, difference.key, capacity});
    }
  }
  return plan;
}

std::vector<std::string> CorpusFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    if (item.is_regular_file()) names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace profiletest

// The portable reader's side of the differential test: answers every query
// of the plan for every profile of the corpus and either prints the answers
// or compares them with what the Wine dumper printed.
//
//   profile_dump CORPUS_DIR KNOWN_DIFFERENCES             prints the answers
//   profile_dump CORPUS_DIR KNOWN_DIFFERENCES WINE_OUTPUT compares; exit 1 on
//                                                         any difference
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <stdexcept>

#include "DumpFormat.h"
#include "QueryPlan.h"
#include "settings/ProfileReader.h"
#include "settings/TextEncoding.h"
#include "tools/check/FileBytes.h"

namespace {

using profiletest::DumpLine;
using profiletest::KnownDifference;

std::string ReadOrThrow(const std::filesystem::path& path) {
  auto bytes = orvex::check::ReadFileBytes(path);
  if (!bytes) throw std::runtime_error("cannot read " + path.string());
  return *bytes;
}

std::vector<DumpLine> NativeAnswers(const std::filesystem::path& corpus,
                                    const std::vector<KnownDifference>& differences) {
  std::vector<DumpLine> lines;
  for (const std::string& name : profiletest::CorpusFiles(corpus)) {
    const std::string bytes = ReadOrThrow(corpus / name);
    const profiletest::FilePlan plan = profiletest::PlanFile(name, bytes, differences);
    for (const auto& reading : plan.readings) {
      const auto reader = orvex::ProfileReader::FromBytes(bytes, reading.decoding);
      for (const auto& query : plan.queries) {
        const orvex::ProfileAnswer answer =
            reader.Read(query.section, query.key, profiletest::kFallback, query.capacity);
        lines.push_back({reading.name, name, query.section, query.key, query.capacity,
                         answer.stored, answer.value});
      }
    }
  }
  return lines;
}

// Reading, file, section and key: what a known difference names.
std::string QueryKey(const std::string& reading, const std::string& file,
                     const std::string& section, const std::string& key) {
  using profiletest::Escape;
  return Escape(reading) + '\t' + Escape(file) + '\t' + Escape(section) + '\t' + Escape(key);
}

std::string QueryOf(const DumpLine& line) {
  return QueryKey(line.reading, line.file, line.section, line.key) + '\t' +
         std::to_string(line.capacity);
}

std::string AnswerOf(const DumpLine& line) {
  return std::to_string(line.stored) + " \"" + profiletest::Escape(line.value) + "\"";
}

// Windows' answer for a known difference: its value cut like a value
// without quotes.
DumpLine WindowsAnswer(const DumpLine& query, const KnownDifference& difference) {
  DumpLine answer = query;
  std::u16string units = orvex::DecodeUtf8(difference.windowsValue);
  units.resize(std::min(units.size(), query.capacity == 0 ? 0 : query.capacity - 1));
  answer.stored = units.size();
  answer.value = orvex::EncodeUtf8(units);
  return answer;
}

int Compare(const std::vector<DumpLine>& native, const std::filesystem::path& wineOutput,
            const std::vector<KnownDifference>& differences) {
  const std::string text = ReadOrThrow(wineOutput);
  std::vector<DumpLine> wine;
  std::string codePage;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.size(), text.find('\n', at));
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("# acp ", 0) == 0) codePage = line.substr(6);
    if (line.empty() || line.front() == '#') continue;
    const auto parsed = profiletest::ParseDumpLine(line);
    if (!parsed) {
      std::cout << "FAIL: unreadable line in the Wine output: " << line << "\n";
      return 1;
    }
    wine.push_back(*parsed);
  }
  if (codePage != "1252") {
    std::cout << "FAIL: Wine's ANSI code page is \"" << codePage
              << "\", not 1252; the \"api\" answers assume Windows-1252.\n";
    return 1;
  }
  if (wine.size() != native.size()) {
    std::cout << "FAIL: Wine answered " << wine.size() << " queries, the reader " << native.size()
              << " (did the Wine dumper stop early?)\n";
    return 1;
  }

  std::map<std::string, const KnownDifference*> known;
  for (const KnownDifference& difference : differences) {
    known[QueryKey(difference.reading, difference.file, difference.section, difference.key)] =
        &difference;
  }
  std::map<const KnownDifference*, int> used;
  int failures = 0;
  std::size_t identical = 0;
  std::size_t followedWindows = 0;
  const auto report = [&](const std::string& what) {
    if (++failures <= 40) std::cout << what << "\n";
  };
  for (std::size_t i = 0; i < native.size(); ++i) {
    const DumpLine& ours = native[i];
    const DumpLine& theirs = wine[i];
    const std::string query = QueryOf(ours);
    if (query != QueryOf(theirs)) {
      std::cout << "FAIL: the dumpers' plans differ at line " << i + 1 << ":\n  reader: " << query
                << "\n  wine:   " << QueryOf(theirs) << "\n";
      return 1;
    }
    // Known differences apply to every capacity of their query.
    const auto difference = known.find(QueryKey(ours.reading, ours.file, ours.section, ours.key));
    if (difference != known.end()) {
      ++used[difference->second];
      const DumpLine windows = WindowsAnswer(ours, *difference->second);
      if (AnswerOf(ours) != AnswerOf(windows)) {
        report("DIFF (known Wine difference, reader does not follow Windows) " + query +
               "\n  reader:  " + AnswerOf(ours) + "\n  windows: " + AnswerOf(windows));
      } else if (AnswerOf(theirs) == AnswerOf(windows)) {
        report("STALE known difference: Wine now answers like Windows: " + query);
      } else {
        ++followedWindows;
      }
      continue;
    }
    if (AnswerOf(ours) == AnswerOf(theirs)) {
      ++identical;
    } else {
      report("DIFF " + query + "\n  reader: " + AnswerOf(ours) + "\n  wine:   " + AnswerOf(theirs));
    }
  }
  for (const KnownDifference& difference : differences) {
    if (!used.count(&difference)) {
      report("UNUSED known difference (no such query): " + difference.file + " [" +
             difference.section + "] " + difference.key);
    }
  }

  std::map<std::string, int> files;
  for (const DumpLine& line : native) ++files[line.file];
  std::cout << files.size() << " profiles, " << native.size() << " queries: " << identical
            << " answered alike by the reader and by GetPrivateProfileStringW under Wine, "
            << followedWindows
            << " known Wine differences where the reader gives Windows' answer.\n";
  std::map<std::string, int> reasons;
  for (const auto& [difference, count] : used) reasons[difference->reason] += count;
  for (const auto& [reason, count] : reasons) {
    std::cout << "  known difference (" << count << " queries): " << reason << "\n";
  }
  std::cout << "  Profiles starting with a UTF-8 BOM: Wine's API decodes them, Windows' does not"
               " (it reads them in the ANSI code page, BOM and all). Their \"api\" answers are"
               " compared with Wine reading their Windows-1252 text, as Windows does.\n";
  if (failures) std::cout << "FAIL: " << failures << " differences\n";
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: profile_dump CORPUS_DIR KNOWN_DIFFERENCES [WINE_OUTPUT]\n";
    return 2;
  }
  try {
    const auto differences = profiletest::ParseKnownDifferences(ReadOrThrow(argv[2]));
    const std::vector<DumpLine> native = NativeAnswers(argv[1], differences);
    if (argc == 4) return Compare(native, argv[3], differences);
    for (const DumpLine& line : native) std::cout << profiletest::FormatDumpLine(line) << "\n";
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "profile_dump: " << error.what() << "\n";
    return 2;
  }
}

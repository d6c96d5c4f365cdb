// What the differential test asks of each profile of the corpus. Both
// dumpers (the portable reader natively, GetPrivateProfileStringW under Wine)
// build the same plan from the same bytes, so their outputs line up.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProfileReader.h"

namespace profiletest {

// The default every query gives, so that a missing key is told apart from
// an empty value.
inline constexpr char kFallback[] = "(none)";
// A small one to see values cut, the launcher's own, and one that holds the
// long values of the corpus whole.
inline constexpr std::array<std::size_t, 3> kCapacities = {8, 255, 4096};

// "api": as Windows' GetPrivateProfileStringW reads the file (a UTF-8 BOM is
// not known, text without a BOM is Windows-1252). "utf8": as the launcher
// reads a file that ChooseProfileReading sends to the portable reader.
struct PlannedReading {
  std::string name;
  orvex::ProfileDecoding decoding;
};

struct PlannedQuery {
  std::string section;
  std::string key;
  std::size_t capacity = 0;
};

struct FilePlan {
  std::vector<PlannedReading> readings;
  std::vector<PlannedQuery> queries;  // asked in every reading
};

// Where Windows is known to answer otherwise than Wine. One line of the
// known-differences file: reading, file, section, key, Windows' whole value
// (escaped; cut by capacity like a value without quotes), and why.
struct KnownDifference {
  std::string reading;
  std::string file;
  std::string section;
  std::string key;
  std::string windowsValue;
  std::string reason;
};

// Lines starting with "#" and blank lines are skipped; a malformed line
// fails with std::runtime_error naming it.
std::vector<KnownDifference> ParseKnownDifferences(std::string_view text);

// Every section and key name the file's lines suggest (as written, without
// blanks, and in ASCII upper and lower case), names that are not there, and
// the queries of the known differences for this file.
FilePlan PlanFile(std::string_view fileName, std::string_view bytes,
                  const std::vector<KnownDifference>& differences);

// Names of the regular files in the folder, sorted.
std::vector<std::string> CorpusFiles(const std::filesystem::path& folder);

}  // namespace profiletest

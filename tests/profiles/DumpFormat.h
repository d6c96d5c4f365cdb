// The one-line form in which both dumpers of the differential test write an
// answer, so that the two outputs can be compared line by line:
//
//   reading <TAB> file <TAB> section <TAB> key <TAB> capacity <TAB> stored <TAB> value
//
// Every text field is escaped: printable ASCII stays, "\" becomes "\\", and
// every other character becomes \u{HEX} with its code point.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace profiletest {

// text is UTF-8 (invalid bytes become U+FFFD).
std::string Escape(std::string_view text);
// The inverse of Escape; nothing for a malformed escape.
std::optional<std::string> Unescape(std::string_view text);

struct DumpLine {
  std::string reading;
  std::string file;
  std::string section;
  std::string key;
  std::size_t capacity = 0;
  std::size_t stored = 0;
  std::string value;
};

std::string FormatDumpLine(const DumpLine& line);
std::optional<DumpLine> ParseDumpLine(std::string_view text);

// Splits at tabs.
std::vector<std::string_view> SplitFields(std::string_view text);

}  // namespace profiletest

#include "DumpFormat.h"

#include <charconv>
#include <cstdio>

#include "settings/TextEncoding.h"

namespace profiletest {

namespace {

void AppendUtf8(std::string& out, char32_t codePoint) {
  std::u16string units;
  if (codePoint < 0x10000) {
    units.push_back(static_cast<char16_t>(codePoint));
  } else {
    units.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
  }
  out += orvex::EncodeUtf8(units);
}

std::optional<std::size_t> ParseSize(std::string_view text) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string Escape(std::string_view text) {
  const std::u16string units = orvex::DecodeUtf8(text);
  std::string out;
  for (std::size_t at = 0; at < units.size(); ++at) {
    char32_t codePoint = units[at];
    if (codePoint >= 0xD800 && codePoint <= 0xDBFF && at + 1 < units.size() &&
        units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF) {
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[++at] - 0xDC00);
    }
    if (codePoint == U'\\') {
      out += "\\\\";
    } else if (codePoint >= 0x20 && codePoint < 0x7F) {
      out.push_back(static_cast<char>(codePoint));
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "\\u{%X}", static_cast<unsigned>(codePoint));
      out += buffer;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\') {
      out.push_back(text[at]);
      continue;
    }
    if (text.substr(at, 2) == "\\\\") {
      out.push_back('\\');
      ++at;
      continue;
    }
    if (text.substr(at, 3) != "\\u{") return std::nullopt;
    const std::size_t close = text.find('}', at);
    if (close == std::string_view::npos) return std::nullopt;
    unsigned codePoint = 0;
    const std::string_view digits = text.substr(at + 3, close - at - 3);
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), codePoint, 16);
    if (error != std::errc() || end != digits.data() + digits.size() || codePoint > 0x10FFFF) {
      return std::nullopt;
    }
    AppendUtf8(out, codePoint);
    at = close;
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = text.find('\t');
    fields.push_back(text.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    text.remove_prefix(tab + 1);
  }
}

std::string FormatDumpLine(const DumpLine& line) {
  return Escape(line.reading) + '\t' + Escape(line.file) + '\t' + Escape(line.section) + '\t' +
         Escape(line.key) + '\t' + std::to_string(line.capacity) + '\t' +
         std::to_string(line.stored) + '\t' + Escape(line.value);
}

std::optional<DumpLine> ParseDumpLine(std::string_view text) {
  const std::vector<std::string_view> fields = SplitFields(text);
  if (fields.size() != 7) return std::nullopt;
  DumpLine line;
  const auto reading = Unescape(fields[0]);
  const auto file = Unescape(fields[1]);
  const auto section = Unescape(fields[2]);
  const auto key = Unescape(fields[3]);
  const auto capacity = ParseSize(fields[4]);
  const auto stored = ParseSize(fields[5]);
  const auto value = Unescape(fields[6]);
  if (!reading || !file || !section || !key || !capacity || !stored || !value) return std::nullopt;
  return DumpLine{*reading, *file, *section, *key, *capacity, *stored, *value};
}

}  // namespace profiletest

#include "tools/check/Report.h"

#include <algorithm>
#include <cstdio>

namespace orvex::check {

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

namespace {

std::string JsonOrNull(const std::string& text) { return text.empty() ? "null" : Json(text); }

std::string EndingJson(const Ending& ending) {
  return "{\"line\": " + std::to_string(ending.line) +
         ", \"failure\": " + JsonOrNull(ending.failure) + ", \"shows\": " + Json(ending.shows) +
         "}";
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Note: return "note";
    case Severity::Warning: return "warning";
    case Severity::Error: return "error";
  }
  return "?";
}

}  // namespace

int CheckReport::Count(Severity severity) const {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

bool CheckReport::LauncherWorks() const {
  return Count(Severity::Error) == 0 &&
         std::all_of(languages.begin(), languages.end(),
                     [](const CheckReport& language) { return language.LauncherWorks(); });
}

void WriteText(const CheckReport& report, std::ostream& out) {
  for (const Finding& finding : report.findings) {
    out << (finding.file.empty() ? report.profile : finding.file);
    if (finding.line > 0) out << ':' << finding.line;
    out << ": " << SeverityName(finding.severity) << ": "
        << (report.language.empty() ? "" : "[" + report.language + "] ") << finding.text << '\n';
  }
  for (const CheckReport& language : report.languages) WriteText(language, out);
}

namespace {

void WriteFindingsJson(const std::vector<Finding>& findings, std::ostream& out) {
  out << "  \"findings\": [";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& finding = findings[i];
    out << (i ? ",\n    " : "\n    ") << "{"
        << (finding.file.empty() ? "" : "\"file\": " + Json(finding.file) + ", ")
        << (finding.line > 0 ? "\"line\": " + std::to_string(finding.line) + ", " : "")
        << "\"severity\": " << Json(SeverityName(finding.severity))
        << ", \"text\": " << Json(finding.text) << "}";
  }
  out << (findings.empty() ? "]" : "\n  ]");
}

}  // namespace

void WriteJson(const CheckReport& report, std::ostream& out) {
  out << "{\n";
  if (!report.language.empty()) out << "  \"language\": " << Json(report.language) << ",\n";
  out << "  \"profile\": " << Json(report.profile) << ",\n";
  out << "  \"encoding\": " << JsonOrNull(report.encoding) << ",\n";
  out << "  \"mode\": " << JsonOrNull(report.mode) << ",\n";
  out << "  \"title\": " << JsonOrNull(report.title) << ",\n";
  out << "  \"launcherWorks\": " << (report.LauncherWorks() ? "true" : "false") << ",\n";
  out << "  \"errors\": " << report.Count(Severity::Error) << ",\n";
  out << "  \"warnings\": " << report.Count(Severity::Warning) << ",\n";
  out << "  \"startUpEnding\": "
      << (report.startUpEnding ? EndingJson(*report.startUpEnding) : "null") << ",\n";
  out << "  \"clickEndings\": [";
  for (std::size_t i = 0; i < report.clickEndings.size(); ++i) {
    const ClickEnding& click = report.clickEndings[i];
    out << (i ? ",\n    " : "\n    ") << "{\"button\": " << click.button
        << ", \"ending\": " << EndingJson(click.ending) << "}";
  }
  out << (report.clickEndings.empty() ? "],\n" : "\n  ],\n");
  WriteFindingsJson(report.findings, out);
  // Only a medium with language profiles has per-language results.
  if (!report.languages.empty()) {
    out << ",\n  \"languages\": [";
    for (std::size_t i = 0; i < report.languages.size(); ++i) {
      out << (i ? ",\n" : "\n");
      WriteJson(report.languages[i], out);
    }
    out << "  ]";
  }
  out << "\n}\n";
}

}  // namespace orvex::check

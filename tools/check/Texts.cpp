#include "tools/check/Texts.h"

#include <array>

namespace orvex::check {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string DetailLine(const Failure& failure) {
  std::string line = failure.Detail();
  for (char& c : line) {
    if (c == '\n') c = ' ';
  }
  if (!line.empty() && line.back() == '.') line.pop_back();
  // "The file is ..." continues a sentence of the checker's; "PNG ..." keeps
  // its capitals.
  if (line.size() > 1 && line[0] >= 'A' && line[0] <= 'Z' && line[1] >= 'a' && line[1] <= 'z') {
    line[0] = static_cast<char>(line[0] - 'A' + 'a');
  }
  return line;
}

std::string SystemColourName(int index) {
  static constexpr std::array<const char*, 31> kNames = {
      "scroll bar",
      "desktop",
      "active title bar",
      "inactive title bar",
      "menu",
      "window background",
      "window frame",
      "menu text",
      "window text",
      "active title text",
      "active border",
      "inactive border",
      "application workspace",
      "highlight",
      "highlighted text",
      "button face",
      "button shadow",
      "grey text",
      "button text",
      "inactive title text",
      "button highlight",
      "dark 3D shadow",
      "light 3D face",
      "tooltip text",
      "tooltip background",
      "unused",
      "hot-tracked item",
      "active title gradient",
      "inactive title gradient",
      "flat menu highlight",
      "menu bar",
  };
  return index >= 0 && index < static_cast<int>(kNames.size()) ? kNames[index] : "unknown";
}

}  // namespace orvex::check

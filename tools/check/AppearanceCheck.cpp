// The window's appearance: background colour, picture and title, checked
// with the launcher's own parsers and its window's rules.
#include <cstdio>
#include <vector>

#include "launcher/Design.h"
#include "launcher/Launcher.h"
#include "platform/ColourForm.h"
#include "platform/DeviceName.h"
#include "platform/PictureHeader.h"
#include "platform/Twips.h"
#include "settings/Colour.h"
#include "settings/NumberText.h"
#include "settings/Profile.h"
#include "tools/check/Checker.h"
#include "tools/check/FileBytes.h"
#include "tools/check/PictureDecode.h"
#include "tools/check/PictureInfo.h"
#include "tools/check/Texts.h"

namespace orvex::check {

namespace {

std::string HexPattern(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "&H%08X", static_cast<unsigned>(value));
  return text;
}

// Which of the three components lie outside 0-255 ("the red component
// 300"); the whole value has been read, so each of them is a number.
std::vector<std::string> ComponentsOutOfRange(const std::string& text) {
  static constexpr const char* kNames[] = {"red", "green", "blue"};
  std::vector<std::string> found;
  const std::vector<std::string> parts = SplitColourComponents(text);
  for (std::size_t i = 0; i < 3 && i < parts.size(); ++i) {
    const std::int32_t value = ParseNumber(parts[i]);
    if (value < 0 || value > 255) {
      found.push_back(std::string("the ") + kNames[i] + " component " + std::to_string(value));
    }
  }
  return found;
}

std::string RedGreenBlue(std::int32_t colour) {
  return "red " + std::to_string(colour & 0xFF) + ", green " +
         std::to_string((colour >> 8) & 0xFF) + ", blue " + std::to_string((colour >> 16) & 0xFF);
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

std::string WithSeparators(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// Whether a folder's name in path ends in a blank or a dot, which Windows
// keeps there (of dots, all but one), while the last name loses them.
bool FolderNameEndsInDotOrBlank(const std::string& path) {
  std::string name;
  for (const char c : WithSeparators(path)) {
    if (c != '/') {
      name += c;
      continue;
    }
    if (name != "." && name != ".." && (name.ends_with(' ') || name.ends_with('.'))) return true;
    name.clear();
  }
  return false;
}

}  // namespace

void Checker::CheckColour() {
  const ProfileRead about{kDialogSection, "BackColor"};
  const std::string value = Value(about.section, about.key);
  const int line = LineOf(about.section, about.key);
  std::int32_t colour = 0;
  try {
    colour = ParseNumber(ParseColour(value));
  } catch (const Failure& failure) {
    AddFailure(line, about, failure,
               HasKey(about.section, about.key)
                   ? "[DIALOG] BackColor: " + DetailLine(failure)
                   : "[DIALOG] has no BackColor, so it reads as empty, which is not a number");
    return;
  }
  switch (ClassifyColour(colour)) {
    case ColourForm::Invalid:
      AddFailure(line, about, Failure(FailureKind::InvalidPropertyValue, ""),
                 "[DIALOG] BackColor: " + Quoted(value) + " gives " + HexPattern(colour) +
                     ", which is neither a colour (&H00BBGGRR) nor one of Windows' system "
                     "colours (&H80000000 to &H8000001E)");
      return;
    case ColourForm::System:
      Add(Severity::Note, line,
          "background colour: the user's system colour " +
              std::to_string(SystemColourIndex(colour)) + " (" +
              SystemColourName(SystemColourIndex(colour)) + ")");
      return;
    case ColourForm::Ordinary: break;
  }
  Add(Severity::Note, line, "background colour: " + RedGreenBlue(colour));
  if (value.find(',') == std::string::npos) return;
  const std::vector<std::string> outside = ComponentsOutOfRange(value);
  if (outside.empty()) return;
  Add(Severity::Warning, line,
      Joined(outside) + (outside.size() == 1 ? " is" : " are") +
          " outside 0-255: the components are written as hexadecimal digits and joined, so a "
          "longer one shifts the others; the colour is " +
          RedGreenBlue(colour));
}

void Checker::CheckPicture() {
  const ProfileRead about{kDialogSection, "Picture"};
  const std::string value = Value(about.section, about.key);
  const int line = LineOf(about.section, about.key);
  if (NamesWindowsDevice(value)) {
    AddFailure(line, about, Failure(FailureKind::InvalidPicture, ""),
               "[DIALOG] Picture " + Quoted(value) + " is " + kDeviceNameRule);
    return;
  }
  const auto found = medium_.FindRelative(value);
  if (!found) {
    std::string reason;
    if (!HasKey(about.section, about.key)) {
      reason = "[DIALOG] has no Picture; the window needs one";
    } else if (value.empty()) {
      reason = "[DIALOG] Picture is empty; the window needs a picture";
    } else if (PlaceOf(value) == PathPlace::OtherDrive) {
      reason = "[DIALOG] Picture " + Quoted(value) +
               " names another drive or a share, which the checker cannot look at; give the "
               "path from the medium's root";
    } else {
      reason = "there is no " + value + " on the medium (the path is taken from its root)";
      if (FolderNameEndsInDotOrBlank(value)) {
        reason +=
            "; Windows keeps the blanks at the end of a folder's name, and all its dots but "
            "one: only the last name loses them all";
      }
    }
    const std::string message = kMissingPictureMessage + value;
    AddEnding(line, about, {line, "", message}, reason);
    return;
  }
  if (PlaceOf(value) == PathPlace::MediumDrive) {
    Add(Severity::Warning, line,
        "[DIALOG] Picture " + Quoted(value) + " names drive " + kMediumDrive +
            ", which is the medium only on machines that give it that letter; give the path "
            "from the medium's root");
  }
  PictureInfo info;
  bool plainMetafile = false;
  try {
    const std::filesystem::path file = medium_.Root() / PathFromUtf8(*found);
    const auto bytes = ReadFileBytes(file);
    if (!bytes) throw Failure(FailureKind::InvalidPicture, "The file cannot be read.");
    info = ReadPictureInfo(*bytes);
    plainMetafile = IsPlainMetafile(*bytes);
    CheckPictureData(info.format, *bytes, file);
  } catch (const Failure& failure) {
    AddFailure(line, about, failure,
               "[DIALOG] Picture " + Quoted(value) + ": " + DetailLine(failure));
    return;
  }

  const std::string file = WithSeparators(value) == *found ? "" : " (" + *found + ")";
  const std::string size = std::to_string(info.width) + " x " + std::to_string(info.height) + " px";
  Add(Severity::Note, line,
      "picture " + Quoted(value) + file + ": " + PictureFormatName(info.format) + ", " + size);
  if (plainMetafile) {
    Add(Severity::Note, line,
        "this WMF has no placeable header, so it records no size: the launcher draws it at its "
        "window extent, one pixel per unit, or, when it sets none, over the window's client "
        "area at 96 dpi");
  }
  if (info.format == PictureFormat::Png) {
    Add(Severity::Note, line,
        "PNG is read through GDI+, which every Windows that runs this launcher has (Vista and "
        "later); older Windows without GDI+ could not show it");
  }

  const int clientWidth = TwipsToPixels(kClientWidthTwips, kDotsPerInch);
  const int clientHeight = TwipsToPixels(kClientHeightTwips, kDotsPerInch);
  const std::string client = "the window's client area (" + std::to_string(clientWidth) + " x " +
                             std::to_string(clientHeight) + " px at 96 dpi)";
  const bool narrower = info.width < clientWidth;
  const bool lower = info.height < clientHeight;
  if (narrower || lower) {
    Add(Severity::Warning, line,
        "the picture (" + size + ") does not cover " + client + ": the background colour shows " +
            (narrower && lower ? "to its right and below it"
             : narrower        ? "to its right"
                               : "below it"));
  }
  const bool wider = info.width > clientWidth;
  const bool taller = info.height > clientHeight;
  if (wider || taller) {
    Add(Severity::Warning, line,
        "the picture (" + size + ") is larger than " + client + ": it is cut off at the " +
            (wider && taller ? "right and bottom edges"
             : wider         ? "right edge"
                             : "bottom edge"));
  }
}

void Checker::CheckTitle() {
  const std::string value = Value(kDialogSection, "Caption");
  const int line = LineOf(kDialogSection, "Caption");
  report_.title = value;
  if (!value.empty()) {
    Add(Severity::Note, line, "window title " + Quoted(value));
  } else {
    Add(Severity::Note, line,
        HasKey(kDialogSection, "Caption")
            ? "the window has no title text ([DIALOG] Caption is empty)"
            : "the window has no title text ([DIALOG] has no Caption)");
  }
}

}  // namespace orvex::check

// The buttons: which sections are shown, where the launcher's layout puts
// them (where nothing is installed, and where their Installed keys say so),
// whether their captions fit, what they run or open, and StayOpen.
#include "launcher/Launcher.h"
#include "platform/Twips.h"
#include "settings/ButtonFace.h"
#include "settings/ButtonTable.h"
#include "settings/InstalledCheck.h"
#include "settings/Profile.h"
#include "settings/TextEncoding.h"
#include "tools/check/Checker.h"
#include "tools/check/SystemCase.h"
#include "tools/check/Texts.h"

namespace orvex::check {

namespace {

// The buttons use Windows' message font, 9 pt Segoe UI since Vista, whose
// characters average about 6.5 pixels at 96 dpi. Only an estimate: the real
// width depends on the letters.
constexpr int kCharacterHalfPixels = 13;
// Room the button's frame and the focus rectangle take from the text.
constexpr int kTextMargin = 8;

// Characters shown: "&" marks the next letter as the access key and is not
// drawn; "&&" draws one "&".
int ShownCharacters(const std::string& caption) {
  const std::u16string text = DecodeUtf8(caption);
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    if (text[i] >= 0xDC00 && text[i] <= 0xDFFF) continue;  // second half of a pair
    ++count;
  }
  return count;
}

std::string Geometry(const ButtonState& button) {
  return "left " + std::to_string(button.left) + " twips (" +
         std::to_string(TwipsToPixels(button.left, kDotsPerInch)) + " px at 96 dpi), width " +
         std::to_string(button.width) + " twips (" +
         std::to_string(TwipsToPixels(button.width, kDotsPerInch)) + " px)";
}

}  // namespace

void Checker::CheckButtons() {
  std::vector<std::string> shown;
  for (int number = 1; number <= kButtonCount; ++number) {
    const std::string section = ButtonSectionName(number);
    const auto show =
        CheckBoolean(section, "Show", "every button section needs Show, also for unused buttons");
    if (show.value_or(false)) shown.push_back(section);
  }
  std::vector<ButtonValues> values;
  bool anyInstalled = false;
  for (const std::string& section : shown) {
    ButtonValues& read = values.emplace_back();
    read.caption = Value(section, "Caption");
    // Other: the action for a machine without a key of its own.
    read.command = ReadCommandValues(platform_, state_.profilePath, section, kButtonCommandKeys,
                                     Architecture::Other);
    CheckInstalledKeys(section, values.back());
    anyInstalled = anyInstalled || values.back().installed.has_value();
  }
  // The window as it opens where nothing is installed, and, when the
  // profile asks, where everything its Installed keys name is.
  for (const bool installed : {false, true}) {
    if (installed && !anyInstalled) break;
    std::vector<RowButton> row;
    for (std::size_t index = 0; index < shown.size(); ++index) {
      const ButtonFace face = ChooseButtonFace(values[index], installed);
      if (!face.shown) continue;
      const bool replaced =
          installed && values[index].installed &&
          (!values[index].installedAction.empty() || !values[index].installedOpen.empty());
      const bool opens = face.command.kind == Command::Kind::Open;
      const char* key = replaced ? (opens ? "InstalledOpen" : "InstalledAction")
                                 : (opens ? kButtonCommandKeys.open : kButtonCommandKeys.action);
      row.push_back({shown[index], face, key});
    }
    CheckButtonRow(row, installed);
  }
}

void Checker::CheckInstalledKeys(const std::string& section, ButtonValues& values) {
  const std::string installed = Value(section, "Installed");
  if (installed.empty()) {
    for (const char* key :
         {"InstalledCaption", "InstalledAction", "InstalledOpen", "InstalledShow"}) {
      if (!HasKey(section, key)) continue;
      Add(Severity::Warning, LineOf(section, key),
          "[" + section + "] " + key +
              " has no effect: the section has no Installed, so the button never takes its "
              "installed form");
    }
    return;
  }
  if (!Value(section, "InstalledAction").empty() && !Value(section, "InstalledOpen").empty()) {
    Add(Severity::Warning, LineOf(section, "InstalledOpen"),
        "[" + section +
            "] InstalledOpen has no effect: where installed, the launcher opens it only where "
            "InstalledAction is empty");
  }
  const int line = LineOf(section, "Installed");
  try {
    values.installed = ParseInstalled(installed);
  } catch (const Failure& failure) {
    AddFailure(line, {section, "Installed"}, failure,
               "[" + section + "] Installed: " + DetailLine(failure));
    return;
  }
  const InstalledCheck& check = *values.installed;
  Add(Severity::Note, line,
      "[" + section + "] Installed: " +
          (check.registry
               ? "the launcher looks for the registry key or value " + Quoted(installed) +
                     " (in both registry views on 64-bit Windows)"
               : "the launcher looks for the file or folder " + Quoted(installed) +
                     " (environment variables expanded, %ProgramFiles% as the machine's own "
                     "program folder; a relative path from the medium's root)"));
  values.installedCaption = Value(section, "InstalledCaption");
  values.installedAction = Value(section, "InstalledAction");
  values.installedOpen = Value(section, "InstalledOpen");
  if (!Value(section, "InstalledShow").empty()) {
    values.installedShow = CheckBoolean(section, "InstalledShow", "").value_or(true);
  }
}

void Checker::CheckButtonRow(const std::vector<RowButton>& row, bool installed) {
  const int count = static_cast<int>(row.size());
  const std::string state = installed ? "where installed, " : "";
  if (count == 0) {
    Add(Severity::Note, SectionLine("BUTTON1").value_or(1),
        state + "no button is shown: the window can only be closed");
  }

  // Where the launcher's own layout puts them.
  platform_.ResetButtons();
  ApplyButtonLayout(platform_, count);
  for (int slot = 0; slot < count; ++slot) {
    const std::string& section = row[slot].section;
    const std::string& caption = row[slot].face.caption;
    const Command& command = row[slot].face.command;
    const bool opens = command.kind == Command::Kind::Open;
    const ButtonState& button = platform_.Buttons().at(slot);
    const std::string name = "button " + std::to_string(slot + 1);
    const ActionVerdict verdict = opens ? JudgeOpen(section, row[slot].key, command.text)
                                        : JudgeAction(section, row[slot].key, command.text);

    std::string what = opens ? "opens " + Quoted(command.text)
                             : "action " + Quoted(LowerCaseLikeWindows(command.text));
    if (verdict.exits) {
      what += " (ends the launcher)";
    } else if (!verdict.failure && !verdict.outside) {
      what += " (" + verdict.explanation + ")";
    }
    Add(Severity::Note, SectionLine(section).value_or(1),
        state + name + " of " + std::to_string(count) + " from [" + section + "]: caption " +
            Quoted(caption) + ", " + what + "; " + Geometry(button));
    CheckCaptionWidth(section, caption, button.width);

    const int line = LineOf(section, row[slot].key);
    if (verdict.failure) {
      const std::string failure = FailureName(verdict.failure->Kind());
      const bool isError = verdict.certain;
      const Ending ending{line, failure, failure};
      const std::string text = state + "clicking " + name +
                               (isError ? " ends in " : " would end in ") + Quoted(failure) + ": " +
                               verdict.explanation;
      // A missing program may yet be where the launcher looks on the user's
      // machine; the checker cannot be sure.
      Add(isError ? Severity::Error : Severity::Warning, line, text);
      // What a click does on a machine where nothing is installed.
      if (!installed) report_.clickEndings.push_back({slot + 1, ending});
    } else if (verdict.outside) {
      Add(Severity::Warning, line, verdict.explanation);
    }
    // The section's own keys: once, for the window where nothing is
    // installed.
    if (!installed) CheckCommandExtras(section, kButtonCommandKeys, "clicking " + name);
  }
}

void Checker::CheckStayOpen() {
  if (Value(kDialogSection, "StayOpen").empty()) return;
  const std::optional<bool> stay = CheckBoolean(kDialogSection, "StayOpen", "");
  if (!stay || !*stay) return;
  Add(Severity::Note, LineOf(kDialogSection, "StayOpen"),
      "the window stays open after a button starts a program ([DIALOG] StayOpen is " +
          Quoted(Value(kDialogSection, "StayOpen")) +
          "); its button is disabled while the program runs, and the buttons are laid out anew "
          "when it ends and whenever the window becomes active again");
}

void Checker::CheckCaptionWidth(const std::string& section, const std::string& caption,
                                int widthTwips) {
  const int text = (ShownCharacters(caption) * kCharacterHalfPixels + 1) / 2;
  const int button = TwipsToPixels(widthTwips, kDotsPerInch);
  if (text <= button - kTextMargin) return;
  Add(Severity::Warning, LineOf(section, "Caption"),
      "the caption " + Quoted(caption) + " is probably too wide for its button: about " +
          std::to_string(text) + " px of text in a button " + std::to_string(button) +
          " px wide (an estimate at 6.5 px a character in Windows' 9 pt message font at 96 "
          "dpi); its ends would be cut off");
}

}  // namespace orvex::check

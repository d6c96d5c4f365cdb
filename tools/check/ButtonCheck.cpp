// The buttons: which sections are shown, where the launcher's layout puts
// them, whether their captions fit and what their actions do.
#include "launcher/Launcher.h"
#include "platform/Twips.h"
#include "settings/ButtonTable.h"
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
  const int count = static_cast<int>(shown.size());
  if (count == 0) {
    Add(Severity::Note, SectionLine("BUTTON1").value_or(1),
        "no button is shown: the window can only be closed");
  }

  // Where the launcher's own layout puts them.
  platform_.ResetButtons();
  ApplyButtonLayout(platform_, count);
  for (int slot = 0; slot < count; ++slot) {
    const std::string& section = shown[slot];
    const std::string caption = Value(section, "Caption");
    const ButtonState& button = platform_.Buttons().at(slot);
    const std::string name = "button " + std::to_string(slot + 1);
    const CommandJudgement judged = JudgeCommand(section, kButtonCommandKeys);
    const ActionVerdict& verdict = judged.verdict;

    const bool opens = judged.command.kind == Command::Kind::Open;
    std::string what = opens ? "opens " + Quoted(judged.command.text)
                             : "action " + Quoted(LowerCaseLikeWindows(judged.command.text));
    if (verdict.exits) {
      what += " (ends the launcher)";
    } else if (!verdict.failure && !verdict.outside) {
      what += " (" + verdict.explanation + ")";
    }
    Add(Severity::Note, SectionLine(section).value_or(1),
        name + " of " + std::to_string(count) + " from [" + section + "]: caption " +
            Quoted(caption) + ", " + what + "; " + Geometry(button));
    CheckCaptionWidth(section, caption, button.width);

    const int line = LineOf(section, judged.key);
    if (verdict.failure) {
      const std::string failure = FailureName(verdict.failure->Kind());
      const bool isError = verdict.certain;
      const Ending ending{line, failure, failure};
      const std::string text = "clicking " + name + (isError ? " ends in " : " would end in ") +
                               Quoted(failure) + ": " + verdict.explanation;
      // A missing program may yet be where the launcher looks on the user's
      // machine; the checker cannot be sure.
      Add(isError ? Severity::Error : Severity::Warning, line, text);
      report_.clickEndings.push_back({slot + 1, ending});
    } else if (verdict.outside) {
      Add(Severity::Warning, line, verdict.explanation);
    }
    CheckCommandExtras(section, kButtonCommandKeys, "clicking " + name);
  }
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

// ParseBoolean: only type mismatches, the words in any letter case, and the
// same answer as ParseNumber wherever both read a decimal number.
#include <cctype>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "NumberGrammar.h"
#include "settings/NumberText.h"
#include "settings/Profile.h"

namespace {

using orvex::FailureKind;
using orvex::ParseBoolean;
using orvex::ParseNumber;
using namespace orvex::fuzz;

bool IsWord(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
  }
  return true;
}

void CheckAnyText(const std::string& text) {
  const auto boolean = Attempt([&] { return ParseBoolean(text); });
  Check(boolean.value || boolean.failure == FailureKind::TypeMismatch,
        "ParseBoolean fails only with a type mismatch", text);

  const std::string_view body = StripBlanks(text);
  if (IsWord(body, "true") || IsWord(body, "false")) {
    Check(boolean.value == IsWord(body, "true"), "True and False in any letter case", text);
    return;
  }
  // Hexadecimal texts are numbers only to ParseNumber.
  if (!body.empty() && body.front() == '&') {
    Check(!boolean.value, "a hexadecimal text is no boolean", text);
    return;
  }
  const auto number = Attempt([&] { return ParseNumber(text); });
  const bool isDecimal = number.value || number.failure == FailureKind::Overflow;
  Check(boolean.value.has_value() == isDecimal, "a boolean is exactly a decimal number", text);
  if (!boolean.value || !number.value) return;
  if (body.find('.') == std::string_view::npos) {
    Check(*boolean.value == (*number.value != 0), "an integer is true unless zero", text);
  } else if (*number.value != 0) {
    Check(*boolean.value, "a number that rounds to non-zero is true", text);
  }
}

void CheckInteger(ByteSource& bytes) {
  const auto value = static_cast<std::int32_t>(bytes.Next32());
  const std::uint8_t style = bytes.Next();
  // Small values matter most: zero is the only false one.
  const std::int32_t chosen = (style & 0x80) ? value : value % 3;
  const std::string text = Padded(std::to_string(chosen), style);
  Check(ParseBoolean(text) == (chosen != 0), "an integer in range is true unless zero", text);
  Check(ParseBoolean(text) == (ParseNumber(text) != 0), "ParseBoolean agrees with ParseNumber",
        text);

  std::string word = (style & 0x40) ? "true" : "false";
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (bytes.Next() & 1) word[i] = static_cast<char>(std::toupper(word[i]));
  }
  Check(ParseBoolean(Padded(word, style >> 2)) == ((style & 0x40) != 0),
        "True and False in any letter case", word);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteSource bytes(data, size);
  CheckAnyText(bytes.Rest());
  CheckInteger(bytes);
  return 0;
}

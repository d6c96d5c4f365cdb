// Letter case as the system gives it, from the tables in CaseTables.h:
// lower-casing as CharLowerBuffW does it (the launcher lowers its actions
// with it) and file names compared as the file system compares them.
#pragma once

#include <string>
#include <string_view>

namespace orvex::check {

// A surrogate pair is lowered as one code point; a lone surrogate is kept.
std::u16string LowerCaseLikeWindows(std::u16string text);
std::string LowerCaseLikeWindows(const std::string& utf8);

// The unit the file system compares in place of this one; supplementary
// code points are not folded at all.
char16_t FileNameUpperCase(char16_t unit);

// Same length, and the same units after FileNameUpperCase.
bool FileNamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace orvex::check

// Lower-casing as Windows' CharLowerBuff does it, for the letters media use:
// ASCII, Latin-1, Latin Extended-A, Greek, basic Cyrillic and fullwidth
// Latin. Other characters are kept.
#pragma once

#include <string>

namespace orvex::check {

std::string LowerCaseLikeWindows(const std::string& utf8);

}  // namespace orvex::check

// Lower-casing as Windows' CharLowerBuff does it, for the letters of
// LowerCaseLetter. Other characters are kept.
#pragma once

#include <string>

namespace orvex::check {

std::string LowerCaseLikeWindows(const std::string& utf8);

}  // namespace orvex::check

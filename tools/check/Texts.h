// Small text helpers for the checker's findings.
#pragma once

#include <string>

#include "platform/Failure.h"

namespace orvex::check {

// text in double quotes.
std::string Quoted(const std::string& text);

// A failure's detail on one line, without the final full stop.
std::string DetailLine(const Failure& failure);

// The name of Windows' system colour index (0 to 30), e.g. "button face".
std::string SystemColourName(int index);

}  // namespace orvex::check

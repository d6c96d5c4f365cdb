#include "platform/ColourForm.h"

#include <string>

#include "platform/Failure.h"

namespace orvex {

ColourForm ClassifyColour(std::int32_t colour) {
  const auto bits = static_cast<std::uint32_t>(colour);
  if ((bits & 0xFF000000u) == 0) return ColourForm::Ordinary;
  if ((bits & 0xFFFFFF00u) == 0x80000000u && SystemColourIndex(colour) <= kHighestSystemColour) {
    return ColourForm::System;
  }
  return ColourForm::Invalid;
}

void RefuseColour(std::int32_t colour) {
  throw Failure(FailureKind::InvalidPropertyValue,
                std::to_string(colour) + " is neither a colour nor a system colour.");
}

}  // namespace orvex

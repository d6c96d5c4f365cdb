#include "platform/Failure.h"

namespace orvex {

const char* FailureName(FailureKind kind) {
  switch (kind) {
    case FailureKind::TypeMismatch: return "Type mismatch";
    case FailureKind::Overflow: return "Overflow";
    case FailureKind::SubscriptOutOfRange: return "Subscript out of range";
    case FailureKind::InvalidProcedureCall: return "Invalid procedure call";
    case FailureKind::FileNotFound: return "File not found";
    case FailureKind::InvalidPicture: return "Invalid picture";
    case FailureKind::InvalidPropertyValue: return "Invalid property value";
    case FailureKind::CannotCreateObject: return "Cannot create object";
    case FailureKind::OutOfMemory: return "Out of memory";
    case FailureKind::Internal: return "Internal error";
  }
  return "Unknown failure";
}

Failure::Failure(FailureKind kind, std::string detail)
    : std::runtime_error(FailureName(kind)), kind_(kind), detail_(std::move(detail)) {}

void Failure::AddContext(const std::string& line) {
  detail_ = detail_.empty() ? line : line + "\n" + detail_;
}

std::string FailureReportText(const Failure& failure) {
  std::string text = FailureName(failure.Kind());
  if (!failure.Detail().empty()) text += "\n\n" + failure.Detail();
  return text;
}

}  // namespace orvex

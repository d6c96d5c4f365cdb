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

namespace {

std::string ReportText(FailureKind kind, const std::string& detail) {
  std::string text = FailureName(kind);
  if (!detail.empty()) text += "\n\n" + detail;
  return text;
}

}  // namespace

Failure::Failure(FailureKind kind, std::string detail)
    : kind_(kind), detail_(std::move(detail)), text_(ReportText(kind_, detail_)) {}

void Failure::AddContext(const std::string& line) {
  detail_ = detail_.empty() ? line : line + "\n" + detail_;
  text_ = ReportText(kind_, detail_);
}

std::string FailureReportText(const Failure& failure) { return failure.what(); }

}  // namespace orvex

// The one failure type of the launcher. Everything that goes wrong travels
// as a Failure up to the entry point (program start or window procedure),
// which turns it into the report and ends the process.
#pragma once

#include <exception>
#include <string>

namespace orvex {

enum class FailureKind {
  TypeMismatch,
  Overflow,
  SubscriptOutOfRange,
  InvalidProcedureCall,
  FileNotFound,
  InvalidPicture,
  InvalidPropertyValue,
  CannotCreateObject,
  // Not a profile's doing: the machine ran out of memory, or the program met
  // something it never expected.
  OutOfMemory,
  Internal,
};

// The name the report gives the kind ("Type mismatch", ...).
const char* FailureName(FailureKind kind);

class Failure : public std::exception {
 public:
  Failure(FailureKind kind, std::string detail);

  FailureKind Kind() const { return kind_; }
  // What the launcher was working on, outermost first, one line each.
  const std::string& Detail() const { return detail_; }
  // Prepends a line saying what was being done when the failure happened.
  void AddContext(const std::string& line);
  // The text of the report (FailureReportText).
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  FailureKind kind_;
  std::string detail_;
  std::string text_;
};

// Full text of the report: the failure's name, a blank line, the detail.
std::string FailureReportText(const Failure& failure);

// Runs work(); a Failure escaping it gets `context` added in front of its
// detail. Nothing is recovered: the failure goes on to the entry point.
template <typename Work>
auto WithContext(const std::string& context, Work&& work) -> decltype(work()) {
  try {
    return work();
  } catch (Failure& failure) {
    failure.AddContext(context);
    throw;
  }
}

}  // namespace orvex

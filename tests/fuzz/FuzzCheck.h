// What the fuzz targets share: a property check that stops the run with a
// readable message, and the failure kinds a parser may end with.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "tools/check/StandInPlatform.h"

namespace orvex::fuzz {

// Stops the run (libFuzzer keeps the input) when a property does not hold.
// The input is shown with bytes outside printable ASCII as \xNN.
inline void Check(bool holds, const char* property, std::string_view input) {
  if (holds) return;
  std::fprintf(stderr, "\nProperty failed: %s\nInput: \"", property);
  for (const char c : input) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      std::fputc(byte, stderr);
    } else {
      std::fprintf(stderr, "\\x%02X", byte);
    }
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

// The result of a parser, or the kind of the Failure it threw. Any other
// exception is left to end the run.
template <typename Value>
struct Result {
  std::optional<Value> value;
  FailureKind failure = FailureKind::Internal;
};

template <typename Parse>
auto Attempt(Parse&& parse) -> Result<decltype(parse())> {
  Result<decltype(parse())> result;
  const check::Outcome outcome = check::Attempt([&] { result.value = parse(); });
  if (outcome.failure) result.failure = outcome.failure->Kind();
  return result;
}

template <typename Value>
bool FailedWithOneOf(const Result<Value>& result, std::initializer_list<FailureKind> kinds) {
  if (result.value) return false;
  for (FailureKind kind : kinds) {
    if (result.failure == kind) return true;
  }
  return false;
}

// Reads the fuzzer's bytes from the front, giving zeros once they run out.
class ByteSource {
 public:
  ByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Next() { return used_ < size_ ? data_[used_++] : 0; }
  std::uint32_t Next32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Next();
    return value;
  }
  // The bytes not read yet, as text.
  std::string Rest() const {
    return used_ < size_ ? std::string(reinterpret_cast<const char*>(data_ + used_), size_ - used_)
                         : std::string();
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t used_ = 0;
};

// Blanks around a text, as a profile author might type them.
inline std::string Padded(const std::string& text, std::uint8_t style) {
  static constexpr const char* kPads[] = {"", " ", "\t", "  "};
  return std::string(kPads[style & 3]) + text + kPads[(style >> 2) & 3];
}

}  // namespace orvex::fuzz

#include "tools/check/ProgramFile.h"

#include "platform/PictureHeader.h"

namespace orvex::check {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionEntrySize = 40;
constexpr std::uint32_t kMachineI386 = 0x14C;
constexpr std::uint32_t kMachineAmd64 = 0x8664;
constexpr std::uint32_t kDllFlag = 0x2000;

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  text.remove_prefix(text.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
    if (c != tail[i]) return false;
  }
  return true;
}

// Header fields at offsets that Holds() has checked.
std::uint32_t Field16(std::string_view head, std::uint64_t at) {
  return Le16(head, static_cast<std::size_t>(at));
}
std::uint32_t Field32(std::string_view head, std::uint64_t at) {
  return Le32(head, static_cast<std::size_t>(at));
}

// Whether head holds `count` bytes from `at` on, without overflow.
bool Holds(std::string_view head, std::uint64_t at, std::uint64_t count) {
  return at <= head.size() && count <= head.size() - at;
}

std::string MachineName(std::uint32_t machine) {
  switch (machine) {
    case 0xAA64: return "ARM64 (it runs on Windows on ARM only)";
    case 0x1C0:
    case 0x1C4: return "32-bit ARM";
    case 0x200: return "Itanium";
    default: return "machine type " + std::to_string(machine);
  }
}

// The optional header's first field for each machine's programs, and the
// least size that reaches its last fixed field (NumberOfRvaAndSizes).
struct OptionalHeaderForm {
  std::uint32_t magic;
  std::uint32_t leastSize;
};

std::optional<std::string> PortableExecutableFault(std::string_view head, std::uint64_t fileSize,
                                                   std::uint64_t at) {
  if (!Holds(head, at + 4, kFileHeaderSize)) return "its PE header is cut short";
  const std::uint32_t machine = Field16(head, at + 4);
  if (machine != kMachineI386 && machine != kMachineAmd64) {
    return "it is a program for " + MachineName(machine) + ", which x64 Windows cannot run";
  }
  if (Field16(head, at + 22) & kDllFlag) return "it is a library (DLL), not a program";
  const OptionalHeaderForm form =
      machine == kMachineI386 ? OptionalHeaderForm{0x10B, 96} : OptionalHeaderForm{0x20B, 112};
  const std::uint64_t optional = at + 4 + kFileHeaderSize;
  const std::uint32_t optionalSize = Field16(head, at + 20);
  if (optionalSize < form.leastSize || !Holds(head, optional, optionalSize)) {
    return "its PE optional header is cut short";
  }
  if (Field16(head, optional) != form.magic) return "its PE optional header is of the wrong kind";
  const std::uint64_t sections = optional + optionalSize;
  const std::uint32_t sectionCount = Field16(head, at + 6);
  if (!Holds(head, sections, std::uint64_t{sectionCount} * kSectionEntrySize)) {
    return "its section table is cut short";
  }
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::uint64_t entry = sections + std::uint64_t{i} * kSectionEntrySize;
    const std::uint64_t rawSize = Field32(head, entry + 16);
    const std::uint64_t rawStart = Field32(head, entry + 20);
    if (rawSize != 0 && rawStart + rawSize > fileSize) {
      return "the file is cut short: its section " + std::to_string(i + 1) + " would end at byte " +
             std::to_string(rawStart + rawSize) + " of " + std::to_string(fileSize);
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WhyNotRunnable(std::string_view fileName, std::string_view head,
                                          std::uint64_t fileSize) {
  if (!head.starts_with("MZ")) {
    if (EndsWithNoCase(fileName, ".bat") || EndsWithNoCase(fileName, ".cmd")) return std::nullopt;
    if (EndsWithNoCase(fileName, ".com")) {
      return "it is a DOS program (a .com file without a program header), which 64-bit Windows "
             "cannot run";
    }
    if (fileSize == 0) return "the file is empty";
    return "it does not begin with a program header (\"MZ\")";
  }
  const std::uint64_t at = head.size() >= kDosHeaderSize ? Field32(head, kDosHeaderSize - 4) : 0;
  if (head.size() >= kDosHeaderSize && Holds(head, at, 4)) {
    const std::string_view signature = head.substr(static_cast<std::size_t>(at), 4);
    if (signature == std::string_view("PE\0\0", 4)) {
      return PortableExecutableFault(head, fileSize, at);
    }
    if (signature.starts_with("NE")) {
      return "it is a 16-bit Windows program, which 64-bit Windows cannot run";
    }
  }
  return "it is a DOS program (no PE header where its DOS header points), which 64-bit Windows "
         "cannot run";
}

}  // namespace orvex::check

// The program header judgement: any bytes give an answer, and a file it
// lets start either has the headers of a program (MZ, then PE where the DOS
// header points) or is a batch file run through cmd.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "tools/check/ProgramFile.h"

using namespace orvex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteSource source(data, size);
  const std::uint8_t choice = source.Next();
  static constexpr const char* kNames[] = {"tool.exe", "tool.com", "tool.bat", "tool.bin"};
  const std::string name = kNames[choice & 3];
  const std::string bytes = source.Rest();
  // Now and then a file longer than the bytes read, as for a large program.
  const std::uint64_t fileSize = bytes.size() + (choice & 4 ? std::uint64_t{choice} << 20 : 0);
  const auto why = orvex::check::WhyNotRunnable(name, bytes, fileSize);
  if (!why && name != "tool.bat") {
    const bool program = bytes.size() >= 64 && bytes.starts_with("MZ");
    const std::uint32_t at =
        program ? static_cast<std::uint8_t>(bytes[60]) | static_cast<std::uint8_t>(bytes[61]) << 8 |
                      static_cast<std::uint8_t>(bytes[62]) << 16 |
                      static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[63])) << 24
                : 0;
    Check(program && at <= bytes.size() - 4 && bytes.compare(at, 4, std::string("PE\0\0", 4)) == 0,
          "a file let start has a DOS header pointing to a PE header", bytes);
  }
  Check(!why || !why->empty(), "a refusal says why", bytes);
  return 0;
}

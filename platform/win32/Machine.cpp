#include "platform/win32/Machine.h"

#include <windows.h>

namespace orvex::win32 {

namespace {

// IMAGE_FILE_MACHINE_*, some of which older headers lack.
constexpr USHORT kMachineI386 = 0x014C;
constexpr USHORT kMachineAmd64 = 0x8664;
constexpr USHORT kMachineArm64 = 0xAA64;

Architecture FromMachine(USHORT machine) {
  switch (machine) {
    case kMachineI386: return Architecture::X86;
    case kMachineAmd64: return Architecture::X64;
    case kMachineArm64: return Architecture::Arm64;
    default: return Architecture::Other;
  }
}

Architecture FromProcessor(WORD processor) {
  switch (processor) {
    case PROCESSOR_ARCHITECTURE_INTEL: return Architecture::X86;
    case PROCESSOR_ARCHITECTURE_AMD64: return Architecture::X64;
    case 12: return Architecture::Arm64;  // PROCESSOR_ARCHITECTURE_ARM64
    default: return Architecture::Other;
  }
}

}  // namespace

Architecture NativeMachine() {
  // IsWow64Process2 (Windows 10 1709 and later) is looked up: it alone
  // names ARM64 to an emulated x86 program, which GetNativeSystemInfo tells
  // it is on x86 (or x64). Older systems have no ARM64 and no emulation, so
  // there GetNativeSystemInfo is right: under WOW64 it gives the machine's
  // processor, elsewhere the process's own, which is then the machine's.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  const auto isWow64Process2 = reinterpret_cast<IsWow64Process2Fn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process2")));
  USHORT process = 0;
  USHORT native = 0;
  if (isWow64Process2 && isWow64Process2(GetCurrentProcess(), &process, &native)) {
    return FromMachine(native);
  }
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  return FromProcessor(info.wProcessorArchitecture);
}

}  // namespace orvex::win32

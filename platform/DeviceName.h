// Names that Windows takes for its devices rather than for files, in any
// folder: a path ending in one never reaches the file system.
#pragma once

#include <string_view>

namespace orvex {

// Whether Windows opens a device for path (UTF-8): its last name, cut at the
// first '.' or ':' and without the blanks before the cut, is CON, PRN, AUX,
// NUL, CONIN$, CONOUT$, or COM or LPT with a digit 1 to 9, ¹, ² or ³, in any
// letter case ("nul", "img\Aux.bmp", "COM1 .txt"). Never on a share.
bool NamesWindowsDevice(std::string_view path);

// Why such a path is refused, to follow "is" or "the name is".
inline constexpr char kDeviceNameRule[] =
    "a Windows device name: no file of this name can be opened on Windows";

}  // namespace orvex

// Where the profile is and how one value is read from it.
#pragma once

#include <string>

#include "platform/PlatformServices.h"

namespace orvex {

inline constexpr char kDialogSection[] = "DIALOG";

// The current directory, "\", the executable's base name and ".ini", joined
// as they are: at a drive's root the separator is doubled (D:\\launch.ini),
// which the file functions accept.
std::string FormProfilePath(const std::string& currentDirectory, const std::string& baseName,
                            char separator = '\\');

// The value of key in section, or the empty text when the key or section is
// missing. Values longer than 254 characters are cut to 254.
std::string ReadProfileValue(PlatformServices& platform, const std::string& path,
                             const std::string& section, const std::string& key);

// True/False in any letter case, or a decimal number (zero is false).
// Anything else fails with a type mismatch.
bool ParseBoolean(const std::string& text);

// Reads a boolean key; a failure names the section, key and value.
bool ReadProfileBoolean(PlatformServices& platform, const std::string& path,
                        const std::string& section, const std::string& key);

// ReadProfileBoolean for a key that may be left out: an empty or missing
// value is `absent`.
bool ReadOptionalBoolean(PlatformServices& platform, const std::string& path,
                         const std::string& section, const std::string& key, bool absent);

}  // namespace orvex

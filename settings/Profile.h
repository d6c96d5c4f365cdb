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

// The files values are read from: the profile, and the language profile
// chosen for the user (empty when there is none). Deliberately not made from
// a plain path, so that every read goes through the language profile first.
struct ProfileFiles {
  std::string profile;
  std::string language;
};

// A value and the file it came from, for reports about it.
struct ProfileValue {
  std::string text;
  std::string file;
};

// The value of key in section of the language profile when that section
// holds the key (an empty value included), else of the profile.
ProfileValue ReadProfileEntry(PlatformServices& platform, const ProfileFiles& files,
                              const std::string& section, const std::string& key);

// The value of key in section, or the empty text when the key or section is
// missing (ReadProfileEntry's text). Values longer than 254 characters are cut to 254.
std::string ReadProfileValue(PlatformServices& platform, const ProfileFiles& files,
                             const std::string& section, const std::string& key);

// True/False in any letter case, or a decimal number (zero is false).
// Anything else fails with a type mismatch.
bool ParseBoolean(const std::string& text);

// Reads a boolean key; a failure names the section, key and value.
bool ReadProfileBoolean(PlatformServices& platform, const ProfileFiles& files,
                        const std::string& section, const std::string& key);

// ReadProfileBoolean for a key that may be left out: an empty or missing
// value is `absent`.
bool ReadOptionalBoolean(PlatformServices& platform, const ProfileFiles& files,
                         const std::string& section, const std::string& key, bool absent);

}  // namespace orvex

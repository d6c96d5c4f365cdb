#include "settings/Profile.h"

#include "platform/Failure.h"
#include "settings/NumberText.h"

namespace orvex {

namespace {

// The buffer the value is read into holds 256 characters and the read may
// use all but one of them, so the longest value is 254 characters.
constexpr std::size_t kProfileReadCapacity = 255;

}  // namespace

std::string FormProfilePath(const std::string& currentDirectory, const std::string& baseName,
                            char separator) {
  return currentDirectory + separator + baseName + ".ini";
}

std::string ReadProfileValue(PlatformServices& platform, const std::string& path,
                             const std::string& section, const std::string& key) {
  return platform.ReadProfileString(path, section, key, "", kProfileReadCapacity);
}

bool ParseBoolean(const std::string& text) {
  const std::string_view word = TrimBlanks(text);
  if (EqualsIgnoringCase(word, "true")) return true;
  if (EqualsIgnoringCase(word, "false")) return false;
  const auto number = ScanDecimal(word);
  if (!number) {
    throw Failure(FailureKind::TypeMismatch, "\"" + text + "\" is not True, False or a number.");
  }
  return !number->IsZero();
}

namespace {

bool ParseRead(const std::string& value, const std::string& path, const std::string& section,
               const std::string& key) {
  return WithContext("Reading \"" + key + "\" in section [" + section + "] of " + path + ":",
                     [&] { return ParseBoolean(value); });
}

}  // namespace

bool ReadProfileBoolean(PlatformServices& platform, const std::string& path,
                        const std::string& section, const std::string& key) {
  return ParseRead(ReadProfileValue(platform, path, section, key), path, section, key);
}

bool ReadOptionalBoolean(PlatformServices& platform, const std::string& path,
                         const std::string& section, const std::string& key, bool absent) {
  const std::string value = ReadProfileValue(platform, path, section, key);
  return value.empty() ? absent : ParseRead(value, path, section, key);
}

}  // namespace orvex

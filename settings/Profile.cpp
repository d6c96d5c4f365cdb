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

ProfileValue ReadProfileEntry(PlatformServices& platform, const ProfileFiles& files,
                              const std::string& section, const std::string& key) {
  if (!files.language.empty()) {
    // An empty answer is either an empty value or no key: a second read with
    // a fallback that is not empty tells them apart.
    std::string text =
        platform.ReadProfileString(files.language, section, key, "", kProfileReadCapacity);
    if (!text.empty() ||
        platform.ReadProfileString(files.language, section, key, "-", kProfileReadCapacity)
            .empty()) {
      return {std::move(text), files.language};
    }
  }
  return {platform.ReadProfileString(files.profile, section, key, "", kProfileReadCapacity),
          files.profile};
}

std::string ReadProfileValue(PlatformServices& platform, const ProfileFiles& files,
                             const std::string& section, const std::string& key) {
  return ReadProfileEntry(platform, files, section, key).text;
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

bool ParseRead(const ProfileValue& value, const std::string& section, const std::string& key) {
  return WithContext("Reading \"" + key + "\" in section [" + section + "] of " + value.file + ":",
                     [&] { return ParseBoolean(value.text); });
}

}  // namespace

bool ReadProfileBoolean(PlatformServices& platform, const ProfileFiles& files,
                        const std::string& section, const std::string& key) {
  return ParseRead(ReadProfileEntry(platform, files, section, key), section, key);
}

bool ReadOptionalBoolean(PlatformServices& platform, const ProfileFiles& files,
                         const std::string& section, const std::string& key, bool absent) {
  const ProfileValue value = ReadProfileEntry(platform, files, section, key);
  return value.text.empty() ? absent : ParseRead(value, section, key);
}

}  // namespace orvex

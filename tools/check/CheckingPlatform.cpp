#include "tools/check/CheckingPlatform.h"

#include "launcher/Design.h"
#include "platform/ColourForm.h"
#include "platform/Failure.h"
#include "tools/check/FileBytes.h"
#include "tools/check/LanguageParents.h"
#include "tools/check/PictureDecode.h"
#include "tools/check/SystemCase.h"

namespace orvex::check {

namespace {

// The profile bytes read the way the Windows launcher reads them.
LoadedProfile LoadProfile(std::string bytes) {
  const ProfileReading reading = ChooseProfileReading(bytes);
  ProfileReader reader = ProfileReader::FromBytes(bytes, DecodingFor(reading));
  return {std::move(bytes), reading, std::move(reader)};
}

}  // namespace

CheckingPlatform::CheckingPlatform(const MediumFolder& medium, std::string executableBaseName)
    : medium_(medium), baseName_(std::move(executableBaseName)) {
  ResetButtons();
}

void CheckingPlatform::ResetButtons() {
  for (int index = 0; index < kButtonCount; ++index) {
    const ButtonGeometry& design = kDesignButtons.at(index);
    buttons_.at(index) = {kDesignButtonCaption, true, design.left, design.width};
  }
}

const LoadedProfile* CheckingPlatform::Loaded(const std::string& file) const {
  const auto it = profiles_.find(file);
  return it == profiles_.end() || !it->second ? nullptr : &*it->second;
}

std::string CheckingPlatform::CurrentDirectoryPath() { return std::string(kMediumDrive) + "\\"; }

bool CheckingPlatform::FileExists(const std::string& path) {
  return medium_.Find(path).has_value();
}

const LoadedProfile* CheckingPlatform::Load(const std::string& file) {
  auto it = profiles_.find(file);
  if (it == profiles_.end()) {
    std::optional<LoadedProfile> loaded;
    if (const auto found = medium_.Find(file)) {
      if (auto bytes = ReadFileBytes(*found)) loaded = LoadProfile(std::move(*bytes));
    }
    it = profiles_.emplace(file, std::move(loaded)).first;
  }
  return it->second ? &*it->second : nullptr;
}

std::string CheckingPlatform::ReadProfileString(const std::string& file, const std::string& section,
                                                const std::string& key, const std::string& fallback,
                                                std::size_t capacity) {
  reads_.push_back({section, key});
  const LoadedProfile* profile = Load(file);
  if (!profile) return ProfileReader::FromBytes("").Read(section, key, fallback, capacity).value;
  return profile->reader.Read(section, key, fallback, capacity).value;
}

std::string CheckingPlatform::ParentLanguage(const std::string& language) {
  return LanguageParent(language);
}

void CheckingPlatform::StartProgram(const std::string& commandLine) {
  started_.push_back({commandLine, FindProgram(medium_, commandLine)});
  const ProgramSearch& search = started_.back().search;
  switch (search.place) {
    case ProgramPlace::OnMedium:
    case ProgramPlace::SystemProgram:
    case ProgramPlace::OutsideMedium: return;
    case ProgramPlace::NotAProgram:
      throw Failure(FailureKind::FileNotFound,
                    search.found + " is not a program that Windows can start.");
    case ProgramPlace::NotRunnable:
      throw Failure(FailureKind::FileNotFound, search.found + ": " + search.why + ".");
    case ProgramPlace::Missing:
      throw Failure(FailureKind::FileNotFound,
                    "There is no program " + search.program + " where the launcher looks.");
    case ProgramPlace::Blank:
      throw Failure(FailureKind::FileNotFound, "The command line names no program.");
  }
}

PicturePtr CheckingPlatform::LoadPictureFile(const std::string& path) {
  const auto found = medium_.Find(path);
  const auto bytes = found ? ReadFileBytes(*found) : std::nullopt;
  if (!bytes) throw Failure(FailureKind::InvalidPicture, "The file cannot be read.");
  const PictureInfo info = ReadPictureInfo(*bytes);
  CheckPictureData(info.format, *bytes, *found);
  // The picture as the checker knows it: its header.
  return WrapPicture(std::make_shared<PictureInfo>(info));
}

std::string CheckingPlatform::ToLowerCase(const std::string& text) {
  return LowerCaseLikeWindows(text);
}

bool CheckingPlatform::PathExists(const std::string& path) {
  return PlaceOf(path) == PathPlace::OtherDrive || medium_.Contains(path);
}

void CheckingPlatform::SetWindowColour(std::int32_t colour) {
  if (ClassifyColour(colour) == ColourForm::Invalid) RefuseColour(colour);
}

void CheckingPlatform::ReportAndEnd(const Failure&) {
  throw ProcessEnded{ExitStatus::FatalFailure};
}

}  // namespace orvex::check

#include "FakePlatform.h"

#include <algorithm>
#include <cctype>

#include "platform/ColourForm.h"
#include "platform/Failure.h"
#include "settings/ProfileReader.h"

namespace orvex {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

void FakePlatform::SetProfile(const std::string& text) { files[ProfilePath()] = text; }

std::string FakePlatform::ProfilePath() const {
  return currentDirectory + "\\" + baseName + ".ini";
}

std::vector<std::string> FakePlatform::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const auto& call : calls) {
    if (call.rfind(prefix, 0) == 0) matching.push_back(call);
  }
  return matching;
}

std::string FakePlatform::CurrentDirectoryPath() {
  calls.push_back("CurrentDirectoryPath");
  return currentDirectory;
}

bool FakePlatform::FileExists(const std::string& path) {
  calls.push_back("FileExists " + path);
  return files.count(path) > 0;
}

std::string FakePlatform::ExecutableBaseName() {
  calls.push_back("ExecutableBaseName");
  return baseName;
}

// Read as autorun.exe reads it on Windows: a UTF-8 profile by the portable
// reader, any other as the system's API does where the ANSI code page is
// Windows-1252. A missing file gives the fallback, as from the API.
std::string FakePlatform::ReadProfileString(const std::string& file, const std::string& section,
                                            const std::string& key, const std::string& fallback,
                                            std::size_t capacity) {
  calls.push_back("Read [" + section + "] " + key + (file == ProfilePath() ? "" : " of " + file));
  const auto it = files.find(file);
  const std::string bytes = it == files.end() ? std::string() : it->second;
  const auto profile = ProfileReader::FromBytes(bytes, DecodingFor(ChooseProfileReading(bytes)));
  return profile.Read(section, key, fallback, capacity).value;
}

std::string FakePlatform::ParentLanguage(const std::string& language) {
  const auto it = parents.find(language);
  return it == parents.end() ? std::string() : it->second;
}

void FakePlatform::ShowMessage(const std::string& text) {
  calls.push_back("ShowMessage " + text);
  messages.push_back(text);
}

void FakePlatform::StartProgram(const std::string& commandLine) {
  calls.push_back("StartProgram " + commandLine);
  if (unstartable.count(commandLine)) {
    throw Failure(FailureKind::FileNotFound, "The system cannot find the file specified.");
  }
  started.push_back(commandLine);
}

bool FakePlatform::StartWatchedProgram(const std::string& commandLine, int tag) {
  calls.push_back("StartWatchedProgram " + commandLine + " " + std::to_string(tag));
  if (unstartable.count(commandLine)) {
    throw Failure(FailureKind::FileNotFound, "The system cannot find the file specified.");
  }
  started.push_back(commandLine);
  return true;
}

PicturePtr FakePlatform::LoadPictureFile(const std::string& path) {
  calls.push_back("LoadPictureFile " + path);
  if (notPictures.count(path)) throw Failure(FailureKind::InvalidPicture, "Not a picture.");
  return check::WrapPicture(std::make_shared<FakePicture>(FakePicture{path}));
}

std::string FakePlatform::ToLowerCase(const std::string& text) {
  calls.push_back("ToLowerCase " + text);
  return Lower(text);
}

bool FakePlatform::PathExists(const std::string& path) {
  calls.push_back("PathExists " + path);
  return files.count(path) > 0 || folders.count(path) > 0;
}

bool FakePlatform::OpenDocument(const std::string& target) {
  calls.push_back("OpenDocument " + target);
  if (declinedOpens.count(target)) return false;
  opened.push_back(target);
  return true;
}

std::optional<std::string> FakePlatform::EnvironmentVariable(const std::string& name) {
  calls.push_back("EnvironmentVariable " + name);
  const auto it = environment.find(name);
  if (it == environment.end()) return std::nullopt;
  return it->second;
}

bool FakePlatform::RegistryEntryExists(RegistryHive hive, const std::string& key,
                                       const std::optional<std::string>& valueName) {
  std::string entry = hive == RegistryHive::LocalMachine ? "HKLM" : "HKCU";
  if (!key.empty()) entry += "\\" + key;
  if (valueName) entry += "|" + *valueName;
  calls.push_back("RegistryEntryExists " + entry);
  return registry.count(entry) > 0;
}

void FakePlatform::SetWindowColour(std::int32_t colour) {
  calls.push_back("SetWindowColour " + std::to_string(colour));
  // The window takes only what it can show, as the real one does.
  if (ClassifyColour(colour) == ColourForm::Invalid) RefuseColour(colour);
}

void FakePlatform::SetWindowPicture(const PicturePtr& picture) {
  calls.push_back("SetWindowPicture " + check::PictureAs<FakePicture>(picture).path);
}

void FakePlatform::SetWindowTitle(const std::string& title) {
  calls.push_back("SetWindowTitle " + title);
}

void FakePlatform::SetTextLanguage(const std::string& language) {
  calls.push_back("SetTextLanguage " + language);
}

void FakePlatform::SetButtonCaption(int index, const std::string& caption) {
  calls.push_back("SetButtonCaption " + std::to_string(index) + " " + caption);
}

void FakePlatform::SetButtonVisible(int index, bool visible) {
  calls.push_back("SetButtonVisible " + std::to_string(index) + " " + (visible ? "1" : "0"));
}

void FakePlatform::SetButtonLeft(int index, int twips) {
  calls.push_back("SetButtonLeft " + std::to_string(index) + " " + std::to_string(twips));
}

void FakePlatform::SetButtonWidth(int index, int twips) {
  calls.push_back("SetButtonWidth " + std::to_string(index) + " " + std::to_string(twips));
}

void FakePlatform::SetButtonEnabled(int index, bool enabled) {
  calls.push_back("SetButtonEnabled " + std::to_string(index) + " " + (enabled ? "1" : "0"));
}

void FakePlatform::EndProcess(ExitStatus status) {
  calls.push_back("EndProgram " + std::to_string(static_cast<int>(status)));
  throw check::ProcessEnded{status};
}

void FakePlatform::ReportAndEnd(const Failure& failure) {
  calls.push_back(std::string("ReportFatalFailure ") + FailureName(failure.Kind()));
  throw check::ProcessEnded{ExitStatus::FatalFailure};
}

}  // namespace orvex

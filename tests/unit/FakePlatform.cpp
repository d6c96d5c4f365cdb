#include "FakePlatform.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/Failure.h"

namespace orvex {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A plain INI lookup: enough for the launcher's own tests.
std::string LookUp(const std::string& text, const std::string& section, const std::string& key,
                   bool& found) {
  std::istringstream lines(text);
  std::string line;
  bool inSection = false;
  found = false;
  while (std::getline(lines, line)) {
    const std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const auto close = trimmed.find(']');
      inSection = Lower(trimmed.substr(1, close - 1)) == Lower(section);
      continue;
    }
    const auto equals = trimmed.find('=');
    if (!inSection || equals == std::string::npos) continue;
    if (Lower(Trim(trimmed.substr(0, equals))) != Lower(key)) continue;
    found = true;
    return Trim(trimmed.substr(equals + 1));
  }
  return "";
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

void FakePlatform::PrepareFileServices() { calls.push_back("PrepareFileServices"); }

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

std::string FakePlatform::ReadProfileString(const std::string& file, const std::string& section,
                                            const std::string& key, const std::string& fallback,
                                            std::size_t capacity) {
  calls.push_back("Read [" + section + "] " + key);
  const auto it = files.find(file);
  bool found = false;
  std::string value = it == files.end() ? "" : LookUp(it->second, section, key, found);
  if (!found) value = fallback;
  if (value.size() > capacity - 1) value.resize(capacity - 1);
  return value;
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

PicturePtr FakePlatform::LoadPictureFile(const std::string& path) {
  calls.push_back("LoadPictureFile " + path);
  if (notPictures.count(path)) throw Failure(FailureKind::InvalidPicture, "Not a picture.");
  return std::make_shared<Picture>(path);
}

std::string FakePlatform::ToLowerCase(const std::string& text) {
  calls.push_back("ToLowerCase " + text);
  return Lower(text);
}

void FakePlatform::SetWindowColour(std::int32_t colour) {
  calls.push_back("SetWindowColour " + std::to_string(colour));
}

void FakePlatform::SetWindowPicture(const PicturePtr& picture) {
  calls.push_back("SetWindowPicture " + picture->path);
}

void FakePlatform::SetWindowTitle(const std::string& title) {
  calls.push_back("SetWindowTitle " + title);
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

void FakePlatform::EndProcess(ExitStatus status) {
  calls.push_back("EndProgram " + std::to_string(static_cast<int>(status)));
  throw ProgramEnded{status};
}

void FakePlatform::ReportAndEnd(const Failure& failure) {
  calls.push_back(std::string("ReportFatalFailure ") + FailureName(failure.Kind()));
  throw ProgramEnded{ExitStatus::FatalFailure};
}

}  // namespace orvex

#include "platform/win32/Win32Platform.h"

#include <vector>

#include "launcher/Design.h"
#include "platform/ColourForm.h"
#include "platform/Failure.h"
#include "platform/PathForms.h"
#include "platform/win32/DisplayLanguages.h"
#include "platform/win32/FileBytes.h"
#include "platform/win32/Machine.h"
#include "platform/win32/Picture.h"
#include "platform/win32/ProcessStart.h"
#include "platform/win32/Registry.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/SystemPaths.h"
#include "platform/win32/WideText.h"
#include "settings/ProfileText.h"

namespace orvex::win32 {

SplashWindow& Win32Platform::CreateSplash() {
  splash_ = std::make_unique<SplashWindow>(instance_);
  return *splash_;
}

std::string Win32Platform::CurrentDirectoryPath() { return Narrow(CurrentDirectory()); }

bool Win32Platform::FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(ExtendedPath(Widen(path)).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::ExecutableBaseName() {
  const std::wstring path = ModulePath();
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  const auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return Narrow(name);
}

namespace {

// The text of a profile without a byte-order mark, as the API reads it: in
// the ANSI code page. Given to the portable reader as UTF-16 with a BOM,
// it is taken as it is, whatever that code page.
std::string AsTheApiReadsIt(const std::string& bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return bytes;
  std::string utf16 = "\xFF\xFE";
  for (const wchar_t unit : Widen(bytes, CP_ACP)) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>((unit >> 8) & 0xFF));
  }
  return utf16;
}

}  // namespace

// The API reads everything but UTF-16 in the ANSI code page: a UTF-8
// profile would lose its first section to the BOM, or show its captions
// garbled. Those go to the portable reader, and so does UTF-16 of an odd
// length (ChooseProfileReading). So does every profile whose path is too
// long for the API, which cannot open a path of MAX_PATH characters or more
// (Wine 8's gives up at about 269), while the current directory alone may
// have 258: read as the API would have read it. Every other profile, and
// one that cannot be read here, goes to the API as always.
const ProfileReader* Win32Platform::PortableProfile(const std::string& file) {
  auto found = portableProfiles_.find(file);
  if (found == portableProfiles_.end()) {
    std::optional<ProfileReader> reader;
    const std::wstring path = Widen(file);
    if (const std::optional<std::string> bytes = ReadWholeFile(path)) {
      const ProfileReading reading = ChooseProfileReading(*bytes);
      if (reading != ProfileReading::SystemApi) {
        reader = ProfileReader::FromBytes(*bytes, DecodingFor(reading));
      } else if (IsLongPath(FullPath(path))) {
        reader = ProfileReader::FromBytes(AsTheApiReadsIt(*bytes), DecodingFor(reading));
      }
    }
    found = portableProfiles_.emplace(file, std::move(reader)).first;
  }
  return found->second ? &*found->second : nullptr;
}

std::string Win32Platform::ReadProfileString(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& fallback,
                                             std::size_t capacity) {
  if (const ProfileReader* portable = PortableProfile(file)) {
    return portable->Read(section, key, fallback, capacity).value;
  }
  std::vector<wchar_t> buffer(capacity + 1, L'\0');
  const DWORD stored =
      GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(fallback).c_str(),
                               buffer.data(), static_cast<DWORD>(capacity), Widen(file).c_str());
  return Narrow(buffer.data(), static_cast<int>(stored));
}

std::string Win32Platform::CommandLineArguments() {
  return Narrow(ArgumentsAfterProgramName(GetCommandLineW()));
}

std::vector<std::string> Win32Platform::PreferredLanguages() { return UserDisplayLanguages(); }

std::string Win32Platform::ParentLanguage(const std::string& language) {
  return Narrow(ParentOfLanguage(Widen(language)));
}

HWND Win32Platform::ShownWindow() const {
  return splash_ && IsWindowVisible(splash_->Handle()) ? splash_->Handle() : nullptr;
}

void Win32Platform::ShowMessage(const std::string& text) {
  // Owned by the window once it is shown, so that it cannot be clicked while
  // the message is up; brought to the front because autorun often starts the
  // launcher while another window has the focus.
  LoadWindowLibraries();
  MessageBoxW(ShownWindow(), Widen(text).c_str(), Widen(kApplicationTitle).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void Win32Platform::StartProgram(const std::string& commandLine) {
  if (StartCommandLine(commandLine, ShownWindow()) == StartResult::Declined)
    EndProgram(ExitStatus::Declined);
}

bool Win32Platform::StartWatchedProgram(const std::string& commandLine, int tag) {
  ScopedHandle process;
  if (StartCommandLine(commandLine, ShownWindow(), &process) == StartResult::Declined) {
    return false;
  }
  return process.Valid() && splash_->Watch(std::move(process), tag);
}

PicturePtr Win32Platform::LoadPictureFile(const std::string& path) { return LoadPicture(path); }

std::string Win32Platform::ToLowerCase(const std::string& text) {
  std::wstring wide = Widen(text);
  CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

bool Win32Platform::PathExists(const std::string& path) {
  return !path.empty() &&
         GetFileAttributesW(ExtendedPath(Widen(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Platform::OpenDocument(const std::string& target) {
  return OpenWithShell(target, ShownWindow()) != StartResult::Declined;
}

Architecture Win32Platform::NativeArchitecture() { return NativeMachine(); }

std::optional<std::string> Win32Platform::EnvironmentVariable(const std::string& name) {
  const std::wstring wideName = Widen(name);
  std::wstring value(GetEnvironmentVariableW(wideName.c_str(), nullptr, 0), L'\0');
  if (value.empty()) return std::nullopt;
  value.resize(
      GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size())));
  return Narrow(value);
}

bool Win32Platform::RegistryEntryExists(RegistryHive hive, const std::string& key,
                                        const std::optional<std::string>& valueName) {
  return win32::RegistryEntryExists(hive, Widen(key),
                                    valueName ? std::optional(Widen(*valueName)) : std::nullopt);
}

void Win32Platform::SetWindowColour(std::int32_t colour) {
  switch (ClassifyColour(colour)) {
    case ColourForm::Ordinary: splash_->SetColour(static_cast<COLORREF>(colour)); return;
    case ColourForm::System:
      if (GetSysColorBrush(SystemColourIndex(colour))) {
        splash_->SetColour(GetSysColor(SystemColourIndex(colour)));
        return;
      }
      break;
    case ColourForm::Invalid: break;
  }
  RefuseColour(colour);
}

void Win32Platform::SetWindowPicture(const PicturePtr& picture) { splash_->SetPicture(picture); }

void Win32Platform::SetWindowTitle(const std::string& title) { splash_->SetTitle(Widen(title)); }

void Win32Platform::SetTextLanguage(const std::string& language) {
  if (ReadsRightToLeft(Widen(language))) splash_->UseRightToLeftReading();
}

void Win32Platform::SetButtonCaption(int index, const std::string& caption) {
  splash_->SetButtonCaption(index, Widen(caption));
}

void Win32Platform::SetButtonVisible(int index, bool visible) {
  splash_->SetButtonVisible(index, visible);
}

void Win32Platform::SetButtonLeft(int index, int twips) { splash_->SetButtonLeft(index, twips); }

void Win32Platform::SetButtonWidth(int index, int twips) { splash_->SetButtonWidth(index, twips); }

void Win32Platform::SetButtonEnabled(int index, bool enabled) {
  splash_->SetButtonEnabled(index, enabled);
}

void Win32Platform::EndProcess(ExitStatus status) { ExitProcess(static_cast<UINT>(status)); }

void Win32Platform::ReportAndEnd(const Failure& failure) {
  ShowMessage(FailureReportText(failure));
  EndProgram(ExitStatus::FatalFailure);
}

}  // namespace orvex::win32

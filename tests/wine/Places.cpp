// Text conversion, the paths of the run, and medium folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "Harness.h"

namespace winetest {

namespace {

std::wstring Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// A path given from the Unix side ("/work/...") as Wine names it.
std::wstring FromHostPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  using ToDos = WCHAR*(CDECL*)(const char*);
  const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (toDos) {
    if (WCHAR* dos = toDos(Utf8(path).c_str())) {
      std::wstring result(dos);
      HeapFree(GetProcessHeap(), 0, dos);
      return result;
    }
  }
  std::wstring result = L"Z:" + path;
  std::replace(result.begin(), result.end(), L'/', L'\\');
  return result;
}

std::wstring Fail(const std::string& why) { throw std::runtime_error(why); }

std::wstring Directory(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

void MakeFolders(const std::wstring& path) {
  const auto cut = path.find_last_of(L'\\');
  if (cut != std::wstring::npos && cut > 2) MakeFolders(path.substr(0, cut));
  CreateDirectoryW(path.c_str(), nullptr);
}

// Deletes everything inside folder, keeping the folder; paths of any length.
void EmptyFolder(const std::wstring& folder) {
  const std::wstring base = folder.back() == L'\\' ? folder : folder + L"\\";
  for (const WIN32_FIND_DATAW& found : FolderEntries(folder)) {
    const std::wstring full = Extended(base + found.cFileName);
    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only ones too
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      EmptyFolder(base + found.cFileName);
      RemoveDirectoryW(full.c_str());
    } else {
      DeleteFileW(full.c_str());
    }
  }
}

std::wstring TestFolderName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "medium";
  for (char& c : name) {
    if (std::strchr("/\\:*?<>|\"", c)) c = '_';
  }
  return Wide(name);
}

}  // namespace

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
  return text;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), size);
  return text;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string Utf16(const std::wstring& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const wchar_t unit : text) {
    const char high = static_cast<char>((unit >> 8) & 0xFF);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

void PutLe16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutLe32(std::string& out, std::uint32_t value) {
  PutLe16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  PutLe16(out, static_cast<std::uint16_t>(value >> 16));
}

std::wstring Extended(const std::wstring& path) {
  const bool full = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  return full ? L"\\\\?\\" + path : path;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const ScopedFile file(CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file.Valid() ||
      !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    Fail("cannot write " + Utf8(path));
  }
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  if (!file) Fail("cannot read " + Utf8(path));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& folder) {
  std::vector<WIN32_FIND_DATAW> entries;
  const std::wstring base = folder.back() == L'\\' ? folder : folder + L"\\";
  WIN32_FIND_DATAW found;
  const ScopedFind search(FindFirstFileW(Extended(base + L"*").c_str(), &found));
  if (!search.Valid()) return entries;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") entries.push_back(found);
  } while (FindNextFileW(search.Get(), &found));
  return entries;
}

std::wstring EnvironmentPath(const wchar_t* name) { return FromHostPath(Environment(name)); }

bool FlagSet(const wchar_t* name) { return Environment(name) == L"1"; }

std::wstring LauncherPath() {
  static const std::wstring path = [] {
    const std::wstring given = EnvironmentPath(L"ORVEX_LAUNCHER");
    return given.empty() ? Fail("ORVEX_LAUNCHER names no launcher to test") : given;
  }();
  return path;
}

std::wstring BesideDriver(const std::wstring& name) {
  static const std::wstring folder = [] {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return Directory(self);
  }();
  return folder + L"\\" + name;
}

std::wstring RunRoot() {
  static const std::wstring root = [] {
    std::wstring base = EnvironmentPath(L"ORVEX_TEST_TEMP");
    if (base.empty()) {
      wchar_t temp[MAX_PATH];
      base = std::wstring(temp, GetTempPathW(MAX_PATH, temp));
    }
    while (!base.empty() && base.back() == L'\\') base.pop_back();
    const std::wstring folder = base + L"\\run-" + std::to_wstring(GetCurrentProcessId());
    MakeFolders(folder);
    EmptyFolder(folder);
    return folder;
  }();
  return root;
}

void RemoveRunRoot() {
  EmptyFolder(RunRoot());
  RemoveDirectoryW(RunRoot().c_str());
}

Medium::Medium(const std::wstring& suffix) : path_(RunRoot() + L"\\" + TestFolderName() + suffix) {
  MakeFolders(path_);
  EmptyFolder(path_);
}

std::optional<Medium> Medium::AtDriveRoot() {
  std::wstring letter = Environment(L"ORVEX_TEST_DRIVE");
  if (letter.empty()) letter = L"R";
  const std::wstring root = letter.substr(0, 1) + L":\\";
  const DWORD attributes = GetFileAttributesW(root.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  EmptyFolder(root);
  return Medium(AtPath{}, root);
}

std::wstring Medium::PathOf(const std::wstring& relative) const {
  return path_.back() == L'\\' ? path_ + relative : path_ + L"\\" + relative;
}

std::wstring Medium::MakeFolder(const std::wstring& relative) const {
  const std::wstring full = PathOf(relative);
  MakeFolders(full);
  return full;
}

std::wstring Medium::MakeFolderOfLength(size_t length) const {
  std::wstring path = path_;
  while (path.size() < length) {
    // A separator and at least one letter each, the last one included.
    const size_t room = length - path.size() - 1;
    size_t letters = std::min<size_t>(room, 50);
    if (room - letters == 1) --letters;
    path += L"\\" + std::wstring(letters, L'l');
    CreateDirectoryW(Extended(path).c_str(), nullptr);
  }
  if (path.size() != length ||
      GetFileAttributesW(Extended(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
    Fail("cannot make a folder of " + std::to_string(length) + " characters in " + Utf8(path_));
  }
  return path;
}

std::wstring Medium::Write(const std::wstring& relative, const std::string& bytes) const {
  const std::wstring full = PathOf(relative);
  MakeFolders(Directory(full));
  WriteBytes(full, bytes);
  return full;
}

std::wstring Medium::CopyIn(const std::wstring& from, const std::wstring& relative) const {
  const std::wstring full = PathOf(relative);
  MakeFolders(Directory(full));
  if (!CopyFileW(from.c_str(), full.c_str(), FALSE)) {
    Fail("cannot copy " + Utf8(from) + " to " + Utf8(full));
  }
  return full;
}

}  // namespace winetest

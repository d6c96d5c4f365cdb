// recorder.exe: stands in for the programs a medium starts. It appends its
// own command line and current directory, as UTF-8, to the file named by
// ORVEX_RECORD, so that a test sees what the launcher started and how. A GUI
// program without windows, so that nothing appears on the screen.
//
// Like a setup program it can take its time and leave a trace: with
// "/waitfor=FILE" it ends only once FILE exists (20 s at most), and with
// "/createkey=KEY" it then creates HKEY_CURRENT_USER\KEY.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

// The text after "/name=" up to the next blank; empty when not given.
std::wstring Option(const std::wstring& commandLine, const std::wstring& name) {
  const size_t at = commandLine.find(L"/" + name + L"=");
  if (at == std::wstring::npos) return {};
  const size_t start = at + name.size() + 2;
  return commandLine.substr(start, commandLine.find(L' ', start) - start);
}

void ActLikeSetup(const std::wstring& commandLine) {
  if (const std::wstring file = Option(commandLine, L"waitfor"); !file.empty()) {
    for (int waited = 0; waited < 20000; waited += 20) {
      if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) break;
      Sleep(20);
    }
  }
  if (const std::wstring key = Option(commandLine, L"createkey"); !key.empty()) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created,
                        nullptr) == ERROR_SUCCESS) {
      RegCloseKey(created);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t recordFile[MAX_PATH * 4] = {};
  const DWORD nameLength = GetEnvironmentVariableW(L"ORVEX_RECORD", recordFile, MAX_PATH * 4);
  if (nameLength == 0 || nameLength >= MAX_PATH * 4) return 3;

  const wchar_t* commandLine = GetCommandLineW();
  std::wstring directory(32768, L'\0');
  directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));

  const std::string record =
      "command=" + Utf8(commandLine, static_cast<int>(wcslen(commandLine))) + "\n" +
      "directory=" + Utf8(directory.data(), static_cast<int>(directory.size())) + "\n";
  // One write in append mode, so a record is never torn.
  HANDLE file = CreateFileW(recordFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  ActLikeSetup(commandLine);
  return written == record.size() ? 0 : 2;
}

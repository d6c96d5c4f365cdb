#include "CheckerPrediction.h"

#include <gtest/gtest.h>

namespace winetest {

std::string JsonString(const std::string& text, size_t& at) {
  std::string value;
  for (++at; at < text.size() && text[at] != '"'; ++at) {
    if (text[at] != '\\') {
      value += text[at];
      continue;
    }
    switch (text[++at]) {
      case 'n': value += '\n'; break;
      case 'r': value += '\r'; break;
      case 't': value += '\t'; break;
      case 'u':
        value += static_cast<char>(std::stoi(text.substr(at + 1, 4), nullptr, 16));
        at += 4;
        break;
      default: value += text[at];
    }
  }
  ++at;
  return value;
}

namespace {

// The object at `at` ("null" or {"line": .., "failure": .., "shows": ..}).
std::optional<Ending> EndingAt(const std::string& text, size_t at) {
  if (text.compare(at, 4, "null") == 0) return std::nullopt;
  Ending ending;
  size_t failure = text.find("\"failure\": ", at) + 11;
  if (text[failure] == '"') ending.failure = JsonString(text, failure);
  size_t shows = text.find("\"shows\": ", at) + 9;
  ending.shows = Wide(JsonString(text, shows));
  return ending;
}

bool StartsWith(const std::string& text, const std::string& head) {
  return text.rfind(head, 0) == 0;
}

// The quoted text that follows `head` in a note and ends before `tail`.
std::wstring QuotedBetween(const std::string& note, const std::string& head,
                           const std::string& tail) {
  const size_t from = note.find(head) + head.size();
  return Wide(note.substr(from, note.rfind(tail) - from));
}

// "button 1 of 2 from [BUTTON3]: caption "..", action "x" (why); left ..".
PredictedButton ButtonFrom(const std::string& note) {
  PredictedButton button;
  button.section = note.substr(note.find('[') + 1, note.find(']') - note.find('[') - 1);
  std::string action = note.substr(0, note.rfind("; left "));
  action = action.substr(action.find(", action \"") + 10);
  const size_t why = action.rfind("\" (");
  button.exits = action.ends_with("(ends the launcher)");
  button.found = why != std::string::npos && !button.exits;
  button.action = Wide(action.substr(0, why != std::string::npos ? why : action.size() - 1));
  return button;
}

void ReadNote(const std::string& note, Prediction& prediction) {
  if (StartsWith(note, "window title \"")) {
    prediction.title = QuotedBetween(note, "window title \"", "\"");
  } else if (StartsWith(note, "the window has no title text")) {
    prediction.title = L"";
  } else if (StartsWith(note, "button ") && note.find(" from [") != std::string::npos) {
    prediction.buttons.push_back(ButtonFrom(note));
  } else if (StartsWith(note, "the launcher starts \"")) {
    prediction.headlessStarts = QuotedBetween(note, "the launcher starts \"", "\" (");
  } else if (StartsWith(note, "DefaultAction is \"exit\"")) {
    prediction.headlessStarts = L"";
  }
}

}  // namespace

void CopyTree(const std::wstring& from, const Medium& medium, const std::wstring& relative) {
  const std::vector<WIN32_FIND_DATAW> entries = FolderEntries(from);
  ASSERT_FALSE(entries.empty()) << Utf8(from);
  for (const WIN32_FIND_DATAW& found : entries) {
    const std::wstring name = found.cFileName;
    const std::wstring inner = relative.empty() ? name : relative + L"\\" + name;
    const std::wstring to = Extended(medium.PathOf(inner));
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      EXPECT_TRUE(CreateDirectoryW(to.c_str(), nullptr)) << Utf8(inner);
      CopyTree(from + L"\\" + name, medium, inner);
    } else {
      EXPECT_TRUE(CopyFileW(Extended(from + L"\\" + name).c_str(), to.c_str(), FALSE))
          << Utf8(inner);
    }
  }
}

std::optional<std::string> OutputOf(std::wstring commandLine, const std::wstring& file) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  ScopedFile output(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output.Get();
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  if (!output.Valid() || !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                         CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
    return std::nullopt;
  }
  const ScopedHandle thread(process.hThread);
  const ScopedHandle child(process.hProcess);
  output.Reset();
  if (WaitForSingleObject(child.Get(), kWaitMs) == WAIT_OBJECT_0) return ReadBytes(file);
  TerminateProcess(child.Get(), 1);
  return std::nullopt;
}

Prediction Predict(const std::string& json) {
  Prediction prediction;
  size_t mode = json.find("\"mode\": ") + 8;
  if (json[mode] == '"') prediction.mode = JsonString(json, mode);
  prediction.startUp = EndingAt(json, json.find("\"startUpEnding\": ") + 17);
  const size_t findings = json.find("\"findings\"");
  for (size_t at = json.find("{\"button\": "); at < findings;
       at = json.find("{\"button\": ", at + 1)) {
    const int button = std::stoi(json.substr(at + 11));
    prediction.clicks.emplace_back(button, *EndingAt(json, json.find("\"ending\": ", at) + 10));
  }
  for (size_t at = json.find("\"severity\": \"note\", \"text\": ", findings);
       at != std::string::npos; at = json.find("\"severity\": \"note\", \"text\": ", at)) {
    at += 28;
    ReadNote(JsonString(json, at), prediction);
  }
  return prediction;
}

std::wstring ShownOn(const Medium& medium, const Ending& ending) {
  const std::wstring& shows = ending.shows;
  return shows.rfind(L"D:\\", 0) == 0 ? medium.Path() + shows.substr(3) : shows;
}

}  // namespace winetest

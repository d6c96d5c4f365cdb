// How a run of the launcher ends, checked the same way by every test.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "Harness.h"

namespace winetest {

namespace {

// Exit codes of 0xC0000000 and above are NTSTATUS errors: an unhandled
// exception (under the session's prefix a crash ends a program at once).
bool IsCrash(DWORD code) { return code >= 0xC0000000u; }

void ExpectStarted(Launch& run, const Expected& expected, DWORD timeoutMs) {
  ExpectExit(run, 0, timeoutMs);
  const std::vector<Recorded> started = run.Started();
  ASSERT_EQ(started.size(), 1u) << run.Situation();
  EXPECT_EQ(started[0].commandLine, expected.text);
  if (!expected.directory.empty()) {
    EXPECT_EQ(started[0].currentDirectory, expected.directory);
  }
  EXPECT_EQ(run.ChildProcessCount(), 1u);
  EXPECT_EQ(run.MessageBoxesSeen(), 0u);
}

void ExpectBoxAndEnd(Launch& run, const Expected& expected, DWORD timeoutMs) {
  const auto box = run.TakeMessageBox(timeoutMs);
  ASSERT_TRUE(box) << "no message box: " << run.Situation();
  EXPECT_EQ(box->title, kReportTitle);
  EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(box->hasIcon);
  // A report's first line is its failure's name; a message is all of it.
  const bool report = expected.outcome == Outcome::Report;
  const std::wstring shown =
      report ? box->text.substr(0, box->text.find_first_of(L"\r\n")) : box->text;
  EXPECT_EQ(shown, expected.text) << Utf8(box->text);
  for (const auto& part : expected.mentions) {
    EXPECT_NE(box->text.find(part), std::wstring::npos)
        << Utf8(box->text) << "\nlacks: " << Utf8(part);
  }
  ExpectExit(run, report ? 2u : 1u, timeoutMs);
  EXPECT_EQ(run.MessageBoxesSeen(), 1u);
  EXPECT_EQ(run.ChildProcessCount(), 0u);
}

}  // namespace

std::wstring MissingProfileText(const std::wstring& folder) {
  return folder + L"\\autorun.ini doesn't exist. INI filename must be the same as EXE filename.";
}

std::wstring MissingPictureText(const std::wstring& picture) {
  return L"Couldn't find splash screen picture - " + picture;
}

Expected Window() { return {Outcome::Window, L"", true}; }
Expected Window(std::wstring title) { return {Outcome::Window, std::move(title)}; }
Expected Started(std::wstring commandLine, std::wstring directory) {
  return {Outcome::Started, std::move(commandLine), false, {}, std::move(directory)};
}
Expected NothingStarted() { return {Outcome::Nothing, L""}; }
Expected Report(std::wstring failure, std::vector<std::wstring> mentions) {
  return {Outcome::Report, std::move(failure), false, std::move(mentions)};
}
Expected Message(std::wstring text) { return {Outcome::Message, std::move(text)}; }
Expected WindowOrInvalidPicture() { return {Outcome::WindowOrInvalidPicture, L""}; }

void ExpectExit(Launch& run, DWORD expected, DWORD timeoutMs) {
  const auto code = run.WaitForExit(timeoutMs);
  ASSERT_TRUE(code) << "did not end within " << timeoutMs << " ms: " << run.Situation();
  EXPECT_FALSE(IsCrash(*code)) << run.Situation();
  EXPECT_EQ(*code, expected) << run.Situation();
}

WindowInfo ExpectWindow(Launch& run, DWORD timeoutMs) {
  const auto window = run.WaitForWindow(timeoutMs);
  if (!window) throw std::runtime_error("no launcher window: " + run.Situation());
  return *window;
}

void ExpectCloses(Launch& run, const WindowInfo& window, DWORD timeoutMs) {
  RequestClose(window.handle);
  ExpectEnding(run, NothingStarted(), timeoutMs);
}

void ExpectEnding(Launch& run, const Expected& expected, DWORD timeoutMs) {
  switch (expected.outcome) {
    case Outcome::Started: ExpectStarted(run, expected, timeoutMs); break;
    case Outcome::Nothing:
      ExpectExit(run, 0, timeoutMs);
      EXPECT_EQ(run.ChildProcessCount(), 0u);
      EXPECT_TRUE(run.Started().empty());
      EXPECT_EQ(run.MessageBoxesSeen(), 0u);
      break;
    case Outcome::Report:
    case Outcome::Message: ExpectBoxAndEnd(run, expected, timeoutMs); break;
    default: ADD_FAILURE() << "a window is no ending"; break;
  }
}

void ExpectOutcome(Launch& run, const Expected& expected, DWORD timeoutMs) {
  switch (expected.outcome) {
    case Outcome::Window: {
      const WindowInfo window = ExpectWindow(run, timeoutMs);
      if (!expected.anyText) {
        EXPECT_EQ(window.title, expected.text);
      }
      ExpectCloses(run, window, timeoutMs);
      return;
    }
    case Outcome::WindowOrInvalidPicture:
      // WaitForWindow gives up as soon as a message box shows instead.
      if (const auto window = run.WaitForWindow(timeoutMs)) {
        std::printf("The decoder read the damaged picture: window shown.\n");
        ExpectCloses(run, *window, timeoutMs);
      } else {
        std::printf("The decoder refused the damaged picture: report.\n");
        ExpectOutcome(run, Report(L"Invalid picture"), timeoutMs);
      }
      return;
    default:
      ExpectEnding(run, expected, timeoutMs);
      EXPECT_FALSE(run.WindowEverShown()) << run.Situation();
  }
}

}  // namespace winetest

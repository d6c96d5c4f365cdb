#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "launcher/Launcher.h"
#include "platform/Failure.h"

namespace orvex {
namespace {

TEST(StartUpTest, MissingProfileShowsMessageAndEnds) {
  FakePlatform platform;
  SplashState state;
  EXPECT_THROW(StartUp(platform, state), ProgramEnded);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0],
            "D:\\setup\\launch.ini doesn't exist. INI filename must be the same as EXE "
            "filename.");
}

TEST(StartUpTest, HeadlessStartsLowerCasedDefaultAction) {
  FakePlatform platform;
  platform.SetProfile("[DIALOG]\nShow=0\nDefaultAction=SETUP\\Install.EXE /Q\n");
  SplashState state;
  EXPECT_THROW(StartUp(platform, state), ProgramEnded);
  ASSERT_EQ(platform.started.size(), 1u);
  EXPECT_EQ(platform.started[0], "setup\\install.exe /q");
}

}  // namespace
}  // namespace orvex

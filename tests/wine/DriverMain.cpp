// The Wine test driver's entry point.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "Harness.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Coordinates in real pixels whatever the display's DPI.
  SetProcessDPIAware();
  // Touch the desktop first, so that Wine starts its desktop process for
  // the driver and never inside a launcher's job.
  ReleaseDC(nullptr, GetDC(nullptr));
  GetDesktopWindow();
  std::printf("Launcher under test: %s\nMedia under: %s\n",
              winetest::Utf8(winetest::LauncherPath()).c_str(),
              winetest::Utf8(winetest::RunRoot()).c_str());
  std::fflush(stdout);
  const int result = RUN_ALL_TESTS();
  // What failed stays for a look; the rest goes.
  if (result == 0) winetest::RemoveRunRoot();
  return result;
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestSupport.h"
#include "launcher/Launcher.h"

namespace orvex {
namespace {

using test::Attempt;
using Calls = std::vector<std::string>;

constexpr char kPicture[] = "D:\\setup\\splash.bmp";

FakePlatform WithDialog(const std::string& lines, bool pictureExists = true) {
  FakePlatform platform;
  platform.SetProfile("[DIALOG]\n" + lines);
  if (pictureExists) platform.files[kPicture] = "BM";
  return platform;
}

TEST(ApplyAppearanceTest, AppliesColourThenPictureThenTitle) {
  FakePlatform platform = WithDialog(std::string("BackColor=47,31,107\nPicture=") + kPicture +
                                     "\nCaption=Sample Disc\n");
  ASSERT_TRUE(Attempt([&] { ApplyAppearance(platform, platform.ProfileFiles()); }).Returned());
  const std::string picture = kPicture;
  EXPECT_EQ(platform.calls, (Calls{"Read [DIALOG] BackColor", "SetWindowColour 7020335",
                                   "Read [DIALOG] Picture", "FileExists " + picture,
                                   "LoadPictureFile " + picture, "SetWindowPicture " + picture,
                                   "Read [DIALOG] Caption", "SetWindowTitle Sample Disc"}));
}

TEST(ApplyAppearanceTest, EmptyCaptionGivesAnEmptyTitle) {
  FakePlatform platform =
      WithDialog(std::string("BackColor=&HFF0000\nPicture=") + kPicture + "\nCaption=\n");
  ApplyAppearance(platform, platform.ProfileFiles());
  EXPECT_EQ(platform.CallsStartingWith("SetWindow"),
            (Calls{"SetWindowColour 16711680", std::string("SetWindowPicture ") + kPicture,
                   "SetWindowTitle "}));
}

class MissingPictureTest : public testing::TestWithParam<const char*> {};

TEST_P(MissingPictureTest, ShowsThePathAsReadAndEndsBeforeTheTitle) {
  FakePlatform platform =
      WithDialog(std::string("BackColor=1,2,3\nCaption=T\nPicture=") + GetParam() + "\n", false);
  const auto outcome = Attempt([&] { ApplyAppearance(platform, platform.ProfileFiles()); });
  EXPECT_EQ(outcome.ended, ExitStatus::MessageShown);
  EXPECT_EQ(platform.messages,
            Calls{std::string("Couldn't find splash screen picture - ") + GetParam()});
  EXPECT_EQ(platform.CallsStartingWith("SetWindow"), Calls{"SetWindowColour 197121"});
  EXPECT_TRUE(platform.CallsStartingWith("LoadPictureFile").empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, MissingPictureTest,
                         testing::Values("missing.bmp", "", "D:\\setup\\Splash.BMP",
                                         "pictures\\splash.gif"));

TEST(ApplyAppearanceTest, AFileThatIsNoPictureIsInvalidPictureNamingThePath) {
  FakePlatform platform = WithDialog(std::string("BackColor=0\nPicture=") + kPicture + "\n");
  platform.notPictures.insert(kPicture);
  const auto outcome = Attempt([&] { ApplyAppearance(platform, platform.ProfileFiles()); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::InvalidPicture);
  EXPECT_TRUE(test::Contains(outcome.failure->Detail(), kPicture));
  EXPECT_TRUE(platform.CallsStartingWith("SetWindowTitle").empty());
}

// The file is never asked for: the device would be opened.
TEST(ApplyAppearanceTest, ADeviceNameIsInvalidPictureUnopened) {
  for (const char* device : {"NUL", "img\\com1.png", "Aux .bmp"}) {
    FakePlatform platform = WithDialog(std::string("BackColor=0\nPicture=") + device + "\n");
    const auto outcome = Attempt([&] { ApplyAppearance(platform, platform.ProfileFiles()); });
    ASSERT_TRUE(outcome.failure) << device;
    EXPECT_EQ(outcome.failure->Kind(), FailureKind::InvalidPicture) << device;
    EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "device name")) << device;
    EXPECT_EQ(platform.CallsStartingWith("FileExists"), Calls{}) << device;
    EXPECT_EQ(platform.CallsStartingWith("LoadPictureFile"), Calls{}) << device;
  }
}

// The colour comes first, so its failure is the one reported even when the
// picture is missing too.
class BadColourTest : public testing::TestWithParam<const char*> {};

TEST_P(BadColourTest, FailsBeforeThePictureIsLookedFor) {
  FakePlatform platform =
      WithDialog(std::string("BackColor=") + GetParam() + "\nPicture=missing.bmp\n", false);
  const auto outcome = Attempt([&] { ApplyAppearance(platform, platform.ProfileFiles()); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.CallsStartingWith("Read [DIALOG] Picture").empty());
  EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "BackColor"));
}

INSTANTIATE_TEST_SUITE_P(Values, BadColourTest,
                         testing::Values("", "47,,107", "47,31", "-1,0,0", "&H1000000",
                                         "2147483648", "grey"));

}  // namespace
}  // namespace orvex

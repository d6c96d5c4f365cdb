// Hostile media: damaged pictures, strange profiles and awkward folders. For
// each the launcher must either work or end with its report within a few
// seconds. It must never crash: under the session's prefix an unhandled
// exception ends a program at once, with the exception code as its exit
// code (no crash dialog waits). It must never hang: every wait is bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "Harness.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

// "Within a few seconds", with room for a loaded machine.
constexpr DWORD kFewSecondsMs = 8000;

const Expected kInvalidPicture = Report(L"Invalid picture");
const Expected kPictureTooLarge = Report(L"Invalid picture", {L"too large (30000 x 30000 pixels)"});
const Expected kTypeMismatch = Report(L"Type mismatch");

// ---------------------------------------------------------------- bytes

// A deterministic byte stream (xorshift32), so that every run meets the same
// garbage.
std::uint32_t NextRandom(std::uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

// Writes value over `size` bytes at `at`.
void Poke(std::string& bytes, size_t at, std::uint32_t value, int size, bool bigEndian = false) {
  for (int i = 0; i < size; ++i) {
    bytes.at(at + i) = static_cast<char>((value >> (8 * (bigEndian ? size - 1 - i : i))) & 0xFF);
  }
}

std::uint32_t Crc32(const std::string& bytes, size_t from, size_t count) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = from; i < from + count; ++i) {
    crc ^= static_cast<unsigned char>(bytes[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// ---------------------------------------------------------------- pictures

constexpr int kHuge = 30000;

// A valid picture of the format, made once per run.
const std::string& ValidPicture(PictureFormat format) {
  static std::string made[7];
  std::string& bytes = made[static_cast<int>(format)];
  if (bytes.empty()) {
    const std::wstring folder = RunRoot() + L"\\hostile-sources";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\valid." + Extension(format);
    WriteSolidPicture(path, format, 64, 48, kPictureColour);
    bytes = ReadBytes(path);
  }
  return bytes;
}

// The same picture with a header that claims 30000 x 30000 pixels; the rest
// of the file stays as it was.
std::string ClaimingHugeSize(PictureFormat format) {
  std::string bytes = ValidPicture(format);
  switch (format) {
    case PictureFormat::Bmp:
      Poke(bytes, 18, kHuge, 4);
      Poke(bytes, 22, kHuge, 4);
      break;
    case PictureFormat::Png:
      // IHDR comes first; its CRC is made right, so that only the size is odd.
      Poke(bytes, 16, kHuge, 4, true);
      Poke(bytes, 20, kHuge, 4, true);
      Poke(bytes, 29, Crc32(bytes, 12, 17), 4, true);
      break;
    case PictureFormat::Gif: {
      Poke(bytes, 6, kHuge, 2);  // logical screen
      Poke(bytes, 8, kHuge, 2);
      const int flags = static_cast<unsigned char>(bytes[10]);
      const size_t descriptor = 13 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u);
      if (bytes.at(descriptor) != 0x2C) throw std::logic_error("GIF layout not as made");
      Poke(bytes, descriptor + 5, kHuge, 2);  // the image itself
      Poke(bytes, descriptor + 7, kHuge, 2);
      break;
    }
    case PictureFormat::Jpeg: {
      // The start-of-frame marker: FF C0 to FF CF, except the tables C4, C8, CC.
      size_t at = 2;
      while (at + 9 < bytes.size()) {
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
          Poke(bytes, at + 5, kHuge, 2, true);
          Poke(bytes, at + 7, kHuge, 2, true);
          return bytes;
        }
        at += 2 + (static_cast<unsigned char>(bytes[at + 2]) << 8 |
                   static_cast<unsigned char>(bytes[at + 3]));
      }
      throw std::logic_error("no start-of-frame marker in the JPEG made");
    }
    default: throw std::logic_error("no huge variant of this format");
  }
  return bytes;
}

enum class Damage {
  Empty,
  CutToSignature,  // the first two bytes only
  CutToQuarter,
  CutToHalf,
  CutToThreeQuarters,
  LastByteMissing,
  SignatureFlipped,  // the first byte inverted
  ScatteredFlips,    // 12 bytes after the signature inverted, pseudo-randomly chosen
  SecondHalfScrambled,
  HugeSize,
  NoColourTable,  // GIF: the global colour table taken out, and no local one
};

std::string DamageName(Damage damage) {
  std::istringstream names(
      "Empty CutToSignature CutToQuarter CutToHalf CutToThreeQuarters LastByteMissing "
      "SignatureFlipped ScatteredFlips SecondHalfScrambled HugeSize NoColourTable");
  std::string name;
  for (int i = 0; i <= static_cast<int>(damage); ++i) names >> name;
  return name;
}

std::string Damaged(PictureFormat format, Damage damage) {
  const std::string& valid = ValidPicture(format);
  const size_t size = valid.size();
  std::string bytes = valid;
  switch (damage) {
    case Damage::Empty: return {};
    case Damage::CutToSignature: return valid.substr(0, 2);
    case Damage::CutToQuarter: return valid.substr(0, size / 4);
    case Damage::CutToHalf: return valid.substr(0, size / 2);
    case Damage::CutToThreeQuarters: return valid.substr(0, size * 3 / 4);
    case Damage::LastByteMissing: return valid.substr(0, size - 1);
    case Damage::SignatureFlipped: bytes[0] = static_cast<char>(~bytes[0]); return bytes;
    case Damage::ScatteredFlips: {
      std::uint32_t random = 0x5EED0000u + static_cast<std::uint32_t>(format);
      for (int i = 0; i < 12; ++i) {
        const size_t at = 2 + NextRandom(random) % (size - 2);
        bytes[at] = static_cast<char>(~bytes[at]);
      }
      return bytes;
    }
    case Damage::SecondHalfScrambled: {
      std::uint32_t random = 0xBADC0DEu + static_cast<std::uint32_t>(format);
      for (size_t at = size / 2; at < size; ++at)
        bytes[at] ^= static_cast<char>(NextRandom(random));
      return bytes;
    }
    case Damage::HugeSize: return ClaimingHugeSize(format);
    case Damage::NoColourTable:
      return bytes.erase(13, 3u << ((bytes[10] & 7) + 1)).replace(10, 1, 1, '\0');
  }
  return bytes;
}

struct PictureCase {
  PictureFormat format;
  Damage damage;
  Expected expected;
};

std::string CaseName(const PictureCase& c) { return FormatName(c.format) + DamageName(c.damage); }

class HostilePicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(HostilePicture, WorksOrReportsAnInvalidPicture) {
  const PictureCase& c = GetParam();
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.picture = "hostile." + Utf8(Extension(c.format));
  medium.WriteProfile(profile.Text());
  medium.Write(Wide(profile.picture), Damaged(c.format, c.damage));
  Launch run(medium.Path());
  ExpectOutcome(run, c.expected, kFewSecondsMs);
}

// Nothing to read, no known signature, or pixels cut off: no picture. A
// huge claimed size is refused from the header, before a decoder tries it.
// Damage inside the data is for the format to judge: a PNG's chunks carry
// checksums, so any change is caught; a BMP's pixels are raw bytes, any of
// which is a pixel; JPEG and GIF decoders may or may not read on past
// damaged data, so either outcome is right for them.
Expected ExpectedFor(PictureFormat format, Damage damage) {
  switch (damage) {
    case Damage::Empty:
    case Damage::CutToSignature:
    case Damage::CutToQuarter:
    case Damage::CutToHalf:
    case Damage::CutToThreeQuarters:
    case Damage::SignatureFlipped:
    case Damage::NoColourTable: return kInvalidPicture;
    case Damage::HugeSize: return kPictureTooLarge;
    case Damage::LastByteMissing:
      // BMP: the last row is short. PNG: only the end chunk's checksum is
      // cut, GIF: only the trailer; every pixel is there. JPEG: the
      // end-of-image marker is cut after complete data.
      switch (format) {
        case PictureFormat::Bmp: return kInvalidPicture;
        case PictureFormat::Png:
        case PictureFormat::Gif: return Window(L"Test Medium");
        default: return WindowOrInvalidPicture();
      }
    case Damage::ScatteredFlips:  // a BMP's header may be hit as well
      return format == PictureFormat::Png ? kInvalidPicture : WindowOrInvalidPicture();
    case Damage::SecondHalfScrambled:
      switch (format) {
        case PictureFormat::Bmp: return Window(L"Test Medium");
        case PictureFormat::Png: return kInvalidPicture;
        default: return WindowOrInvalidPicture();
      }
  }
  return WindowOrInvalidPicture();
}

std::vector<PictureCase> PictureCases() {
  std::vector<PictureCase> cases;
  for (const PictureFormat format :
       {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Png, PictureFormat::Gif}) {
    for (int kind = 0; kind <= static_cast<int>(Damage::HugeSize); ++kind) {
      const auto damage = static_cast<Damage>(kind);
      cases.push_back({format, damage, ExpectedFor(format, damage)});
    }
  }
  cases.push_back({PictureFormat::Gif, Damage::NoColourTable, kInvalidPicture});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Damaged, HostilePicture, ::testing::ValuesIn(PictureCases()),
                         [](const auto& info) { return CaseName(info.param); });

// ---------------------------------------------------------------- profiles

// Each medium has a recorder, so a profile's action can start it.
struct ProfileCase {
  const char* name;
  std::string bytes;
  Expected expected;  // for a window, the picture splash.bmp is there too
};

const std::string kUtf8Bom = "\xEF\xBB\xBF";

// Pseudo-random bytes that begin with no byte-order mark of their own.
std::string Garbage(std::uint32_t seed, size_t count) {
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(NextRandom(seed));
  bytes[0] = 'G';
  return bytes;
}

// Sections [S00001], [S00002], ... with one key each.
std::string NumberedSections(int count) {
  std::string bytes;
  char number[16];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(number, sizeof number, "%05d", i);
    bytes += "[S" + std::string(number) + "]\r\nKey=Value " + number + "\r\n";
  }
  return bytes;
}

constexpr size_t kMegabyte = 1024 * 1024;
// What any value reads as at most: its first 254 characters.
constexpr size_t kLongestValue = 254;

std::vector<ProfileCase> ProfileCases() {
  std::vector<ProfileCase> cases;
  // A headless profile between the bytes before and after it: "/argument" is started.
  const auto starting = [&cases](const char* name, const std::string& before,
                                 const std::string& argument, const std::string& after = "") {
    cases.push_back({name, before + HeadlessProfile("recorder.exe /" + argument) + after,
                     Started(L"recorder.exe /" + Wide(argument))});
  };
  // Binary garbage, read by the system's API (no BOM, not UTF-8), by the
  // launcher's own reader (UTF-8 BOM) and as UTF-16: no [DIALOG], so "Show"
  // reads as the empty text, which is no boolean.
  cases.push_back({"GarbageSmall", Garbage(1, 1000), kTypeMismatch});
  cases.push_back({"GarbageLarge", Garbage(2, 256 * 1024), kTypeMismatch});
  cases.push_back({"GarbageAfterUtf8Bom", kUtf8Bom + Garbage(3, 64 * 1024), kTypeMismatch});
  cases.push_back({"GarbageAfterUtf16LeBom", "\xFF\xFE" + Garbage(4, 64 * 1024), kTypeMismatch});
  cases.push_back({"GarbageAfterUtf16BeBom", "\xFE\xFF" + Garbage(5, 64 * 1024), kTypeMismatch});
  // Garbage lines before a good profile are entries of no section.
  starting("GarbageBeforeProfile", Garbage(6, 64 * 1024) + "\r\n", "after-garbage");
  starting("GarbageBeforeUtf8Profile", kUtf8Bom + Garbage(7, 64 * 1024) + "\r\n", "after-garbage");

  // A NUL ends the name or value it stands in.
  using namespace std::string_literals;
  cases.push_back({"NulEndsValues",
                   "[DIALOG]\r\nShow=0\0 1\r\nDefaultAction=recorder.exe /before-nul\0 /after\r\n"s,
                   Started(L"recorder.exe /before-nul")});
  cases.push_back({"NulEndsKeyNames",
                   "[DIALOG]\r\nShow\0junk=0\r\nDefaultAction\0junk=recorder.exe /key-nul\r\n"s,
                   Started(L"recorder.exe /key-nul")});
  cases.push_back({"NulEndsValuesUtf8",
                   kUtf8Bom + "[DIALOG]\r\nShow=0\0 1\r\nDefaultAction=recorder.exe "
                              "/before-nul\0 /after\r\n"s,
                   Started(L"recorder.exe /before-nul")});
  cases.push_back({"NulInSectionName",
                   "[DIA\0LOG]\r\nShow=0\r\nDefaultAction=recorder.exe /section-nul\r\n"s,
                   kTypeMismatch});
  cases.push_back({"OnlyNuls", std::string(4096, '\0'), kTypeMismatch});

  // Lines of a megabyte.
  const std::string longAction = "recorder.exe /" + std::string(kMegabyte, 'x');
  cases.push_back({"MegabyteValue", HeadlessProfile(longAction),
                   Started(Wide(longAction.substr(0, kLongestValue)))});
  cases.push_back({"MegabyteValueUtf8", kUtf8Bom + HeadlessProfile(longAction),
                   Started(Wide(longAction.substr(0, kLongestValue)))});
  starting("MegabyteLineWithoutEquals", std::string(kMegabyte, 'j') + "\r\n", "after-line");
  starting("MegabyteSectionName", "[" + std::string(kMegabyte, 'S') + "]\r\nKey=1\r\n",
           "after-section");
  {
    WindowProfile window = WindowProfile::WithButtons(1);
    window.caption = std::string(kMegabyte, 'C');
    cases.push_back(
        {"MegabyteCaption", window.Text(), Window(Wide(window.caption.substr(0, kLongestValue)))});
  }

  // 10,000 sections, [DIALOG] first or last, for either reader.
  const std::string sections = NumberedSections(10000);
  starting("TenThousandSectionsDialogLast", sections, "last");
  starting("TenThousandSectionsDialogFirst", "", "first", sections);
  starting("TenThousandSectionsDialogLastUtf8", kUtf8Bom + sections, "last-utf8");
  starting("TenThousandSectionsDialogFirstUtf8", kUtf8Bom, "first-utf8", sections);
  // Window mode reads [DIALOG] and all four [BUTTONn], all behind the rest.
  cases.push_back({"TenThousandSectionsWindowLast", sections + WindowProfile::WithButtons(2).Text(),
                   Window(L"Test Medium")});

  // UTF-16 with an odd byte count: the last, lone byte is dropped.
  cases.push_back({"Utf16LeOddByteCount",
                   Utf16(Wide(HeadlessProfile("recorder.exe /utf16-odd"))) + "A",
                   Started(L"recorder.exe /utf16-odd")});
  cases.push_back({"Utf16BeOddByteCount",
                   Utf16(Wide(HeadlessProfile("recorder.exe /utf16-odd")), true) + "A",
                   Started(L"recorder.exe /utf16-odd")});
  {
    // No line end at the end, and the last character loses its second byte.
    std::string bytes = Utf16(L"[DIALOG]\r\nShow=0\r\nDefaultAction=recorder.exe /utf16-cut");
    bytes.pop_back();
    cases.push_back({"Utf16LeLastCharacterHalf", bytes, Started(L"recorder.exe /utf16-cu")});
  }
  return cases;
}

class HostileProfile : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(HostileProfile, WorksOrGivesTheReport) {
  const ProfileCase& c = GetParam();
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile());  // the recorder and splash.bmp
  medium.WriteProfile(c.bytes);
  Launch run(medium.Path());
  ExpectOutcome(run, c.expected, kFewSecondsMs);
}

INSTANTIATE_TEST_SUITE_P(Strange, HostileProfile, ::testing::ValuesIn(ProfileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// FileExists is false for a folder: the missing-profile message.
TEST(HostileProfileFolder, GivesTheMissingProfileMessage) {
  const Medium medium;
  medium.MakeFolder(L"autorun.ini");
  Launch run(medium.Path());
  ExpectOutcome(run, Message(MissingProfileText(medium.Path())), kFewSecondsMs);
}

// ---------------------------------------------------------------- paths

TEST(HostilePaths, LongestCurrentDirectoryHeadless) {
  const Medium medium;
  const std::wstring recorder = medium.CopyRecorder();
  const std::wstring folder = medium.MakeFolderOfLength(kLongestStartableDirectory);
  WriteBytes(folder + L"\\autorun.ini",
             HeadlessProfile(Utf8(recorder) + " /long-current-directory"));
  Launch run(folder);
  ExpectOutcome(run, Started(Lower(recorder) + L" /long-current-directory"), kFewSecondsMs);
}

TEST(HostilePaths, LongestCurrentDirectoryWindow) {
  const Medium medium;
  medium.CopyRecorder();
  const std::wstring folder = medium.MakeFolderOfLength(kLongestStartableDirectory);
  // The picture's relative path leads to 269 characters.
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.caption = "Long current directory";
  WriteBytes(folder + L"\\autorun.ini", profile.Text());
  WriteSolidPicture(folder + L"\\splash.bmp", PictureFormat::Bmp, kSplashWidth, kSplashHeight,
                    kSplashColour);
  Launch run(folder);
  ExpectOutcome(run, Window(L"Long current directory"), kFewSecondsMs);
}

// Marks the medium folder and every file in it read-only, as on a CD (the
// run root's removal clears the marks).
void MarkReadOnly(const std::wstring& folder) {
  std::vector<std::wstring> paths{folder};
  for (const WIN32_FIND_DATAW& found : FolderEntries(folder))
    paths.push_back(folder + L"\\" + found.cFileName);
  for (const std::wstring& path : paths) {
    if (!SetFileAttributesW(path.c_str(),
                            GetFileAttributesW(path.c_str()) | FILE_ATTRIBUTE_READONLY)) {
      throw std::runtime_error("cannot mark " + Utf8(path) + " read-only");
    }
  }
}

TEST(HostilePaths, ReadOnlyMediumWindowStartsTheButtonsProgram) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(2));
  const std::wstring exe = medium.CopyLauncher();
  MarkReadOnly(medium.Path());
  ASSERT_TRUE(GetFileAttributesW(medium.PathOf(L"autorun.ini").c_str()) & FILE_ATTRIBUTE_READONLY);
  Launch run(medium.Path(), exe);
  const WindowInfo window = ExpectWindow(run, kFewSecondsMs);
  ClickButton(window.handle, window.buttons[1]);
  ExpectEnding(run, Started(L"recorder.exe /button2"), kFewSecondsMs);
}

TEST(HostilePaths, ReadOnlyMediumHeadless) {
  const Medium medium;
  medium.CopyRecorder();
  medium.WriteProfile(HeadlessProfile("recorder.exe /read-only"));
  const std::wstring exe = medium.CopyLauncher();
  MarkReadOnly(medium.Path());
  Launch run(medium.Path(), exe);
  ExpectOutcome(run, Started(L"recorder.exe /read-only"), kFewSecondsMs);
}

}  // namespace
}  // namespace winetest

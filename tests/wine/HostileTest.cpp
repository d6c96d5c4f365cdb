// Hostile media: damaged pictures, strange profiles and awkward folders. For
// each the launcher must either work or end with its report within a few
// seconds. It must never crash: under the session's prefix an unhandled
// exception ends a program at once, with the exception code as its exit
// code (no crash dialog waits). It must never hang: every wait is bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
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

const std::wstring kMissingPictureText = L"Couldn't find splash screen picture - ";
const std::wstring kMissingProfileTail =
    L" doesn't exist. INI filename must be the same as EXE filename.";

// ---------------------------------------------------------------- outcomes

enum class Outcome {
  WindowShown,      // the window shows (title `text` unless empty); closed, exit 0
  ProgramStarted,   // exactly one program started, command line `text`; exit 0
  FatalReport,      // the fatal report, first line `text`; exit 2
  LauncherMessage,  // the launcher's own message, exactly `text`; exit 1
  // A damaged picture that a decoder may still read: the window, or the
  // fatal report "Invalid picture", and nothing else.
  WindowOrInvalidPicture,
};

struct Expected {
  Outcome outcome;
  std::wstring text;
  std::wstring detail = L"";  // a fatal report's text must contain this
};

Expected Window(std::wstring title = L"") { return {Outcome::WindowShown, std::move(title)}; }
Expected Started(std::wstring commandLine) {
  return {Outcome::ProgramStarted, std::move(commandLine)};
}
Expected Report(std::wstring failureName) { return {Outcome::FatalReport, std::move(failureName)}; }
Expected Message(std::wstring text) { return {Outcome::LauncherMessage, std::move(text)}; }
const Expected kInvalidPicture = Report(L"Invalid picture");
const Expected kPictureTooLarge{Outcome::FatalReport, L"Invalid picture",
                                L"too large (30000 x 30000 pixels)"};
const Expected kTypeMismatch = Report(L"Type mismatch");
const Expected kWindowOrInvalidPicture{Outcome::WindowOrInvalidPicture, L""};

std::string Hex(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// Exit codes of 0xC0000000 and above are NTSTATUS errors: an unhandled
// exception (0xC0000005 access violation, 0xC0000409 stack buffer overrun
// or fail-fast, 0xC00000FD stack overflow, ...).
bool IsCrash(DWORD code) { return code >= 0xC0000000u; }

// Where the run stands, with a crash or a hang called by its name.
std::string Describe(Launch& run) {
  const auto code = run.WaitForExit(0);
  std::string verdict;
  if (!code) {
    verdict = "no outcome yet (a hang?)";
  } else if (IsCrash(*code)) {
    verdict = "CRASHED with exception " + Hex(*code);
  } else {
    verdict = "ended with exit code " + std::to_string(*code);
  }
  return verdict + "; " + run.Situation();
}

void ExpectExit(Launch& run, DWORD expected) {
  const auto code = run.WaitForExit(kFewSecondsMs);
  ASSERT_TRUE(code) << "did not end within " << kFewSecondsMs << " ms: " << Describe(run);
  EXPECT_FALSE(IsCrash(*code)) << "crashed with exception " << Hex(*code);
  EXPECT_EQ(*code, expected) << Describe(run);
}

void ExpectReportBox(const MessageBoxInfo& box) {
  EXPECT_EQ(box.title, L"OrvexAutorun");
  EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(box.hasIcon);
}

void ExpectOutcome(Launch& run, const Expected& expected) {
  switch (expected.outcome) {
    case Outcome::WindowShown: {
      const auto window = run.WaitForWindow(kFewSecondsMs);
      ASSERT_TRUE(window) << "no window: " << Describe(run);
      if (!expected.text.empty()) {
        EXPECT_EQ(window->title, expected.text);
      }
      RequestClose(window->handle);
      ExpectExit(run, 0);
      EXPECT_EQ(run.MessageBoxesSeen(), 0u);
      break;
    }
    case Outcome::ProgramStarted: {
      ExpectExit(run, 0);
      const std::vector<Recorded> started = run.Started();
      ASSERT_EQ(started.size(), 1u) << Describe(run);
      EXPECT_EQ(_wcsicmp(started[0].commandLine.c_str(), expected.text.c_str()), 0)
          << "started " << Utf8(started[0].commandLine) << "\nexpected " << Utf8(expected.text);
      EXPECT_FALSE(run.WindowEverShown());
      EXPECT_EQ(run.MessageBoxesSeen(), 0u);
      break;
    }
    case Outcome::FatalReport:
    case Outcome::LauncherMessage: {
      const auto box = run.TakeMessageBox(kFewSecondsMs);
      ASSERT_TRUE(box) << "no message box: " << Describe(run);
      ExpectReportBox(*box);
      if (expected.outcome == Outcome::FatalReport) {
        EXPECT_EQ(FirstLine(box->text), expected.text) << Utf8(box->text);
        EXPECT_TRUE(Contains(box->text, expected.detail)) << Utf8(box->text);
      } else {
        EXPECT_EQ(box->text, expected.text);
      }
      ExpectExit(run, expected.outcome == Outcome::FatalReport ? 2u : 1u);
      EXPECT_FALSE(run.WindowEverShown());
      EXPECT_EQ(run.MessageBoxesSeen(), 1u);
      EXPECT_EQ(run.ChildProcessCount(), 0u);
      break;
    }
    case Outcome::WindowOrInvalidPicture: {
      // WaitForWindow gives up as soon as a message box shows instead.
      if (const auto window = run.WaitForWindow(kFewSecondsMs)) {
        std::printf("The decoder read the damaged picture: window shown.\n");
        RequestClose(window->handle);
        ExpectExit(run, 0);
        EXPECT_EQ(run.MessageBoxesSeen(), 0u);
      } else {
        std::printf("The decoder refused the damaged picture: report.\n");
        ExpectOutcome(run, kInvalidPicture);
      }
      break;
    }
  }
}

// ---------------------------------------------------------------- bytes

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + Utf8(path));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A deterministic byte stream (xorshift32), so that every run meets the same
// garbage.
class PseudoRandom {
 public:
  explicit PseudoRandom(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  std::string Bytes(size_t count) {
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(Next() & 0xFF);
    return bytes;
  }

 private:
  std::uint32_t state_;
};

void PutBe32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}
void PutLe32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}
void PutLe16(std::string& bytes, size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<char>(value & 0xFF);
  bytes.at(at + 1) = static_cast<char>(value >> 8);
}
void PutBe16(std::string& bytes, size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<char>(value >> 8);
  bytes.at(at + 1) = static_cast<char>(value & 0xFF);
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

constexpr Rgb kPictureColour{0, 160, 80};
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
      PutLe32(bytes, 18, kHuge);
      PutLe32(bytes, 22, kHuge);
      break;
    case PictureFormat::Png:
      // IHDR comes first; its CRC is made right, so that only the size is odd.
      PutBe32(bytes, 16, kHuge);
      PutBe32(bytes, 20, kHuge);
      PutBe32(bytes, 29, Crc32(bytes, 12, 17));
      break;
    case PictureFormat::Gif: {
      PutLe16(bytes, 6, kHuge);  // logical screen
      PutLe16(bytes, 8, kHuge);
      const int flags = static_cast<unsigned char>(bytes[10]);
      const size_t descriptor = 13 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u);
      if (bytes.at(descriptor) != 0x2C) throw std::logic_error("GIF layout not as made");
      PutLe16(bytes, descriptor + 5, kHuge);  // the image itself
      PutLe16(bytes, descriptor + 7, kHuge);
      break;
    }
    case PictureFormat::Jpeg: {
      // The start-of-frame marker: FF C0 to FF CF, except the tables C4, C8, CC.
      size_t at = 2;
      while (at + 9 < bytes.size()) {
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
          PutBe16(bytes, at + 5, kHuge);
          PutBe16(bytes, at + 7, kHuge);
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

const char* DamageName(Damage damage) {
  switch (damage) {
    case Damage::Empty: return "Empty";
    case Damage::CutToSignature: return "CutToSignature";
    case Damage::CutToQuarter: return "CutToQuarter";
    case Damage::CutToHalf: return "CutToHalf";
    case Damage::CutToThreeQuarters: return "CutToThreeQuarters";
    case Damage::LastByteMissing: return "LastByteMissing";
    case Damage::SignatureFlipped: return "SignatureFlipped";
    case Damage::ScatteredFlips: return "ScatteredFlips";
    case Damage::SecondHalfScrambled: return "SecondHalfScrambled";
    case Damage::HugeSize: return "HugeSize";
    case Damage::NoColourTable: return "NoColourTable";
  }
  return "?";
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
      PseudoRandom random(0x5EED0000u + static_cast<std::uint32_t>(format));
      for (int i = 0; i < 12; ++i) {
        const size_t at = 2 + random.Next() % (size - 2);
        bytes[at] = static_cast<char>(~bytes[at]);
      }
      return bytes;
    }
    case Damage::SecondHalfScrambled: {
      PseudoRandom random(0xBADC0DEu + static_cast<std::uint32_t>(format));
      for (size_t at = size / 2; at < size; ++at) bytes[at] ^= static_cast<char>(random.Next());
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
void PrintTo(const PictureCase& c, std::ostream* out) { *out << CaseName(c); }

class HostilePicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(HostilePicture, WorksOrReportsAnInvalidPicture) {
  const PictureCase& c = GetParam();
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.picture = "hostile." + Utf8(Extension(c.format));
  medium.WriteProfile(profile.Text());
  medium.Write(Wide(profile.picture), Damaged(c.format, c.damage));
  Launch run(medium.Path());
  ExpectOutcome(run, c.expected);
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
        default: return kWindowOrInvalidPicture;
      }
    case Damage::ScatteredFlips:  // a BMP's header may be hit as well
      return format == PictureFormat::Png ? kInvalidPicture : kWindowOrInvalidPicture;
    case Damage::SecondHalfScrambled:
      switch (format) {
        case PictureFormat::Bmp: return Window(L"Test Medium");
        case PictureFormat::Png: return kInvalidPicture;
        default: return kWindowOrInvalidPicture;
      }
  }
  return kWindowOrInvalidPicture;
}

std::vector<PictureCase> PictureCases() {
  std::vector<PictureCase> cases;
  for (const PictureFormat format :
       {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Png, PictureFormat::Gif}) {
    for (const Damage damage :
         {Damage::Empty, Damage::CutToSignature, Damage::CutToQuarter, Damage::CutToHalf,
          Damage::CutToThreeQuarters, Damage::LastByteMissing, Damage::SignatureFlipped,
          Damage::ScatteredFlips, Damage::SecondHalfScrambled, Damage::HugeSize}) {
      cases.push_back({format, damage, ExpectedFor(format, damage)});
    }
  }
  cases.push_back({PictureFormat::Gif, Damage::NoColourTable, kInvalidPicture});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Damaged, HostilePicture, ::testing::ValuesIn(PictureCases()),
                         [](const auto& info) { return CaseName(info.param); });

// FileExists is false for a folder: the missing-picture message, not an
// attempt to read the folder as a picture.
TEST(HostilePictureFolder, GivesTheMissingPictureMessage) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.picture = "splash.png";
  medium.WriteProfile(profile.Text());
  medium.MakeFolder(L"splash.png");
  Launch run(medium.Path());
  ExpectOutcome(run, Message(kMissingPictureText + L"splash.png"));
}

// ---------------------------------------------------------------- profiles

// Each medium has a recorder, so a profile's action can start it.
struct ProfileCase {
  const char* name;
  std::string bytes;
  Expected expected;  // for a window, the picture splash.bmp is there too
};

void PrintTo(const ProfileCase& c, std::ostream* out) { *out << c.name; }

std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : ascii) {
    if (bigEndian) bytes.push_back('\0');
    bytes.push_back(c);
    if (!bigEndian) bytes.push_back('\0');
  }
  return bytes;
}

const std::string kUtf8Bom = "\xEF\xBB\xBF";

// Pseudo-random bytes that begin with no byte-order mark of their own.
std::string Garbage(std::uint32_t seed, size_t count) {
  std::string bytes = PseudoRandom(seed).Bytes(count);
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

std::wstring FirstCharacters(const std::string& text, size_t count) {
  return Wide(text.substr(0, count));
}

std::vector<ProfileCase> ProfileCases() {
  std::vector<ProfileCase> cases;
  // Binary garbage, read by the system's API (no BOM, not UTF-8), by the
  // launcher's own reader (UTF-8 BOM) and as UTF-16: no [DIALOG], so "Show"
  // reads as the empty text, which is no boolean.
  cases.push_back({"GarbageSmall", Garbage(1, 1000), kTypeMismatch});
  cases.push_back({"GarbageLarge", Garbage(2, 256 * 1024), kTypeMismatch});
  cases.push_back({"GarbageAfterUtf8Bom", kUtf8Bom + Garbage(3, 64 * 1024), kTypeMismatch});
  cases.push_back({"GarbageAfterUtf16LeBom", "\xFF\xFE" + Garbage(4, 64 * 1024), kTypeMismatch});
  cases.push_back({"GarbageAfterUtf16BeBom", "\xFE\xFF" + Garbage(5, 64 * 1024), kTypeMismatch});
  // Garbage lines before a good profile are entries of no section.
  cases.push_back({"GarbageBeforeProfile",
                   Garbage(6, 64 * 1024) + "\r\n" + HeadlessProfile("recorder.exe /after-garbage"),
                   Started(L"recorder.exe /after-garbage")});
  cases.push_back(
      {"GarbageBeforeUtf8Profile",
       kUtf8Bom + Garbage(7, 64 * 1024) + "\r\n" + HeadlessProfile("recorder.exe /after-garbage"),
       Started(L"recorder.exe /after-garbage")});

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
                   Started(FirstCharacters(longAction, kLongestValue))});
  cases.push_back({"MegabyteValueUtf8", kUtf8Bom + HeadlessProfile(longAction),
                   Started(FirstCharacters(longAction, kLongestValue))});
  cases.push_back(
      {"MegabyteLineWithoutEquals",
       std::string(kMegabyte, 'j') + "\r\n" + HeadlessProfile("recorder.exe /after-line"),
       Started(L"recorder.exe /after-line")});
  cases.push_back({"MegabyteSectionName",
                   "[" + std::string(kMegabyte, 'S') + "]\r\nKey=1\r\n" +
                       HeadlessProfile("recorder.exe /after-section"),
                   Started(L"recorder.exe /after-section")});
  {
    WindowProfile window = WindowProfile::WithButtons(1);
    window.caption = std::string(kMegabyte, 'C');
    cases.push_back(
        {"MegabyteCaption", window.Text(), Window(FirstCharacters(window.caption, kLongestValue))});
  }

  // 10,000 sections, [DIALOG] first or last, for either reader.
  const std::string sections = NumberedSections(10000);
  cases.push_back({"TenThousandSectionsDialogLast",
                   sections + HeadlessProfile("recorder.exe /last"),
                   Started(L"recorder.exe /last")});
  cases.push_back({"TenThousandSectionsDialogFirst",
                   HeadlessProfile("recorder.exe /first") + sections,
                   Started(L"recorder.exe /first")});
  cases.push_back({"TenThousandSectionsDialogLastUtf8",
                   kUtf8Bom + sections + HeadlessProfile("recorder.exe /last-utf8"),
                   Started(L"recorder.exe /last-utf8")});
  cases.push_back({"TenThousandSectionsDialogFirstUtf8",
                   kUtf8Bom + HeadlessProfile("recorder.exe /first-utf8") + sections,
                   Started(L"recorder.exe /first-utf8")});
  // Window mode reads [DIALOG] and all four [BUTTONn], all behind the rest.
  cases.push_back({"TenThousandSectionsWindowLast", sections + WindowProfile::WithButtons(2).Text(),
                   Window(L"Test Medium")});

  // UTF-16 with an odd byte count: the last, lone byte is dropped.
  cases.push_back({"Utf16LeOddByteCount",
                   Utf16(HeadlessProfile("recorder.exe /utf16-odd"), false) + "A",
                   Started(L"recorder.exe /utf16-odd")});
  cases.push_back({"Utf16BeOddByteCount",
                   Utf16(HeadlessProfile("recorder.exe /utf16-odd"), true) + "A",
                   Started(L"recorder.exe /utf16-odd")});
  {
    // No line end at the end, and the last character loses its second byte.
    std::string bytes = Utf16("[DIALOG]\r\nShow=0\r\nDefaultAction=recorder.exe /utf16-cut", false);
    bytes.pop_back();
    cases.push_back({"Utf16LeLastCharacterHalf", bytes, Started(L"recorder.exe /utf16-cu")});
  }
  return cases;
}

class HostileProfile : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(HostileProfile, WorksOrGivesTheReport) {
  const ProfileCase& c = GetParam();
  const Medium medium;
  medium.CopyRecorder();
  WriteSolidPicture(medium.PathOf(L"splash.bmp"), PictureFormat::Bmp, kSplashWidth, kSplashHeight,
                    kSplashColour);
  medium.WriteProfile(c.bytes);
  Launch run(medium.Path());
  ExpectOutcome(run, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Strange, HostileProfile, ::testing::ValuesIn(ProfileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// FileExists is false for a folder: the missing-profile message.
TEST(HostileProfileFolder, GivesTheMissingProfileMessage) {
  const Medium medium;
  medium.MakeFolder(L"autorun.ini");
  Launch run(medium.Path());
  ExpectOutcome(run, Message(medium.PathOf(L"autorun.ini") + kMissingProfileTail));
}

// ---------------------------------------------------------------- paths

// The longest current directory a launcher can meet. Windows gives a
// program that is not long-path aware a current directory of at most
// MAX_PATH - 2 = 258 characters; Wine 8 has its own limits just there: it
// does not start a program whose current directory has 259 characters or
// more (and 260 or more makes CreateProcessW crash its caller), and its
// profile API cannot open a file whose path has about 269 characters or
// more. Here the profile path is 258 + 12 = 270 characters long.
constexpr size_t kLongestCurrentDirectory = 258;

std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void WriteLongFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + Utf8(path));
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + Utf8(path));
}

// Folders below an existing one, down to a path of exactly `length`
// characters; removed with what they hold when the test ends.
class LongFolder {
 public:
  LongFolder(const std::wstring& existing, size_t length) {
    path_ = existing;
    while (path_.size() < length) {
      // A separator and at least one letter each, the last one included.
      const size_t room = length - path_.size() - 1;
      size_t letters = std::min<size_t>(room, 50);
      if (room - letters == 1) --letters;
      path_ += L"\\" + std::wstring(letters, L'l');
      if (!CreateDirectoryW(Extended(path_).c_str(), nullptr)) {
        throw std::runtime_error("cannot make " + Utf8(path_));
      }
      made_.push_back(path_);
    }
  }
  ~LongFolder() {
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) {
      WIN32_FIND_DATAW found;
      HANDLE search = FindFirstFileW(Extended(*folder + L"\\*").c_str(), &found);
      if (search != INVALID_HANDLE_VALUE) {
        do {
          if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW(Extended(*folder + L"\\" + found.cFileName).c_str());
          }
        } while (FindNextFileW(search, &found));
        FindClose(search);
      }
      RemoveDirectoryW(Extended(*folder).c_str());
    }
  }
  LongFolder(const LongFolder&) = delete;
  LongFolder& operator=(const LongFolder&) = delete;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> made_;
};

TEST(HostilePaths, LongestCurrentDirectoryHeadless) {
  const Medium medium;
  const std::wstring recorder = medium.CopyRecorder();
  const LongFolder folder(medium.Path(), kLongestCurrentDirectory);
  ASSERT_EQ(folder.Path().size(), kLongestCurrentDirectory);
  WriteLongFile(folder.Path() + L"\\autorun.ini",
                HeadlessProfile(Utf8(recorder) + " /long-current-directory"));
  Launch run(folder.Path());
  ExpectOutcome(run, Started(recorder + L" /long-current-directory"));
}

TEST(HostilePaths, LongestCurrentDirectoryWindow) {
  const Medium medium;
  medium.CopyRecorder();
  const LongFolder folder(medium.Path(), kLongestCurrentDirectory);
  // The picture's relative path leads to 269 characters.
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.caption = "Long current directory";
  WriteLongFile(folder.Path() + L"\\autorun.ini", profile.Text());
  WriteSolidPicture(medium.PathOf(L"splash.bmp"), PictureFormat::Bmp, kSplashWidth, kSplashHeight,
                    kSplashColour);
  WriteLongFile(folder.Path() + L"\\splash.bmp", ReadBytes(medium.PathOf(L"splash.bmp")));
  Launch run(folder.Path());
  ExpectOutcome(run, Window(L"Long current directory"));
}

TEST(HostilePaths, LongestCurrentDirectoryWithoutProfile) {
  const Medium medium;
  const LongFolder folder(medium.Path(), kLongestCurrentDirectory);
  Launch run(folder.Path());
  ExpectOutcome(run, Message(folder.Path() + L"\\autorun.ini" + kMissingProfileTail));
}

// Marks the medium folder and every file in it read-only, as on a CD, and
// undoes that when the test ends so that the folder can be removed.
class ReadOnly {
 public:
  explicit ReadOnly(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          Mark(folder + L"\\" + found.cFileName);
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    Mark(folder);
  }
  ~ReadOnly() {
    for (const auto& [path, attributes] : marked_) SetFileAttributesW(path.c_str(), attributes);
  }
  ReadOnly(const ReadOnly&) = delete;
  ReadOnly& operator=(const ReadOnly&) = delete;

 private:
  void Mark(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY)) {
      throw std::runtime_error("cannot mark " + Utf8(path) + " read-only");
    }
    marked_.emplace_back(path, attributes);
  }
  std::vector<std::pair<std::wstring, DWORD>> marked_;
};

TEST(HostilePaths, ReadOnlyMediumWindowStartsTheButtonsProgram) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(2));
  const std::wstring exe = medium.CopyLauncher();
  const ReadOnly readOnly(medium.Path());
  ASSERT_TRUE(GetFileAttributesW(medium.PathOf(L"autorun.ini").c_str()) & FILE_ATTRIBUTE_READONLY);
  Launch run(medium.Path(), exe);
  const auto window = run.WaitForWindow(kFewSecondsMs);
  ASSERT_TRUE(window) << Describe(run);
  ClickButton(window->handle, window->buttons[1]);
  ExpectExit(run, 0);
  const std::vector<Recorded> started = run.Started();
  ASSERT_EQ(started.size(), 1u) << Describe(run);
  EXPECT_EQ(started[0].commandLine, L"recorder.exe /button2");
}

TEST(HostilePaths, ReadOnlyMediumHeadless) {
  const Medium medium;
  medium.CopyRecorder();
  medium.WriteProfile(HeadlessProfile("recorder.exe /read-only"));
  const std::wstring exe = medium.CopyLauncher();
  const ReadOnly readOnly(medium.Path());
  Launch run(medium.Path(), exe);
  ExpectOutcome(run, Started(L"recorder.exe /read-only"));
}

}  // namespace
}  // namespace winetest

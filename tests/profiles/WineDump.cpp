// The system's side of the differential test: asks GetPrivateProfileStringW
// every query of the plan for every profile of the corpus, all in one
// process (Wine starts slowly), and prints the answers.
//
//   profile_dump_wine.exe CORPUS_DIR KNOWN_DIFFERENCES WORK_DIR
//
// Two readings need a copy of the file that says what Windows would see:
// - "api" of a file with a UTF-8 BOM: Wine's API decodes that BOM, Windows'
//   does not. The copy holds the bytes decoded in the ANSI code page, BOM
//   included, as UTF-16 with a BOM, which both read alike.
// - "utf8": the bytes decoded as UTF-8 by the system's converter, likewise.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "DumpFormat.h"
#include "QueryPlan.h"
#include "platform/win32/WideText.h"
#include "tools/check/FileBytes.h"

namespace {

using orvex::win32::Narrow;
using orvex::win32::Widen;

std::string ReadOrThrow(const std::filesystem::path& path) {
  auto bytes = orvex::check::ReadFileBytes(path);
  if (!bytes) throw std::runtime_error("cannot read " + path.string());
  return *bytes;
}

// The text as UTF-16 LE with a BOM, in a new file.
std::wstring WriteUtf16Copy(const std::filesystem::path& path, const std::wstring& text) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) throw std::runtime_error("cannot write " + path.string());
  const wchar_t bom = 0xFEFF;
  std::fwrite(&bom, sizeof bom, 1, file);
  std::fwrite(text.data(), sizeof(wchar_t), text.size(), file);
  std::fclose(file);
  return path.wstring();
}

bool HasUtf8Bom(const std::string& bytes) { return bytes.rfind("\xEF\xBB\xBF", 0) == 0; }

// The file GetPrivateProfileStringW reads for one reading of a profile.
std::wstring SourceFor(const std::string& reading, const std::filesystem::path& original,
                       const std::string& bytes, const std::filesystem::path& work) {
  const std::wstring copy = (work / original.filename()).wstring() + L"." + Widen(reading);
  if (reading == "utf8") {
    return WriteUtf16Copy(copy, Widen(HasUtf8Bom(bytes) ? bytes.substr(3) : bytes, CP_UTF8));
  }
  if (HasUtf8Bom(bytes)) return WriteUtf16Copy(copy, Widen(bytes, CP_ACP));
  return original.wstring();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: profile_dump_wine CORPUS_DIR KNOWN_DIFFERENCES WORK_DIR\n");
    return 2;
  }
  try {
    const std::filesystem::path corpus = argv[1];
    const std::filesystem::path work = argv[3];
    std::filesystem::create_directories(work);
    const auto differences = profiletest::ParseKnownDifferences(ReadOrThrow(argv[2]));
    std::printf("# acp %u\n", GetACP());
    std::vector<wchar_t> buffer;
    for (const std::string& name : profiletest::CorpusFiles(corpus)) {
      const std::string bytes = ReadOrThrow(corpus / name);
      const profiletest::FilePlan plan = profiletest::PlanFile(name, bytes, differences);
      for (const auto& reading : plan.readings) {
        const std::wstring source = SourceFor(reading.name, corpus / name, bytes, work);
        for (const auto& query : plan.queries) {
          buffer.assign(query.capacity + 1, L'\0');
          const DWORD stored =
              GetPrivateProfileStringW(Widen(query.section).c_str(), Widen(query.key).c_str(),
                                       Widen(profiletest::kFallback).c_str(), buffer.data(),
                                       static_cast<DWORD>(query.capacity), source.c_str());
          const profiletest::DumpLine line{reading.name,
                                           name,
                                           query.section,
                                           query.key,
                                           query.capacity,
                                           stored,
                                           Narrow(buffer.data(), static_cast<int>(stored))};
          std::printf("%s\n", profiletest::FormatDumpLine(line).c_str());
        }
      }
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "profile_dump_wine: %s\n", error.what());
    return 2;
  }
}

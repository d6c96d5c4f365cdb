#include "tools/check/CommandLine.h"

#include <exception>
#include <system_error>

#include "settings/LanguageChoice.h"
#include "tools/check/MediumCheck.h"
#include "tools/check/MediumFolder.h"

namespace orvex::check {

namespace {

constexpr char kUsage[] =
    "usage: autorun-check [--exe NAME] [--lang TAG] [--json] [--media KIND [--iso-level 3]]\n"
    "                     [--all-files] [--ca-file ROOTS.pem] MEDIUM_FOLDER\n"
    "       autorun-check --media-sizes\n"
    "Checks the launcher's profile in MEDIUM_FOLDER, the root of a medium, the way the\n"
    "launcher reads it, and says what the launcher would do and where it would fail.\n"
    "  --exe NAME  the launcher is NAME.exe and reads NAME.ini (default: autorun)\n"
    "  --lang TAG  check as a user whose display language is TAG (like de-CH) sees it;\n"
    "              without it, the profile and then each language profile are checked\n"
    "  --json      print the findings as JSON\n"
    "  --title     print only the window's title as the launcher reads it\n"
    "  --media KIND  cd, dvd, dvd-dl, bd or usb: also check that an image for it\n"
    "              holds the medium's files, names and paths\n"
    "  --iso-level 3  the image holds files of 4 GiB and more\n"
    "  --media-sizes  print the sizes of the media in bytes, one a line\n"
    "  --all-files   audit the signatures of every .exe, .dll and .msi on the medium,\n"
    "              not only the programs the profile starts and the launcher\n"
    "  --ca-file ROOTS.pem  the roots osslsigncode trusts instead of the system's\n"
    "Exit status: 0 the launcher would work, 1 it would fail, 2 usage error or a\n"
    "folder that cannot be read.\n";

int UsageError(std::ostream& err, const std::string& problem) {
  err << "autorun-check: " << problem << "\n" << kUsage;
  return kUsageError;
}

std::string WithoutExe(std::string name) {
  if (name.size() > 4) {
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (tail == ".exe") name.resize(name.size() - 4);
  }
  return name;
}

}  // namespace

int RunChecker(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  CheckOptions options;
  bool json = false;
  bool titleOnly = false;
  bool largeFiles = false;
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      out << kUsage;
      return kLauncherWorks;
    }
    if (argument == "--json") {
      json = true;
    } else if (argument == "--all-files") {
      options.allFiles = true;
    } else if (argument == "--ca-file") {
      if (i + 1 == arguments.size()) return UsageError(err, "--ca-file needs a file");
      options.caFile = arguments[++i];
    } else if (argument == "--title") {
      titleOnly = true;
    } else if (argument == "--media-sizes") {
      for (const MediumKind& kind : kMediumKinds) {
        if (kind.bytes != 0) out << kind.name << ' ' << kind.bytes << '\n';
      }
      return kLauncherWorks;
    } else if (argument == "--media") {
      if (i + 1 == arguments.size()) return UsageError(err, "--media needs a kind");
      const auto kind = FindMediumKind(arguments[++i]);
      if (!kind) return UsageError(err, "--media takes cd, dvd, dvd-dl, bd or usb");
      options.limits = MediumLimits{*kind};
    } else if (argument == "--iso-level") {
      if (i + 1 == arguments.size() || arguments[++i] != "3") {
        return UsageError(err, "--iso-level takes 3");
      }
      largeFiles = true;
    } else if (argument == "--exe") {
      if (i + 1 == arguments.size()) return UsageError(err, "--exe needs a name");
      options.executableName = WithoutExe(arguments[++i]);
      if (options.executableName.empty() ||
          options.executableName.find_first_of("\\/:") != std::string::npos) {
        return UsageError(err, "--exe takes a file name without folder, like \"setup\"");
      }
    } else if (argument == "--lang") {
      if (i + 1 == arguments.size() || !IsLanguageName(arguments[i + 1])) {
        return UsageError(err, "--lang takes a language name, like de, pt-BR or zh-Hant");
      }
      options.language = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return UsageError(err, "unknown option " + argument);
    } else {
      folders.push_back(argument);
    }
  }
  if (folders.size() != 1) return UsageError(err, "give exactly one medium folder");
  if (largeFiles) {
    if (!options.limits) return UsageError(err, "--iso-level goes with --media");
    options.limits->largeFiles = true;
  }

  options.folderAsGiven = folders.front();
  options.folder = PathFromUtf8(options.folderAsGiven);
  std::error_code error;
  if (!std::filesystem::is_directory(options.folder, error)) {
    return UsageError(err, options.folderAsGiven + " is not a folder");
  }
  CheckReport report;
  try {
    report = CheckMedium(options);
  } catch (const std::exception& unexpected) {
    err << "autorun-check: cannot check " << options.folderAsGiven << ": " << unexpected.what()
        << "\n";
    return kUsageError;
  }
  if (titleOnly) {
    out << report.title << "\n";
  } else if (json) {
    WriteJson(report, out);
  } else {
    WriteText(report, out);
  }
  return report.LauncherWorks() ? kLauncherWorks : kLauncherFails;
}

}  // namespace orvex::check

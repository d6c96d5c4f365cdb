// The signatures of what the medium starts: every program the profile's
// actions start from the medium, the launcher beside the profile, and with
// --all-files every Windows program and installer package on the medium.
// Windows 11's Smart App Control blocks unsigned programs and SmartScreen
// warns before them, so each gets a verdict.
#include <initializer_list>
#include <set>

#include "tools/check/Checker.h"
#include "tools/check/FileBytes.h"
#include "tools/check/PeSignature.h"
#include "tools/check/SignatureVerify.h"
#include "tools/check/SystemCase.h"

namespace orvex::check {

namespace {

constexpr char kUnsignedConsequence[] =
    ": Smart App Control blocks it on Windows 11 and SmartScreen warns before it runs";

// ".exe" and the like, in any letter case.
bool HasExtension(const std::string& name, std::initializer_list<const char*> extensions) {
  const std::string lower = LowerCaseLikeWindows(name);
  for (const std::string extension : extensions) {
    if (lower.size() > extension.size() &&
        lower.compare(lower.size() - extension.size(), extension.size(), extension) == 0) {
      return true;
    }
  }
  return false;
}

// A folder with a security catalog or a kernel driver holds a driver package,
// as autorun-medium --sign-all sees it.
bool InDriverPackage(const std::filesystem::path& file) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(file.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    if (HasExtension(Utf8FromPath(it->path().filename()), {".cat", ".sys"})) return true;
  }
  return false;
}

}  // namespace

void Checker::AuditPrograms() {
  std::set<std::string> programs(startedPrograms_.begin(), startedPrograms_.end());
  if (const auto launcher = medium_.FindRelative(options_.executableName + ".exe")) {
    programs.insert(*launcher);
  }
  if (options_.allFiles) {
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(medium_.Root(), error), end;
         !error && it != end; it.increment(error)) {
      const std::string relative = Utf8FromPath(it->path().lexically_relative(medium_.Root()));
      if (it->is_regular_file(error) && HasExtension(relative, {".exe", ".dll", ".msi"}))
        programs.insert(relative);
    }
  }
  for (const std::string& program : programs) AuditProgram(program);
}

void Checker::AuditProgram(const std::string& relative) {
  const std::filesystem::path file = medium_.Root() / PathFromUtf8(relative);
  const auto add = [&](Severity severity, const std::string& text) {
    report_.findings.push_back({0, severity, text, ShownRoot() + "/" + relative});
  };
  if (InDriverPackage(file)) {
    add(Severity::Note, relative +
                            " belongs to a driver package (its folder holds a .cat or .sys "
                            "file): Windows takes only Microsoft's signature for drivers, so it "
                            "is not audited");
    return;
  }
  const std::optional<VerifyVerdict> second = VerifyWithOsslsigncode(file, options_.caFile);
  PeSignature own;
  if (HasExtension(relative, {".msi"})) {
    // An installer package is a compound file the checker does not read.
    if (!second) {
      add(Severity::Note, relative +
                              ": osslsigncode is not installed, and the checker reads the "
                              "signatures of programs only: install it to audit this package");
      return;
    }
    own.signing = second->signed_ ? PeSigning::Signed : PeSigning::Unsigned;
    own.timestamped = second->timestamped;
  } else {
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) {
      add(Severity::Warning, relative + " cannot be read: the checker cannot audit it");
      return;
    }
    own = ReadPeSignature(*bytes);
  }
  switch (own.signing) {
    case PeSigning::Damaged:
      add(Severity::Warning, relative + " is not a Windows program the checker can read (" +
                                 own.problem + "): Windows will not start it");
      return;
    case PeSigning::Unsigned:
      add(Severity::Warning, relative + " is not signed" + kUnsignedConsequence);
      return;
    case PeSigning::Signed: break;
  }
  if (second && !second->verifies) {
    add(Severity::Warning, relative + "'s signature does not verify (" + second->reason +
                               "): Windows treats it as unsigned" + kUnsignedConsequence);
  }
  if (!own.timestamped) {
    add(Severity::Warning,
        relative + "'s signature has no timestamp: it stops verifying " +
            (own.certificatesEnd ? "on " + *own.certificatesEnd : "when its certificate expires"));
  }
  if (!second) {
    add(Severity::Note, relative + " is signed" + (own.timestamped ? " and timestamped" : "") +
                            "; osslsigncode is not installed, so only the presence of the "
                            "signature was checked, not whether it verifies");
  } else if (second->verifies && own.timestamped) {
    add(Severity::Note, relative + " is signed and timestamped, and its signature verifies");
  }
}

}  // namespace orvex::check

#include "tools/check/SignatureVerify.h"

#include <cstdio>

#ifdef _WIN32
#define popen _popen
#define pclose _pclose
#else
#include <sys/wait.h>
#endif

namespace orvex::check {

namespace {

std::string Quoted(const std::string& text) {
#ifdef _WIN32
  return "\"" + text + "\"";
#else
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
#endif
}

std::string LineWith(const std::string& output, const std::string& marker) {
  const std::size_t at = output.find(marker);
  if (at == std::string::npos) return {};
  const std::size_t end = output.find('\n', at);
  return output.substr(at + marker.size(),
                       end == std::string::npos ? std::string::npos : end - at - marker.size());
}

}  // namespace

std::optional<VerifyVerdict> VerifyWithOsslsigncode(const std::filesystem::path& file,
                                                    const std::string& caFile) {
  std::string command = "osslsigncode verify";
  if (!caFile.empty()) command += " -CAfile " + Quoted(caFile) + " -TSA-CAfile " + Quoted(caFile);
  command += " -in " + Quoted(file.string()) + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string output;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, got);
  }
  const int status = pclose(pipe);
#ifdef _WIN32
  if (status == 9009) return std::nullopt;  // cmd's "not recognized"
#else
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return std::nullopt;  // the shell's
#endif
  VerifyVerdict verdict;
  verdict.signed_ = output.find("No signature found") == std::string::npos &&
                    output.find("Signer's certificate") != std::string::npos;
  verdict.timestamped = output.find("Timestamp time:") != std::string::npos;
  verdict.verifies = status == 0 && output.find("Signature verification: ok") != std::string::npos;
  if (output.find("MISMATCH") != std::string::npos) {
    verdict.reason = "the file was changed after it was signed";
  } else if (const std::string error = LineWith(output, "Error: "); !error.empty()) {
    verdict.reason = error;
  } else {
    verdict.reason = "osslsigncode verify fails";
  }
  return verdict;
}

}  // namespace orvex::check

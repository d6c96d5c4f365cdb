// autorun-check as a Windows console program: wide arguments become UTF-8,
// and the console is told that the output is UTF-8.
#include <windows.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/check/CommandLine.h"

namespace {

std::string Utf8(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.resize(text.size() - 1);
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(Utf8(argv[i]));
  SetConsoleOutputCP(CP_UTF8);
  std::ostringstream out;
  std::ostringstream err;
  const int status = orvex::check::RunChecker(arguments, out, err);
  // Written in one piece, so that the console gets whole UTF-8 sequences.
  std::cout << out.str() << std::flush;
  std::cerr << err.str() << std::flush;
  return status;
}

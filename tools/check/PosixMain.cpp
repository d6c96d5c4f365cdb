// autorun-check on Linux and other POSIX systems: arguments are UTF-8.
#include <iostream>

#include "tools/check/CommandLine.h"

int main(int argc, char** argv) {
  return orvex::check::RunChecker(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                  std::cerr);
}

// varnctl for Linux: the command-line client on the virtual card.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/varnctl/native/native_front.h"

int main(int argc, char **argv) {
  using namespace tolven::varnctl;
  std::vector<std::string> args(argv + 1, argv + argc);
  Console console{std::cout, std::cerr, &std::cin, isatty(STDERR_FILENO) == 1, {}};
  NativeFront front;
  const int status = Run(args, front, console);
  std::cout.flush();
  return status;
}

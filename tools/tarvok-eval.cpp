// tarvok-eval: the expression language on the command line, for users and
// for comparing the native and the Windows build.
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "EvalCommand.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Same bytes as the native build: no CR added to line ends.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return tarvok::RunEvalCommand(arguments, std::cin, std::cout, std::cerr);
}

// jasscribe: converts a JASS map script into war3map.cpp and war3map.h.
// Without arguments the program is the console dialogue; with arguments, the
// command line's batch run.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "driver/console.h"

int main(int argc, char** argv) {
  if (argc <= 1) return fRunConsole(stdin, stdout);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return fRunCommandLine(args, sStreams{stdin, stdout, stderr});
}

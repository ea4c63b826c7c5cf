// jasscribe: converts a JASS map script into war3map.cpp and war3map.h.
// Without arguments the program is the console dialogue; with arguments, the
// command line's batch run. On Windows the arguments arrive as UTF-16 and
// are passed on as UTF-8, the encoding of every path inside the program.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "driver/allocator.h"
#include "driver/console.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "driver/files.h"
#endif

namespace {

int fRun(const std::vector<std::string>& args) {
  fTuneAllocator();
  if (args.empty()) return fRunConsole(stdin, stdout);
  return fRunCommandLine(args, sStreams{stdin, stdout, stderr});
}

}  // namespace

#ifdef _WIN32

namespace {

// The paths printed are UTF-8, so a console shows them in UTF-8 while the
// program runs, and gets its own code page back afterwards. The standard
// streams keep the C runtime's text mode: each message line ends in CR LF,
// as every Windows console program's does; files are always binary.
class sUtf8Console {
 public:
  sUtf8Console() : vCodePage(GetConsoleOutputCP()) {
    if (vCodePage != 0) SetConsoleOutputCP(CP_UTF8);
  }
  ~sUtf8Console() {
    if (vCodePage != 0) SetConsoleOutputCP(vCodePage);
  }
  sUtf8Console(const sUtf8Console&) = delete;
  sUtf8Console& operator=(const sUtf8Console&) = delete;

 private:
  UINT vCodePage;  // 0 when the program has no console
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const sUtf8Console console;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(fUtf8FromWide(argv[i]));
  return fRun(args);
}

#else

int main(int argc, char** argv) { return fRun(std::vector<std::string>(argv + 1, argv + argc)); }

#endif

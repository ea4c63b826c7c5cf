// The console dialogue, the front of the pipeline (driver -> rules <-> handlers
// -> output): the prompt, the checks on the typed path, reading the script,
// the conversion run, writing war3map.cpp and war3map.h beside the script,
// and the final wait. Only the driver and the command line talk to the
// console and the disk.
#ifndef JASSCRIBE_DRIVER_CONSOLE_H_
#define JASSCRIBE_DRIVER_CONSOLE_H_

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

#include "driver/files.h"

struct sState;

constexpr size_t CONST_PATH_CAPACITY = 200;    // typed path: at most 199 characters
constexpr size_t CONST_FOLDER_CAPACITY = 100;  // its folder: at most 99 characters

// Windows knows only the backslash; elsewhere a backslash is no separator, so
// both characters count there and the outputs use the one that was found.
#ifdef _WIN32
constexpr bool CONST_SLASH_SEPARATES = false;
#else
constexpr bool CONST_SLASH_SEPARATES = true;
#endif

/// The outcome of the checks on a typed path.
struct sPathCheck {
  const char* pError = nullptr;  // message to print, or null when accepted
  std::string vFolder;           // Path2: the folder without its final separator
  std::string vCppPath;          // FullPath2: folder, separator, "war3map.cpp"
  std::string vHeaderPath;       // FullPath3: folder, separator, "war3map.h"
};

/// Checks a typed path (without its line end) and derives the two output
/// paths. Touches neither the console nor the disk.
sPathCheck fCheckPath(const std::string& vFullPath,
                      bool bSlashSeparates = CONST_SLASH_SEPARATES);

/// The operations the dialogue performs on its files and memory. An empty
/// member means the real one; tests replace them to make a step fail.
struct sConsoleIo : sWriteIo {
  fAllocator fAllocate;  // sizes the script buffer; false: no memory
  std::function<bool(sState&, const char*, size_t)> fConvert;  // as fConvertScript
};

/// Runs the whole dialogue on the given streams: one typed line is read from
/// pIn, every message goes to pOut, then one more character is awaited.
/// Returns the exit code, 0 on every path.
int fRunConsole(FILE* pIn, FILE* pOut, const sConsoleIo& io = sConsoleIo());

#endif  // JASSCRIBE_DRIVER_CONSOLE_H_

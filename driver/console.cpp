// The console dialogue: one run of prompt, path checks, reading, conversion,
// writing and the final wait. Every message is its own line; the exit code is
// always 0. Files are opened in binary mode so the CR LF of the emitted lines
// reach the disk unchanged.
#include "driver/console.h"

#include <cstdint>
#include <memory>
#include <new>

#include "driver/convert.h"
#include "text/state.h"
#include "text/text.h"

namespace {

constexpr char CONST_PROMPT[] = "Enter the full path to the jass file : ";
constexpr char CONST_TOO_SHORT[] = "The file path is too short!";
constexpr char CONST_BAD_EXTENSION[] = "Incorrect file extension!";
constexpr char CONST_BAD_PATH[] = "Error entering the file path!";
constexpr char CONST_NOT_FOUND[] = "File not found!";
constexpr char CONST_TOO_SMALL[] = "The file is too small!";
constexpr char CONST_LOADING[] = "Loading...";
constexpr char CONST_WRITE_ERROR[] = "Error writing the file!";
constexpr char CONST_NO_MEMORY[] = "Not enough memory!";

// Shorter scripts are refused as too small.
constexpr long CONST_MIN_SCRIPT_LEN = 3;

struct sFileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using sFilePtr = std::unique_ptr<FILE, sFileCloser>;

// Prints one message on its own line. Flushed at once, so the prompt is on
// screen before the input is read even when the output is a pipe.
void fSay(FILE* pOut, const char* pText) {
  std::fprintf(pOut, "%s\n", pText);
  std::fflush(pOut);
}

// Reads the whole typed line, so nothing of it is left for the final wait.
// The LF and a CR right before it are dropped, as a Windows console does; the
// path ends at its first 0 byte, as in a zero-filled character buffer.
std::string fReadLine(FILE* pIn) {
  std::string line;
  int c = std::fgetc(pIn);
  for (; c != EOF && c != '\n'; c = std::fgetc(pIn)) line += static_cast<char>(c);
  if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
  const size_t zero = line.find('\0');
  if (zero != std::string::npos) line.resize(zero);
  return line;
}

// Index of the last separator in the path, or npos.
size_t fLastSeparator(const std::string& path, bool bSlashSeparates) {
  return path.find_last_of(bSlashSeparates ? "\\/" : "\\");
}

// The file's length, or -1 when it cannot be read as a file (on POSIX a
// folder opens for reading and only fails at the first read).
long fReadableLength(FILE* f) {
  if (std::fgetc(f) == EOF && std::ferror(f)) return -1;
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long length = std::ftell(f);
  if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
  return length;
}

bool fAllocateScript(const sConsoleIo& io, std::string& buffer, size_t n) {
  if (io.fAllocate) return io.fAllocate(buffer, n);
  try {
    buffer.resize(n);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// Reads the script whole into vScript; prints the message of any failure.
// A short read is not converted: the missing bytes were never in the file.
bool fLoadScript(FILE* pOut, const sConsoleIo& io, const std::string& path,
                 std::string& vScript) {
  sFilePtr f(std::fopen(path.c_str(), "rb"));
  const long length = f ? fReadableLength(f.get()) : -1;
  if (length < 0) {
    fSay(pOut, CONST_NOT_FOUND);
    return false;
  }
  if (length < CONST_MIN_SCRIPT_LEN) {
    fSay(pOut, CONST_TOO_SMALL);
    return false;
  }
  // Every text counts its bytes in 32 bits.
  const size_t n = static_cast<size_t>(length);
  if (length > INT32_MAX || !fAllocateScript(io, vScript, n)) {
    fSay(pOut, CONST_NO_MEMORY);
    return false;
  }
  if (std::fread(&vScript[0], 1, n, f.get()) != n) {
    fSay(pOut, CONST_NOT_FOUND);
    return false;
  }
  f.reset();
  fSay(pOut, CONST_LOADING);
  return true;
}

// Writes the joined text to path and prints the path, or the write error
// when a write, flush or close fails. A failed open stays silent. True only
// when the file was written completely.
bool fWriteOutput(FILE* pOut, const sConsoleIo& io, const std::string& path,
                  const sText& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const size_t n = text.data.size();
  const size_t written =
      io.fWrite ? io.fWrite(text.data.data(), 1, n, f) : std::fwrite(text.data.data(), 1, n, f);
  bool ok = written == n;
  ok = (io.fFlush ? io.fFlush(f) : std::fflush(f)) == 0 && ok;
  ok = (io.fClose ? io.fClose(f) : std::fclose(f)) == 0 && ok;
  fSay(pOut, ok ? path.c_str() : CONST_WRITE_ERROR);
  return ok;
}

// Runs the conversion on a fresh state and joins its two line lists. What is
// no longer needed goes at once (the script once normalised, the sections
// once emitted, the source lines once joined), so the output is never held
// three times over.
bool fConvert(const sConsoleIo& io, std::string& vScript, sText& vCodeFileCpp,
              sText& vCodeFileHeader, bool& bHaveCpp, bool& bHaveHeader) {
  auto s = std::make_unique<sState>();
  const bool ok = io.fConvert ? io.fConvert(*s, vScript.data(), vScript.size())
                              : fConvertOwnedScript(*s, std::move(vScript));
  if (!ok) return false;
  fReleaseSections(*s);
  bHaveCpp = s->vCppLines.fJoin(&vCodeFileCpp);
  s->vCppLines = sTextList();
  bHaveHeader = s->vHeaderLines.fJoin(&vCodeFileHeader);
  return true;
}

// Steps from reading the typed line to writing the outputs; returning early
// means "stop", and the caller still performs the final wait.
void fRunSteps(FILE* pIn, FILE* pOut, const sConsoleIo& io, sText& vCodeFileCpp,
               sText& vCodeFileHeader) {
  const std::string vFullPath = fReadLine(pIn);
  const sPathCheck check = fCheckPath(vFullPath);
  if (check.pError != nullptr) return fSay(pOut, check.pError);
  std::string vScript;
  if (!fLoadScript(pOut, io, vFullPath, vScript)) return;
  bool bHaveCpp = false;
  bool bHaveHeader = false;
  if (!fConvert(io, vScript, vCodeFileCpp, vCodeFileHeader, bHaveCpp, bHaveHeader)) return;
  // The header is not attempted when the source could not be written.
  if (bHaveCpp && !fWriteOutput(pOut, io, check.vCppPath, vCodeFileCpp)) return;
  if (bHaveHeader) fWriteOutput(pOut, io, check.vHeaderPath, vCodeFileHeader);
}

}  // namespace

sPathCheck fCheckPath(const std::string& vFullPath, bool bSlashSeparates) {
  sPathCheck result;
  const size_t n = vFullPath.size();
  if (n < 4) {
    result.pError = CONST_TOO_SHORT;
    return result;
  }
  if (vFullPath.compare(n - 2, 2, ".j") != 0) {
    result.pError = CONST_BAD_EXTENSION;
    return result;
  }
  // The folder needs at least 5 characters and the name after it at least 4
  // (two before ".j"); the line and the folder must fit their buffers.
  const size_t pos = fLastSeparator(vFullPath, bSlashSeparates);
  if (pos == std::string::npos || pos <= 4 || pos >= n - 4 || n >= CONST_PATH_CAPACITY ||
      pos >= CONST_FOLDER_CAPACITY) {
    result.pError = CONST_BAD_PATH;
    return result;
  }
  const char separator = vFullPath[pos];
  result.vFolder = vFullPath.substr(0, pos);
  result.vCppPath = result.vFolder + separator + "war3map.cpp";
  result.vHeaderPath = result.vFolder + separator + "war3map.h";
  return result;
}

int fRunConsole(FILE* pIn, FILE* pOut, const sConsoleIo& io) {
  sText vCodeFileHeader;
  sText vCodeFileCpp;
  fSay(pOut, CONST_PROMPT);
  // Any allocation of the run may fail, not only the script buffer's.
  try {
    fRunSteps(pIn, pOut, io, vCodeFileCpp, vCodeFileHeader);
  } catch (const std::bad_alloc&) {
    fSay(pOut, CONST_NO_MEMORY);
  }
  std::fgetc(pIn);
  return 0;
}

// The console dialogue: one run of prompt, path checks, reading, conversion,
// writing and the final wait. Every message is its own line; the exit code is
// always 0. Files are opened in binary mode so the CR LF of the emitted lines
// reach the disk unchanged.
#include "driver/console.h"

#include <memory>
#include <new>
#include <vector>

#include "driver/convert.h"
#include "driver/files.h"
#include "text/diagnostic.h"
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
constexpr char CONST_NO_JASS[] = "No JASS code found in the file!";

// Prints one message on its own line. Flushed at once, so the prompt is on
// screen before the input is read even when the output is a pipe.
void fSay(FILE* pOut, const char* pText) {
  std::fprintf(pOut, "%s\n", pText);
  std::fflush(pOut);
}

// Reads the whole typed line, so nothing of it is left for the final wait.
// The LF and a CR right before it are dropped, as a Windows console does; the
// path ends at its first 0 byte, as in a zero-filled character buffer. A
// Windows console is read in wide characters, anything else as bytes.
std::string fReadLine(FILE* pIn) {
  std::string line;
  if (fReadConsoleLine(pIn, line)) return line.substr(0, line.find('\0'));
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

// Reads the script whole into vScript; prints the message of any failure.
bool fLoadScript(FILE* pOut, const sConsoleIo& io, const std::string& path,
                 std::string& vScript) {
  switch (fReadWholeFile(path, CONST_MIN_SCRIPT_LEN, vScript, io.fAllocate)) {
    case eReadResult::kOk:
      fSay(pOut, CONST_LOADING);
      return true;
    case eReadResult::kTooSmall:
      fSay(pOut, CONST_TOO_SMALL);
      return false;
    case eReadResult::kTooLarge:
    case eReadResult::kNoMemory:
      fSay(pOut, CONST_NO_MEMORY);
      return false;
    case eReadResult::kNotFound:
    case eReadResult::kNotReadable:
      break;
  }
  fSay(pOut, CONST_NOT_FOUND);
  return false;
}

// Writes the line lists that have lines, all or none, and prints the path
// of each file written, source first; any failure, the open of an output
// included, prints the write error and leaves the previous outputs as they
// were.
void fWriteOutputs(FILE* pOut, const sConsoleIo& io, const std::vector<sOutputFile>& files) {
  if (files.empty()) return;
  sWriteFailure failure;
  if (!fWriteAllOrNone(files, failure, io)) return fSay(pOut, CONST_WRITE_ERROR);
  for (const sOutputFile& file : files) fSay(pOut, file.vPath.c_str());
}

// "Warning: line N: what"; a fault of the whole script has no line.
void fSayDiagnostic(FILE* pOut, const char* pSeverity, const sDiagnostic& d) {
  if (d.nLine > 0) {
    std::fprintf(pOut, "%s: line %d: %s\n", pSeverity, static_cast<int>(d.nLine),
                 d.vMessage.c_str());
  } else {
    std::fprintf(pOut, "%s: %s\n", pSeverity, d.vMessage.c_str());
  }
  std::fflush(pOut);
}

// Prints the warnings, or only the error that stops the run; false then.
bool fReportDiagnostics(FILE* pOut, const std::vector<sDiagnostic>& diagnostics) {
  if (const sDiagnostic* pError = fFirstError(diagnostics)) {
    if (pError->problem == eProblem::kNoJass) {
      fSay(pOut, CONST_NO_JASS);
    } else {
      fSayDiagnostic(pOut, "Error", *pError);
    }
    return false;
  }
  for (const sDiagnostic& d : diagnostics) fSayDiagnostic(pOut, "Warning", d);
  return true;
}

// Runs the conversion on a fresh state and reports what it found wrong. The
// sections go once emitted, and the files are written from the two line
// lists themselves, so the output is never held three times over.
bool fConvert(FILE* pOut, const sConsoleIo& io, std::string&& vScript, sState& s) {
  const bool ok = io.fConvert ? io.fConvert(s, vScript.data(), vScript.size())
                              : fConvertScript(s, std::move(vScript));
  if (!ok || !fReportDiagnostics(pOut, s.vDiagnostics)) return false;
  fReleaseSections(s);
  return true;
}

// Steps from reading the typed line to writing the outputs; returning early
// means "stop", and the caller still performs the final wait.
void fRunSteps(FILE* pIn, FILE* pOut, const sConsoleIo& io) {
  const std::string vFullPath = fReadLine(pIn);
  const sPathCheck check = fCheckPath(vFullPath);
  if (check.pError != nullptr) return fSay(pOut, check.pError);
  std::string vScript;
  if (!fLoadScript(pOut, io, vFullPath, vScript)) return;
  auto s = std::make_unique<sState>();
  if (!fConvert(pOut, io, std::move(vScript), *s)) return;
  std::vector<sOutputFile> files;
  if (s->vCppLines.nCount() > 0) files.push_back({check.vCppPath, &s->vCppLines});
  if (s->vHeaderLines.nCount() > 0) files.push_back({check.vHeaderPath, &s->vHeaderLines});
  fWriteOutputs(pOut, io, files);
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
  fSay(pOut, CONST_PROMPT);
  // Any allocation of the run may fail, not only the script buffer's.
  try {
    fRunSteps(pIn, pOut, io);
  } catch (const std::bad_alloc&) {
    fSay(pOut, CONST_NO_MEMORY);
  }
  std::fgetc(pIn);
  return 0;
}

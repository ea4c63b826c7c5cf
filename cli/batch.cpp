// One batch run of the command line. Each input gets a fresh translation
// state, so one input's globals and functions never reach another's outputs,
// and a failed input does not stop the ones after it. Every message about an
// input goes through fSayProblem, so each names its input the way compilers
// do and tools can parse it.
#include "cli/batch.h"

#include <chrono>
#include <map>
#include <memory>
#include <new>
#include <utility>

#include "archive/map_archive.h"
#include "driver/convert.h"
#include "driver/files.h"
#include "text/diagnostic.h"
#include "text/state.h"
#include "text/text.h"

namespace {

constexpr char CONST_STDIN_LABEL[] = "<stdin>";
constexpr char CONST_STDIN_FOLDER[] = "stdin";  // its folder under -o among several inputs
constexpr char CONST_CPP_NAME[] = "war3map.cpp";
constexpr char CONST_HEADER_NAME[] = "war3map.h";

// The two outputs of one conversion: the translation's state, holding the
// two line lists the files are written from.
struct sOutputs {
  std::unique_ptr<sState> state;
};

bool fSayProblem(const sStreams& streams, const sJob& job, const std::string& message) {
  std::fprintf(streams.pErr, "%s: %s\n", job.vLabel.c_str(), message.c_str());
  std::fflush(streams.pErr);
  return false;
}

const char* fReadMessage(eReadResult result) {
  switch (result) {
    case eReadResult::kOk: return "";
    case eReadResult::kNotFound: return "file not found";
    case eReadResult::kNotReadable: return "cannot read the file";
    case eReadResult::kTooSmall: return "the script is too small (less than 3 bytes)";
    case eReadResult::kTooLarge: return "the script is too large (2 GiB or more)";
    case eReadResult::kNoMemory: return "not enough memory";
  }
  return "cannot read the file";
}

const char* fArchiveMessage(eArchiveResult result) {
  switch (result) {
    case eArchiveResult::kOk: return "";
    case eArchiveResult::kNotAnArchive: return "not a map archive, or a damaged one";
    case eArchiveResult::kNoScript: return "no war3map.j in the map archive";
    case eArchiveResult::kNotReadable: return "cannot read war3map.j from the map archive";
    case eArchiveResult::kTooLarge: return "the script is too large (2 GiB or more)";
    case eArchiveResult::kNoMemory: return "not enough memory";
    case eArchiveResult::kUnsupported: return "this build of jasscribe cannot read map archives";
  }
  return "not a map archive, or a damaged one";
}

// The script of a map archive; the message of the problem, or empty. The
// archive's own file is checked first, so a missing or unreadable one is not
// called a damaged archive.
std::string fLoadArchive(const sJob& job, std::string& script) {
  const eReadResult result = fProbeFile(job.vInput);
  if (result != eReadResult::kOk) return fReadMessage(result);
  const eArchiveResult archived = fReadMapScript(job.vInput, script);
  if (archived != eArchiveResult::kOk) return fArchiveMessage(archived);
  if (script.size() < CONST_MIN_SCRIPT_LEN) return fReadMessage(eReadResult::kTooSmall);
  return std::string();
}

// "INPUT:N: warning: what", the form editors and build tools parse; a fault
// of the whole script has no line.
bool fSayDiagnostic(const sStreams& streams, const sJob& job, const char* pSeverity,
                    const sDiagnostic& d) {
  if (d.nLine > 0) {
    std::fprintf(streams.pErr, "%s:%d: %s: %s\n", job.vLabel.c_str(), static_cast<int>(d.nLine),
                 pSeverity, d.vMessage.c_str());
  } else {
    std::fprintf(streams.pErr, "%s: %s: %s\n", job.vLabel.c_str(), pSeverity, d.vMessage.c_str());
  }
  std::fflush(streams.pErr);
  return false;
}

// Prints the warnings, or only the error that stops the input; false then.
bool fReportDiagnostics(const sStreams& streams, const sJob& job,
                        const std::vector<sDiagnostic>& diagnostics) {
  if (const sDiagnostic* pError = fFirstError(diagnostics)) {
    return fSayDiagnostic(streams, job, "error", *pError);
  }
  for (const sDiagnostic& d : diagnostics) fSayDiagnostic(streams, job, "warning", d);
  return true;
}

// Reads the input's script; prints the problem and returns false on failure.
bool fLoadInput(const sJob& job, const sStreams& streams, std::string& script) {
  std::string problem;
  if (job.kind == eInputKind::kArchive) {
    problem = fLoadArchive(job, script);
  } else {
    const eReadResult result =
        job.kind == eInputKind::kStdin
            ? fReadWholeStream(streams.pIn, CONST_MIN_SCRIPT_LEN, script)
            : fReadWholeFile(job.vInput, CONST_MIN_SCRIPT_LEN, script);
    if (result != eReadResult::kOk) problem = fReadMessage(result);
  }
  return problem.empty() || fSayProblem(streams, job, problem);
}

// Runs the conversion on a fresh state; false when it gave no output.
// The script is given up: it is freed once normalised, and the sections
// once emitted, so a large map is never held three times over.
bool fTranslate(std::string&& script, sOutputs& outputs,
                std::vector<sDiagnostic>& diagnostics) {
  outputs.state = std::make_unique<sState>();
  sState& s = *outputs.state;
  fConvertScript(s, std::move(script));
  diagnostics = std::move(s.vDiagnostics);
  fReleaseSections(s);
  return s.vCppLines.nCount() > 0 && s.vHeaderLines.nCount() > 0;
}

bool fWriteOutputs(const sJob& job, const sOutputs& outputs, const sStreams& streams) {
  std::string reason;
  if (!job.vFolder.empty() && !fMakeFolders(job.vFolder, reason)) {
    return fSayProblem(streams, job, "cannot create the folder " + job.vFolder + ": " + reason);
  }
  const std::vector<sOutputFile> files = {
      {fJoinPath(job.vFolder, CONST_CPP_NAME), &outputs.state->vCppLines},
      {fJoinPath(job.vFolder, CONST_HEADER_NAME), &outputs.state->vHeaderLines}};
  sWriteFailure failure;
  if (fWriteAllOrNone(files, failure)) return true;
  return fSayProblem(streams, job, "cannot write " + failure.vPath + ": " + failure.vReason);
}

// "512 B", "12.3 kB", "3.6 MB".
std::string fSizeText(size_t bytes) {
  char text[32];
  if (bytes < 1000) {
    std::snprintf(text, sizeof text, "%zu B", bytes);
  } else if (bytes < 1000000) {
    std::snprintf(text, sizeof text, "%.1f kB", static_cast<double>(bytes) / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  }
  return text;
}

void fSayConverted(const sJob& job, size_t scriptBytes, double seconds, const sStreams& streams) {
  std::fprintf(streams.pOut, "%s -> %s, %s (%s, %.1f s)\n", job.vLabel.c_str(),
               fJoinPath(job.vFolder, CONST_CPP_NAME).c_str(),
               fJoinPath(job.vFolder, CONST_HEADER_NAME).c_str(), fSizeText(scriptBytes).c_str(),
               seconds);
  std::fflush(streams.pOut);
}

eInputKind fKindOf(const std::string& input) {
  if (input == CONST_STDIN_INPUT) return eInputKind::kStdin;
  const std::string extension = fExtensionOf(input);
  return extension == ".w3x" || extension == ".w3m" ? eInputKind::kArchive : eInputKind::kScript;
}

// Beside a script; in a folder named after a map archive, beside it; or
// under -o, in a folder named after the input when there are several.
std::string fFolderFor(const sJob& job, const sOptions& options) {
  if (!options.vOutputFolder.empty()) {
    if (options.vInputs.size() == 1) return options.vOutputFolder;
    const bool bStdin = job.kind == eInputKind::kStdin;
    return fJoinPath(options.vOutputFolder, bStdin ? CONST_STDIN_FOLDER : fStemOf(job.vInput));
  }
  if (job.kind == eInputKind::kArchive) {
    return fJoinPath(fFolderOf(job.vInput), fStemOf(job.vInput));
  }
  return fFolderOf(job.vInput);
}

}  // namespace

bool fPlanJobs(const sOptions& options, std::vector<sJob>& jobs, std::string& error) {
  std::map<std::string, std::string> owners;  // normal folder -> first input writing there
  for (const std::string& input : options.vInputs) {
    sJob job;
    job.vInput = input;
    job.kind = fKindOf(input);
    job.vLabel = job.kind == eInputKind::kStdin ? CONST_STDIN_LABEL : input;
    job.vFolder = fFolderFor(job, options);
    const auto [it, bNew] = owners.emplace(fNormalPath(job.vFolder), job.vLabel);
    if (!bNew) {
      error = it->second + " and " + job.vLabel + " would both write into the folder " +
              (job.vFolder.empty() ? std::string(".") : job.vFolder);
      return false;
    }
    jobs.push_back(job);
  }
  return true;
}

bool fRunJob(const sJob& job, bool bQuiet, const sStreams& streams) {
  const auto start = std::chrono::steady_clock::now();
  try {
    std::string script;
    if (!fLoadInput(job, streams, script)) return false;
    sOutputs outputs;
    std::vector<sDiagnostic> diagnostics;
    const size_t scriptBytes = script.size();
    const bool bTranslated = fTranslate(std::move(script), outputs, diagnostics);
    if (!fReportDiagnostics(streams, job, diagnostics)) return false;
    if (!bTranslated) {
      return fSayProblem(streams, job, "the script could not be translated; nothing written");
    }
    if (!fWriteOutputs(job, outputs, streams)) return false;
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (!bQuiet) fSayConverted(job, scriptBytes, seconds.count(), streams);
    return true;
  } catch (const std::bad_alloc&) {
    return fSayProblem(streams, job, "not enough memory");
  }
}

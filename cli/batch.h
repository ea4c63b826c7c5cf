// One batch run of the command line (arguments -> inputs -> conversion run
// -> safe write): where each input's outputs go, and each input read,
// converted and written in turn on a fresh translation state.
#ifndef JASSCRIBE_CLI_BATCH_H_
#define JASSCRIBE_CLI_BATCH_H_

#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"

/// The three standard streams of a run.
struct sStreams {
  FILE* pIn;   // a script given as "-"
  FILE* pOut;  // one line per converted input
  FILE* pErr;  // one line per problem, "INPUT: message"
};

/// What an input is, by its extension.
enum class eInputKind { kScript, kArchive, kStdin };

/// One input and where its outputs go.
struct sJob {
  std::string vInput;   // as given
  std::string vLabel;   // how messages name it ("<stdin>" for "-")
  eInputKind kind = eInputKind::kScript;
  std::string vFolder;  // folder of war3map.cpp and war3map.h; empty: the current one
};

/// Plans one job per input. Returns false with a usage error when two
/// inputs would write into the same folder.
bool fPlanJobs(const sOptions& options, std::vector<sJob>& jobs, std::string& error);

/// Reads, converts and writes one input; prints its line on pOut (unless
/// quiet) or its error on pErr. True only when both outputs were written.
bool fRunJob(const sJob& job, bool bQuiet, const sStreams& streams);

#endif  // JASSCRIBE_CLI_BATCH_H_

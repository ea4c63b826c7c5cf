// The command line: usage errors are found before any input is touched, then
// the inputs are converted one after another.
#include "cli/command_line.h"

#include <cstdio>

#include "cli/options.h"

#ifndef JASSCRIBE_VERSION
#error "JASSCRIBE_VERSION must be defined by the build"
#endif

namespace {

int fUsageError(const sStreams& streams, const std::string& message) {
  std::fprintf(streams.pErr, "jasscribe: %s\nTry 'jasscribe --help' for more information.\n",
               message.c_str());
  return CONST_EXIT_USAGE;
}

int fRunJobs(const std::vector<sJob>& jobs, bool bQuiet, const sStreams& streams) {
  int code = CONST_EXIT_CONVERTED;
  for (const sJob& job : jobs) {
    if (!fRunJob(job, bQuiet, streams)) code = CONST_EXIT_FAILED;
  }
  return code;
}

}  // namespace

int fRunCommandLine(const std::vector<std::string>& args, const sStreams& streams) {
  sOptions options;
  std::string error;
  if (!fParseArguments(args, options, error)) return fUsageError(streams, error);
  if (options.bHelp) {
    std::fputs(fUsageText().c_str(), streams.pOut);
    return CONST_EXIT_CONVERTED;
  }
  if (options.bVersion) {
    std::fputs("jasscribe " JASSCRIBE_VERSION "\n", streams.pOut);
    return CONST_EXIT_CONVERTED;
  }
  std::vector<sJob> jobs;
  if (!fPlanJobs(options, jobs, error)) return fUsageError(streams, error);
  return fRunJobs(jobs, options.bQuiet, streams);
}

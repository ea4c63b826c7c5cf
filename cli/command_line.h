// The command line, the front of the pipeline when the tool is given
// arguments (arguments -> inputs -> conversion run -> safe write): a batch
// run with no prompt and no wait, and an exit code that says how it went.
#ifndef JASSCRIBE_CLI_COMMAND_LINE_H_
#define JASSCRIBE_CLI_COMMAND_LINE_H_

#include <string>
#include <vector>

#include "cli/batch.h"

/// Exit codes of the command line.
constexpr int CONST_EXIT_CONVERTED = 0;  // every input converted
constexpr int CONST_EXIT_FAILED = 1;     // at least one input failed; the others converted
constexpr int CONST_EXIT_USAGE = 2;      // bad arguments; nothing read or written

/// Runs the command line on the arguments after the program's name and
/// returns the exit code.
int fRunCommandLine(const std::vector<std::string>& args, const sStreams& streams);

#endif  // JASSCRIBE_CLI_COMMAND_LINE_H_

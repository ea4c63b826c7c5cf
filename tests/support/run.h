// Test support shared by every test folder: the built executable run with
// arguments in a given folder, its standard streams captured as bytes.
#ifndef JASSCRIBE_TESTS_SUPPORT_RUN_H_
#define JASSCRIBE_TESTS_SUPPORT_RUN_H_

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/files.h"

/// What one run of the tool left.
struct sToolRun {
  std::string out;    // standard output
  std::string err;    // standard error
  int exitCode = -1;  // -1 when it did not exit normally
};

/// The text quoted for the shell, whatever bytes it holds.
inline std::string fShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

/// Runs the tool (JASSCRIBE_EXE) in folder with the arguments and input as
/// its whole standard input; the captured streams sit in folder's parent so
/// they never appear among the files a test looks at. A hang ends in a
/// timeout and shows as a wrong exit code.
inline sToolRun fRunTool(const std::string& folder, const std::vector<std::string>& args,
                         const std::string& input = std::string()) {
  sToolRun run;
  const std::string base = folder + ".run";
  fWriteFile(base + ".in", input);
  std::string command =
      "cd " + fShellQuoted(folder) + " && timeout 60 " + fShellQuoted(JASSCRIBE_EXE);
  for (const std::string& arg : args) command += " " + fShellQuoted(arg);
  command += " < " + fShellQuoted(base + ".in") + " > " + fShellQuoted(base + ".out") + " 2> " +
             fShellQuoted(base + ".err");
  const int status = std::system(command.c_str());
  if (status != -1 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  fReadFile(base + ".out", run.out);
  fReadFile(base + ".err", run.err);
  return run;
}

#endif  // JASSCRIBE_TESTS_SUPPORT_RUN_H_

// The command line's arguments, the first step of a batch run (arguments ->
// inputs -> conversion run -> safe write). Parsing touches neither the
// console nor the disk, so every usage error is known before any work.
#ifndef JASSCRIBE_CLI_OPTIONS_H_
#define JASSCRIBE_CLI_OPTIONS_H_

#include <string>
#include <vector>

/// What the arguments ask for.
struct sOptions {
  std::vector<std::string> vInputs;  // as given; "-" is standard input
  std::string vOutputFolder;         // -o DIR; empty: beside each input
  bool bQuiet = false;               // -q: nothing on standard output
  bool bHelp = false;                // -h: print the usage and stop
  bool bVersion = false;             // --version: print the version and stop
};

/// The input that names standard input.
constexpr char CONST_STDIN_INPUT[] = "-";

/// Parses the arguments after the program's name into options. Returns
/// false with the message of the usage error (an unknown option, -o without
/// a folder, no input, "-" without -o or given twice).
bool fParseArguments(const std::vector<std::string>& args, sOptions& options,
                     std::string& error);

/// The text --help prints.
std::string fUsageText();

#endif  // JASSCRIBE_CLI_OPTIONS_H_

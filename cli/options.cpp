// The command line's arguments. Options and inputs may be mixed in any
// order; "--" ends the options, so a file whose name starts with "-" can
// still be an input.
#include "cli/options.h"

#include <algorithm>

namespace {

constexpr char CONST_USAGE[] =
    "Usage: jasscribe [OPTIONS] INPUT...\n"
    "       jasscribe            (without arguments: asks for the path of one script)\n"
    "\n"
    "Converts JASS map scripts into war3map.cpp and war3map.h. Each INPUT is a .j\n"
    "script, a .w3x or .w3m map archive, or - for a script on standard input.\n"
    "The outputs go beside a script, and for a map archive MAP.w3x into a new\n"
    "folder MAP beside it; the archive itself is never changed. Previous outputs\n"
    "are replaced only when both new ones are complete.\n"
    "\n"
    "Options:\n"
    "  -o, --output DIR  write into DIR instead (created if missing); with several\n"
    "                    inputs, into DIR/<input name without extension>\n"
    "  -q, --quiet       print nothing but errors\n"
    "  -h, --help        print this help and exit\n"
    "      --version     print the version and exit\n"
    "\n"
    "Exit status: 0 when every input was converted, 1 when any failed (the others\n"
    "are still converted), 2 for a usage error.\n";

bool fFail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

// Takes the folder of -o from "--output=DIR", "-oDIR" or the next argument.
bool fTakeOutputFolder(const std::vector<std::string>& args, size_t& i, const std::string& vInline,
                       bool bHasInline, sOptions& options, std::string& error) {
  if (!options.vOutputFolder.empty()) return fFail(error, "-o given more than once");
  if (bHasInline) {
    options.vOutputFolder = vInline;
  } else if (i + 1 < args.size()) {
    options.vOutputFolder = args[++i];
  }
  if (options.vOutputFolder.empty()) return fFail(error, "-o needs a folder");
  return true;
}

// One argument that starts with "-" and is longer than that; i moves past a
// separate value.
bool fTakeOption(const std::vector<std::string>& args, size_t& i, sOptions& options,
                 std::string& error) {
  const std::string& arg = args[i];
  if (arg == "-q" || arg == "--quiet") {
    options.bQuiet = true;
  } else if (arg == "-h" || arg == "--help") {
    options.bHelp = true;
  } else if (arg == "--version") {
    options.bVersion = true;
  } else if (arg == "-o" || arg == "--output") {
    return fTakeOutputFolder(args, i, "", false, options, error);
  } else if (arg.compare(0, 9, "--output=") == 0) {
    return fTakeOutputFolder(args, i, arg.substr(9), true, options, error);
  } else if (arg.compare(0, 2, "-o") == 0 && arg.compare(0, 2, "--") != 0) {
    return fTakeOutputFolder(args, i, arg.substr(2), true, options, error);
  } else {
    return fFail(error, "unknown option '" + arg + "'");
  }
  return true;
}

bool fCheckInputs(const sOptions& options, std::string& error) {
  if (options.vInputs.empty()) return fFail(error, "no input given");
  const auto stdinCount =
      std::count(options.vInputs.begin(), options.vInputs.end(), CONST_STDIN_INPUT);
  if (stdinCount > 1) return fFail(error, "- (standard input) given more than once");
  if (stdinCount == 1 && options.vOutputFolder.empty()) {
    return fFail(error, "- (standard input) needs -o DIR");
  }
  return true;
}

}  // namespace

bool fParseArguments(const std::vector<std::string>& args, sOptions& options,
                     std::string& error) {
  bool bOptionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (bOptionsEnded || arg.size() < 2 || arg[0] != '-') {
      options.vInputs.push_back(arg);
    } else if (arg == "--") {
      bOptionsEnded = true;
    } else if (!fTakeOption(args, i, options, error)) {
      return false;
    }
  }
  if (options.bHelp || options.bVersion) return true;
  return fCheckInputs(options, error);
}

std::string fUsageText() { return CONST_USAGE; }

// The compile check: the converter's output for one script compiled in
// syntax-only mode against the stand-in framework, every compiler error
// mapped back to the translated function whose lines it points at, and each
// failing function's errors held against the kept causes, failures that no
// translation can avoid. Anything else is a translation fault.
#ifndef JASSCRIBE_TESTS_FRAMEWORK_COMPILE_CHECK_H_
#define JASSCRIBE_TESTS_FRAMEWORK_COMPILE_CHECK_H_

#include <string>
#include <vector>

namespace compile_check {

/// One error of the compiler, at a line of war3map.cpp or war3map.h.
struct sError {
  std::string file;     // "war3map.cpp" or "war3map.h"; another name when only the stand-in is named
  int nLine = 0;        // 1-based
  std::string message;  // the text after "error: "
  std::string code;     // the line of the generated file, blanks trimmed
};

/// Where a line of war3map.cpp belongs.
struct sSpan {
  std::string name;  // the C++ function name
  int nFirst = 0;    // its head line, 1-based
  int nLast = 0;     // its closing brace
  bool bFrame = false;  // a support function of the fixed frame
};

/// A unit of the result: one translated function, or the frame, the global
/// object, the prototypes, the registrations, or the stand-in itself.
struct sUnit {
  std::string name;
  std::vector<sError> errors;
  std::string keptCause;  // the cause that keeps every error, or "" for a fault
  bool bKnown = false;    // a fault on the list of known faults, not yet corrected
};

/// The whole result for one script.
struct sResult {
  std::string script;           // its file name
  std::string scriptText;       // the normalised JASS
  int nFunctions = 0;          // translated functions in war3map.cpp
  std::vector<sUnit> failing;  // units with errors, in file order
  std::string compilerTrouble;  // set when the compiler could not be run

  int nFailingFunctions() const;
  int nFaults() const;  // failing units with no kept cause, known faults left out
  int nKnown() const;   // known faults
};

/// The functions of war3map.cpp: every head line at column 0 followed by a
/// line "{", up to the next line "}".
std::vector<sSpan> fFunctionSpans(const std::string& cpp);

/// The compiler's errors from its output. An error inside a stand-in header
/// is moved to the generated line that its "in expansion of" or "required
/// from" note names, when there is one.
std::vector<sError> fParseErrors(const std::string& output);

/// The kept cause that explains the error, or "" when none does. script is
/// the JASS script (some causes are checked against the input).
std::string fKeptCause(const sError& error, const std::string& unitName,
                       const std::string& script);

/// Compiles the output of the (normalised) script with compilerCommand, the
/// command that precedes the file name, and gathers the result; sets
/// compilerTrouble when the files cannot be written or the compiler not run.
sResult fCheckOutput(const std::string& scriptName, const std::string& script,
                     const std::string& cpp, const std::string& header,
                     const std::string& compilerCommand);

/// fCheckOutput on the conversion of the script (raw bytes, normalised first).
sResult fCheckScript(const std::string& scriptName, const std::string& raw,
                     const std::string& compilerCommand);

/// Marks the faults that the list names as known. The list holds
/// "script:unit" items separated by ","; a unit is a function's C++ name or
/// one of "global object", "frame", "outside any function".
void fMarkKnownFaults(sResult& result, const std::string& list);

/// One line per script for the table, and its header.
std::string fTableHeader();
std::string fTableRow(const sResult& result);

/// Every failing unit with its cause and first error, for the report.
std::string fDetails(const sResult& result);

/// The kept causes as a table (name, example), for the report.
std::string fKeptCauseTable();

}  // namespace compile_check

#endif  // JASSCRIBE_TESTS_FRAMEWORK_COMPILE_CHECK_H_

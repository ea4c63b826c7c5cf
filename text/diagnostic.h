// Diagnostics: what is wrong with a script and on which line, as data. The
// core collects them in the translation state; the dialogue and the command
// line print them, each in its own form, so tests check them as values.
#ifndef JASSCRIBE_TEXT_DIAGNOSTIC_H_
#define JASSCRIBE_TEXT_DIAGNOSTIC_H_

#include <cstdint>
#include <string>
#include <vector>

/// What is wrong. The first four are warnings: the script still translates.
enum class eProblem {
  kControlByte,          // a byte that cannot be JASS outside a literal
  kLineLeftOut,          // a line that no rule translates
  kStrayCloser,          // a closing word without its opener
  kTooManyWarnings,      // the warnings after this one are not kept
  kUnterminatedLiteral,  // a string literal still open at the end of the script
  kUnclosedBlock,        // a block that its closing word never ends
  kTooDeep,              // nesting beyond the engine's depth bound
  kNoJass,               // no globals block, function, native or type line at all
};

struct sDiagnostic {
  int32_t nLine = 0;    // line of the script, from 1, as an editor counts; 0: the whole script
  eProblem problem = eProblem::kLineLeftOut;
  std::string vMessage;  // what is wrong, lower case, without a full stop
};

/// Errors stop the conversion: nothing is written.
inline bool fIsError(eProblem problem) { return problem >= eProblem::kUnterminatedLiteral; }

/// The first error in the list, or null when the script translates.
inline const sDiagnostic* fFirstError(const std::vector<sDiagnostic>& diagnostics) {
  for (const sDiagnostic& d : diagnostics) {
    if (fIsError(d.problem)) return &d;
  }
  return nullptr;
}

#endif  // JASSCRIBE_TEXT_DIAGNOSTIC_H_

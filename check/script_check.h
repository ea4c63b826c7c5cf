// The pre-pass over the raw script (driver -> check, before normalisation):
// finds what would make the translation lose code without a sign, each with
// the line the user sees it on. It reads the bytes once and changes nothing.
#ifndef JASSCRIBE_CHECK_SCRIPT_CHECK_H_
#define JASSCRIBE_CHECK_SCRIPT_CHECK_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/diagnostic.h"

/// Warnings kept per script; one more says that the rest were dropped.
constexpr size_t CONST_MAX_WARNINGS = 100;

/// What the pre-pass found out about one script.
struct sScriptCheck {
  std::vector<sDiagnostic> vDiagnostics;  // warnings and errors, in line order
  int32_t nDeepestLine = 0;  // where nesting first passes the engine's bound, else deepest; 0: none
};

/// Checks the raw bytes of a script; CR LF, LF and CR each end one line.
/// Errors: an unterminated string literal, a block never closed, no JASS at
/// all. Nesting too deep is only located here: the engine decides it.
sScriptCheck fCheckScript(const char* pScript, size_t length);

#endif  // JASSCRIBE_CHECK_SCRIPT_CHECK_H_

// The conversion run: the whole script through the dispatcher as K_SCRIPT,
// then the two emitters when that succeeded.
#ifndef JASSCRIBE_DRIVER_CONVERT_H_
#define JASSCRIBE_DRIVER_CONVERT_H_

#include <cstddef>
#include <string>

#include "text/state.h"

/// Scripts shorter than this are refused as too small before a conversion.
constexpr size_t CONST_MIN_SCRIPT_LEN = 3;

/// Translates the script's bytes; fills s.vHeaderLines and s.vCppLines on
/// success and s.vDiagnostics always. The line lists stay empty when the
/// whole-script rule fails or the script has an error (see fFirstError).
/// Always true.
bool fConvertScript(sState& s, const char* pScript, size_t length);
/// The same for a script the caller gives up: its bytes are freed as soon as
/// the normalised copy exists, so a large map is not held twice.
bool fConvertScript(sState& s, std::string&& script);

/// Frees the section lists and the name registry, which the emitters have
/// copied into the two line lists; only those lines are written afterwards.
void fReleaseSections(sState& s);

#endif  // JASSCRIBE_DRIVER_CONVERT_H_

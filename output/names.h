// Function-name mapping: natives redirected to the frame's wrappers or
// commented out, and the script's own names that C++ cannot take as they are.
#ifndef JASSCRIBE_OUTPUT_NAMES_H_
#define JASSCRIBE_OUTPUT_NAMES_H_

#include <string_view>

#include "text/state.h"

/// Applies the call-name table to vCallName in place.
void fMapCallName(sState& s);
/// Applies the definition-name table to vFuncName in place.
void fMapFuncName(sState& s);

/// True when name is one that the mappings above change (before the
/// renaming of reserved words).
bool fIsMappedName(std::string_view name);

#endif  // JASSCRIBE_OUTPUT_NAMES_H_

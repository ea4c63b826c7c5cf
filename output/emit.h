// The two emitters: the fixed frames of war3map.h and war3map.cpp with the
// section lists inserted at their places, as lines of vHeaderLines/vCppLines.
#ifndef JASSCRIBE_OUTPUT_EMIT_H_
#define JASSCRIBE_OUTPUT_EMIT_H_

#include "text/state.h"

/// Fills vHeaderLines. False only when an append fails.
bool fEmitHeader(sState& s);
/// Fills vCppLines. False only when an append fails.
bool fEmitCppFrame(sState& s);

#endif  // JASSCRIBE_OUTPUT_EMIT_H_

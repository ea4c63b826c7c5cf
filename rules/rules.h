// The dispatcher and the generic rule engine. fRunRule routes a kind code to
// its handler; fApplyRule cuts a text into elements with the scanner, sends
// each back through fRunRule, assembles the pieces and files the results.
#ifndef JASSCRIBE_RULES_RULES_H_
#define JASSCRIBE_RULES_RULES_H_

#include <cstdint>

#include "scan/kinds.h"
#include "text/state.h"
#include "text/text.h"

/// Deepest engine call; a call that would go deeper does nothing and fails.
constexpr int32_t CONST_MAX_DEPTH = 200;

/// Translates in under code into out. False for a refused code or a failed handler.
bool fRunRule(sState& s, KindCode code, sText& in, sText& out);

/// Translates in by rule into out. True except when the depth bound is hit.
bool fApplyRule(sState& s, sText& in, sText& out, KindCode rule);

/// Whether c stands at the top level of t from offset start on (see the
/// engine for the exact test used for commas and for parenthesised groups).
bool fHasTopLevelChar(const sText& t, char c, int32_t start);

#endif  // JASSCRIBE_RULES_RULES_H_

// Construct handlers: one per JASS construct that needs more than the generic
// engine. Each takes the element cut by the engine and an empty output text,
// and returns false only when a rule run or flush it starts fails.
#ifndef JASSCRIBE_HANDLERS_HANDLERS_H_
#define JASSCRIBE_HANDLERS_HANDLERS_H_

#include "text/state.h"
#include "text/text.h"

// Functions and headers.
bool fOnFunctionBlock(sState& s, sText& in, sText& out);
bool fOnTakes(sState& s, sText& in, sText& out);
bool fOnReturns(sState& s, sText& in, sText& out);
bool fOnNothing(sState& s, sText& in, sText& out);
/// Writes "sMyString", the C++ type of a JASS string; the input is ignored.
bool fStringTypeText(sState& s, const sText& in, sText& out);
/// Signature branch of fOnPlain: builds the head and prototype from the return type.
bool fOnSignature(sState& s, sText& in, sText& out);

// Globals, arrays and line remainders.
bool fOnGlobalsBlock(sState& s, sText& in, sText& out);
bool fOnArray(sState& s, sText& in, sText& out);
bool fOnPlain(sState& s, sText& in, sText& out);

// If and loop blocks.
bool fOnIfBlock(sState& s, sText& in, sText& out);
bool fOnThen(sState& s, sText& in, sText& out);
bool fOnElse(sState& s, sText& in, sText& out);
bool fOnElseif(sState& s, sText& in, sText& out);
bool fOnLoopBlock(sState& s, sText& in, sText& out);
bool fOnExitwhen(sState& s, sText& in, sText& out);

// String literals.
bool fOnQuote(sState& s, sText& in, sText& out);

// Blanks and commas.
bool fOnSpace(sState& s, sText& in, sText& out);
bool fOnComma(sState& s, sText& in, sText& out);

// Operators and operand keywords.
bool fOnAssign(sState& s, sText& in, sText& out);
bool fOnLess(sState& s, sText& in, sText& out);
bool fOnGreater(sState& s, sText& in, sText& out);
bool fOnBang(sState& s, sText& in, sText& out);
bool fOnDollar(sState& s, sText& in, sText& out);
bool fOnNull(sState& s, sText& in, sText& out);
bool fOnNumber(sState& s, sText& in, sText& out);
bool fOnStar(sState& s, sText& in, sText& out);
bool fOnSlash(sState& s, sText& in, sText& out);
bool fOnPlus(sState& s, sText& in, sText& out);
bool fOnMinus(sState& s, sText& in, sText& out);
bool fOnAnd(sState& s, sText& in, sText& out);
bool fOnOr(sState& s, sText& in, sText& out);
bool fOnNot(sState& s, sText& in, sText& out);
bool fOnFunctionRef(sState& s, sText& in, sText& out);

#endif  // JASSCRIBE_HANDLERS_HANDLERS_H_

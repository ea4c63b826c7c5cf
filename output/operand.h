// Operand translation: writes everything pending (type, names, operators,
// literals) into the current element's output, applying the identifier rules;
// and the reset that clears the pending state between constructs.
#ifndef JASSCRIBE_OUTPUT_OPERAND_H_
#define JASSCRIBE_OUTPUT_OPERAND_H_

#include <string>

#include "text/state.h"
#include "text/text.h"

/// Writes the pending state and the element (may be null) into out. May
/// rewrite the element in place (global prefix). Always returns true.
bool fTranslateOperand(sState& s, sText* pElement, sText& out);

/// Clears the per-construct flags and buffers. Always returns true.
bool fResetConstruct(sState& s);

/// Whether text is a JASS identifier, the only kind of word the registry of
/// globals takes.
bool fIsIdentifier(const std::string& text);

#endif  // JASSCRIBE_OUTPUT_OPERAND_H_

// Functions written from templates of their lines (rules). A map repeats a
// few thousand line shapes tens of thousands of times: the engine translates
// each shape once, with placeholders for its names, strings and rawcodes, and
// every later line of that shape is written by putting its own names into
// the learnt bytes.
#ifndef JASSCRIBE_RULES_DIRECT_H_
#define JASSCRIBE_RULES_DIRECT_H_

#include <string>

#include "text/state.h"
#include "text/text.h"

/// Translates and files the function in (from "function" to "endfunction")
/// as the engine would, from templates of its lines, learning the missing
/// ones from the engine first. False when a line is of a kind the templates
/// do not cover or the state is not the one a function normally starts from;
/// then nothing of the translation has changed (only what was learnt is
/// kept), and the engine translates the function itself.
bool fTranslateFunctionFromTemplates(sState& s, const sText& in, sText& out);

/// The state that a statement may leave behind for the next one, as bytes
/// to compare: what the construct reset between statements keeps, and the
/// enclosing block text's attributes.
std::string fPersistentState(const sState& s, const sText& enclosing);

/// For the learner of function heads: notes the state a function's
/// translation begins in, and then what its header made.
void fBeginFunctionNote(sState& s, const sText& in);
void fEndFunctionNote(sState& s);

/// Drops the templates and what was read of the script: the next script's
/// globals are other names.
void fEndTemplates(sState& s);

#endif  // JASSCRIBE_RULES_DIRECT_H_

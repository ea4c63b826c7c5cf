// Globals block, array declarations and line remainders (rules -> handlers ->
// output). The globals block runs its own rule with the globals flag raised;
// "array" marks the declaration; the word left at a line end is a return
// type, an array name or the last operand of a statement.
#include "handlers/handlers.h"

#include <string>

#include "output/operand.h"
#include "output/reserved.h"
#include "rules/rules.h"
#include "scan/kinds.h"

namespace {

const char kArrayOpen[] = "\tsMyArray<";
const char kArrayClose[] = "[1],CONST_MAX_SIZE_MASS> ";

// Every array item is a one-element array; the engine adds "[0]" to each index.
// An array with a reserved name is renamed as its indexed uses are.
bool fWriteArrayDecl(sState& s, sText& in, sText& out) {
  sText name(in.data);
  if (fIsReservedName(name.data)) name.data += "_2";
  out = sText(kArrayOpen + s.vPendingType.data + kArrayClose + name.data);
  if (s.vInGlobals == 1) {
    // As for other declarations: an array given an initial value, which
    // JASS has not ('string array A=0'), brings the value here, and a
    // registered "0" was prefixed in every function after.
    if (fIsIdentifier(name.data)) s.vGlobalNames.fAppend(&name);
  } else {
    s.vLocalNames.insert(name.data);  // a local array hides a global of its name
  }
  // Consumed here, so no later flush writes the type a second time.
  s.vPendingType.fRelease();
  // The declaration ends with its name, as a flushed operand ends a local's.
  // Left set, the flag kept the next statement's globals from their prefix:
  // 'set g=1' after a local array wrote "g=1".
  s.vInLocalDecl = 0;
  return true;
}

}  // namespace

bool fOnGlobalsBlock(sState& s, sText& in, sText& out) {
  s.vInGlobals = 1;
  if (!fApplyRule(s, in, out, K_GLOBALS)) return false;
  s.vInGlobals = 0;
  return true;
}

bool fOnArray(sState& s, sText&, sText&) {
  s.vArrayDecl = 1;
  return true;
}

bool fOnPlain(sState& s, sText& in, sText& out) {
  if (s.vReturnsSeen) return fOnSignature(s, in, out);
  if (s.vArrayDecl) return fWriteArrayDecl(s, in, out);
  if (s.vInExpressionRule == 0) {
    // The guard keeps a remainder inside this run from starting another one.
    s.vInExpressionRule = 1;
    in.bTerminated = 1;
    if (!fApplyRule(s, in, out, K_EXPRESSION)) return false;
    return fResetConstruct(s);
  }
  if (!fTranslateOperand(s, &in, out)) return false;
  return fResetConstruct(s);
}

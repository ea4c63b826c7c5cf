// Operators and operand keywords inside expressions (rules -> handlers ->
// output). The handlers raise pending flags and move the pending name into the
// slot where the operand flush expects it; the flush does the writing.
#include "handlers/handlers.h"

#include <cstdint>
#include <string>

#include "output/operand.h"
#include "scan/kinds.h"

namespace {

using PendingFlag = uint8_t sState::*;

// A name or number was cut since the last operator: an operand waits.
bool fOperandPending(const sState& s) {
  return !s.vPendingName.fEmpty() || s.vPendingNumberSet == 1;
}

// The left side of "=", "<" and ">": the pending name, or a number cut right
// before the operator ('(5!=b)', '13>b'), which must be written in front of
// the operator too, and so must the "0x" of a hexadecimal one ('$ff<a').
void fMoveNameToLeftOperand(sState& s) {
  s.vLeftOperand.fClear();
  const bool bNumber = s.vPendingNumberSet == 1 && !s.vPendingNumber.fEmpty();
  if (s.vPendingName.fEmpty() && !bNumber) {
    s.vLeftOperandSet = 0;
    return;
  }
  s.vLeftOperandSet = 1;
  if (s.vHexPending == 1) s.vLeftOperand.fCopy("0x");
  s.vHexPending = 0;
  if (s.vPendingName.fEmpty()) {
    s.vLeftOperand.fAppend(s.vPendingNumber.str());
    s.vPendingNumberSet = 0;
    s.vPendingNumber.fClear();
    s.vNumericMode = 0;
    return;
  }
  s.vLeftOperand.fAppend(s.vPendingName.str());
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
}

// The operand of "and", "or" and "not" is written bare, as a pending value.
void fMoveNameToPendingValue(sState& s) {
  s.vPendingNumberSet = 1;
  s.vPendingNumber.fCopy(s.vPendingName.str());
}

// "<" and ">": the left operand and the operator are written at once. A
// pending "=" belongs to an assignment in front ('set x=a<b'); it and the
// operand before the comparison are written first, or the "=" would follow
// the comparison and change its meaning.
bool fOnComparison(sState& s, PendingFlag flag, sText& in, sText& out) {
  std::string pending;
  if (s.vAssignPending == 1 || (s.vEqualityPending == 1 && fOperandPending(s))) {
    sText flushOutput;
    if (!fTranslateOperand(s, nullptr, flushOutput)) return false;
    pending = flushOutput.data;
  }
  fMoveNameToLeftOperand(s);
  s.*flag = 1;
  if (!fTranslateOperand(s, &in, out)) return false;
  out.data.insert(0, pending);
  return true;
}

// "*", "/", "+" and "-": the flag stands only for this handler's own flush.
bool fOnArithmetic(sState& s, PendingFlag flag, sText& in, sText& out) {
  s.*flag = 1;
  if (!fTranslateOperand(s, &in, out)) return false;
  s.*flag = 0;
  return true;
}

// "and", "or" and "not": the C++ operator is a local element of the flush,
// which may rewrite it freely.
bool fOnLogical(sState& s, const char* cppOperator, bool bMoveName, sText& out) {
  sText op(cppOperator);
  if (bMoveName) fMoveNameToPendingValue(s);
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  return fTranslateOperand(s, &op, out);
}

// An "=" or "!" while an "=" or "==" is pending and an operand was scanned
// after it ('set b=x==4', 'set b=p!=q', 'a==$FF==false') starts the next
// comparison: what is pending and that operand are written first, or the
// target or the first comparison is lost.
bool fFlushPendingAssignment(sState& s, sText& out) {
  const bool bPending = s.vAssignPending == 1 || s.vEqualityPending == 1;
  if (!bPending || !fOperandPending(s)) return true;
  return fTranslateOperand(s, nullptr, out);
}

}  // namespace

bool fOnAssign(sState& s, sText& /*in*/, sText& out) {
  s.vNumericMode = 0;
  // The "=" of "<=" and ">=": the comparison is already written, so this "="
  // must follow it at once, before any blank. With an operand between them
  // ('>0==false') it is a comparison of its own.
  const bool bAfterComparison = s.vPrevElementKind == K_LESS || s.vPrevElementKind == K_GREATER;
  if (bAfterComparison && !fOperandPending(s)) {
    out.data = "=";
    return true;
  }
  if (!fFlushPendingAssignment(s, out)) return false;
  if (s.vAssignPending == 1) {  // a second "=" makes "=="
    s.vAssignPending = 0;
    s.vEqualityPending = 1;
    return true;
  }
  fMoveNameToLeftOperand(s);
  s.vAssignPending = 1;
  s.vEqualityPending = 0;
  return true;
}

bool fOnLess(sState& s, sText& in, sText& out) {
  return fOnComparison(s, &sState::vLessPending, in, out);
}

bool fOnGreater(sState& s, sText& in, sText& out) {
  return fOnComparison(s, &sState::vGreaterPending, in, out);
}

bool fOnBang(sState& s, sText& /*in*/, sText& out) {
  if (!fFlushPendingAssignment(s, out)) return false;
  s.vBangPending = 1;
  return true;
}

bool fOnDollar(sState& s, sText& /*in*/, sText& /*out*/) {
  s.vHexPending = 1;
  return true;
}

bool fOnNull(sState& s, sText& in, sText& out) {
  s.vNullPending = 1;
  return fTranslateOperand(s, &in, out);
}

bool fOnNumber(sState& s, sText& in, sText& out) {
  s.vNumericMode = 1;
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  if (!fTranslateOperand(s, &in, out)) return false;
  s.vNumericMode = 1;
  return true;
}

bool fOnStar(sState& s, sText& in, sText& out) {
  return fOnArithmetic(s, &sState::vStarPending, in, out);
}
bool fOnSlash(sState& s, sText& in, sText& out) {
  return fOnArithmetic(s, &sState::vSlashPending, in, out);
}
bool fOnPlus(sState& s, sText& in, sText& out) {
  return fOnArithmetic(s, &sState::vPlusPending, in, out);
}
bool fOnMinus(sState& s, sText& in, sText& out) {
  return fOnArithmetic(s, &sState::vMinusPending, in, out);
}

bool fOnAnd(sState& s, sText& /*in*/, sText& out) { return fOnLogical(s, "&&", true, out); }
bool fOnOr(sState& s, sText& /*in*/, sText& out) { return fOnLogical(s, "||", true, out); }

bool fOnNot(sState& s, sText& /*in*/, sText& out) {
  return fOnLogical(s, "!", s.vNumericMode == 1, out);
}

// The name that follows is the next operand; "&" makes it the function's
// address. What is pending ('c =' in 'set c = function g') is written first,
// and the flush leaves no name open, so the function's name starts afresh.
bool fOnFunctionRef(sState& s, sText& /*in*/, sText& out) {
  sText ampersand("&");
  // A pending name takes the element's place in the flush; "&" must not be lost.
  const bool bNamePending = s.vPendingNameSet == 1 && !s.vPendingName.fEmpty();
  if (!fTranslateOperand(s, &ampersand, out)) return false;
  if (bNamePending) out.data += "&";
  return true;
}

// Blanks and commas: the handlers that end the operand before them (rules ->
// handlers -> output). A blank writes or keeps the pending name depending on
// where the translation stands; a comma translates the argument before it.
#include "handlers/handlers.h"

#include "output/operand.h"
#include "rules/rules.h"
#include "scan/kinds.h"

namespace {

// Moves the pending name into a local input and flushes it into flushOutput.
// The scratch texts are locals: fOnComma runs the argument rule on its input,
// and a blank inside that run must not replace the text being scanned.
bool fFlushPendingName(sState& s, sText& flushOutput) {
  sText flushInput(s.vPendingName.str());
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  return fTranslateOperand(s, &flushInput, flushOutput);
}

// Writes the pending name, if any, as the whole output.
bool fFlushNameOnly(sState& s, sText& out) {
  if (s.vPendingName.fEmpty()) return true;
  sText flushOutput;
  if (!fFlushPendingName(s, flushOutput)) return false;
  out.data = flushOutput.data;
  return true;
}

// Writes the pending number (and whatever else is pending) and one blank.
bool fFlushNumber(sState& s, sText& out) {
  sText flushOutput;
  if (!fTranslateOperand(s, nullptr, flushOutput)) return false;
  out.data = flushOutput.data + " ";
  s.vPendingNumberSet = 0;
  s.vPendingNumber.fClear();
  return true;
}

}  // namespace

bool fOnSpace(sState& s, sText& in, sText& out) {
  if (s.vInTakes == 1) return fFlushNameOnly(s, out);  // parameter part
  if (s.vNumericMode == 0 && s.vInGlobals == 0 && s.vInFunctionBody == 1) {
    if (s.vPendingName.fEmpty() && s.vLeftOperandSet == 1 && s.vEqualityPending == 1) {
      // An operand cut right before its operator ('0== c') goes in front of
      // the blank, as it stands in the script.
      if (!fTranslateOperand(s, nullptr, out)) return false;
      out.data += in.data;
      return true;
    }
    if (s.vPendingName.fEmpty()) {
      out.data = in.data;  // a blank with nothing pending passes through
      return true;
    }
    return fFlushNameOnly(s, out);
  }
  // Globals block and a header's name part: the name stays pending.
  if (s.vNumericMode == 1) return fFlushNumber(s, out);
  return true;
}

bool fOnComma(sState& s, sText& in, sText& out) {
  if (s.vPendingName.fEmpty()) return fTranslateOperand(s, &in, out);
  s.vPendingNumber.fClear();
  s.vPendingNumberSet = 0;
  sText flushInput(s.vPendingName.str());
  sText flushOutput;
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  flushInput.bTerminated = 1;
  if (!fApplyRule(s, flushInput, flushOutput, K_ARGUMENT)) return false;
  s.vCommaPending = 1;
  if (!fTranslateOperand(s, &flushOutput, out)) return false;
  s.vCommaPending = 0;
  return true;
}

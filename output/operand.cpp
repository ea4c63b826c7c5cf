// Operand translation: the handlers and the engine park names, values and
// operators in sState; one flush writes them, in a fixed order and with the
// identifier rules applied, into the output of the element being handled.
// Sits at the output end of the pipeline: rules <-> handlers -> output.
#include "output/operand.h"

#include <cstring>
#include <string>

#include "output/reserved.h"

// Only a JASS identifier names a global: in a declaration without blanks
// ('integer c=a+1') an operator or literal reaches the registration too, and
// registered it would be prefixed everywhere after.
bool fIsIdentifier(const std::string& text) {
  const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (text.empty() || !isLetter(text[0])) return false;
  for (char c : text) {
    if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '_') return false;
  }
  return true;
}

namespace {

constexpr const char* kGlobalPrefix = "pGlobal->";

bool fNeedsReservedSuffix(const std::string& name) { return fIsReservedName(name); }

// A parameter or local hides the global of the same name.
bool fIsGlobal(sState& s, const std::string& bytes) {
  return s.vGlobalNames.fContainsBytes(bytes.data(), bytes.size()) &&
         s.vLocalNames.count(bytes) == 0;
}

// The buffers grow, so the prefixed name is never cut.
void fPrefixGlobal(sState& s, sCharBuf& name) {
  s.vFormatBuffer.fCopy(kGlobalPrefix);
  s.vFormatBuffer.fAppend(name.str());
  name.fCopy(s.vFormatBuffer.str());
}

// A real literal that begins or ends with "." gets a "0" on that side.
void fWriteReal(std::string& out, const std::string& value) {
  if (!value.empty() && value.front() == '.') out += '0';
  out += value;
  if (!value.empty() && value.back() == '.') out += '0';
}

// Step 1: reserved names take the suffix "_2", once. The argument that the
// comma handler flushes again is already translated: its "NULL" is the
// translation of null, not a name. An element that needs the suffix is
// adopted as the pending name, so it is written once (as the pending name),
// not twice. True when the element was adopted.
bool fApplyReservedSuffix(sState& s, const sText* pElement) {
  bool bAdopted = false;
  if (!s.vPendingName.fEmpty()) {
    if (fNeedsReservedSuffix(s.vPendingName.str())) fAppendReservedSuffix(s.vPendingName);
  } else if (pElement != nullptr && pElement->len() > 0 && !s.vCommaPending &&
             fNeedsReservedSuffix(pElement->data)) {
    s.vPendingName.fCopy(pElement->data);
    s.vPendingNameSet = 1;
    fAppendReservedSuffix(s.vPendingName);
    bAdopted = true;
  }
  if (s.vLeftOperandSet && !s.vLeftOperand.fEmpty() &&
      fNeedsReservedSuffix(s.vLeftOperand.str())) {
    fAppendReservedSuffix(s.vLeftOperand);
  }
  return bAdopted;
}

// Step 2: a pending left operand, call name or "=" forces the general branch,
// so the numeric branch never has to write them.
bool fTakesNumericBranch(const sState& s, const sText* pElement) {
  if (!s.vNumericMode) return false;
  if (s.vAssignPending || s.vEqualityPending || s.vLeftOperandSet || s.vCallNameSet) return false;
  return !s.vPendingName.fEmpty() || !s.vPendingNumber.fEmpty() ||
         (pElement != nullptr && pElement->len() > 0);
}

// Step 4: nothing is prefixed inside the globals block; after "$" the operand
// is a hexadecimal literal, not a name; a local's own name is never a global.
void fApplyGlobalPrefixes(sState& s, sText* pElement) {
  if (s.vInGlobals) return;
  if (!s.vHexPending && s.vPendingNameSet && fIsGlobal(s, s.vPendingName.str())) {
    fPrefixGlobal(s, s.vPendingName);
  }
  if (s.vCallNameSet && fIsGlobal(s, s.vCallName.str())) fPrefixGlobal(s, s.vCallName);
  if (!s.vInLocalDecl && s.vLeftOperandSet && fIsGlobal(s, s.vLeftOperand.str())) {
    fPrefixGlobal(s, s.vLeftOperand);
  }
  bool bLocalName = s.vInLocalDecl && !s.vAssignPending;
  if (pElement != nullptr && !s.vHexPending && !bLocalName && fIsGlobal(s, pElement->data)) {
    pElement->data.insert(0, kGlobalPrefix);
  }
}

bool fWritesElement(const sState& s, const sText* pElement) {
  if (pElement == nullptr || s.vNullPending || s.vLessPending || s.vGreaterPending) return false;
  return !s.vPendingNameSet || s.vStarPending || s.vSlashPending || s.vPlusPending ||
         s.vMinusPending;
}

// Writes text when flag is set and clears the flag.
void fWriteFlag(std::string& out, uint8_t& flag, const char* text) {
  if (!flag) return;
  out += text;
  flag = 0;
}

// In a function, the flush that takes the pending type writes a parameter or
// a local: the left operand ('local integer x=5'), else the pending name,
// else the element. The engine's local flag is not relied on: it is already
// clear when a declaration without blanks writes its name.
// A local named like a parameter is the parameter in JASS: C++ would reject
// the second declaration, so its type is not written and it becomes an
// assignment ('local integer id = 5' gives "id =5").
void fRecordLocalName(sState& s, const sText* pElement) {
  s.vRedeclaresParam = 0;
  if (s.vInGlobals || s.vPendingType.fEmpty()) return;
  std::string name;
  if (s.vLeftOperandSet && !s.vLeftOperand.fEmpty()) {
    name = s.vLeftOperand.str();
  } else if (!s.vPendingName.fEmpty()) {
    name = s.vPendingName.str();
  } else if (pElement != nullptr) {
    name = pElement->data;
  }
  if (!fIsIdentifier(name)) return;
  if (s.vInTakes) {
    s.vParamNames.insert(name);
  } else if (s.vParamNames.count(name) != 0) {
    s.vRedeclaresParam = 1;
    s.vPendingType.fRelease();
  }
  s.vLocalNames.insert(name);
}

// Steps 5.1 to 5.9: the operand in front and the operators between.
void fWriteOperatorsAndFront(sState& s, std::string& out) {
  if (s.vLeftOperandSet && !s.vLeftOperand.fEmpty()) {
    // Inside the globals block the left side of "=" is a declared global.
    if (s.vInGlobals && fIsIdentifier(s.vLeftOperand.str())) {
      s.vGlobalNames.fAppendString(s.vLeftOperand.c_str());
    }
    out += s.vLeftOperand.str();
  }
  s.vLeftOperandSet = 0;
  fWriteFlag(out, s.vBangPending, "!");
  fWriteFlag(out, s.vEqualityPending, "==");
  fWriteFlag(out, s.vLessPending, "<");
  fWriteFlag(out, s.vGreaterPending, ">");
  if (s.vAssignPending) s.vAssignEmitted = 1;
  fWriteFlag(out, s.vAssignPending, "=");
  fWriteFlag(out, s.vHexPending, "0x");
  if (s.vCallNameSet) out += s.vCallName.str();  // the buffer keeps its text
  s.vCallNameSet = 0;
  if (s.vPendingNumberSet) fWriteReal(out, s.vPendingNumber.str());
  s.vPendingNumberSet = 0;
}

// Inside the globals block a written operand of a typed declaration is the
// declared name; the literals true and false are values, never names, and so
// is whatever follows the "=" ('x= ATTACK_TYPE_NORMAL').
void fRegisterDeclaredName(sState& s, const sText& element) {
  if (!s.vInGlobals || s.vNumericMode || s.vPendingType.fEmpty() || s.vAssignEmitted) return;
  if (element.data == "false" || element.data == "true") return;
  if (!fIsIdentifier(element.data)) return;
  s.vGlobalNames.fAppend(&element);
}

// bAdopted: the pending name is the renamed element, so it is registered as
// the element would be ('integer doX' declares the global doX_2).
void fWriteGeneral(sState& s, sText* pElement, bool bAdopted, std::string& out) {
  if (s.vPendingName.fEmpty()) s.vPendingNameSet = 0;
  fApplyGlobalPrefixes(s, pElement);
  bool bWriteElement = fWritesElement(s, pElement);
  fWriteOperatorsAndFront(s, out);
  fWriteFlag(out, s.vNullPending, "NULL");
  if (s.vPendingNameSet && !s.vPendingName.fEmpty()) {
    if (bAdopted) fRegisterDeclaredName(s, sText(s.vPendingName.str()));
    out += s.vPendingName.str();
    s.vPendingNameSet = 0;
    s.vPendingName.fClear();
  }
  if (bWriteElement) {
    fRegisterDeclaredName(s, *pElement);
    out += pElement->data;
  }
  fWriteFlag(out, s.vCommaPending, ",");
  s.vNumericMode = 0;
  s.vInLocalDecl = 0;
}

// Numeric branch: no global prefix, no registration, and never a comparison,
// call name or left operand (those force the general branch).
void fWriteNumeric(sState& s, const sText* pElement, std::string& out) {
  if (s.vPendingName.fEmpty()) s.vPendingNameSet = 0;
  fWriteFlag(out, s.vHexPending, "0x");
  bool bOperator = s.vStarPending || s.vSlashPending || s.vPlusPending || s.vMinusPending;
  if (pElement != nullptr && !s.vPendingNameSet && !s.vPendingNumberSet && !bOperator) {
    fWriteReal(out, pElement->data);
    s.vNumericMode = 0;
  }
  if (s.vPendingNameSet) {
    fWriteReal(out, s.vPendingName.str());
    // Cleared like the general branch does: a later letter raises the flag
    // again without refilling the buffer, and the stale text was written twice.
    s.vPendingNameSet = 0;
    s.vPendingName.fClear();
    s.vNumericMode = 0;
  }
  if (s.vPendingNumberSet) {
    fWriteReal(out, s.vPendingNumber.str());
    s.vPendingNumberSet = 0;
    s.vNumericMode = 0;
  }
  fWriteFlag(out, s.vStarPending, "*");
  fWriteFlag(out, s.vSlashPending, "/");
  fWriteFlag(out, s.vPlusPending, "+");
  fWriteFlag(out, s.vMinusPending, "-");
  fWriteFlag(out, s.vCommaPending, ",");
}

}  // namespace

bool fTranslateOperand(sState& s, sText* pElement, sText& out) {
  const bool bAdopted = fApplyReservedSuffix(s, pElement);
  fRecordLocalName(s, pElement);
  std::string result;
  if (fTakesNumericBranch(s, pElement)) {
    fWriteNumeric(s, pElement, result);
  } else {
    fWriteGeneral(s, pElement, bAdopted, result);
  }
  // A declared type waits in front of the next operand, whichever branch wrote it.
  if (!s.vPendingType.fEmpty()) {
    result.insert(0, s.vPendingType.data + " ");
    s.vPendingType.fRelease();
  }
  out.data = std::move(result);
  return true;
}

bool fResetConstruct(sState& s) {
  // Plain stores: this runs for nearly every element.
  s.vPendingNameSet = s.vPendingNumberSet = s.vCallNameSet = s.vLeftOperandSet = 0;
  s.vAssignPending = s.vEqualityPending = s.vBangPending = s.vNumericMode = 0;
  s.vHexPending = s.vCommaPending = s.vNullPending = s.vStarPending = s.vSlashPending = 0;
  s.vPlusPending = s.vMinusPending = s.vLessPending = s.vGreaterPending = 0;
  s.vElsePending = s.vStringMode = s.vArrayDecl = s.vInQuotes = s.vInExpressionRule = 0;
  // vPendingType, vInGlobals, vInLocalDecl, vAssignEmitted and the registry
  // outlive a construct on purpose: a type precedes its declared name, and
  // the block and declaration flags belong to the rules that set them.
  for (sCharBuf* pBuffer :
       {&s.vPendingName, &s.vStringLiteral, &s.vCallName, &s.vPendingNumber, &s.vLeftOperand}) {
    pBuffer->fClear();
  }
  return true;
}

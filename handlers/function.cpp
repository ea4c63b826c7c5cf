// Function blocks and headers (rules -> handlers -> output). The engine hands
// over a whole function under its closer; the header words "takes", "returns"
// and "nothing" and the return type build the head and prototype that the
// function rule puts in front of the body and files for the header.
#include "handlers/handlers.h"

#include <string>

#include "output/names.h"
#include "rules/direct.h"
#include "rules/rules.h"
#include "scan/kinds.h"

namespace {

const char kVoidType[] = "void";
const char kMyStringType[] = "sMyString";
const char kStringKeyword[] = "string";
const char kHeadEnd[] = "\r\n{\r\n";
constexpr int32_t kHeadEndLen = 5;

void fClearHeaderFlags(sState& s) {
  s.vReturnsNothing = 0;
  s.vInTakes = 0;
  s.vReturnsSeen = 0;
}

// A prefix test that never reads past a word shorter than "string".
bool fIsStringType(const std::string& word) { return word.rfind(kStringKeyword, 0) == 0; }

}  // namespace

bool fStringTypeText(sState&, const sText&, sText& out) {
  out = sText(kMyStringType);
  return true;
}

bool fOnFunctionBlock(sState& s, sText& in, sText& out) {
  fClearHeaderFlags(s);
  s.vPendingNameSet = 0;
  in.bTerminated = 1;
  s.vEndloopCount = s.vLoopCount = s.vElseCount = s.vEndifCount = s.vIfCount = 0;
  s.vInFunctionBody = 0;
  // A function whose header never reaches its return type must not inherit
  // the previous function's head: that would define the previous name twice.
  s.vFuncHeadText.fRelease();
  s.vFuncPrototype.fRelease();
  s.vLocalNames.clear();  // the previous function's parameters and locals
  s.vParamNames.clear();
  if (s.vEngineOnly == 0 && fTranslateFunctionFromTemplates(s, in, out)) {
    fClearHeaderFlags(s);
    return true;
  }
  if (s.pFunctionNotes != nullptr) fBeginFunctionNote(s, in);
  if (!fApplyRule(s, in, out, K_FUNCTION)) return false;
  if (s.pFunctionNotes != nullptr) fEndFunctionNote(s);
  fClearHeaderFlags(s);
  return true;
}

bool fOnTakes(sState& s, sText& in, sText& out) {
  s.vInTakes = 1;
  s.vFuncName.fClear();
  s.vFuncName.fCopy(s.vPendingName.str());
  s.vFuncJassName.fCopy(s.vPendingName.str());
  s.vInFunctionBody = 1;
  fMapFuncName(s);
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  in.bTerminated = 1;
  if (!fApplyRule(s, in, out, K_TAKES)) return false;
  s.vInTakes = 0;
  // "returns" without a type word: left set, the flag would turn the first
  // remainder of the body into a return type and drop it from its statement.
  s.vReturnsSeen = 0;
  return true;
}

bool fOnReturns(sState& s, sText&, sText& out) {
  // A fresh text: group and comma attributes of the previous header's run
  // must not carry over.
  s.vTakesText = sText(s.vPendingName.str());
  s.vPendingName.fClear();
  s.vTakesText.bTerminated = 1;
  if (!fApplyRule(s, s.vTakesText, out, K_PARAM_LIST)) return false;
  if (out.len() > kHeadEndLen) {
    s.vFuncParams = sText(out.data.substr(0, out.data.size() - kHeadEndLen));
  } else {
    s.vFuncParams.fRelease();
  }
  out.fRelease();
  s.vReturnsSeen = 1;
  s.vInTakes = 0;
  return true;
}

bool fOnNothing(sState& s, sText& in, sText& out) {
  if (s.vInTakes == 0 && s.vReturnsSeen == 1) {
    s.vReturnsNothing = 1;
    return fOnPlain(s, in, out);
  }
  return true;
}

bool fOnSignature(sState& s, sText& in, sText& out) {
  out.fRelease();
  s.vFuncPrototype.fRelease();
  sText vFlushOutput;
  if (s.vReturnsNothing == 1) {
    vFlushOutput = sText(kVoidType);
  } else {
    sText vFlushInput(in.data);
    if (fIsStringType(vFlushInput.data)) {
      fStringTypeText(s, vFlushInput, vFlushOutput);
    } else {
      vFlushOutput = sText(vFlushInput.data);
    }
  }
  std::string prototype = vFlushOutput.data + " " + s.vFuncName.str() + s.vFuncParams.data;
  s.vFuncHeadText = sText(prototype + kHeadEnd);
  s.vFuncPrototype = sText(prototype);
  s.vReturnsSeen = 0;
  return true;
}

// If and loop blocks (rules -> handlers -> output). The engine hands over a
// whole block under its closer and the framing comes from the block rules;
// these handlers start the rules, cut the condition before "then" and write
// the "} else " between branches.
#include "handlers/handlers.h"

#include <string>

#include "rules/rules.h"
#include "scan/kinds.h"

namespace {

const char kElseifWord[] = "if";
const char kCloseBranch[] = "}\r\n";

// The condition collected before "then", with at most one blank dropped on
// each side. A lone blank leaves an empty condition rather than a negative
// length.
std::string fTrimCondition(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  if (end > 0 && text[0] == ' ') begin = 1;
  if (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool fOnIfBlock(sState& s, sText& in, sText& out) {
  in.bInIf = 0;
  return fApplyRule(s, in, out, K_IF);
}

bool fOnThen(sState& s, sText& in, sText& out) {
  // A fresh text each time, so a condition whose run ended inside a group
  // cannot leave the next one scanning as if in that group.
  s.vCondText = sText(fTrimCondition(s.vPendingName.str()));
  // The condition now holds the collected text. Left pending, a blank at the
  // condition's start flushed it a second time ('if  a then' gave "(  a a)").
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
  s.vCondText.bTerminated = 1;
  s.vCondText.bInBody = 1;
  s.vCondText.bInParen = 0;
  s.vCondText.bParenClosed = 0;
  s.vCondText.nParenOpen = 0;
  s.vCondText.nParenClose = 0;
  if (!fApplyRule(s, s.vCondText, out, K_CONDITION)) return false;
  in.bInBody = 1;
  return true;
}

bool fOnElse(sState& s, sText& in, sText& out) {
  s.vElsePending = 1;
  const std::string tabs(static_cast<size_t>(s.vDepth > 1 ? s.vDepth - 1 : 0), '\t');
  out = sText(tabs + kCloseBranch + tabs + in.data + " ");
  return true;
}

bool fOnElseif(sState&, sText&, sText& out) {
  out = sText(kElseifWord);
  return true;
}

bool fOnLoopBlock(sState& s, sText& in, sText& out) {
  in.bTerminated = 1;
  in.bInBody = 1;  // a loop has no header to pass
  if (!fApplyRule(s, in, out, K_LOOP)) return false;
  in.bInLoop = 0;
  return true;
}

bool fOnExitwhen(sState& s, sText& in, sText& out) {
  in.bTerminated = 1;
  return fApplyRule(s, in, out, K_EXITWHEN);
}

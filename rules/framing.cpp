// The engine's own fixed pieces (rules): what a rule writes before its text,
// the brace that opens an else branch, and what it writes after its text.
// They give blocks and statements their C++ shape: "if (...)", "while(true)",
// " break;", "return ", ";" and the closing braces.
#include "rules/call.h"

#include <algorithm>

#include "rules/rules.h"

namespace {

const char kIfWord[] = "if ";
const char kWhileTrue[] = "while(true)\r\n";
const char kBraceLine[] = "{\r\n";
const char kCloseBraceLine[] = "}\r\n";
const char kLineEnd[] = "\r\n";
const char kReturnWord[] = "return ";
const char kOpenParen[] = "(";
const char kCloseParen[] = ")";
const char kBlank[] = " ";
const char kBreakLine[] = ") break;\r\n";
const char kParamListEnd[] = ")\r\n{\r\n";

// n tabs; none for n of 0 or less.
std::string fTabs(int32_t n) { return std::string(static_cast<size_t>(std::max(0, n)), '\t'); }

void fAddPiece(sRuleCall& c, std::string piece) { c.vPieces.push_back(std::move(piece)); }

// The opener or closer bytes of a group; never more than the text holds.
std::string fHeadBytes(const sText& in) {
  return in.data.substr(0, static_cast<size_t>(std::min(in.nHeadLen, in.len())));
}
std::string fTailBytes(const sText& in) {
  const int32_t n = std::min(in.nTailLen, in.len());
  return in.data.substr(static_cast<size_t>(in.len() - n));
}

void fOpenGroupPiece(sRuleCall& c) {
  sText& in = c.in;
  if (in.nHeadLen <= 0) return;
  fAddPiece(c, fHeadBytes(in));
  if (c.rule == K_LPAREN) {
    in.nPieceStart = 1;
    in.bInParen = 0;
  } else {
    in.bInBracket = 0;
  }
}

void fCloseGroupPiece(sRuleCall& c) {
  sText& in = c.in;
  if (in.nTailLen <= 0) return;
  fAddPiece(c, fTailBytes(in));
  if (c.rule == K_LPAREN) {
    in.bParenClosed = 0;
  } else {
    in.bBracketClosed = 0;
  }
}

void fStatementEndPiece(sRuleCall& c) {
  if (c.nBufLen == 0 && fTakesStatementEnd(c.in)) fAddPiece(c, kStatementEnd);
}

// A condition that already is one parenthesised group keeps its own pair.
void fConditionEndPiece(sRuleCall& c, int32_t d) {
  std::string piece = fHasTopLevelChar(c.in, ')', 0) ? "" : kCloseParen;
  fAddPiece(c, piece + kLineEnd + fTabs(d - 2) + kBraceLine);
}

}  // namespace

extern const char kStatementEnd[] = ";\r\n";

bool fTakesStatementEnd(sText& in) {
  if (in.bTerminated || in.bInParen || in.bParenClosed || in.bInBracket || in.bBracketClosed ||
      in.bInBody) {
    return false;
  }
  in.bTerminated = 1;
  return true;
}

void fAddOpeningPieces(sRuleCall& c) {
  sText& in = c.in;
  const int32_t d = c.s.vDepth;
  const KindCode rule = c.rule;
  if (rule == K_LPAREN || rule == K_LBRACKET) fOpenGroupPiece(c);
  if ((rule == K_IF || rule == K_EXITWHEN) && in.nHeadLen > 0) {
    fAddPiece(c, kIfWord);
    in.bInIf = 0;
  }
  if (rule == K_LOOP && in.nHeadLen > 0) {
    fAddPiece(c, kWhileTrue + fTabs(d - 1) + kBraceLine);
    in.bInLoop = 0;
  }
  if (rule == K_RETURN && in.nHeadLen > 0) {
    fAddPiece(c, kReturnWord);
    in.bInIf = 0;
    in.bInLoop = 0;
  }
  if (rule == K_PARAM_LIST) {
    fAddPiece(c, kOpenParen);
    in.nPieceStart = 0;
  }
  if (rule == K_CONDITION && !fHasTopLevelChar(in, '(', 0)) fAddPiece(c, kOpenParen);
  if (rule == K_EXITWHEN) fAddPiece(c, kOpenParen);
  if (rule == K_ARGUMENT && c.s.vInTakes == 1) {
    fAddPiece(c, kBlank);
    c.s.vPendingType.fRelease();
  }
}

void fAddElseBrace(sRuleCall& c) {
  fAddPiece(c, kLineEnd + fTabs(c.s.vDepth - 1) + kBraceLine);
}

void fAddClosingPieces(sRuleCall& c) {
  const int32_t d = c.s.vDepth;
  const KindCode rule = c.rule;
  if (rule == K_LPAREN || rule == K_LBRACKET) fCloseGroupPiece(c);
  fStatementEndPiece(c);
  if ((rule == K_FUNCTION || rule == K_IF || rule == K_LOOP) && c.in.nTailLen > 0) {
    fAddPiece(c, fTabs(d - 1) + kCloseBraceLine);
  }
  if (rule == K_EXITWHEN) fAddPiece(c, kBreakLine);
  if (rule == K_PARAM_LIST) fAddPiece(c, kParamListEnd);
  if (rule == K_CONDITION) fConditionEndPiece(c, d);
}

// Translating one cut element and joining the pieces (rules <-> handlers ->
// output): the element gets its head and tail lengths, the translation state
// is prepared for its kind, the dispatcher translates it, state is carried
// back to the enclosing text, and the output is kept as a piece.
#include "rules/call.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "output/logical.h"
#include "output/names.h"
#include "output/operand.h"
#include "output/tokens.h"
#include "rules/direct.h"
#include "rules/rules.h"
#include "scan/typenames.h"

namespace {

// Every array of the output holds one-element arrays, so each index access
// gets a further "[0]".
const char kArrayItemIndex[] = "[0]";
const char kStringTypeText[] = "sMyString";

// Kinds whose element is scanned from its first byte.
constexpr KindCode kNoHead[] = {K_PLAIN,  K_ELSE,  K_SPACE, K_ASSIGN,  K_PLUS,
                                K_QUOTE,  K_DOLLAR, K_NUMBER, K_STAR,   K_LESS,
                                K_GREATER, K_MINUS, K_SLASH,  K_END_OF_LIST};

// Block closers, statements, groups and arguments: prepared alike.
constexpr KindCode kStatementLike[] = {K_ENDFUNCTION, K_ENDGLOBALS, K_ENDIF,   K_SET,
                                       K_CALL,        K_RETURN,     K_EXITWHEN, K_ENDLOOP,
                                       K_RPAREN,      K_RBRACKET,   K_ARGUMENT, K_END_OF_LIST};

// Rules in which the name before a closing group is not written by the flush.
constexpr KindCode kDropNameAtGroupEnd[] = {K_CONDITION, K_ARGUMENT, K_EXPRESSION,
                                            K_SET,       K_RETURN,   K_END_OF_LIST};

// Rules whose output starts with the depth's indentation.
constexpr KindCode kIndented[] = {K_IF,   K_LOCAL,     K_SET,        K_CALL, K_RETURN,
                                  K_LOOP, K_EXITWHEN, K_END_OF_LIST};

constexpr sKindTable kNoHeadTable = fTableOf(kNoHead);
constexpr sKindTable kStatementLikeTable = fTableOf(kStatementLike);
constexpr sKindTable kDropNameAtGroupEndTable = fTableOf(kDropNameAtGroupEnd);
constexpr sKindTable kIndentedTable = fTableOf(kIndented);

// A block or group is cut up to its closer but scanned from after its opener.
KindCode fOpenerOf(KindCode kind) {
  switch (kind) {
    case K_ENDFUNCTION: return K_FUNCTION;
    case K_ENDGLOBALS: return K_GLOBALS;
    case K_ENDIF: return K_IF;
    case K_ENDLOOP: return K_LOOP;
    case K_RPAREN: return K_LPAREN;
    case K_RBRACKET: return K_LBRACKET;
    default: return -1;
  }
}

// A type element is scanned after its own name, which for K_TYPE_OTHER is
// not a keyword but the text the element begins with.
int32_t fHeadLen(KindCode kind, const std::string& text) {
  const KindCode opener = fOpenerOf(kind);
  if (opener != -1) return fKeywordLength(opener);
  if (fIsTypeKind(kind)) return fTypeNameLength(kind, text);
  return fIsIn(kNoHeadTable, kind) ? 0 : fKeywordLength(kind);
}

int32_t fTailLen(KindCode kind) { return fOpenerOf(kind) != -1 ? fKeywordLength(kind) : 0; }

void fDropPendingName(sState& s) {
  s.vPendingNameSet = 0;
  s.vPendingName.fClear();
}

// Writes what is pending (the called name before a group, the operand state
// before a literal) as a piece of its own.
void fFlushPending(sRuleCall& c) {
  sText vFlushOutput;
  fTranslateOperand(c.s, nullptr, vFlushOutput);
  if (!vFlushOutput.fEmpty()) c.vPieces.push_back(std::move(vFlushOutput.data));
}

void fPrepareStatementLike(sRuleCall& c, KindCode kind, sText& element) {
  sState& s = c.s;
  s.vOpenParenCount = 0;
  s.vCloseParenCount = 0;
  if (kind == K_ENDIF) s.vIfCount = s.vEndifCount = s.vElseCount = 0;
  if (kind == K_ENDLOOP) s.vLoopCount = s.vEndloopCount = 0;
  if (kind != K_ARGUMENT) s.vAssignEmitted = 0;
  element.bTerminated = 0;
  if (kind == K_RPAREN || kind == K_RBRACKET) {
    if (fIsIn(kDropNameAtGroupEndTable, c.rule)) fDropPendingName(s);
    fMapCallName(s);
    fFlushPending(c);
  }
  if (kind == K_ARGUMENT) {
    s.vPendingNameSet = 0;
    s.vNumericMode = 0;
  } else {
    fResetConstruct(s);
  }
  if (kind == K_RPAREN) {
    c.in.bInParen = 0;
    c.in.bParenClosed = 0;
  } else if (kind == K_RBRACKET) {
    c.in.bInBracket = 0;
    c.in.bBracketClosed = 0;
  }
  if (kind == K_RPAREN || kind == K_RBRACKET || kind == K_ARGUMENT) element.bTerminated = 1;
}

// The C++ type of a type element: the class for strings, otherwise the
// JASS name itself.
std::string fTypeText(KindCode kind, const std::string& text) {
  if (kind == K_TYPE_STRING) return kStringTypeText;
  if (kind != K_TYPE_OTHER) return fKeywordText(kind);
  return text.substr(0, static_cast<size_t>(fTypeNameLength(kind, text)));
}

// The type of the previous parameter is written before the next one is read.
void fPrepareType(sRuleCall& c, KindCode kind, sText& element) {
  sState& s = c.s;
  if (c.rule != K_GLOBALS) element.bTerminated = 1;
  fResetConstruct(s);
  if (s.vInTakes == 1 && !s.vPendingType.fEmpty()) {
    c.vPieces.push_back(s.vPendingType.data);
    s.vPendingType.fRelease();
  }
  s.vPendingType = sText(fTypeText(kind, element.data));
}

void fPrepare(sRuleCall& c, KindCode kind, sText& element) {
  if (fIsIn(kStatementLikeTable, kind)) {
    fPrepareStatementLike(c, kind, element);
  } else if (kind == K_CONSTANT) {
    fResetConstruct(c.s);
  } else if (fIsTypeKind(kind)) {
    fPrepareType(c, kind, element);
  } else if (kind == K_QUOTE) {
    element.bTerminated = 0;
    fDropPendingName(c.s);
    fFlushPending(c);
  }
}

bool fIsBlankPiece(const std::string& piece) { return piece.size() == 1 && piece[0] == ' '; }

// Two blanks in a row are written once. Only a lone blank is dropped: a
// repeated argument such as the second ", 0" of "f(a, 0, 0)" must stay.
bool fRepeatsLastPiece(const sRuleCall& c, const std::string& output) {
  return !c.vPieces.empty() && fIsBlankPiece(output) && c.vPieces.back() == output;
}

void fKeepOutput(sRuleCall& c, KindCode kind, sText& output) {
  // The whole script's own result is never read: its functions and globals
  // were filed as they were translated, and a second copy of them all would
  // double the memory a large map needs.
  if (output.fEmpty() || c.rule == K_SCRIPT) return;
  if (!fRepeatsLastPiece(c, output.data)) c.vPieces.push_back(std::move(output.data));
  if (kind == K_RBRACKET) {
    c.vPieces.push_back(kArrayItemIndex);
    fResetConstruct(c.s);
  }
}

// The learner of line templates reads the state before each of its marker
// calls ('call QM0Q()', families M, A and B), to tell the lines that leave
// something behind for the next.
void fNoteMarkerState(sRuleCall& c, KindCode kind, const sText& element) {
  static constexpr std::string_view kMarker = "call Q";
  if (kind != K_CALL || element.data.size() <= kMarker.size() ||
      element.data.compare(0, kMarker.size(), kMarker) != 0) {
    return;
  }
  const char family = element.data[kMarker.size()];
  if (family != 'M' && family != 'A' && family != 'B') return;
  c.s.pMarkerStates->emplace_back(element.data, fPersistentState(c.s, c.in));
}

}  // namespace

void fNoteLineMark(sRuleCall& c, int32_t r) {
  sLineMarks& marks = *c.s.pLineMarks;
  // The body's pieces are only ever appended to, so their bytes are counted
  // on from where the last mark left off.
  for (; marks.nPiecesCounted < c.vPieces.size(); ++marks.nPiecesCounted) {
    marks.nBytesCounted += c.vPieces[marks.nPiecesCounted].size();
  }
  marks.vMarks.push_back({r, marks.nBytesCounted, fPersistentState(c.s, c.in)});
}

void fCarryBack(sState& s, sText& in, KindCode kind, const sText& element) {
  if (s.vInGlobals == 1) {
    if (fIsTypeKind(kind)) in.bTerminated = element.bTerminated;
  } else {
    if (kind == K_ENDIF || kind == K_ENDLOOP) {
      s.vLoopCount = s.vEndloopCount = s.vIfCount = s.vEndifCount = s.vElseCount = 0;
    }
    if (kind == K_ARGUMENT) in.bTerminated = element.bTerminated;
  }
  if (element.bInBody == 1) in.bInBody = 1;
  if (element.bInLoop == 0) in.bInLoop = 0;
  if (element.bInIf == 0) in.bInIf = 0;
  if (element.bCommaSplit == 0) in.bCommaSplit = 0;
}

eTranslate fTranslateElement(sRuleCall& c, KindCode kind) {
  if (c.vIndex1 == -1 || c.vIndex2 == -1) return eTranslate::kSkipped;
  const int32_t length = c.vIndex2 - c.vIndex1 + 1;
  if (length < 1 || c.vIndex1 < 0 || c.vIndex2 >= c.in.len()) return eTranslate::kStop;
  sText element(c.in.data.substr(static_cast<size_t>(c.vIndex1), static_cast<size_t>(length)));
  sText output;
  element.nHeadLen = fHeadLen(kind, element.data);
  element.nTailLen = fTailLen(kind);
  // Before the preparation resets the operand state: a local declaration
  // after a line is translated without that reset.
  if (c.s.pMarkerStates != nullptr) fNoteMarkerState(c, kind, element);
  fPrepare(c, kind, element);
  // Set right before the dispatch: a nested call sets it for its own
  // elements, so the value must not be left over from an inner call.
  c.s.vPrevElementKind = c.nLastKind;
  c.nLastKind = kind;
  if (!fRunRule(c.s, kind, element, output)) return eTranslate::kStop;
  fCarryBack(c.s, c.in, kind, element);
  fKeepOutput(c, kind, output);
  return eTranslate::kDone;
}

void fAssemble(sRuleCall& c) {
  if (c.vPieces.empty()) return;
  const sState& s = c.s;
  const bool indent = fIsIn(kIndentedTable, c.rule);
  const bool skipFirst = fIsTypeKind(c.rule) && fIsBlankPiece(c.vPieces.front());
  const bool firstBlank = fIsBlankPiece(c.vPieces.front());
  const size_t n = c.vPieces.size();
  std::string body;
  // A lone piece that is written as it is becomes the output without a copy.
  if (n == 1 && !indent && !skipFirst && c.rule != K_FUNCTION &&
      (s.vInGlobals == 1 || !firstBlank)) {
    body = std::move(c.vPieces[0]);
  } else {
    if (indent) body.assign(static_cast<size_t>(std::max(0, s.vDepth - 1)), '\t');
    size_t total = body.size() + (c.rule == K_FUNCTION ? s.vFuncHeadText.data.size() : 0);
    for (const std::string& piece : c.vPieces) total += piece.size();
    body.reserve(total);
    for (size_t i = 0; i < n; ++i) {
      const bool leftOut = s.vInGlobals == 0 && ((skipFirst && i == 0) ||
                                                 (i == n - 1 && fIsBlankPiece(c.vPieces[i])) ||
                                                 (indent && i == 0 && firstBlank));
      if (!leftOut) body += c.vPieces[i];
    }
  }
  if (c.rule == K_FUNCTION && !body.empty()) body.insert(0, s.vFuncHeadText.data);
  // A parameter declared again as a local without a value: nothing to do.
  if (c.rule == K_LOCAL && s.vRedeclaresParam == 1 && body.find('=') == std::string::npos) {
    body.clear();
  }
  // A whole function, and each global with its value, is checked once for
  // tokens that were written into each other and for the grouping of "or"
  // under "and".
  if ((c.rule == K_FUNCTION && s.vRawFunctions == 0) || (fIsTypeKind(c.rule) && s.vInGlobals == 1)) {
    body = fGroupLogicalOperators(fFinishTokens(body));
  }
  c.out.data = std::move(body);
  c.vPieces.clear();
}

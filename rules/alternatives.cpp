// The lists of alternatives that each rule offers the scanner, and what the
// rule does after the scanner ran (rules -> scan): group tracking for "(" and
// "[", the if/loop openers, and comma splitting. The order inside a list is
// its priority: the scanner stops at the first kind that matches.
#include "rules/call.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "text/literals.h"
#include "scan/scanner.h"

namespace {

constexpr KindCode END = K_END_OF_LIST;

// ---- K_FUNCTION, and K_IF / K_LOOP while a nested block is open ----------
const KindCode kFunctionBody[] = {K_SPACE, K_TAKES, K_CONSTANT, K_LOCAL, K_SET, K_CALL,
                                  K_IF_NEST, K_LOOP_NEST, K_RETURN, K_LETTER, END};
const KindCode kFunctionInIf[] = {K_QUOTE_TOGGLE, K_ENDIF_NEST, K_ELSE_NEST, K_IF_NEST, END};
const KindCode kFunctionInLoop[] = {K_QUOTE_TOGGLE, K_ENDLOOP_NEST, K_LOOP_NEST, END};
const KindCode kQuoteToggleOnly[] = {K_QUOTE_TOGGLE, END};

// ---- K_IF, K_LOOP ---------------------------------------------------------
const KindCode kBlockHeader[] = {K_THEN, END};
const KindCode kBlockBody[] = {K_SPACE, K_SET, K_RETURN, K_CALL, K_LPAREN, K_LBRACKET,
                               K_ELSE, K_IF_NEST, K_LOOP_NEST, K_EXITWHEN, END};

// ---- group tracking, shared by every rule with group-open actions ----------
const KindCode kInParen[] = {K_LPAREN, K_RPAREN, END};
const KindCode kInBracket[] = {K_LBRACKET, K_RBRACKET, END};

// ---- K_GLOBALS --------------------------------------------------------------
const KindCode kGlobals[] = {
    K_CONSTANT, K_TYPE_INTEGER, K_TYPE_REAL, K_TYPE_BOOLEAN, K_TYPE_STRING, K_TYPE_TRIGGER,
    K_TYPE_TIMER, K_TYPE_HASHTABLE, K_TYPE_UNIT, K_TYPE_GROUP, K_TYPE_PLAYER, K_TYPE_RECT,
    K_TYPE_CODE, K_TYPE_WEATHEREFFECT, K_TYPE_PLAYEREVENT, K_TYPE_PLAYERUNITEVENT,
    K_TYPE_BOOLEXPR, K_TYPE_GAMETYPE, K_TYPE_FORCE, K_TYPE_QUEST, K_TYPE_FOGMODIFIER,
    K_TYPE_ITEM, K_TYPE_EVENT, K_TYPE_UNITSTATE, K_TYPE_DESTRUCTABLE, K_TYPE_SOUND,
    K_TYPE_MULTIBOARD, K_TYPE_MULTIBOARDITEM, K_TYPE_LIGHTNING, K_TYPE_TIMERDIALOG,
    K_TYPE_REGION, K_TYPE_EFFECT, K_TYPE_TEXTTAG, K_TYPE_OTHER, END};

// ---- K_LOCAL, K_CONSTANT ------------------------------------------------------
const KindCode kDeclaration[] = {
    K_SPACE, K_TYPE_INTEGER, K_TYPE_REAL, K_TYPE_STRING, K_TYPE_TIMER, K_TYPE_TRIGGER,
    K_TYPE_HASHTABLE, K_TYPE_BOOLEAN, K_TYPE_UNIT, K_TYPE_GROUP, K_TYPE_PLAYER, K_TYPE_RECT,
    K_TYPE_CODE, K_TYPE_WEATHEREFFECT, K_TYPE_PLAYEREVENT, K_TYPE_PLAYERUNITEVENT,
    K_TYPE_BOOLEXPR, K_TYPE_GAMETYPE, K_TYPE_FORCE, K_TYPE_QUEST, K_TYPE_FOGMODIFIER,
    K_TYPE_ITEM, K_TYPE_EVENT, K_TYPE_UNITSTATE, K_TYPE_DESTRUCTABLE, K_TYPE_SOUND,
    K_TYPE_MULTIBOARD, K_TYPE_MULTIBOARDITEM, K_TYPE_LIGHTNING, K_TYPE_TIMERDIALOG,
    K_TYPE_REGION, K_TYPE_EFFECT, K_TYPE_TEXTTAG, K_TYPE_OTHER, END};

// ---- K_SET, K_CALL, K_RETURN, K_EXITWHEN, K_CONDITION, K_ARGUMENT, K_EXPRESSION
const KindCode kInString[] = {K_QUOTE, K_ANY_CHAR, END};
const KindCode kExpression[] = {
    K_ANY_CHAR, K_QUOTE, K_SPACE, K_LPAREN, K_LBRACKET, K_OR, K_AND, K_NOT, K_STAR, K_SLASH,
    K_PLUS, K_MINUS, K_LESS, K_GREATER, K_DOLLAR, K_NUMBER, K_BANG, K_ASSIGN, K_NULL,
    K_FUNCTION_REF, K_LETTER, END};
const KindCode kExpressionInTakes[] = {
    K_SPACE, K_NOTHING, K_TYPE_INTEGER, K_TYPE_REAL, K_TYPE_STRING, K_TYPE_TIMER,
    K_TYPE_TRIGGER, K_TYPE_HASHTABLE, K_TYPE_BOOLEAN, K_TYPE_UNIT, K_TYPE_GROUP,
    K_TYPE_PLAYER, K_TYPE_RECT, K_TYPE_CODE, K_TYPE_WEATHEREFFECT, K_TYPE_PLAYEREVENT,
    K_TYPE_PLAYERUNITEVENT, K_TYPE_BOOLEXPR, K_TYPE_GAMETYPE, K_TYPE_FORCE, K_TYPE_QUEST,
    K_TYPE_FOGMODIFIER, K_TYPE_ITEM, K_TYPE_EVENT, K_TYPE_UNITSTATE, K_TYPE_DESTRUCTABLE,
    K_TYPE_SOUND, K_TYPE_MULTIBOARD, K_TYPE_MULTIBOARDITEM, K_TYPE_LIGHTNING,
    K_TYPE_TIMERDIALOG, K_TYPE_REGION, K_TYPE_EFFECT, K_TYPE_TEXTTAG, K_TYPE_OTHER, END};

// ---- K_TAKES ----------------------------------------------------------------
const KindCode kTakesBeforeReturns[] = {K_RETURNS, END};
const KindCode kTakesAfterReturns[] = {K_SPACE, K_NOTHING, END};

// ---- type rules 18, 19, 20, 24 to 37, 60, 76, 78 to 81, 90 to 96 ------------
const KindCode kTypeInTakes[] = {
    K_SPACE, K_COMMA, K_TYPE_TIMER, K_TYPE_TRIGGER, K_TYPE_HASHTABLE, K_TYPE_BOOLEAN,
    K_TYPE_UNIT, K_TYPE_GROUP, K_TYPE_PLAYER, K_TYPE_RECT, K_TYPE_CODE,
    K_TYPE_WEATHEREFFECT, K_TYPE_PLAYEREVENT, K_TYPE_PLAYERUNITEVENT, K_TYPE_BOOLEXPR,
    K_TYPE_GAMETYPE, K_TYPE_FORCE, K_TYPE_QUEST, K_TYPE_FOGMODIFIER, K_TYPE_ITEM,
    K_TYPE_EVENT, K_TYPE_UNITSTATE, K_TYPE_DESTRUCTABLE, K_TYPE_SOUND, K_TYPE_MULTIBOARD,
    K_TYPE_MULTIBOARDITEM, K_TYPE_LIGHTNING, K_TYPE_TIMERDIALOG, K_TYPE_REGION,
    K_TYPE_EFFECT, K_TYPE_TEXTTAG, K_TYPE_OTHER, K_LETTER, END};
// Declarations carry whole expressions ('local boolean b = a <= c and d'),
// so besides the declaration's own words every operator, and numbers, are
// offered; without them operators and the numbers before them were silently
// dropped from the initial value.
const KindCode kType[] = {K_ARRAY, K_NULL, K_SPACE, K_NOT, K_OR, K_AND, K_LPAREN, K_LBRACKET,
                          K_QUOTE, K_STAR, K_SLASH, K_PLUS, K_MINUS, K_LESS, K_GREATER,
                          K_DOLLAR, K_BANG, K_FUNCTION_REF, K_LETTER, K_ASSIGN, K_NUMBER,
                          END};

// ---- type rules 21 (integer), 23 (real) ---------------------------------------
const KindCode kNumberTypeInTakes[] = {K_SPACE, K_COMMA, K_LETTER, END};
// Their values are whole expressions too ('integer c = a > b' is bad JASS, but
// still no operator may vanish), so the words and symbols of kType are
// offered as well, the words ahead of the letter class.
const KindCode kNumberType[] = {K_ARRAY, K_SPACE, K_LPAREN, K_LBRACKET, K_NULL, K_NOT, K_OR,
                                K_AND, K_FUNCTION_REF, K_LETTER, K_ASSIGN, K_NUMBER, K_DOLLAR,
                                K_STAR, K_SLASH, K_PLUS, K_MINUS, K_LESS, K_GREATER, K_BANG,
                                K_QUOTE, END};

// ---- type rule 22 (string) ------------------------------------------------------
// Strings are built with "+" from literals, calls and array items.
const KindCode kStringType[] = {K_ARRAY, K_NULL, K_LPAREN, K_LBRACKET, K_LETTER, K_ASSIGN,
                                K_QUOTE, K_SPACE, K_PLUS, K_FUNCTION_REF, END};

// ---- K_LPAREN, K_LBRACKET -------------------------------------------------------
const KindCode kGroup[] = {
    K_SPACE, K_LPAREN, K_LBRACKET, K_QUOTE, K_OR, K_AND, K_NOT, K_STAR, K_SLASH, K_PLUS,
    K_MINUS, K_LESS, K_GREATER, K_DOLLAR, K_NUMBER, K_BANG, K_ASSIGN, K_NULL, K_FUNCTION_REF,
    K_LETTER, END};

// ---- comma splitting (K_LPAREN, K_PARAM_LIST) --------------------------------------
const KindCode kSplitInQuotes[] = {K_QUOTE_TOGGLE, END};
const KindCode kSplitInCall[] = {K_OPEN_COUNT, K_CLOSE_COUNT, END};
const KindCode kSplitTopLevel[] = {K_QUOTE_TOGGLE, K_OPEN_COUNT, K_COMMA, END};

// ---- K_SCRIPT -------------------------------------------------------------------------
const KindCode kScript[] = {K_CONSTANT_FUNCTION, K_FUNCTION, K_ENDFUNCTION, K_GLOBALS,
                            K_ENDGLOBALS, END};

// Each list compiled once per current byte (scan/scanner.h), so a position
// tries only the alternatives that can hit at its byte, in the list's order.
// Built on first use: the scanner's own tables are set up at start-up, and
// only a first use inside main is sure to come after them.
template <const auto& kList>
const sAlternatives& fCompiled() {
  static const sAlternatives compiled{kList};
  return compiled;
}

const sScanChoice kCollectOnly{nullptr, eAfter::kNone};

bool fNoGroupOpen(const sText& in) { return in.bInParen == 0 && in.bInBracket == 0; }

// The group rows that every rule with group-open actions ends with.
sScanChoice fChooseGroupRows(const sText& in, const sAlternatives& open, eAfter after) {
  if (fNoGroupOpen(in)) return {&open, after};
  if (in.bInParen == 1) return {&fCompiled<kInParen>(), eAfter::kParenTracking};
  if (in.bInBracket == 1) return {&fCompiled<kInBracket>(), eAfter::kBracketTracking};
  return kCollectOnly;
}

sScanChoice fChooseFunction(const sRuleCall& c) {
  const sText& in = c.in;
  const bool quotes = c.s.vInQuotes == 1;
  if (in.bInIf == 0 && in.bInLoop == 0) {
    return {&fCompiled<kFunctionBody>(), eAfter::kFunctionOpeners};
  }
  if (in.bInIf == 1 && !quotes) return {&fCompiled<kFunctionInIf>(), eAfter::kEndifClosesIf};
  if (in.bInIf == 1 && quotes) return {&fCompiled<kQuoteToggleOnly>(), eAfter::kNone};
  if (in.bInLoop == 1 && !quotes) {
    return {&fCompiled<kFunctionInLoop>(), eAfter::kEndloopClosesLoop};
  }
  if (in.bInLoop == 1 && quotes) return {&fCompiled<kQuoteToggleOnly>(), eAfter::kNone};
  return kCollectOnly;
}

sScanChoice fChooseBlock(const sRuleCall& c) {
  const sText& in = c.in;
  if (in.bInIf == 1 || in.bInLoop == 1) return fChooseFunction(c);
  if (in.bInBody == 0) return {&fCompiled<kBlockHeader>(), eAfter::kNone};
  return fChooseGroupRows(in, fCompiled<kBlockBody>(), eAfter::kGroupOpenInBlock);
}

sScanChoice fChooseSplit(const sRuleCall& c) {
  if (c.s.vInQuotes == 1) return {&fCompiled<kSplitInQuotes>(), eAfter::kCommaSplit};
  if (c.s.vOpenParenCount != c.s.vCloseParenCount) {
    return {&fCompiled<kSplitInCall>(), eAfter::kCommaSplit};
  }
  return {&fCompiled<kSplitTopLevel>(), eAfter::kCommaSplit};
}

sScanChoice fChooseGroup(const sRuleCall& c) {
  if (c.s.vStringMode == 1) return {&fCompiled<kInString>(), eAfter::kNone, true};
  if (c.in.bCommaSplit == 1) return fChooseSplit(c);
  return fChooseGroupRows(c.in, fCompiled<kGroup>(), eAfter::kGroupOpen);
}

sScanChoice fChooseType(const sRuleCall& c) {
  const bool numeric = c.rule == K_TYPE_INTEGER || c.rule == K_TYPE_REAL;
  // Inside a literal the any-character class must run too: the quote
  // handler tells an escaped quote by the byte it noted last.
  if (c.s.vStringMode == 1) return {&fCompiled<kInString>(), eAfter::kNone, true};
  if (c.rule == K_TYPE_STRING) {
    return fChooseGroupRows(c.in, fCompiled<kStringType>(), eAfter::kGroupOpen);
  }
  if (c.s.vInTakes == 1) {
    return {numeric ? &fCompiled<kNumberTypeInTakes>() : &fCompiled<kTypeInTakes>(),
            eAfter::kNone};
  }
  return fChooseGroupRows(c.in, numeric ? fCompiled<kNumberType>() : fCompiled<kType>(),
                          eAfter::kGroupOpen);
}

// ---- after the scanner ----------------------------------------------------------

// The bytes before "(" or "[" name the called function or the indexed array.
// In the globals block a blank before the group ('GetRandomInt (1, 2)') has
// left that name pending instead.
void fTakeCallName(sRuleCall& c) {
  sState& s = c.s;
  if (c.nBufLen <= 0 && s.vInGlobals == 1 && !s.vPendingName.fEmpty()) {
    s.vCallName.fCopy(s.vPendingName.str());
    s.vCallNameSet = 1;
    s.vPendingNameSet = 0;
    s.vPendingName.fClear();
    return;
  }
  if (c.nBufLen <= 0) return;
  s.vCallName.fClear();
  s.vCallName.fCopy(c.szBuffer.data(), static_cast<size_t>(c.nBufLen));
  s.vCallNameSet = 1;
}

// Parenthesis and bracket groups are tracked alike, each in its own fields.
struct sGroupFields {
  KindCode open;                // "(" or "["
  KindCode close;               // ")" or "]"
  uint8_t sText::*bIn;          // group open
  uint8_t sText::*bClosed;      // group just closed
  int32_t sText::*nOpen;        // openers counted
  int32_t sText::*nClose;       // closers counted
  int32_t sText::*nStart;       // offset of the outer opener
};

const sGroupFields kParenFields{K_LPAREN,          K_RPAREN,         &sText::bInParen,
                                &sText::bParenClosed, &sText::nParenOpen, &sText::nParenClose,
                                &sText::nParenStart};
const sGroupFields kBracketFields{K_LBRACKET,           K_RBRACKET,
                                  &sText::bInBracket,   &sText::bBracketClosed,
                                  &sText::nBracketOpen, &sText::nBracketClose,
                                  &sText::nBracketStart};

void fOpenGroup(sRuleCall& c) {
  const sGroupFields* g = c.vFlag1 == K_LPAREN     ? &kParenFields
                          : c.vFlag1 == K_LBRACKET ? &kBracketFields
                                                   : nullptr;
  if (g == nullptr) return;
  fTakeCallName(c);
  c.in.*g->bIn = 1;
  ++(c.in.*g->nOpen);
  c.in.*g->nStart = c.vIndex1;
  c.vFlag1 = -1;
}

// An "if" on the line of an "else" is cut as an elseif element.
void fOpenBlock(sRuleCall& c) {
  sText& in = c.in;
  if (c.vFlag1 == K_IF && c.s.vElsePending == 1) {
    in.bInIf = 0;
    c.s.vElsePending = 0;
    in.bInBody = 0;
    c.s.vIfCount = 0;
    c.vFlag2 = K_ELSEIF;
  } else if (c.vFlag1 == K_IF) {
    in.bInIf = 1;
  } else if (c.vFlag1 == K_LOOP) {
    in.bInLoop = 1;
  }
}

const sTrackedGroup kTrackedParen{'(', ')', &sText::nParenOpen, &sText::nParenClose,
                                  &sText::nParenStart};
const sTrackedGroup kTrackedBracket{'[', ']', &sText::nBracketOpen, &sText::nBracketClose,
                                    &sText::nBracketStart};

void fTrackGroup(sRuleCall& c, const sGroupFields& g) {
  sText& in = c.in;
  if (c.vFlag1 == g.open) {
    ++(in.*g.nOpen);
    c.vFlag1 = -1;
    c.vIndex1 = in.*g.nStart;
  }
  if (c.vFlag2 == g.close) {
    ++(in.*g.nClose);
    c.vFlag2 = -1;
  }
  if (in.*g.nClose == in.*g.nOpen) {
    in.*g.bClosed = 1;
    c.vFlag2 = g.close;
  }
}

// The argument before a top-level comma becomes the pending name, which the
// comma's handler translates. A piece start left unset counts as the text's
// first byte, so the copy never starts before the text.
void fSplitAtComma(sRuleCall& c, int32_t r) {
  if (c.vFlag2 != K_COMMA) return;
  sText& in = c.in;
  in.nPieceEnd = r;
  const int32_t start = in.nPieceStart < 0 ? 0 : in.nPieceStart;
  if (in.nPieceEnd - start > 0) {
    c.s.vPendingName.fClear();
    c.s.vPendingName.fCopy(in.data.data() + start, static_cast<size_t>(in.nPieceEnd - start));
    c.s.vPendingNameStart = start;
    c.s.vPendingNameSet = 1;
  }
  in.nPieceStart = in.nPieceEnd + 1;
}

}  // namespace

void fAfterScanner(sRuleCall& c, eAfter after, int32_t r) {
  switch (after) {
    case eAfter::kNone: return;
    case eAfter::kFunctionOpeners:
      if (c.vFlag1 == K_IF) c.in.bInIf = 1;
      if (c.vFlag1 == K_LOOP) c.in.bInLoop = 1;
      return;
    case eAfter::kEndifClosesIf:
      if (c.vFlag2 == K_ENDIF) c.in.bInIf = 0;
      return;
    case eAfter::kEndloopClosesLoop:
      if (c.vFlag2 == K_ENDLOOP) c.in.bInLoop = 0;
      return;
    case eAfter::kGroupOpen: fOpenGroup(c); return;
    case eAfter::kGroupOpenInBlock:
      fOpenGroup(c);
      fOpenBlock(c);
      return;
    case eAfter::kParenTracking: fTrackGroup(c, kParenFields); return;
    case eAfter::kBracketTracking: fTrackGroup(c, kBracketFields); return;
    case eAfter::kCommaSplit: fSplitAtComma(c, r); return;
  }
}

namespace {

// A rawcode is an operand: where a letter would begin the pending name, its
// content does, so the cut after it keeps '+' or 'A0NS' whole.
void fCollectLiteral(sRuleCall& c, const sAlternatives& list, int32_t r) {
  if (c.fLiteralAt(r) != sLiteralScan::kRawcodeContent || !list.fHasLetter()) return;
  if (c.s.vPendingNameSet == 0) {
    c.s.vPendingNameStart = r;
    c.s.vPendingNameSet = 1;
  }
}

}  // namespace

sScanChoice fChooseExpression(const sState& s, const sText& in) {
  if (s.vStringMode == 1) return {&fCompiled<kInString>(), eAfter::kNone, true};
  if (fNoGroupOpen(in) && s.vInTakes == 1) {
    return {&fCompiled<kExpressionInTakes>(), eAfter::kNone};
  }
  return fChooseGroupRows(in, fCompiled<kExpression>(), eAfter::kGroupOpen);
}

// Kept beside fTrackGroup: a counted opener or closer must do what the
// scan and this follow-up do with it.
const sTrackedGroup* fTrackedGroupOf(eAfter after) {
  if (after == eAfter::kParenTracking) return &kTrackedParen;
  if (after == eAfter::kBracketTracking) return &kTrackedBracket;
  return nullptr;
}

sScanChoice fChooseAlternatives(const sRuleCall& c) {
  switch (c.rule) {
    case K_FUNCTION: return fChooseFunction(c);
    case K_IF:
    case K_LOOP: return fChooseBlock(c);
    case K_GLOBALS: return {&fCompiled<kGlobals>(), eAfter::kNone};
    case K_LOCAL:
    case K_CONSTANT: return {&fCompiled<kDeclaration>(), eAfter::kNone};
    case K_SET:
    case K_CALL:
    case K_RETURN:
    case K_EXITWHEN:
    case K_CONDITION:
    case K_ARGUMENT:
    case K_EXPRESSION: return fChooseExpression(c.s, c.in);
    case K_TAKES:
      return c.s.vReturnsSeen == 0 ? sScanChoice{&fCompiled<kTakesBeforeReturns>(), eAfter::kNone}
                                   : sScanChoice{&fCompiled<kTakesAfterReturns>(), eAfter::kNone};
    case K_LPAREN:
    case K_LBRACKET: return fChooseGroup(c);
    case K_PARAM_LIST: return c.in.bCommaSplit == 1 ? fChooseSplit(c) : kCollectOnly;
    case K_SCRIPT: return {&fCompiled<kScript>(), eAfter::kNone};
    default: return fIsTypeKind(c.rule) ? fChooseType(c) : kCollectOnly;
  }
}

namespace {

// What a byte can be in a lone operand.
constexpr uint8_t kOperandLetter = 1;
constexpr uint8_t kOperandName = 2;    // letter, digit or "_"
constexpr uint8_t kOperandNumber = 4;  // digit or "."

constexpr std::array<uint8_t, 256> fMakeOperandBytes() {
  std::array<uint8_t, 256> bytes{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    uint8_t bits = 0;
    if (letter) bits |= kOperandLetter;
    if (letter || digit || c == '_') bits |= kOperandName;
    if (digit || c == '.') bits |= kOperandNumber;
    bytes[static_cast<size_t>(c)] = bits;
  }
  return bytes;
}

constexpr std::array<uint8_t, 256> kOperandBytes = fMakeOperandBytes();

bool fAllAre(const char* p, int32_t n, uint8_t bit) {
  for (int32_t i = 0; i < n; ++i) {
    if ((kOperandBytes[static_cast<uint8_t>(p[i])] & bit) == 0) return false;
  }
  return true;
}

// The keywords of a list that a name could spell.
std::vector<std::string_view> fNameKeywords(const KindCode* list) {
  std::vector<std::string_view> words;
  for (; *list != K_END_OF_LIST; ++list) {
    const int32_t n = fKeywordLength(*list);
    const char* p = fKeywordPtr(*list);
    if (n > 0 && fAllAre(p, n, kOperandName)) words.emplace_back(p, static_cast<size_t>(n));
  }
  return words;
}

}  // namespace

// One name, number or rawcode: a rawcode ('A00B') has name bytes between
// its quotes, which are code; a number only digits and full stops. Unless
// bKeywords, a name that spells a keyword of the expression list is none
// (the group list offers the same keywords).
bool fIsOperandWord(const char* p, int32_t n, bool bKeywords) {
  if (n <= 0) return false;
  if (p[0] == '\'') return n >= 3 && p[n - 1] == '\'' && fAllAre(p + 1, n - 2, kOperandName);
  if ((kOperandBytes[static_cast<uint8_t>(p[0])] & kOperandLetter) == 0) {
    return fAllAre(p, n, kOperandNumber);
  }
  if (!fAllAre(p, n, kOperandName)) return false;
  if (bKeywords) return true;
  static const std::vector<std::string_view> keywords = fNameKeywords(kExpression);
  const std::string_view text(p, static_cast<size_t>(n));
  return std::find(keywords.begin(), keywords.end(), text) == keywords.end();
}

// Scanning "call ", "set ", "local " or "return " from a line start with the
// function body's list or a block body's: the function body's letter class
// begins the pending name at the first byte (the block body offers none);
// no other keyword of either list ends in a byte of these words at that
// byte's count, or hits there when tested ('t' of "ret" is not "set"); and
// the keyword's last byte, before a blank, cuts the statement from the
// keyword's first. The block body offers no local declaration.
sLineKeyword fLineKeywordOf(const sRuleCall& c, const char* p, int32_t n) {
  // Asked at every line start: the words are looked up once.
  static const std::array<std::pair<KindCode, std::string_view>, 4> kWords = [] {
    std::array<std::pair<KindCode, std::string_view>, 4> words;
    const KindCode kinds[] = {K_CALL, K_SET, K_LOCAL, K_RETURN};
    for (size_t i = 0; i < words.size(); ++i) {
      words[i] = {kinds[i], std::string_view(fKeywordPtr(kinds[i]),
                                             static_cast<size_t>(fKeywordLength(kinds[i])))};
    }
    return words;
  }();
  if (n <= 0) return {};
  for (const auto& [kind, word] : kWords) {
    const int32_t len = static_cast<int32_t>(word.size());
    if (p[0] != word[0] || n <= len || p[len] != ' ' ||
        std::memcmp(p, word.data(), word.size()) != 0) {
      continue;
    }
    const sScanChoice choice = fChooseAlternatives(c);
    const bool bFunction = choice.list == &fCompiled<kFunctionBody>();
    if (!bFunction && (choice.list != &fCompiled<kBlockBody>() || kind == K_LOCAL)) return {};
    return {kind, len, bFunction};
  }
  return {};
}

bool fChoosesExpressionList(const sState& s, const sText& in) {
  return fChooseExpression(s, in).list == &fCompiled<kExpression>();
}

// In the expression list the any-character class comes first, so the first
// byte of a name, number or rawcode begins the pending name and every byte
// outside literals is noted. Nothing else can act on such a text: the
// symbols and the group openers are none of its bytes; a rawcode's content
// is literal, never scanned; the number class misses once a name is
// pending; a whole-buffer keyword could hit only where the word ends, at the
// end of the text, so only a text that is a keyword is refused; and "or" or
// "and" glued to a literal need a text that begins with a digit and holds
// letters.
bool fIsLoneOperand(const sScanChoice& choice, const char* p, int32_t n) {
  return choice.list == &fCompiled<kExpression>() && fIsOperandWord(p, n, false);
}

// Whether the rule's follow-up would change anything after a scan that found
// nothing; the cut values it reads stay as they are through a quiet run. Kept
// beside fAfterScanner: each case here is that case's condition to act.
bool fAfterIsIdle(const sRuleCall& c, eAfter after) {
  const sText& in = c.in;
  const bool bGroupOpener = c.vFlag1 == K_LPAREN || c.vFlag1 == K_LBRACKET;
  const bool bBlockOpener = c.vFlag1 == K_IF || c.vFlag1 == K_LOOP;
  switch (after) {
    case eAfter::kNone: return true;
    case eAfter::kFunctionOpeners: return !bBlockOpener;
    case eAfter::kEndifClosesIf: return c.vFlag2 != K_ENDIF;
    case eAfter::kEndloopClosesLoop: return c.vFlag2 != K_ENDLOOP;
    case eAfter::kGroupOpen: return !bGroupOpener;
    case eAfter::kGroupOpenInBlock: return !bGroupOpener && !bBlockOpener;
    case eAfter::kParenTracking:
      return c.vFlag1 != K_LPAREN && c.vFlag2 != K_RPAREN && in.nParenClose != in.nParenOpen;
    case eAfter::kBracketTracking:
      return c.vFlag1 != K_LBRACKET && c.vFlag2 != K_RBRACKET &&
             in.nBracketClose != in.nBracketOpen;
    case eAfter::kCommaSplit: return c.vFlag2 != K_COMMA;
  }
  return false;
}

bool fRunScanner(sRuleCall& c, int32_t r, const sScanChoice& choice) {
  if (choice.list == nullptr) return true;
  // Literal content is only collected, except where a string literal is being
  // cut: there the quote handler itself tells escaped quotes from the end.
  if (!choice.bCutsLiteral && c.fLiteralAt(r) != 0) {
    fCollectLiteral(c, *choice.list, r);
    return true;
  }
  const int32_t nEnd = c.in.len() - std::max(0, c.in.nTailLen);
  const char next = r + 1 < nEnd ? c.in.data[static_cast<size_t>(r) + 1] : '\0';
  if (!fScanAlternatives(c.s, c.szBuffer.data(), r, c.nBufLen, c.vIndex1, c.vIndex2, c.vFlag1,
                         c.vFlag2, *choice.list, next)) {
    return false;
  }
  fAfterScanner(c, choice.after, r);
  return true;
}

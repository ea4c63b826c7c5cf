// Character scanner: the rule engine adds one byte to its element buffer and
// asks here whether that byte, or the whole buffer, completes a kind (rules ->
// scanner). Findings go back through the four engine values and sState.
#include "scan/scanner.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "scan/typenames.h"

namespace {

// How fScanStep treats a code. Each code has exactly one group; the order of
// the tests in fScanStep is the order of the groups here.
enum class eGroup : uint8_t {
  kNone,          // valid code that never hits
  kElseNest,      // counts "else"
  kIfNest,        // counts "if" and "elseif"
  kLoopNest,      // counts "loop"
  kEndloopNest,   // counts "endloop"
  kEndifNest,     // counts "endif"
  kCounter,       // parenthesis counters and the quote toggle
  kGroupSymbol,   // "(" "[" ")" "]"
  kCharClass,     // letter / high byte classes
  kAnyChar,       // any byte 1..127, never a hit
  kNumber,        // first byte of a numeric literal
  kOpener,        // block openers
  kCloser,        // block closers
  kStatement,     // whole-buffer statement words
  kTrailing,      // "returns", "then": the text before them is a name
  kType,          // type names
  kSymbol,        // one-byte symbols that cut the pending name or number
};

// Character classes, one bit each.
constexpr uint8_t kClassLetter = 1;
constexpr uint8_t kClassHigh = 2;     // 0xC0..0xFF
constexpr uint8_t kClassNumber = 4;   // digit, '.', '-'
constexpr uint8_t kClassAscii = 8;    // 1..127
constexpr uint8_t kClassWord = 16;    // letter, digit, '_': a word goes on

constexpr std::array<uint8_t, 256> fMakeClasses() {
  std::array<uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    uint8_t bits = 0;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) bits |= kClassLetter;
    if (c >= 0xC0) bits |= kClassHigh;
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') bits |= kClassNumber;
    if (c >= 1 && c <= 127) bits |= kClassAscii;
    if ((bits & kClassLetter) != 0 || (c >= '0' && c <= '9') || c == '_') bits |= kClassWord;
    classes[static_cast<size_t>(c)] = bits;
  }
  return classes;
}

constexpr std::array<uint8_t, 256> kClasses = fMakeClasses();

struct sCodeInfo {
  eGroup group = eGroup::kNone;
  char cSymbol = 0;          // byte tested by counters, group symbols and symbols
  bool bSymbol = false;      // also tested as a cutting symbol when the group misses
  uint8_t nClassMask = 0;    // classes accepted by a character-class code
  bool bWholeWord = false;   // hits only where the word ends
};

using sCodeTable = std::array<sCodeInfo, K_MAX_CODE + 1>;

void fSetGroup(sCodeTable& table, eGroup group, std::initializer_list<KindCode> codes) {
  for (KindCode code : codes) table[static_cast<size_t>(code)].group = group;
}

sCodeTable fBuildCodeTable() {
  sCodeTable t{};
  fSetGroup(t, eGroup::kElseNest, {K_ELSE_NEST});
  fSetGroup(t, eGroup::kIfNest, {K_IF_NEST});
  fSetGroup(t, eGroup::kLoopNest, {K_LOOP_NEST});
  fSetGroup(t, eGroup::kEndloopNest, {K_ENDLOOP_NEST});
  fSetGroup(t, eGroup::kEndifNest, {K_ENDIF_NEST});
  fSetGroup(t, eGroup::kCounter, {K_OPEN_COUNT, K_CLOSE_COUNT, K_QUOTE_TOGGLE});
  t[K_OPEN_COUNT].cSymbol = '(';
  t[K_CLOSE_COUNT].cSymbol = ')';
  t[K_QUOTE_TOGGLE].cSymbol = '"';
  fSetGroup(t, eGroup::kGroupSymbol, {K_LPAREN, K_LBRACKET, K_RPAREN, K_RBRACKET});
  fSetGroup(t, eGroup::kCharClass, {K_LETTER, K_HIGH_BYTE, K_LETTER_OR_HIGH});
  t[K_LETTER].nClassMask = kClassLetter;
  t[K_HIGH_BYTE].nClassMask = kClassHigh;
  t[K_LETTER_OR_HIGH].nClassMask = kClassLetter | kClassHigh;
  fSetGroup(t, eGroup::kAnyChar, {K_ANY_CHAR});
  fSetGroup(t, eGroup::kNumber, {K_NUMBER});
  fSetGroup(t, eGroup::kOpener, {K_FUNCTION, K_CONSTANT_FUNCTION, K_GLOBALS, K_IF, K_LOOP});
  fSetGroup(t, eGroup::kCloser, {K_ENDFUNCTION, K_ENDGLOBALS, K_ENDIF, K_ENDLOOP});
  fSetGroup(t, eGroup::kStatement,
            {K_LOCAL, K_SET, K_CALL, K_RETURN, K_OR, K_AND, K_NOT, K_CONSTANT, K_TAKES, K_ARRAY,
             K_EXITWHEN, K_ELSE, K_ELSEIF, K_NOTHING, K_NULL, K_SPACE, K_FUNCTION_REF});
  fSetGroup(t, eGroup::kTrailing, {K_RETURNS, K_THEN});
  for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
    if (fIsTypeKind(code)) t[static_cast<size_t>(code)].group = eGroup::kType;
    if (fIsTypeKind(code)) t[static_cast<size_t>(code)].bWholeWord = true;
  }
  // "else" must still hit inside "elseif", and the blank is no word.
  for (KindCode code : {K_LOCAL, K_SET, K_CALL, K_RETURN, K_OR, K_AND, K_NOT, K_CONSTANT,
                        K_TAKES, K_ARRAY, K_EXITWHEN, K_ELSEIF, K_NOTHING, K_NULL,
                        K_FUNCTION_REF}) {
    t[static_cast<size_t>(code)].bWholeWord = true;
  }
  // K_SPACE keeps its statement group: it is tested as a symbol only when
  // the buffer is not exactly " ".
  for (KindCode code : {K_SPACE, K_COMMA, K_ASSIGN, K_PLUS, K_QUOTE, K_DOLLAR, K_BANG, K_STAR,
                        K_LESS, K_GREATER, K_MINUS, K_SLASH}) {
    sCodeInfo& info = t[static_cast<size_t>(code)];
    if (info.group == eGroup::kNone) info.group = eGroup::kSymbol;
    info.bSymbol = true;
  }
  for (KindCode code : {K_LPAREN, K_LBRACKET, K_RPAREN, K_RBRACKET, K_SPACE, K_COMMA, K_ASSIGN,
                        K_PLUS, K_QUOTE, K_DOLLAR, K_BANG, K_STAR, K_LESS, K_GREATER, K_MINUS,
                        K_SLASH}) {
    t[static_cast<size_t>(code)].cSymbol = fKeywordPtr(code)[0];
  }
  return t;
}

// Built at start-up from constant tables only, so it is ready before any
// scan and no lookup pays for a first-use check.
const sCodeTable kCodeTable = fBuildCodeTable();

const sCodeInfo& fInfo(KindCode code) { return kCodeTable[static_cast<size_t>(code)]; }

// One call's view of the engine: the buffer holds idx + 1 meaningful bytes
// (0 bytes included), so every test compares by length, never by terminator.
struct sScan {
  const char* buffer;
  int32_t pos;
  int32_t idx;
  int32_t& start;
  int32_t& end;
  int32_t& opener;
  int32_t& element;
  char next;  // the byte after pos in the text, 0 past its end

  int32_t fCount() const { return idx + 1; }
  char fCurrent() const { return buffer[idx]; }
  uint8_t fCurrentClasses() const { return kClasses[static_cast<uint8_t>(buffer[idx])]; }
  bool fNothingCut() const { return start == -1 && end == -1; }
  bool fAtWordEnd() const { return (kClasses[static_cast<uint8_t>(next)] & kClassWord) == 0; }
  // "else" ends its word, or goes on as "elseif", which counts it too.
  bool fAtElseEnd() const { return fAtWordEnd() || next == 'i'; }
  // The buffer is exactly the keyword of code.
  bool fIsExactly(KindCode code) const {
    const int32_t n = fKeywordLength(code);
    return n > 0 && fCount() == n && std::memcmp(buffer, fKeywordPtr(code), n) == 0;
  }
  bool fEndsWith(KindCode code) const {
    const int32_t n = fKeywordLength(code);
    return n > 0 && fCount() >= n &&
           std::memcmp(buffer + fCount() - n, fKeywordPtr(code), n) == 0;
  }
  // Offset of the first byte of the keyword of code that ends at pos.
  int32_t fKeywordStart(KindCode code) const { return pos - (fKeywordLength(code) - 1); }
};

bool fIsDigitOrPoint(char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; }

void fBeginName(sState& s, int32_t pos) {
  if (s.vPendingNameSet == 0) {
    s.vPendingNameStart = pos;
    s.vPendingNameSet = 1;
  }
}

int fTestElseNest(sState& s, sScan& a) {
  if (!a.fIsExactly(K_ELSE) || !a.fAtElseEnd()) return kScanMiss;
  ++s.vElseCount;
  return kScanHit;
}

// An "elseif" whose "else" was counted leaves vIfCount as it was.
int fTestIfNest(sState& s, sScan& a) {
  const bool bLength = a.fCount() == 2 || (s.vElseCount > 0 && a.fCount() == 6);
  if (!bLength || !a.fEndsWith(K_IF) || !a.fAtWordEnd()) return kScanMiss;
  if (s.vIfCount == s.vEndifCount) {
    a.opener = K_IF;
    a.start = a.pos - 1;
  }
  s.vIfCount = s.vIfCount + 1 - s.vElseCount;
  s.vElseCount = 0;
  return kScanHit;
}

int fTestLoopNest(sState& s, sScan& a) {
  if (!a.fIsExactly(K_LOOP) || !a.fAtWordEnd()) return kScanMiss;
  if (s.vLoopCount == s.vEndloopCount) {
    a.opener = K_LOOP;
    a.start = a.fKeywordStart(K_LOOP);
  }
  ++s.vLoopCount;
  return kScanHit;
}

// Shared by endloop and endif: only the closer of the outermost block ends
// the element.
int fTestCloserNest(sScan& a, KindCode closer, int32_t opened, int32_t& closed) {
  if (!a.fIsExactly(closer) || !a.fAtWordEnd()) return kScanMiss;
  ++closed;
  if (opened == closed) {
    a.element = closer;
    a.end = a.pos;
  }
  return kScanHit;
}

// Inside quotes, a quote after an odd run of backslashes is escaped and
// does not close the literal.
bool fIsEscapedQuote(const sState& s, const sScan& a) {
  if (s.vInQuotes != 1) return false;
  int32_t n = 0;
  while (a.idx - 1 - n >= 0 && a.buffer[a.idx - 1 - n] == '\\') ++n;
  return n % 2 == 1;
}

int fTestCounter(sState& s, sScan& a, KindCode code) {
  if (a.fCurrent() != fInfo(code).cSymbol) return kScanMiss;
  if (code == K_QUOTE_TOGGLE && fIsEscapedQuote(s, a)) return kScanMiss;
  if (code == K_OPEN_COUNT) {
    ++s.vOpenParenCount;
  } else if (code == K_CLOSE_COUNT) {
    ++s.vCloseParenCount;
  } else {
    s.vInQuotes = s.vInQuotes == 1 ? 0 : 1;
  }
  return kScanHit;
}

// Openers and closers of groups ignore what start and end held.
int fTestGroupSymbol(sScan& a, KindCode code) {
  if (a.fCurrent() != fInfo(code).cSymbol) return kScanMiss;
  if (code == K_LPAREN || code == K_LBRACKET) {
    a.opener = code;
    a.start = a.pos;
  } else {
    a.element = code;
    a.end = a.pos;
  }
  return kScanHit;
}

int fTestCharClass(sState& s, sScan& a, KindCode code) {
  if ((a.fCurrentClasses() & fInfo(code).nClassMask) == 0) return kScanMiss;
  fBeginName(s, a.pos);
  return kScanHit;
}

// Only notes the byte: it never stops a list of alternatives.
int fTestAnyChar(sState& s, sScan& a) {
  if ((a.fCurrentClasses() & kClassAscii) != 0) {
    fBeginName(s, a.pos);
    s.vLastChar = static_cast<uint8_t>(a.fCurrent());
  }
  return kScanMiss;
}

// A number begins only where no name is pending, and only once per literal.
// A minus begins one only before a digit or a full stop; before a name it is
// the operator, so the name after it is still translated ("-ii").
int fTestNumber(sState& s, sScan& a) {
  if ((a.fCurrentClasses() & kClassNumber) == 0) return kScanMiss;
  if (a.fCurrent() == '-' && !fIsDigitOrPoint(a.next)) return kScanMiss;
  if (s.vNumericMode != 0 || s.vPendingNameSet != 0) return kScanMiss;
  a.element = K_NUMBER;
  s.vNumericMode = 1;
  return kScanHit;
}

int fTestOpener(sScan& a, KindCode code) {
  if (!a.fNothingCut() || !a.fIsExactly(code) || !a.fAtWordEnd()) return kScanMiss;
  a.start = a.fKeywordStart(code);
  a.opener = code;
  return kScanHit;
}

int fTestCloser(sScan& a, KindCode code) {
  if (a.start == -1 || a.end != -1 || !a.fIsExactly(code) || !a.fAtWordEnd()) return kScanMiss;
  a.element = code;
  return kScanHit;
}

// A keyword after the first n bytes of text starts a word there: nothing
// precedes it, or a byte that ends no name ("(x)then"), or a number
// ("1then"); in "xthen" or "my_returns" it is part of a name.
bool fStartsWord(const char* text, int32_t n) {
  int32_t first = n;
  while (first > 0 && (kClasses[static_cast<uint8_t>(text[first - 1])] & kClassWord) != 0) --first;
  return first == n || (text[first] >= '0' && text[first] <= '9');
}

// Whether the text before a glued "or"/"and" ends with a literal: no name
// runs into the keyword ("x1or" stays a name), only a number ("1or") or a
// closed rawcode ("'A01T'or"; "'10or'" is still inside its quotes).
bool fEndsWithLiteral(const char* text, int32_t n) {
  const auto word = [](char ch) {
    const uint8_t u = static_cast<uint8_t>(ch);
    return (kClasses[u] & kClassWord) != 0 || u >= 0x80;
  };
  int32_t first = n;
  while (first > 0 && word(text[first - 1])) --first;
  if (first < n && !(text[first] >= '0' && text[first] <= '9')) return false;
  return std::count(text, text + n, '\'') % 2 == 0;
}

// "or" and "and" right after a literal ('id=='A01T'or id==x'): the buffer
// still holds the literal, which becomes the pending name the operator takes.
int fTestGluedLogical(sState& s, sScan& a, KindCode code) {
  if (code != K_OR && code != K_AND) return kScanMiss;
  const int32_t n = a.fCount() - fKeywordLength(code);
  if (n <= 0 || !a.fEndsWith(code) || !a.fAtWordEnd()) return kScanMiss;
  if (!fEndsWithLiteral(a.buffer, n)) return kScanMiss;
  s.vPendingNameSet = 1;
  s.vPendingName.fCopy(a.buffer, static_cast<size_t>(n));
  a.start = a.fKeywordStart(code);
  a.element = code;
  return kScanHit;
}

int fTestStatement(sState& s, sScan& a, KindCode code) {
  if (!a.fNothingCut()) return kScanMiss;
  if (!a.fIsExactly(code)) return fTestGluedLogical(s, a, code);
  if (fInfo(code).bWholeWord && !a.fAtWordEnd()) return kScanMiss;
  if (code == K_ELSE && !a.fAtElseEnd()) return kScanMiss;
  a.start = a.fKeywordStart(code);
  a.element = code;
  return kScanHit;
}

// The words before "returns" / "then" are the name (or condition) they end.
int fTestTrailing(sState& s, sScan& a, KindCode code) {
  if (!a.fNothingCut() || !a.fEndsWith(code) || !a.fAtWordEnd()) return kScanMiss;
  if (!fStartsWord(a.buffer, a.fCount() - fKeywordLength(code))) return kScanMiss;
  s.vPendingNameSet = 1;
  s.vPendingName.fCopy(a.buffer, static_cast<size_t>(a.fCount() - fKeywordLength(code)));
  a.start = a.fKeywordStart(code);
  a.element = code;
  return kScanHit;
}

int fTestType(sScan& a, KindCode code) {
  const bool bName = code == K_TYPE_OTHER
                         ? fIsOtherTypeName(std::string_view(a.buffer, static_cast<size_t>(a.fCount())))
                         : a.fIsExactly(code);
  if (!bName || !a.fAtWordEnd()) return kScanMiss;
  a.start = a.pos - (a.fCount() - 1);
  a.element = code;
  return kScanHit;
}

// A symbol cuts the text before it (T, idx bytes) into the pending number,
// name or string literal, whichever the current mode says it is.
int fTestSymbol(sState& s, sScan& a, KindCode code) {
  if (!a.fNothingCut() || a.fCurrent() != fInfo(code).cSymbol) return kScanMiss;
  const size_t nBefore = static_cast<size_t>(a.idx);
  if (code == K_QUOTE) {
    if (s.vStringMode == 0) {
      s.vQuoteStart = a.pos + 1;
    } else if (s.vQuoteStart <= a.pos - 1) {
      s.vStringLiteral.fCopy(a.buffer, nBefore);
    }
  } else if (a.idx > 0) {
    if (s.vPendingNameSet == 0 && s.vNumericMode == 1) {
      s.vPendingNumberSet = 1;
      s.vPendingNumber.fCopy(a.buffer, nBefore);
    } else if (s.vPendingNameSet == 1) {
      s.vPendingName.fCopy(a.buffer, nBefore);
    }
  }
  a.start = a.pos;
  a.element = code;
  return kScanHit;
}

int fTestGroup(sState& s, sScan& a, KindCode code) {
  switch (fInfo(code).group) {
    case eGroup::kElseNest: return fTestElseNest(s, a);
    case eGroup::kIfNest: return fTestIfNest(s, a);
    case eGroup::kLoopNest: return fTestLoopNest(s, a);
    case eGroup::kEndloopNest:
      return fTestCloserNest(a, K_ENDLOOP, s.vLoopCount, s.vEndloopCount);
    case eGroup::kEndifNest: return fTestCloserNest(a, K_ENDIF, s.vIfCount, s.vEndifCount);
    case eGroup::kCounter: return fTestCounter(s, a, code);
    case eGroup::kGroupSymbol: return fTestGroupSymbol(a, code);
    case eGroup::kCharClass: return fTestCharClass(s, a, code);
    case eGroup::kAnyChar: return fTestAnyChar(s, a);
    case eGroup::kNumber: return fTestNumber(s, a);
    case eGroup::kOpener: return fTestOpener(a, code);
    case eGroup::kCloser: return fTestCloser(a, code);
    case eGroup::kStatement: return fTestStatement(s, a, code);
    case eGroup::kTrailing: return fTestTrailing(s, a, code);
    case eGroup::kType: return fTestType(a, code);
    case eGroup::kSymbol:
    case eGroup::kNone: break;
  }
  return kScanMiss;
}

// One valid code at the current byte: its group's test, then, for a symbol
// code that missed there, the cut at the symbol.
int fTestCode(sState& s, sScan& a, KindCode code) {
  const int result = fTestGroup(s, a, code);
  if (result == kScanMiss && fInfo(code).bSymbol) return fTestSymbol(s, a, code);
  return result;
}

}  // namespace

int fScanStep(sState& s, const char* buffer, int32_t pos, int32_t idx, int32_t& start,
              int32_t& end, int32_t& opener, int32_t& element, KindCode code, char next) {
  if (code < K_MIN_CODE || code > K_MAX_CODE) return kScanInvalid;
  // Without a current byte there is nothing to test; never index before it.
  if (buffer == nullptr || idx < 0) return kScanMiss;
  sScan a{buffer, pos, idx, start, end, opener, element, next};
  return fTestCode(s, a, code);
}

bool fScanAlternatives(sState& s, const char* buffer, int32_t pos, int32_t idx, int32_t& start,
                       int32_t& end, int32_t& opener, int32_t& element, const KindCode* list,
                       char next) {
  // The first code and at most this many further ones are tried, so a list
  // that lost its terminator cannot run away.
  constexpr int kFurtherCodes = 101;
  if (list == nullptr) return true;
  for (int i = 0; i <= kFurtherCodes; ++i) {
    if (list[i] == K_END_OF_LIST) return true;
    const int result =
        fScanStep(s, buffer, pos, idx, start, end, opener, element, list[i], next);
    if (result == kScanHit) return true;
    if (result == kScanInvalid) return false;
  }
  return true;
}

namespace {

// The last byte of the code's keyword: a whole-buffer or buffer-end test can
// only hit there. 0 for codes without a keyword.
char fLastKeywordByte(KindCode code) {
  const int32_t n = fKeywordLength(code);
  return n > 0 ? fKeywordPtr(code)[n - 1] : '\0';
}

constexpr uint64_t kAnyCount = ~uint64_t{0};

uint64_t fCountBit(int32_t n) { return uint64_t{1} << std::min(n, 63); }

// A type name without a keyword of its own is the whole buffer: the lengths
// of those names that end in current (none: no such name ends in it).
uint64_t fOtherTypeNameCounts(char current) {
  uint64_t counts = 0;
  for (const std::string_view* p = fOtherTypeNamesBegin(); p != fOtherTypeNamesEnd(); ++p) {
    if (!p->empty() && p->back() == current) counts |= fCountBit(static_cast<int32_t>(p->size()));
  }
  return counts;
}

// The buffer lengths at which code may hit at current: a keyword compared
// with the whole buffer hits only at its own length, and misses change
// nothing.
uint64_t fHitCounts(KindCode code, char current) {
  const sCodeInfo& info = fInfo(code);
  if (info.bSymbol && current == info.cSymbol) return kAnyCount;
  switch (info.group) {
    case eGroup::kElseNest: return fCountBit(fKeywordLength(K_ELSE));
    case eGroup::kIfNest: return fCountBit(2) | fCountBit(6);  // "if", "elseif"
    case eGroup::kLoopNest: return fCountBit(fKeywordLength(K_LOOP));
    case eGroup::kEndloopNest: return fCountBit(fKeywordLength(K_ENDLOOP));
    case eGroup::kEndifNest: return fCountBit(fKeywordLength(K_ENDIF));
    case eGroup::kOpener:
    case eGroup::kCloser: return fCountBit(fKeywordLength(code));
    case eGroup::kStatement:  // "or" and "and" also hit glued to a literal
      return code == K_OR || code == K_AND ? kAnyCount : fCountBit(fKeywordLength(code));
    case eGroup::kType:
      return code == K_TYPE_OTHER ? fOtherTypeNameCounts(current)
                                  : fCountBit(fKeywordLength(code));
    case eGroup::kTrailing:  // the keyword ends the buffer: at its length or more
      return kAnyCount << std::min(fKeywordLength(code), 63);
    default: return kAnyCount;
  }
}

// With a name pending, the class codes change nothing: a letter class hits
// (ending the list) and the number class misses. The any-character class
// notes the byte when it comes before the first class that hits.
sAlternatives::sQuiet fQuietFor(const KindCode* codes, char current) {
  sAlternatives::sQuiet q;
  q.nHitCounts = 0;
  if (*codes == K_END_OF_LIST) return q;
  if (current == '-') {  // a number's sign reads the next byte
    q.nHitCounts = kAnyCount;
    return q;
  }
  for (; *codes != K_END_OF_LIST; ++codes) {
    const KindCode code = *codes;
    if (code == K_ANY_CHAR) {
      q.bNotes = true;
      q.bNeedsName = true;
    } else if (code == K_LETTER || code == K_HIGH_BYTE || code == K_LETTER_OR_HIGH) {
      q.bNeedsName = true;
      break;  // fMayHitAt chose it, so its class matches: it hits
    } else if (code == K_NUMBER) {
      q.bNeedsName = true;
    } else {
      q.nHitCounts |= fHitCounts(code, current);
    }
  }
  return q;
}

}  // namespace

bool fMayHitAt(KindCode code, char current) {
  // An invalid code ends the scan at any byte.
  if (code < K_MIN_CODE || code > K_MAX_CODE) return true;
  const sCodeInfo& info = fInfo(code);
  const uint8_t classes = kClasses[static_cast<uint8_t>(current)];
  if (info.bSymbol && current == info.cSymbol) return true;
  switch (info.group) {
    case eGroup::kNone:
    case eGroup::kSymbol: return false;
    case eGroup::kElseNest: return current == fLastKeywordByte(K_ELSE);
    case eGroup::kIfNest: return current == fLastKeywordByte(K_IF);
    case eGroup::kLoopNest: return current == fLastKeywordByte(K_LOOP);
    case eGroup::kEndloopNest: return current == fLastKeywordByte(K_ENDLOOP);
    case eGroup::kEndifNest: return current == fLastKeywordByte(K_ENDIF);
    case eGroup::kCounter:
    case eGroup::kGroupSymbol: return current == info.cSymbol;
    case eGroup::kCharClass: return (classes & info.nClassMask) != 0;
    case eGroup::kAnyChar: return (classes & kClassAscii) != 0;
    case eGroup::kNumber: return (classes & kClassNumber) != 0;
    case eGroup::kType:
      if (code == K_TYPE_OTHER) return fOtherTypeNameCounts(current) != 0;
      return current == fLastKeywordByte(code);
    case eGroup::kOpener:
    case eGroup::kCloser:
    case eGroup::kStatement:  // the glued "or"/"and" end with the keyword too
    case eGroup::kTrailing: return current == fLastKeywordByte(code);
  }
  return true;
}

namespace {

// fMayHitAt for every code and byte, worked out once: each list is compiled
// from it, and a map's first conversion compiles a score of lists.
class sHitBytes {
 public:
  sHitBytes() {
    for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
      for (int b = 0; b < 256; ++b) {
        if (fMayHitAt(code, static_cast<char>(b))) {
          bits_[static_cast<size_t>(code)][static_cast<size_t>(b) >> 6] |= uint64_t{1} << (b & 63);
        }
      }
    }
  }
  bool fMayHit(KindCode code, int b) const {
    if (code < K_MIN_CODE || code > K_MAX_CODE) return true;  // as fMayHitAt has it
    return (bits_[static_cast<size_t>(code)][static_cast<size_t>(b) >> 6] >> (b & 63) & 1) != 0;
  }

 private:
  std::array<std::array<uint64_t, 4>, K_MAX_CODE + 1> bits_{};
};

const sHitBytes& fHitBytes() {
  static const sHitBytes hitBytes;
  return hitBytes;
}

}  // namespace

sAlternatives::sAlternatives(const KindCode* list) : list_(list) {
  // The same bound as fScanAlternatives: the first code and 101 more.
  constexpr int kMostCodes = 102;
  const sHitBytes& hitBytes = fHitBytes();
  for (int b = 0; b < 256; ++b) {
    start_[static_cast<size_t>(b)] = static_cast<uint32_t>(codes_.size());
    for (int i = 0; list != nullptr && i < kMostCodes && list[i] != K_END_OF_LIST; ++i) {
      if (hitBytes.fMayHit(list[i], b)) codes_.push_back(list[i]);
      if (list[i] == K_LETTER) bHasLetter_ = true;
    }
    codes_.push_back(K_END_OF_LIST);
  }
  for (int b = 0; b < 256; ++b) {
    const char current = static_cast<char>(b);
    const sQuiet q = fQuietFor(fFor(current), current);
    quiet_[static_cast<size_t>(b)] = q;
    uint8_t flags = q.nHitCounts == kAnyCount ? kActsAlways : q.nHitCounts != 0 ? kActsAtCounts : 0;
    if (q.bNeedsName) flags |= kNeedsName;
    if (q.bNotes) flags |= kNotes;
    if (fIsLineEndByte(current) || current == '"' || current == '\'') flags |= kEndsStretch;
    quietFlags_[static_cast<size_t>(b)] = flags;
    if (q.bNotes) bNotesAny_ = true;
  }
}

bool fMayActOnBuffer(const sAlternatives& list, const char* buffer, int32_t count) {
  if (count <= 0) return true;
  for (const KindCode* codes = list.fFor(buffer[count - 1]); *codes != K_END_OF_LIST; ++codes) {
    const KindCode code = *codes;
    if (code < K_MIN_CODE || code > K_MAX_CODE) return true;
    const eGroup group = fInfo(code).group;
    if ((group != eGroup::kOpener && group != eGroup::kCloser) || fInfo(code).bSymbol) return true;
    if (fKeywordLength(code) == count && std::memcmp(buffer, fKeywordPtr(code), count) == 0) {
      return true;
    }
  }
  return false;
}

bool fScanAlternatives(sState& s, const char* buffer, int32_t pos, int32_t idx, int32_t& start,
                       int32_t& end, int32_t& opener, int32_t& element,
                       const sAlternatives& alternatives, char next) {
  if (buffer == nullptr || idx < 0) {
    return fScanAlternatives(s, buffer, pos, idx, start, end, opener, element,
                             alternatives.fList(), next);
  }
  // fScanStep's work for each code, with what is the same for all of them
  // done once: this runs for every byte that is scanned.
  sScan a{buffer, pos, idx, start, end, opener, element, next};
  for (const KindCode* codes = alternatives.fFor(buffer[idx]); *codes != K_END_OF_LIST; ++codes) {
    const KindCode code = *codes;
    if (code < K_MIN_CODE || code > K_MAX_CODE) return false;
    if (fTestCode(s, a, code) == kScanHit) return true;
  }
  return true;
}

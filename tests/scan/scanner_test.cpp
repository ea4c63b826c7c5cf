// The character scanner, group by group, and the stop rules of lists.
#include "scan/scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <fstream>
#include <string>
#include <vector>

#include "scan/scan_state.h"
#include "scan/typenames.h"

namespace {

// The buffer is handed over without a terminator in an exact-size heap block,
// so a test that reads past idx trips the sanitizer build. next is the byte
// that follows in the text; 0 (the end of the text) is a word end.
int Step(sState& s, const std::string& buffer, int32_t pos, Cut& cut, KindCode code,
         char next = 0) {
  std::vector<char> bytes(buffer.begin(), buffer.end());
  return fScanStep(s, bytes.data(), pos, static_cast<int32_t>(bytes.size()) - 1, cut.start,
                   cut.end, cut.opener, cut.element, code, next);
}

bool Alternatives(sState& s, const std::string& buffer, int32_t pos, Cut& cut,
                  const std::vector<KindCode>& list, char next = 0) {
  std::vector<char> bytes(buffer.begin(), buffer.end());
  return fScanAlternatives(s, bytes.data(), pos, static_cast<int32_t>(bytes.size()) - 1,
                           cut.start, cut.end, cut.opener, cut.element, list.data(), next);
}

}  // namespace

TEST(Scanner, InvalidCodesFailAndNamelessCodesNeverHit) {
  sState s;
  Cut cut;
  for (KindCode code : {-1, 101, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Step(s, "a", 0, cut, code), kScanInvalid);
  }
  for (KindCode code : {K_PLAIN, K_PARAM_LIST, K_CONDITION, K_ARGUMENT, K_EXPRESSION, K_SCRIPT,
                        K_END_OF_LIST, 74, 97, 98, 99, 100}) {
    for (const char* buffer : {"a", "5", " ", "(", "\"", "if", "else", "loop"}) {
      SCOPED_TRACE(std::to_string(code) + " on " + buffer);
      EXPECT_EQ(Step(s, buffer, 3, cut, code), kScanMiss);
    }
  }
  EXPECT_EQ(cut, Cut());
  EXPECT_EQ(s.vPendingNameSet, 0);
  EXPECT_EQ(s.vIfCount + s.vElseCount + s.vLoopCount + s.vOpenParenCount, 0);
}

// Nesting counters: one row is one call on a state prepared with the counts.
TEST(Scanner, NestingCounters) {
  struct Case {
    KindCode code;
    std::string buffer;
    int32_t pos;
    int32_t ifs, endifs, elses, loops, endloops;       // before
    int expected;
    Cut cut;                                           // after
    int32_t ifsAfter, endifsAfter, elsesAfter, loopsAfter, endloopsAfter;
  };
  const Case cases[] = {
      {K_ELSE_NEST, "else", 9, 1, 0, 0, 0, 0, kScanHit, {}, 1, 0, 1, 0, 0},
      {K_ELSE_NEST, "els", 9, 1, 0, 0, 0, 0, kScanMiss, {}, 1, 0, 0, 0, 0},
      {K_ELSE_NEST, "elsei", 9, 1, 0, 0, 0, 0, kScanMiss, {}, 1, 0, 0, 0, 0},
      // A top-level if opens the block at the "i".
      {K_IF_NEST, "if", 10, 0, 0, 0, 0, 0, kScanHit, {9, -1, K_IF, -1}, 1, 0, 0, 0, 0},
      {K_IF_NEST, "if", 10, 1, 0, 0, 0, 0, kScanHit, {}, 2, 0, 0, 0, 0},
      {K_IF_NEST, "if", 10, 2, 2, 0, 0, 0, kScanHit, {9, -1, K_IF, -1}, 3, 2, 0, 0, 0},
      // "elseif" after its counted "else" keeps the count and consumes the else.
      {K_IF_NEST, "elseif", 20, 1, 0, 1, 0, 0, kScanHit, {}, 1, 0, 0, 0, 0},
      {K_IF_NEST, "elseif", 20, 0, 0, 1, 0, 0, kScanHit, {19, -1, K_IF, -1}, 0, 0, 0, 0, 0},
      {K_IF_NEST, "elseif", 20, 1, 0, 0, 0, 0, kScanMiss, {}, 1, 0, 0, 0, 0},
      {K_IF_NEST, "xif", 20, 0, 0, 1, 0, 0, kScanMiss, {}, 0, 0, 1, 0, 0},
      {K_IF_NEST, "fi", 20, 0, 0, 0, 0, 0, kScanMiss, {}, 0, 0, 0, 0, 0},
      {K_ENDIF_NEST, "endif", 30, 1, 0, 0, 0, 0, kScanHit, {-1, 30, -1, K_ENDIF}, 1, 1, 0, 0, 0},
      {K_ENDIF_NEST, "endif", 30, 2, 0, 0, 0, 0, kScanHit, {}, 2, 1, 0, 0, 0},
      {K_ENDIF_NEST, "endifx", 30, 1, 0, 0, 0, 0, kScanMiss, {}, 1, 0, 0, 0, 0},
      {K_LOOP_NEST, "loop", 7, 0, 0, 0, 0, 0, kScanHit, {4, -1, K_LOOP, -1}, 0, 0, 0, 1, 0},
      {K_LOOP_NEST, "loop", 7, 0, 0, 0, 1, 0, kScanHit, {}, 0, 0, 0, 2, 0},
      {K_LOOP_NEST, "loops", 7, 0, 0, 0, 0, 0, kScanMiss, {}, 0, 0, 0, 0, 0},
      {K_ENDLOOP_NEST, "endloop", 40, 0, 0, 0, 1, 0, kScanHit, {-1, 40, -1, K_ENDLOOP},
       0, 0, 0, 1, 1},
      {K_ENDLOOP_NEST, "endloop", 40, 0, 0, 0, 2, 0, kScanHit, {}, 0, 0, 0, 2, 1},
      {K_ENDLOOP_NEST, "endloo", 40, 0, 0, 0, 1, 0, kScanMiss, {}, 0, 0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " on \"" + c.buffer + "\"");
    sState s;
    s.vIfCount = c.ifs, s.vEndifCount = c.endifs, s.vElseCount = c.elses;
    s.vLoopCount = c.loops, s.vEndloopCount = c.endloops;
    Cut cut;
    EXPECT_EQ(Step(s, c.buffer, c.pos, cut, c.code), c.expected);
    EXPECT_EQ(cut, c.cut);
    EXPECT_EQ(s.vIfCount, c.ifsAfter);
    EXPECT_EQ(s.vEndifCount, c.endifsAfter);
    EXPECT_EQ(s.vElseCount, c.elsesAfter);
    EXPECT_EQ(s.vLoopCount, c.loopsAfter);
    EXPECT_EQ(s.vEndloopCount, c.endloopsAfter);
  }
}

// "if a then / elseif b then / else / endif" seen through the counters the
// way a function body offers them: the block closes at the one endif.
TEST(Scanner, ElseifKeepsIfCount) {
  sState s;
  Cut cut;
  const std::vector<KindCode> body = {K_QUOTE_TOGGLE, K_ENDIF_NEST, K_ELSE_NEST, K_IF_NEST,
                                      K_END_OF_LIST};
  EXPECT_TRUE(Alternatives(s, "if", 1, cut, body));
  EXPECT_EQ(s.vIfCount, 1);
  cut = Cut();
  EXPECT_TRUE(Alternatives(s, "else", 20, cut, body));
  EXPECT_TRUE(Alternatives(s, "elseif", 22, cut, body));
  EXPECT_EQ(cut, Cut());
  EXPECT_EQ(s.vIfCount, 1);
  EXPECT_EQ(s.vElseCount, 0);
  EXPECT_TRUE(Alternatives(s, "else", 40, cut, body));
  EXPECT_EQ(s.vElseCount, 1);
  EXPECT_TRUE(Alternatives(s, "endif", 50, cut, body));
  EXPECT_EQ(cut, (Cut{-1, 50, -1, K_ENDIF}));
}

TEST(Scanner, ParenAndQuoteCountersAndGroupSymbols) {
  struct Case {
    KindCode code;
    std::string buffer;
    Cut before;
    int expected;
    Cut after;
    int32_t opens, closes;
    uint8_t inQuotes;
  };
  const Cut open{5, 7, -1, -1};  // group symbols ignore start and end
  const Case cases[] = {
      {K_OPEN_COUNT, "f(", {}, kScanHit, {}, 1, 0, 0},
      {K_OPEN_COUNT, "f)", {}, kScanMiss, {}, 0, 0, 0},
      {K_CLOSE_COUNT, "b)", {}, kScanHit, {}, 0, 1, 0},
      {K_CLOSE_COUNT, "(", {}, kScanMiss, {}, 0, 0, 0},
      {K_QUOTE_TOGGLE, "a\"", {}, kScanHit, {}, 0, 0, 1},
      {K_QUOTE_TOGGLE, "'", {}, kScanMiss, {}, 0, 0, 0},
      {K_LPAREN, "Foo(", open, kScanHit, {12, 7, K_LPAREN, -1}, 0, 0, 0},
      {K_LBRACKET, "a[", open, kScanHit, {12, 7, K_LBRACKET, -1}, 0, 0, 0},
      {K_RPAREN, "x)", open, kScanHit, {5, 12, -1, K_RPAREN}, 0, 0, 0},
      {K_RBRACKET, "]", open, kScanHit, {5, 12, -1, K_RBRACKET}, 0, 0, 0},
      {K_LPAREN, "[", open, kScanMiss, open, 0, 0, 0},
      {K_RBRACKET, ")", open, kScanMiss, open, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " on \"" + c.buffer + "\"");
    sState s;
    Cut cut = c.before;
    EXPECT_EQ(Step(s, c.buffer, 12, cut, c.code), c.expected);
    EXPECT_EQ(cut, c.after);
    EXPECT_EQ(s.vOpenParenCount, c.opens);
    EXPECT_EQ(s.vCloseParenCount, c.closes);
    EXPECT_EQ(s.vInQuotes, c.inQuotes);
  }
  sState s;
  Cut cut;
  Step(s, "\"", 0, cut, K_QUOTE_TOGGLE);
  Step(s, "\"", 1, cut, K_QUOTE_TOGGLE);
  EXPECT_EQ(s.vInQuotes, 0);
}

TEST(Scanner, CharacterClassesAtTheirBoundaries) {
  struct Case {
    unsigned char byte;
    bool letter, high;
  };
  const Case cases[] = {
      {'A', true, false},  {'Z', true, false},  {'a', true, false},  {'z', true, false},
      {'@', false, false}, {'[', false, false}, {'`', false, false}, {'{', false, false},
      {'0', false, false}, {'_', false, false}, {0x00, false, false}, {0x0E, false, false},
      {0x7F, false, false}, {0x80, false, false}, {0xBF, false, false}, {0xC0, false, true},
      {0xE9, false, true}, {0xFF, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    const std::string buffer(1, static_cast<char>(c.byte));
    const struct { KindCode code; bool hits; } classes[] = {
        {K_LETTER, c.letter}, {K_HIGH_BYTE, c.high}, {K_LETTER_OR_HIGH, c.letter || c.high}};
    for (const auto& k : classes) {
      sState s;
      Cut cut;
      EXPECT_EQ(Step(s, buffer, 6, cut, k.code), k.hits ? kScanHit : kScanMiss) << k.code;
      EXPECT_EQ(s.vPendingNameSet, k.hits ? 1 : 0);
      EXPECT_EQ(s.vPendingNameStart, k.hits ? 6 : 0);
      EXPECT_EQ(cut, Cut());
    }
  }
}

TEST(Scanner, NameStartIsKeptOnceSet) {
  sState s;
  Cut cut;
  EXPECT_EQ(Step(s, "a", 4, cut, K_LETTER), kScanHit);
  EXPECT_EQ(Step(s, "ab", 5, cut, K_LETTER), kScanHit);
  EXPECT_EQ(Step(s, "abc", 6, cut, K_ANY_CHAR), kScanMiss);
  EXPECT_EQ(s.vPendingNameStart, 4);
}

TEST(Scanner, AnyCharNotesBytesOneTo127AndNeverHits) {
  struct Case {
    unsigned char byte;
    bool ascii;
  };
  const Case cases[] = {{0x00, false}, {0x01, true}, {' ', true}, {'z', true},
                        {0x7F, true},  {0x80, false}, {0xC0, false}, {0xFF, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    sState s;
    s.vLastChar = '#';
    Cut cut;
    EXPECT_EQ(Step(s, std::string("x") + static_cast<char>(c.byte), 9, cut, K_ANY_CHAR),
              kScanMiss);
    EXPECT_EQ(s.vLastChar, c.ascii ? c.byte : '#');
    EXPECT_EQ(s.vPendingNameSet, c.ascii ? 1 : 0);
    EXPECT_EQ(s.vPendingNameStart, c.ascii ? 9 : 0);
    EXPECT_EQ(cut, Cut());
  }
}

TEST(Scanner, NumberHitsOncePerLiteral) {
  struct Case {
    std::string buffer;
    uint8_t nameSet, numericMode;
    int expected;
    char next = 0;  // the byte after the current one
  };
  const Case cases[] = {
      {"5", 0, 0, kScanHit}, {".", 0, 0, kScanHit}, {"-", 0, 0, kScanHit, '1'},
      {"-", 0, 0, kScanHit, '.'}, {"-", 0, 0, kScanMiss, 'i'}, {"-", 0, 0, kScanMiss},
      {"a", 0, 0, kScanMiss}, {"$", 0, 0, kScanMiss}, {"56", 0, 1, kScanMiss},
      {"x5", 1, 0, kScanMiss},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buffer + " before " + std::string(1, c.next));
    sState s;
    s.vPendingNameSet = c.nameSet;
    s.vNumericMode = c.numericMode;
    Cut cut{3, -1, -1, -1};
    EXPECT_EQ(Step(s, c.buffer, 8, cut, K_NUMBER, c.next), c.expected);
    const bool hit = c.expected == kScanHit;
    EXPECT_EQ(cut, (Cut{3, -1, -1, hit ? K_NUMBER : -1}));  // start untouched
    EXPECT_EQ(s.vNumericMode, hit ? 1 : c.numericMode);
  }
  sState s;
  Cut cut;
  EXPECT_EQ(Step(s, "5", 0, cut, K_NUMBER), kScanHit);
  EXPECT_EQ(Step(s, "56", 1, cut, K_NUMBER), kScanMiss);
}

// Whole-buffer keywords: openers, closers, statement words and type names.
TEST(Scanner, KeywordGroupsAndTheirStartEndConditions) {
  struct Case {
    KindCode code;
    std::string buffer;
    Cut before;
    int expected;
    Cut after;
  };
  const Cut started{3, -1, -1, -1};
  const Cut ended{3, 9, -1, -1};
  const Case cases[] = {
      {K_FUNCTION, "function", {}, kScanHit, {13, -1, K_FUNCTION, -1}},
      {K_CONSTANT_FUNCTION, "constant function", {}, kScanHit, {4, -1, K_CONSTANT_FUNCTION, -1}},
      {K_GLOBALS, "globals", {}, kScanHit, {14, -1, K_GLOBALS, -1}},
      {K_IF, "if", {}, kScanHit, {19, -1, K_IF, -1}},
      {K_LOOP, "loop", {}, kScanHit, {17, -1, K_LOOP, -1}},
      {K_FUNCTION, "function", started, kScanMiss, started},
      {K_FUNCTION, "functions", {}, kScanMiss, {}},
      {K_FUNCTION, " function", {}, kScanMiss, {}},
      {K_ENDFUNCTION, "endfunction", started, kScanHit, {3, -1, -1, K_ENDFUNCTION}},
      {K_ENDGLOBALS, "endglobals", started, kScanHit, {3, -1, -1, K_ENDGLOBALS}},
      {K_ENDIF, "endif", started, kScanHit, {3, -1, -1, K_ENDIF}},
      {K_ENDLOOP, "endloop", started, kScanHit, {3, -1, -1, K_ENDLOOP}},
      {K_ENDFUNCTION, "endfunction", {}, kScanMiss, {}},
      {K_ENDFUNCTION, "endfunction", ended, kScanMiss, ended},
      {K_SET, "set", {}, kScanHit, {18, -1, -1, K_SET}},
      {K_SET, "setx", {}, kScanMiss, {}},
      {K_SET, "set", started, kScanMiss, started},
      {K_CONSTANT, "constant", {}, kScanHit, {13, -1, -1, K_CONSTANT}},
      {K_FUNCTION_REF, "function", {}, kScanHit, {13, -1, -1, K_FUNCTION_REF}},
      {K_SPACE, " ", {}, kScanHit, {20, -1, -1, K_SPACE}},
      {K_NULL, "null", {}, kScanHit, {17, -1, -1, K_NULL}},
      {K_ELSEIF, "elseif", {}, kScanHit, {15, -1, -1, K_ELSEIF}},
      {K_TYPE_INTEGER, "integer", {}, kScanHit, {14, -1, -1, K_TYPE_INTEGER}},
      {K_TYPE_INTEGER, "integer", ended, kScanHit, {14, 9, -1, K_TYPE_INTEGER}},
      {K_TYPE_INTEGER, "integers", {}, kScanMiss, {}},
      {K_TYPE_BOOLEAN, "boolean", {}, kScanHit, {14, -1, -1, K_TYPE_BOOLEAN}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " on \"" + c.buffer + "\"");
    sState s;
    Cut cut = c.before;
    EXPECT_EQ(Step(s, c.buffer, 20, cut, c.code), c.expected);
    EXPECT_EQ(cut, c.after);
    EXPECT_EQ(s.vPendingNameSet, 0);
  }
}

TEST(Scanner, EveryTypeNameHitsOnItsOwnKeyword) {
  for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
    if (!fIsTypeKind(code) || code == K_TYPE_OTHER) continue;
    SCOPED_TRACE(fKeywordText(code));
    sState s;
    Cut cut;
    EXPECT_EQ(Step(s, fKeywordText(code), 50, cut, code), kScanHit);
    EXPECT_EQ(cut, (Cut{51 - fKeywordLength(code), -1, -1, code}));
    EXPECT_EQ(Step(s, fKeywordText(code) + "x", 51, cut, code), kScanMiss);
  }
}

TEST(Scanner, TrailingWordsLeaveTheTextBeforeThemAsPendingName) {
  struct Case {
    KindCode code;
    std::string buffer;
    Cut before;
    int expected;
    Cut after;
    std::string name;
  };
  const Cut started{3, -1, -1, -1};
  const Case cases[] = {
      {K_RETURNS, "foo takes nothing returns", {}, kScanHit, {24, -1, -1, K_RETURNS},
       "foo takes nothing "},
      {K_RETURNS, "returns", {}, kScanHit, {24, -1, -1, K_RETURNS}, ""},
      {K_THEN, "a>b then", {}, kScanHit, {27, -1, -1, K_THEN}, "a>b "},
      {K_THEN, "(x)then", {}, kScanHit, {27, -1, -1, K_THEN}, "(x)"},
      {K_THEN, std::string("ab\0c then", 9), {}, kScanHit, {27, -1, -1, K_THEN}, "ab"},  // copy ends at a 0
      {K_THEN, "hen", {}, kScanMiss, {}, "old"},
      {K_THEN, "then ", {}, kScanMiss, {}, "old"},
      {K_THEN, "a then", started, kScanMiss, started, "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buffer);
    sState s;
    s.vPendingName.fCopy("old");
    Cut cut = c.before;
    EXPECT_EQ(Step(s, c.buffer, 30, cut, c.code), c.expected);
    EXPECT_EQ(cut, c.after);
    EXPECT_EQ(s.vPendingName.str(), c.name);
    EXPECT_EQ(s.vPendingNameSet, c.expected == kScanHit ? 1 : 0);
  }
}

TEST(Scanner, SymbolsCutPendingNameNumberOrLiteral) {
  struct Case {
    KindCode code;
    std::string buffer;
    uint8_t nameSet, numericMode, stringMode;
    int32_t quoteStart;
    Cut before;
    int expected;
    const char* name;
    const char* number;
    uint8_t numberSet;
    const char* literal;
    int32_t quoteStartAfter;
  };
  const Cut started{3, -1, -1, -1};
  const Case cases[] = {
      {K_ASSIGN, "abc=", 1, 0, 0, 0, {}, kScanHit, "abc", "n", 0, "l", 0},
      {K_SPACE, "ab ", 1, 0, 0, 0, {}, kScanHit, "ab", "n", 0, "l", 0},
      {K_PLUS, "12+", 0, 1, 0, 0, {}, kScanHit, "p", "12", 1, "l", 0},
      {K_LESS, "12<", 1, 1, 0, 0, {}, kScanHit, "12", "n", 0, "l", 0},  // name wins
      {K_COMMA, "12,", 0, 0, 0, 0, {}, kScanHit, "p", "n", 0, "l", 0},
      {K_MINUS, "-", 1, 0, 0, 0, {}, kScanHit, "p", "n", 0, "l", 0},    // nothing before
      {K_SLASH, "a/", 1, 0, 0, 0, started, kScanMiss, "p", "n", 0, "l", 0},
      {K_STAR, "a+", 1, 0, 0, 0, {}, kScanMiss, "p", "n", 0, "l", 0},
      {K_QUOTE, "x\"", 1, 0, 0, 0, {}, kScanHit, "p", "n", 0, "l", 41},  // opening
      {K_QUOTE, "hi there\"", 1, 0, 1, 32, {}, kScanHit, "p", "n", 0, "hi there", 32},
      {K_QUOTE, "\"", 0, 0, 1, 40, {}, kScanHit, "p", "n", 0, "l", 40},  // empty literal
      {K_QUOTE, "a\x0E\xC3\xA9\"", 0, 0, 1, 36, {}, kScanHit, "p", "n", 0, "a\x0E\xC3\xA9", 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " on \"" + c.buffer + "\"");
    sState s;
    s.vPendingNameSet = c.nameSet, s.vNumericMode = c.numericMode, s.vStringMode = c.stringMode;
    s.vQuoteStart = c.quoteStart;
    s.vPendingName.fCopy("p"), s.vPendingNumber.fCopy("n"), s.vStringLiteral.fCopy("l");
    Cut cut = c.before;
    EXPECT_EQ(Step(s, c.buffer, 40, cut, c.code), c.expected);
    EXPECT_EQ(cut, (c.expected == kScanHit ? Cut{40, -1, -1, c.code} : c.before));
    EXPECT_EQ(s.vPendingName.str(), c.name);
    EXPECT_EQ(s.vPendingNumber.str(), c.number);
    EXPECT_EQ(s.vPendingNumberSet, c.numberSet);
    EXPECT_EQ(s.vStringLiteral.str(), c.literal);
    EXPECT_EQ(s.vQuoteStart, c.quoteStartAfter);
    EXPECT_EQ(s.vPendingNameSet, c.nameSet);
  }
}

// Names and literals longer than 999 bytes are kept whole.
TEST(Scanner, LongTextsAreCopiedWhole) {
  const std::string longName(3000, 'a');
  sState s;
  s.vPendingNameSet = 1;
  Cut cut;
  EXPECT_EQ(Step(s, longName + "=", 5000, cut, K_ASSIGN), kScanHit);
  EXPECT_EQ(s.vPendingName.str(), longName);
  s.vStringMode = 1;
  cut = Cut();
  EXPECT_EQ(Step(s, longName + "\"", 5000, cut, K_QUOTE), kScanHit);
  EXPECT_EQ(s.vStringLiteral.str(), longName);
  cut = Cut();
  EXPECT_EQ(Step(s, longName + " then", 5000, cut, K_THEN), kScanHit);
  EXPECT_EQ(s.vPendingName.str(), longName + " ");
}

TEST(Scanner, AlternativesStopRules) {
  std::vector<KindCode> misses(102, K_PLAIN);  // 102 codes, no terminator
  struct Case {
    const char* label;
    std::string buffer;
    std::vector<KindCode> list;
    bool expected;
    Cut after;
    int32_t opens;
  };
  auto withAt = [&misses](size_t i, KindCode code) {
    std::vector<KindCode> list = misses;
    list.resize(i + 1, K_PLAIN);
    list[i] = code;
    return list;
  };
  const Case cases[] = {
      {"empty list", "(", {K_END_OF_LIST}, true, {}, 0},
      {"any char alone", "(", {K_ANY_CHAR, K_END_OF_LIST}, true, {}, 0},
      {"counter first wins", "(", {K_OPEN_COUNT, K_LPAREN, K_END_OF_LIST}, true, {}, 1},
      {"group first wins", "(", {K_LPAREN, K_OPEN_COUNT, K_END_OF_LIST}, true,
       {7, -1, K_LPAREN, -1}, 0},
      {"miss then hit", "(", {K_SPACE, K_OPEN_COUNT, K_END_OF_LIST}, true, {}, 1},
      {"invalid first", "(", {200, K_OPEN_COUNT, K_END_OF_LIST}, false, {}, 0},
      {"invalid before hit", "(", {K_SPACE, -5, K_OPEN_COUNT, K_END_OF_LIST}, false, {}, 0},
      {"invalid after hit", "(", {K_OPEN_COUNT, 200, K_END_OF_LIST}, true, {}, 1},
      {"after terminator", "(", {K_END_OF_LIST, 200}, true, {}, 0},
      {"hit as 102nd code", "(", withAt(101, K_OPEN_COUNT), true, {}, 1},
      {"invalid as 102nd code", "(", withAt(101, 200), false, {}, 0},
      {"103rd code never tried", "(", withAt(102, 200), true, {}, 0},
      {"103rd hit never tried", "(", withAt(102, K_OPEN_COUNT), true, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sState s;
    Cut cut;
    EXPECT_EQ(Alternatives(s, c.buffer, 7, cut, c.list), c.expected);
    EXPECT_EQ(cut, c.after);
    EXPECT_EQ(s.vOpenParenCount, c.opens);
  }
}

TEST(Scanner, AnyCharInListLetsLaterCodesRun) {
  sState s;
  Cut cut;
  EXPECT_TRUE(Alternatives(s, "ab=", 12, cut, {K_ANY_CHAR, K_QUOTE, K_ASSIGN, K_END_OF_LIST}));
  EXPECT_EQ(cut, (Cut{12, -1, -1, K_ASSIGN}));
  EXPECT_EQ(s.vLastChar, '=');
  EXPECT_EQ(s.vPendingNameStart, 12);
  EXPECT_EQ(s.vPendingName.str(), "ab");  // any-char raised the name flag first
}

// Every keyword hits only where the word ends in the text ("ifo", "loopy"
// and "elseX" are names); "else" also hits before the "if" of "elseif", and
// the blank does not look ahead.
TEST(Scanner, WordsHitOnlyAtAWordEnd) {
  struct Case {
    KindCode code;
    std::string buffer;
    char next;
    int expected;
  };
  const Case cases[] = {
      {K_OR, "or", 'd', kScanMiss},          {K_OR, "or", ' ', kScanHit},
      {K_NOT, "not", 'i', kScanMiss},        {K_NOT, "not", '(', kScanHit},
      {K_NULL, "null", 'U', kScanMiss},      {K_NULL, "null", ')', kScanHit},
      {K_ARRAY, "array", 'C', kScanMiss},    {K_SET, "set", 'u', kScanMiss},
      {K_CALL, "call", 'X', kScanMiss},      {K_RETURN, "return", '(', kScanHit},
      {K_LOCAL, "local", '_', kScanMiss},    {K_TAKES, "takes", '1', kScanMiss},
      {K_FUNCTION_REF, "function", 'x', kScanMiss}, {K_NOTHING, "nothing", 0, kScanHit},
      {K_TYPE_TIMER, "timer", 'd', kScanMiss}, {K_TYPE_UNIT, "unit", 's', kScanMiss},
      {K_TYPE_UNIT, "unit", ' ', kScanHit},  {K_TYPE_UNIT, "unit", '\xC3', kScanHit},
      {K_ELSE, "else", 'i', kScanHit},       {K_ELSE, "else", 'x', kScanMiss},
      {K_ELSEIF, "elseif", 'x', kScanMiss},  {K_ELSEIF, "elseif", '(', kScanHit},
      {K_SPACE, " ", 'a', kScanHit},         {K_FUNCTION, "function", 'x', kScanMiss},
      {K_FUNCTION, "function", ' ', kScanHit}, {K_GLOBALS, "globals", '\r', kScanHit},
      {K_LOOP_NEST, "loop", 'y', kScanMiss}, {K_LOOP_NEST, "loop", '\r', kScanHit},
      {K_IF_NEST, "if", 'o', kScanMiss},     {K_IF_NEST, "if", '(', kScanHit},
      {K_THEN, "x then", 0, kScanHit},       {K_THEN, "xthen", ' ', kScanMiss},
      {K_THEN, ")then", '\r', kScanHit},     {K_THEN, "1then", ' ', kScanHit},
      {K_RETURNS, "a returnsX", ' ', kScanMiss},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buffer + " before " + std::string(1, c.next));
    sState s;
    Cut cut;
    EXPECT_EQ(Step(s, c.buffer, 20, cut, c.code, c.next), c.expected);
    EXPECT_EQ(cut.start == -1, c.expected == kScanMiss);
  }
  // The nesting counters keep counting inside longer words.
  sState s;
  Cut cut;
  EXPECT_TRUE(Alternatives(s, "else", 4, cut, {K_ELSE_NEST, K_END_OF_LIST}, 'i'));
  EXPECT_TRUE(Alternatives(s, "elseif", 6, cut, {K_IF_NEST, K_END_OF_LIST}, ' '));
  EXPECT_EQ(s.vElseCount, 0);
  EXPECT_EQ(s.vIfCount, 0);
}

// K_TYPE_OTHER hits on exactly the names of the shared type list, at a word
// end, and never on a name of the kind table.
TEST(Scanner, OtherTypeHitsOnTheListedNamesOnly) {
  std::ifstream file(std::string(JASSCRIBE_SHARED_DIR) + "/jass-types.txt", std::ios::binary);
  ASSERT_TRUE(file.good());
  std::vector<std::string> listed;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') listed.push_back(line);
  }
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(std::vector<std::string>(fOtherTypeNamesBegin(), fOtherTypeNamesEnd()), listed);
  for (const std::string& name : listed) {
    SCOPED_TRACE(name);
    sState s;
    Cut cut;
    EXPECT_EQ(Step(s, name, 40, cut, K_TYPE_OTHER, ' '), kScanHit);
    EXPECT_EQ(cut, (Cut{41 - static_cast<int32_t>(name.size()), -1, -1, K_TYPE_OTHER}));
    EXPECT_EQ(fTypeNameLength(K_TYPE_OTHER, name + " x"), static_cast<int32_t>(name.size()));
  }
  struct Case {
    std::string buffer;
    char next;
    int expected;
  };
  const Case cases[] = {{"widget", 0, kScanHit},   {"widget", '(', kScanHit},
                        {"widget", 's', kScanMiss}, {"widge", 't', kScanMiss},
                        {"Widget", ' ', kScanMiss}, {"unit", ' ', kScanMiss},
                        {"integer", ' ', kScanMiss}, {"", ' ', kScanMiss}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buffer);
    sState s;
    Cut cut;
    EXPECT_EQ(Step(s, c.buffer, 40, cut, K_TYPE_OTHER, c.next), c.expected);
  }
  EXPECT_EQ(fTypeNameLength(K_TYPE_OTHER, "widgets w"), 0);
  EXPECT_EQ(fTypeNameLength(K_TYPE_UNIT, "unit u"), 4);
}

// Inside quotes a quote after an odd run of backslashes is part of the
// literal; outside quotes every quote opens one.
TEST(Scanner, EscapedQuoteDoesNotToggle) {
  struct Case {
    std::string buffer;
    uint8_t inQuotes;
    int expected;
    uint8_t inQuotesAfter;
  };
  const Case cases[] = {
      {"\\\"", 1, kScanMiss, 1},      {"a\\\\\\\"", 1, kScanMiss, 1},
      {"\\\\\"", 1, kScanHit, 0},      {"a\"", 1, kScanHit, 0},
      {"\\\"", 0, kScanHit, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buffer);
    sState s;
    s.vInQuotes = c.inQuotes;
    Cut cut;
    EXPECT_EQ(Step(s, c.buffer, 5, cut, K_QUOTE_TOGGLE), c.expected);
    EXPECT_EQ(s.vInQuotes, c.inQuotesAfter);
  }
}


// The engine collects whole runs of bytes without scanning them when the
// compiled list says no code can act at that byte and buffer length. Checked
// here against the scanner itself: every code alone and the longest rule
// lists, buffers built from every keyword with the prefixes that glued and
// trailing keywords look at, and both pending-name states.
TEST(Scanner, QuietBytesChangeNothingButTheNotedByte) {
  std::vector<std::vector<KindCode>> lists;
  for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) lists.push_back({code, K_END_OF_LIST});
  lists.push_back({K_ANY_CHAR, K_QUOTE, K_SPACE, K_LPAREN, K_LBRACKET, K_OR, K_AND, K_NOT,
                   K_STAR, K_SLASH, K_PLUS, K_MINUS, K_LESS, K_GREATER, K_DOLLAR, K_NUMBER,
                   K_BANG, K_ASSIGN, K_NULL, K_FUNCTION_REF, K_LETTER, K_END_OF_LIST});
  lists.push_back({K_ARRAY, K_SPACE, K_NULL, K_NOT, K_OR, K_AND, K_FUNCTION_REF, K_LETTER,
                   K_ASSIGN, K_NUMBER, K_TYPE_OTHER, K_RETURNS, K_THEN, K_END_OF_LIST});
  std::vector<std::string> words = {"x", "12", "'A0'", "abc_9", "(", "\"s\""};
  for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
    if (fKeywordLength(code) > 0) words.push_back(fKeywordText(code));
  }
  for (const std::string_view* p = fOtherTypeNamesBegin(); p != fOtherTypeNamesEnd(); ++p) {
    words.emplace_back(*p);
  }
  std::vector<std::string> buffers;
  for (const char* prefix : {"", "x", "1", "'A'", ") ", "elseif"}) {
    for (const std::string& word : words) {
      for (size_t n = 1; n <= word.size(); ++n) buffers.push_back(prefix + word.substr(0, n));
    }
  }
  buffers.push_back(std::string(70, 'a') + "or");
  int nQuiet = 0;
  sState s;  // made once: a fresh state per case would cost more than the scans
  for (const std::vector<KindCode>& list : lists) {
    const sAlternatives compiled(list.data());
    for (const std::string& buffer : buffers) {
      const char current = buffer.back();
      const sAlternatives::sQuiet& quiet = compiled.fQuiet(current);
      const int32_t count = static_cast<int32_t>(buffer.size());
      for (uint8_t pending : {0, 1}) {
        if (quiet.fHitsAt(count) || (quiet.bNeedsName && pending == 0)) continue;
        for (char next : {'\0', 'a', 'i'}) {
          s.vIfCount = s.vEndifCount = s.vLoopCount = s.vEndloopCount = 0;
          s.vOpenParenCount = s.vCloseParenCount = s.vQuoteStart = s.vPendingNameStart = 0;
          s.vPendingNumberSet = s.vNumericMode = s.vInQuotes = s.vLastChar = 0;
          s.vPendingName.fClear();
          s.vPendingNumber.fClear();
          s.vStringLiteral.fClear();
          s.vPendingNameSet = pending;
          s.vElseCount = 1;
          Cut cut;
          const ScanState before(s, cut);
          std::vector<char> bytes(buffer.begin(), buffer.end());
          ASSERT_TRUE(fScanAlternatives(s, bytes.data(), 5, count - 1, cut.start, cut.end,
                                        cut.opener, cut.element, compiled, next));
          const uint8_t noted = quiet.bNotes ? static_cast<uint8_t>(current) : 0;
          if (!(ScanState(s, cut) == before) || s.vLastChar != noted) {
            ADD_FAILURE() << "list from code " << list[0] << " (" << list.size() - 1
                          << " codes), buffer '" << buffer << "', next '" << next
                          << "', pending " << int{pending};
          }
          ++nQuiet;
        }
      }
    }
  }
  EXPECT_GT(nQuiet, 10000);  // the check covered the quiet cases it is about
}

// Kind codes and the keyword table, checked code by code.
#include "scan/kinds.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

namespace {

struct KeywordRow {
  KindCode value;     // the named constant
  int32_t expected;   // the number it must have
  const char* keyword;
};

// Every code with a keyword; all other codes 0..100 have none.
const KeywordRow kKeywordRows[] = {
    {K_FUNCTION, 0, "function"}, {K_CONSTANT_FUNCTION, 1, "constant function"},
    {K_ENDFUNCTION, 2, "endfunction"}, {K_GLOBALS, 3, "globals"},
    {K_ENDGLOBALS, 4, "endglobals"}, {K_IF, 5, "if"}, {K_ENDIF, 6, "endif"},
    {K_LOCAL, 7, "local"}, {K_SET, 8, "set"}, {K_CALL, 9, "call"}, {K_RETURN, 10, "return"},
    {K_OR, 11, "or"}, {K_AND, 12, "and"}, {K_NOT, 13, "not"}, {K_CONSTANT, 14, "constant"},
    {K_TAKES, 15, "takes"}, {K_RETURNS, 16, "returns"}, {K_ARRAY, 17, "array"},
    {K_TYPE_UNIT, 18, "unit"}, {K_TYPE_PLAYER, 19, "player"}, {K_TYPE_GROUP, 20, "group"},
    {K_TYPE_INTEGER, 21, "integer"}, {K_TYPE_STRING, 22, "string"}, {K_TYPE_REAL, 23, "real"},
    {K_TYPE_CODE, 24, "code"}, {K_TYPE_RECT, 25, "rect"}, {K_TYPE_TIMER, 26, "timer"},
    {K_TYPE_HASHTABLE, 27, "hashtable"}, {K_TYPE_DESTRUCTABLE, 28, "destructable"},
    {K_TYPE_SOUND, 29, "sound"}, {K_TYPE_TRIGGER, 30, "trigger"},
    {K_TYPE_MULTIBOARD, 31, "multiboard"}, {K_TYPE_LIGHTNING, 32, "lightning"},
    {K_TYPE_TIMERDIALOG, 33, "timerdialog"}, {K_TYPE_REGION, 34, "region"},
    {K_TYPE_EFFECT, 35, "effect"}, {K_TYPE_TEXTTAG, 36, "texttag"},
    {K_TYPE_UNITSTATE, 37, "unitstate"}, {K_THEN, 38, "then"}, {K_LOOP, 39, "loop"},
    {K_EXITWHEN, 40, "exitwhen"}, {K_ENDLOOP, 41, "endloop"}, {K_LPAREN, 42, "("},
    {K_RPAREN, 43, ")"}, {K_ELSE, 45, "else"}, {K_ELSEIF, 46, "elseif"},
    {K_NOTHING, 47, "nothing"}, {K_NULL, 48, "null"}, {K_SPACE, 49, " "}, {K_COMMA, 50, ","},
    {K_ASSIGN, 51, "="}, {K_PLUS, 55, "+"}, {K_QUOTE, 56, "\""}, {K_DOLLAR, 57, "$"},
    {K_BANG, 59, "!"}, {K_TYPE_BOOLEAN, 60, "boolean"}, {K_STAR, 61, "*"}, {K_LESS, 62, "<"},
    {K_GREATER, 63, ">"}, {K_LBRACKET, 64, "["}, {K_RBRACKET, 65, "]"}, {K_MINUS, 68, "-"},
    {K_SLASH, 69, "/"}, {K_FUNCTION_REF, 73, "function"},
    {K_TYPE_WEATHEREFFECT, 76, "weathereffect"}, {K_TYPE_PLAYEREVENT, 78, "playerevent"},
    {K_TYPE_PLAYERUNITEVENT, 79, "playerunitevent"}, {K_TYPE_BOOLEXPR, 80, "boolexpr"},
    {K_TYPE_GAMETYPE, 81, "gametype"}, {K_TYPE_FORCE, 90, "force"}, {K_TYPE_QUEST, 91, "quest"},
    {K_TYPE_FOGMODIFIER, 92, "fogmodifier"}, {K_TYPE_ITEM, 93, "item"},
    {K_TYPE_EVENT, 94, "event"}, {K_TYPE_MULTIBOARDITEM, 95, "multiboarditem"},
};

}  // namespace

TEST(Kinds, KeywordOfEveryCodeMatchesTheTable) {
  std::map<int32_t, std::string> expected;
  for (const KeywordRow& row : kKeywordRows) {
    SCOPED_TRACE(row.keyword);
    EXPECT_EQ(row.value, row.expected);
    expected[row.expected] = row.keyword;
  }
  // 101 codes less 21 without a keyword text (classes, rules, counters and
  // K_TYPE_OTHER) and 5 unnamed.
  ASSERT_EQ(expected.size(), 75u);
  for (KindCode code = -1; code <= 101; ++code) {
    SCOPED_TRACE("code " + std::to_string(code));
    auto it = expected.find(code);
    const std::string keyword = it == expected.end() ? std::string() : it->second;
    EXPECT_EQ(fKeywordText(code), keyword);
    EXPECT_EQ(fKeywordLength(code), static_cast<int32_t>(keyword.size()));
    EXPECT_STREQ(fKeywordPtr(code), keyword.c_str());
  }
}

TEST(Kinds, CodesWithoutKeywordHaveTheirValues) {
  const struct { KindCode value; int32_t expected; } rows[] = {
      {K_PLAIN, 44}, {K_LETTER, 52}, {K_HIGH_BYTE, 53}, {K_LETTER_OR_HIGH, 54},
      {K_NUMBER, 58}, {K_PARAM_LIST, 66}, {K_CONDITION, 67}, {K_ANY_CHAR, 70},
      {K_ARGUMENT, 71}, {K_EXPRESSION, 72}, {K_SCRIPT, 75}, {K_END_OF_LIST, 77},
      {K_QUOTE_TOGGLE, 82}, {K_OPEN_COUNT, 83}, {K_CLOSE_COUNT, 84}, {K_IF_NEST, 85},
      {K_LOOP_NEST, 86}, {K_ENDIF_NEST, 87}, {K_ENDLOOP_NEST, 88}, {K_ELSE_NEST, 89},
      {K_TYPE_OTHER, 96},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(row.value, row.expected);
    EXPECT_EQ(fKeywordLength(row.value), 0);
  }
}

TEST(Kinds, FarOutOfRangeCodesHaveNoKeyword) {
  for (KindCode code : {INT_MIN, -100, 96, 100, 1000, INT_MAX}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(fKeywordLength(code), 0);
    EXPECT_EQ(fKeywordText(code), "");
  }
}

TEST(Kinds, TypeKindsAreExactlyTheTypeSet) {
  for (KindCode code = -1; code <= 101; ++code) {
    SCOPED_TRACE(code);
    const bool expected = (code >= 18 && code <= 37) || code == 60 || code == 76 ||
                          (code >= 78 && code <= 81) || (code >= 90 && code <= 96);
    EXPECT_EQ(fIsTypeKind(code), expected);
    if (expected) {
      // Every table type has its keyword; K_TYPE_OTHER carries its own name.
      EXPECT_EQ(fKeywordLength(code) > 0, code != K_TYPE_OTHER);
    }
  }
}

// Globals block, "array" and line-remainder handlers: array declarations and
// their registration, the order of the remainder's three roles, and the guard
// that keeps a remainder from starting a second expression run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handlers/handlers.h"
#include "rules/rules.h"
#include "scan/kinds.h"

TEST(Globals, ArrayNameWritesOneElementArrayDeclaration) {
  struct Case {
    const char* type;
    uint8_t inGlobals;
    const char* name;
    const char* expected;
  } cases[] = {
      {"integer", 1, "udg_v", "\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> udg_v"},
      {"sMyString", 0, "s", "\tsMyArray<sMyString[1],CONST_MAX_SIZE_MASS> s"},
      {"", 1, "n", "\tsMyArray<[1],CONST_MAX_SIZE_MASS> n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    sState s;
    s.vArrayDecl = 1;
    s.vInGlobals = c.inGlobals;
    s.vPendingType = sText(c.type);
    sText in(c.name);
    sText out;
    ASSERT_TRUE(fOnPlain(s, in, out));
    EXPECT_EQ(out.data, c.expected);
    EXPECT_EQ(s.vGlobalNames.fContainsString(c.name), c.inGlobals == 1);
    EXPECT_EQ(s.vGlobalNames.nCount(), c.inGlobals);
    EXPECT_EQ(s.vPendingType.data, "");  // no second copy of the type later
    EXPECT_EQ(s.vArrayDecl, 1);          // until the statement's reset
  }
}

TEST(Globals, FailedRuleLeavesFlagsAsTheyAre) {
  struct Case {
    const char* name;
    bool (*handler)(sState&, sText&, sText&);
    uint8_t inGlobalsAfter;
    uint8_t inExpressionAfter;
  } cases[] = {
      {"globals block", fOnGlobalsBlock, 1, 0},
      {"outermost remainder", fOnPlain, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sState s;
    s.vDepth = CONST_MAX_DEPTH;
    sText in("x");
    sText out;
    EXPECT_FALSE(c.handler(s, in, out));
    EXPECT_EQ(s.vInGlobals, c.inGlobalsAfter);
    EXPECT_EQ(s.vInExpressionRule, c.inExpressionAfter);
  }
}

TEST(Plain, OutermostRemainderRunsExpressionRuleOnce) {
  sState s;
  std::vector<KindCode> codes;
  std::vector<uint8_t> guardSeen;
  s.fTestDispatch = [&](sState& st, int32_t code, sText&, sText& out, bool* pResult) {
    codes.push_back(code);
    guardSeen.push_back(st.vInExpressionRule);
    out = sText("X");
    *pResult = true;
    return true;
  };
  sText in("x");
  sText out;
  ASSERT_TRUE(fOnPlain(s, in, out));
  EXPECT_EQ(codes, std::vector<KindCode>{K_PLAIN});
  EXPECT_EQ(guardSeen, std::vector<uint8_t>{1});
  EXPECT_EQ(in.bTerminated, 1);  // the run adds no statement end of its own
  EXPECT_EQ(out.data, "X");
  EXPECT_EQ(s.vInExpressionRule, 0);  // cleared by the reset
}

TEST(Plain, RemainderInsideExpressionRunIsOnlyFlushed) {
  struct Case {
    const char* element;
    const char* expected;
  } cases[] = {
      {"x", "x"},
      {"doit", "doit"},
      {"do", "do_2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    sState s;
    s.vInExpressionRule = 1;
    int dispatched = 0;
    s.fTestDispatch = [&](sState&, int32_t, sText&, sText&, bool*) {
      ++dispatched;
      return false;
    };
    sText in(c.element);
    sText out;
    ASSERT_TRUE(fOnPlain(s, in, out));
    EXPECT_EQ(out.data, c.expected);
    EXPECT_EQ(dispatched, 0);
    EXPECT_EQ(s.vInExpressionRule, 0);
  }
}

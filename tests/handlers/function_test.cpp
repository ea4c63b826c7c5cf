// Function block and header handlers: the head and prototype built from the
// return type, the "nothing" keyword in its two places, and the per-function
// reset around the function rule. Whole headers are covered by golden tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handlers/handlers.h"
#include "rules/rules.h"
#include "scan/kinds.h"

TEST(FunctionHeader, SignatureBuildsHeadAndPrototype) {
  struct Case {
    uint8_t returnsNothing;
    const char* typeWord;
    const char* name;
    const char* params;
    const char* prototype;
  } cases[] = {
      {1, "nothing", "fMainJass", "()", "void fMainJass()"},
      {0, "string", "GetName", "()", "sMyString GetName()"},
      {0, "stringlike", "F", "()", "sMyString F()"},
      {0, "integer", "Count", "(integer a,real b)", "integer Count(integer a,real b)"},
      {0, "unit", "U", "()", "unit U()"},
      {0, "strin", "S", "()", "strin S()"},  // shorter than "string": no match
      {0, "str", "S", "()", "str S()"},
      {0, "s", "S", "()", "s S()"},
      {1, "integer", "V", "()", "void V()"},  // nothing wins over the word
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typeWord);
    sState s;
    s.vReturnsSeen = 1;
    s.vReturnsNothing = c.returnsNothing;
    s.vFuncName.fCopy(c.name);
    s.vFuncParams = sText(c.params);
    s.vFuncPrototype = sText("stale");
    sText in(c.typeWord);
    sText out;
    ASSERT_TRUE(fOnPlain(s, in, out));
    EXPECT_EQ(out.data, "");
    EXPECT_EQ(s.vFuncPrototype.data, c.prototype);
    EXPECT_EQ(s.vFuncHeadText.data, std::string(c.prototype) + "\r\n{\r\n");
    EXPECT_EQ(s.vReturnsSeen, 0);
  }
}

TEST(FunctionHeader, SignatureTakesPrecedenceOverArrayName) {
  sState s;
  s.vReturnsSeen = 1;
  s.vArrayDecl = 1;
  s.vPendingType = sText("integer");
  s.vFuncName.fCopy("F");
  s.vFuncParams = sText("()");
  sText in("boolean");
  sText out;
  ASSERT_TRUE(fOnPlain(s, in, out));
  EXPECT_EQ(out.data, "");
  EXPECT_EQ(s.vFuncPrototype.data, "boolean F()");
  EXPECT_EQ(s.vPendingType.data, "integer");
}

TEST(FunctionHeader, NothingMakesVoidOnlyAfterReturns) {
  struct Case {
    const char* where;
    uint8_t inTakes;
    uint8_t returnsSeen;
    bool builds;
  } cases[] = {
      {"after returns", 0, 1, true},
      {"after takes", 1, 0, false},
      {"takes still open", 1, 1, false},
      {"elsewhere", 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    sState s;
    s.vInTakes = c.inTakes;
    s.vReturnsSeen = c.returnsSeen;
    s.vFuncName.fCopy("F");
    s.vFuncParams = sText("()");
    sText in("nothing");
    sText out;
    ASSERT_TRUE(fOnNothing(s, in, out));
    EXPECT_EQ(out.data, "");
    EXPECT_EQ(s.vReturnsNothing, c.builds ? 1 : 0);
    EXPECT_EQ(s.vFuncHeadText.data, c.builds ? "void F()\r\n{\r\n" : "");
  }
}

TEST(FunctionBlock, ResetsHeaderStateAroundTheRule) {
  sState s;
  s.vIfCount = s.vEndifCount = s.vElseCount = s.vLoopCount = s.vEndloopCount = 3;
  s.vReturnsNothing = s.vInTakes = s.vReturnsSeen = s.vPendingNameSet = 1;
  s.vInFunctionBody = 1;
  s.vFuncHeadText = sText("void Old()\r\n{\r\n");
  s.vFuncPrototype = sText("void Old()");
  std::vector<int32_t> seen;
  s.fTestDispatch = [&](sState& st, int32_t code, sText&, sText&, bool* pResult) {
    if (code != K_TAKES) return false;
    seen = {st.vIfCount, st.vEndifCount, st.vElseCount, st.vLoopCount, st.vEndloopCount,
            st.vReturnsNothing, st.vInTakes, st.vReturnsSeen, st.vInFunctionBody};
    st.vReturnsSeen = 1;  // as if the header stopped after "returns"
    st.vInTakes = 1;
    *pResult = true;
    return true;
  };
  sText in("function f takes nothing returns nothing\r\nendfunction");
  in.nHeadLen = 8;
  in.nTailLen = 11;
  sText out;
  ASSERT_TRUE(fOnFunctionBlock(s, in, out));
  EXPECT_EQ(seen, std::vector<int32_t>(9, 0));
  EXPECT_EQ(in.bTerminated, 1);
  EXPECT_EQ(s.vReturnsSeen, 0);
  EXPECT_EQ(s.vInTakes, 0);
  EXPECT_EQ(s.vReturnsNothing, 0);
  // No head was built, so the old one must not frame this body.
  EXPECT_EQ(out.data.find("Old"), std::string::npos);
}

TEST(FunctionHeader, FailedRuleIsPassedOnAtOnce) {
  struct Case {
    const char* name;
    bool (*handler)(sState&, sText&, sText&);
    uint8_t inTakesAfter;  // the reset before the rule still happened
  } cases[] = {
      {"function block", fOnFunctionBlock, 0},
      {"takes", fOnTakes, 1},
      {"returns", fOnReturns, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sState s;
    s.vDepth = CONST_MAX_DEPTH;
    s.vInTakes = 1;
    sText in("x");
    sText out;
    EXPECT_FALSE(c.handler(s, in, out));
    EXPECT_EQ(s.vInTakes, c.inTakesAfter);
    EXPECT_EQ(s.vReturnsSeen, 0);
  }
}

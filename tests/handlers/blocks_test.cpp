// If and loop handlers: the condition cut before "then", the "} else " text
// by depth, the "if" of an elseif, and the flags the block handlers set for
// their rules and report back to the enclosing one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handlers/handlers.h"
#include "rules/rules.h"
#include "scan/kinds.h"

TEST(IfBlock, ThenDropsAtMostOneBlankOnEachSide) {
  struct Case {
    const char* pending;
    const char* condition;
  } cases[] = {
      {" a > b ", "a > b"},
      {"  a  ", " a "},
      {" a", "a"},
      {"a ", "a"},
      {"a", "a"},
      {" ", ""},  // both trims would take the same byte: empty, never negative
      {"  ", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("[") + c.pending + "]");
    sState s;
    s.vPendingName.fCopy(c.pending);
    sText in("then");
    sText out;
    ASSERT_TRUE(fOnThen(s, in, out));
    EXPECT_EQ(s.vCondText.data, c.condition);
    EXPECT_EQ(in.bInBody, 1);
  }
}

TEST(IfBlock, ThenStartsEachConditionFromCleanGroupState) {
  sState s;
  // A previous condition whose run ended inside a bracket group.
  s.vCondText = sText("a[i");
  s.vCondText.bInBracket = 1;
  s.vCondText.nBracketOpen = 1;
  std::vector<KindCode> kinds;
  std::vector<std::string> texts;
  s.fTestDispatch = [&](sState&, int32_t code, sText& in, sText& out, bool* pResult) {
    kinds.push_back(code);
    texts.push_back(in.data);
    out = sText(in.data);
    *pResult = true;
    return true;
  };
  s.vPendingName.fCopy(" f(x) ");
  sText in("then");
  sText out;
  ASSERT_TRUE(fOnThen(s, in, out));
  EXPECT_EQ(kinds, std::vector<KindCode>{K_RPAREN});
  EXPECT_EQ(texts, std::vector<std::string>{"(x)"});
}

TEST(IfBlock, ElseClosesBranchIndentedOneLessThanDepth) {
  struct Case {
    int32_t depth;
    const char* expected;
  } cases[] = {
      {1, "}\r\nelse "},
      {2, "\t}\r\n\telse "},
      {4, "\t\t\t}\r\n\t\t\telse "},
      {0, "}\r\nelse "},  // never a negative count of tabs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    sState s;
    s.vDepth = c.depth;
    sText in("else");
    sText out;
    ASSERT_TRUE(fOnElse(s, in, out));
    EXPECT_EQ(out.data, c.expected);
    EXPECT_EQ(s.vElsePending, 1);
  }
}

TEST(Blocks, FailedRuleIsPassedOnAtOnce) {
  struct Case {
    const char* name;
    bool (*handler)(sState&, sText&, sText&);
  } cases[] = {
      {"if block", fOnIfBlock},
      {"then", fOnThen},
      {"loop block", fOnLoopBlock},
      {"exitwhen", fOnExitwhen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sState s;
    s.vDepth = CONST_MAX_DEPTH;
    sText in("x");
    in.bInLoop = 1;
    sText out;
    EXPECT_FALSE(c.handler(s, in, out));
    EXPECT_EQ(in.bInBody, c.handler == fOnLoopBlock ? 1 : 0);
    EXPECT_EQ(in.bInLoop, 1);
  }
}

// The engine's depth bound and long inputs: deep nesting ends at the bound
// instead of exhausting the stack, and long lines are translated whole.
#include <string>

#include <gtest/gtest.h>

#include "driver/convert.h"
#include "rule_test_util.h"

namespace {

const char kHeader[] = "function f takes nothing returns nothing\r\n";
const char kFooter[] = "endfunction\r\n";

std::string fNested(int n) { return std::string(n, '(') + std::string(n, ')'); }

TEST(RuleEngineDepth, CallPastTheBoundDoesNothing) {
  sState s;
  s.vDepth = CONST_MAX_DEPTH;
  sText in = fMakeText("set x", 3);
  sText out("untouched");
  EXPECT_FALSE(fApplyRule(s, in, out, K_SET));
  EXPECT_EQ(s.vDepth, CONST_MAX_DEPTH);
  EXPECT_EQ(out.data, "untouched");
  EXPECT_EQ(in.bTerminated, 0);

  s.vDepth = CONST_MAX_DEPTH - 1;  // this call runs at the bound itself
  EXPECT_TRUE(fApplyRule(s, in, out, K_SET));
  EXPECT_EQ(s.vDepth, CONST_MAX_DEPTH - 1);
}

// Rule K_LPAREN directly, so no handler stands between the levels. Calls run
// at depths 0 to 200; the deepest keeps only its "(" because its own group
// is refused, and every level above closes its group.
TEST(RuleEngineDepth, TwoThousandNestedParenthesesStopAtTheBound) {
  sState s;
  sText in = fMakeText(fNested(2000), 1, 1);
  in.bTerminated = 1;
  s.vDepth = -1;
  sText out;
  EXPECT_TRUE(fApplyRule(s, in, out, K_LPAREN));
  EXPECT_EQ(s.vDepth, -1);
  const int levels = CONST_MAX_DEPTH + 1;
  EXPECT_EQ(out.data, std::string(levels, '(') + std::string(levels - 1, ')'));
}

// The same through the whole conversion: script, function and call rules
// take three levels, so the call's group holds 198 levels, and the output,
// which lacks the rest, is not emitted: the depth is an error of line 2.
TEST(RuleEngineDepth, TwoThousandNestedParenthesesThroughTheConversion) {
  sState s;
  const std::string script =
      std::string(kHeader) + "call g(" + fNested(2000) + ")\r\n" + kFooter;
  EXPECT_TRUE(fConvertScript(s, script.data(), script.size()));
  EXPECT_EQ(s.vDepth, -1);
  ASSERT_GE(s.vFuncsCppList.nCount(), 1);
  const int levels = CONST_MAX_DEPTH - 2;
  const std::string call =
      "\tg" + std::string(levels, '(') + std::string(levels - 1, ')') + ";\r\n";
  EXPECT_EQ(s.vFuncsCppList.fItem(0), "void f()\r\n{\r\n" + call + "}\r\n");
  EXPECT_EQ(s.vCppLines.nCount(), 0);  // the emitters did not run
  ASSERT_NE(fFirstError(s.vDiagnostics), nullptr);
  EXPECT_EQ(fFirstError(s.vDiagnostics)->problem, eProblem::kTooDeep);
  EXPECT_EQ(fFirstError(s.vDiagnostics)->nLine, 2);
}

TEST(RuleEngineDepth, LineOfFiveThousandCharactersIsTranslatedWhole) {
  // Distinct arguments: a repeated one that starts with a blank would be
  // written once.
  std::string args = "v0";
  for (int i = 1; i < 860; ++i) args += ", v" + std::to_string(i);
  const std::string line = "call g(" + args + ")";
  ASSERT_GE(line.size(), 5000u);
  sState s;
  const std::string script = std::string(kHeader) + line + "\r\n" + kFooter;
  EXPECT_TRUE(fConvertScript(s, script.data(), script.size()));
  ASSERT_GE(s.vFuncsCppList.nCount(), 1);
  EXPECT_EQ(s.vFuncsCppList.fItem(0), "void f()\r\n{\r\n\tg(" + args + ");\r\n}\r\n");
}

TEST(RuleEngineDepth, RejectedScriptProducesNoOutput) {
  sState s;
  // The whole-script rule fails: the emitters must not run.
  s.fTestDispatch = [](sState&, int32_t code, sText&, sText&, bool* pResult) {
    *pResult = false;
    return code == K_SCRIPT;
  };
  const std::string script = std::string(kHeader) + kFooter;
  EXPECT_TRUE(fConvertScript(s, script.data(), script.size()));
  EXPECT_EQ(s.vCppLines.nCount(), 0);
  EXPECT_EQ(s.vHeaderLines.nCount(), 0);
}

}  // namespace

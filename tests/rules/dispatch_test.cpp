// The dispatcher: which codes are refused, and the two group remappings.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rule_test_util.h"

namespace {

TEST(Dispatcher, RefusesEveryCodeWithoutAnEntry) {
  // Openers, rule-only codes, classes, counters, the terminator and the
  // unused codes.
  const std::set<KindCode> refused = {K_FUNCTION,     K_CONSTANT_FUNCTION, K_GLOBALS, K_IF,
                                      K_LOOP,         K_LPAREN,            K_LBRACKET,
                                      K_CONDITION,    K_EXPRESSION,        K_LETTER,
                                      K_HIGH_BYTE,    K_LETTER_OR_HIGH,    K_ANY_CHAR,
                                      K_END_OF_LIST,  74,                  82,
                                      83,             84,                  85,
                                      86,             87,                  88,
                                      89,             97,                  98,
                                      99,             100};
  for (KindCode code = -2; code <= 102; ++code) {
    if (code >= 0 && code <= 100 && refused.count(code) == 0) continue;
    SCOPED_TRACE(code);
    sState s;
    sText in("x");
    sText out("untouched");
    EXPECT_FALSE(fRunRule(s, code, in, out));
    EXPECT_EQ(out.data, "untouched");
    EXPECT_EQ(s.vDepth, 0);
  }
}

TEST(Dispatcher, GroupsAreTranslatedByTheirOpenersRule) {
  struct Case {
    KindCode code;
    std::string text;
    std::string expected;
  };
  // The inner element is recorded and written back by a stand-in; the frame
  // around it comes from the opener's rule.
  const Case cases[] = {
      {K_RPAREN, "(a)", "(a)"},
      {K_RBRACKET, "[i]", "[i]"},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.text);
    sState s;
    std::vector<sSeen> seen;
    fRecordElements(s, seen, {{K_ARGUMENT, fWriteBody}, {K_PLAIN, fWriteBody}});
    // The outer call goes through the real table; only what it dispatches
    // is recorded.
    auto record = s.fTestDispatch;
    const KindCode outer = tc.code;
    s.fTestDispatch = [record, outer](sState& st, int32_t code, sText& in, sText& out, bool* r) {
      return code != outer && record(st, code, in, out, r);
    };
    sText in = fMakeText(tc.text, 1, 1);
    in.bTerminated = 1;
    sText out;
    EXPECT_TRUE(fRunRule(s, tc.code, in, out));
    EXPECT_EQ(out.data, tc.expected);
  }
}

TEST(Dispatcher, EndifRunsTheIfBlockHandler) {
  sState s;
  s.vDepth = 1;
  sText in = fMakeText("if x then\r\nendif", 2, 5);
  in.bInIf = 1;
  sText out;
  EXPECT_TRUE(fRunRule(s, K_ENDIF, in, out));
  EXPECT_EQ(in.bInIf, 0);  // the handler clears it before running rule K_IF
  EXPECT_EQ(out.data.substr(0, 4), "\tif ");
}

}  // namespace

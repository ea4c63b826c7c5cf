// The shapes the engine gives blocks and statements: opening, else-brace and
// closing pieces, indentation by depth, and the blank-piece rules. Inner
// elements are written by stand-ins, so every byte of the frame is the
// engine's own.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rule_test_util.h"

namespace {

fStandIn fWrite(const std::string& text) {
  return [text](sState&, sText&, sText& out) {
    out.data = text;
    return true;
  };
}
bool fWriteWhole(sState&, sText& in, sText& out) {
  out.data = in.data;
  return true;
}
bool fThenOpensBody(sState&, sText& in, sText& out) {
  in.bInBody = 1;
  out.data = "(c)\r\n\t{\r\n";
  return true;
}
bool fElseBranch(sState& s, sText&, sText& out) {
  s.vElsePending = 1;
  out.data = "\t}\r\n\telse ";
  return true;
}

struct FrameCase {
  const char* name;
  KindCode rule;
  std::string text;
  int32_t head;
  int32_t tail;
  int32_t depth;
  bool terminated;  // the caller marked the text as carrying its own end
  bool inBody;
  std::map<KindCode, fStandIn> standIns;
  std::string expected;
};

std::vector<FrameCase> fFrameCases() {
  const fStandIn body = fWriteBody;
  return {
      {"loop at depth 2", K_LOOP, "loop\r\nset x\r\nendloop", 4, 7, 2, true, true,
       {{K_SET, fWrite("\t\tS;\r\n")}}, "\twhile(true)\r\n\t{\r\n\t\tS;\r\n\t}\r\n"},
      {"exitwhen wraps its condition", K_EXITWHEN, "exitwhen done", 8, 0, 2, true, false,
       {{K_PLAIN, body}}, "\tif (done) break;\r\n"},
      {"exitwhen doubles the parentheses of a group", K_EXITWHEN, "exitwhen (a > b)", 8, 0, 2,
       true, false, {{K_RPAREN, fWriteWhole}}, "\tif ((a > b)) break;\r\n"},
      {"if block", K_IF, "if c then\r\nset x\r\nendif", 2, 5, 2, false, false,
       {{K_THEN, fThenOpensBody}, {K_SET, fWrite("\t\tS;\r\n")}},
       "\tif (c)\r\n\t{\r\n\t\tS;\r\n\t}\r\n"},
      {"if block with else", K_IF, "if c then\r\nset x\r\nelse\r\nset y\r\nendif", 2, 5, 2, false,
       false,
       {{K_THEN, fThenOpensBody}, {K_ELSE, fElseBranch}, {K_SET, fWrite("\t\tS;\r\n")}},
       "\tif (c)\r\n\t{\r\n\t\tS;\r\n\t}\r\n\telse \r\n\t{\r\n\t\tS;\r\n\t}\r\n"},
      {"condition is wrapped", K_CONDITION, "done", 0, 0, 3, true, true, {{K_PLAIN, body}},
       "(done)\r\n\t{\r\n"},
      {"condition that is one group is not wrapped again", K_CONDITION, "(a > b)", 0, 0, 3,
       true, true, {{K_RPAREN, fWriteWhole}}, "(a > b)\r\n\t{\r\n"},
      {"two groups joined by and are wrapped", K_CONDITION, "(a) and (b)", 0, 0, 3, true, true,
       {{K_RPAREN, fWriteWhole}, {K_AND, fWriteWhole}}, "((a)and(b))\r\n\t{\r\n"},
      {"return", K_RETURN, "return x", 6, 0, 2, false, false, {{K_PLAIN, body}},
       "\treturn x;\r\n"},
      {"set", K_SET, "set x", 3, 0, 2, false, false, {{K_PLAIN, body}}, "\tx;\r\n"},
      {"call at depth 3", K_CALL, "call x", 4, 0, 3, false, false, {{K_PLAIN, body}},
       "\t\tx;\r\n"},
      {"local", K_LOCAL, "local integer i", 5, 0, 2, false, false,
       {{K_TYPE_INTEGER, fWriteWhole}}, "\tinteger i;\r\n"},
      {"a terminated statement gets no second end", K_SET, "set x", 3, 0, 2, true, false,
       {{K_PLAIN, body}}, "\tx"},
      {"function", K_FUNCTION, "function f takes nothing returns nothing\r\nset x\r\nendfunction",
       8, 11, 1, true, false, {{K_SET, fWrite("\tS;\r\n")}}, "HEAD\r\n{\r\n\tS;\r\n}\r\n"},
      {"parameter list", K_PARAM_LIST, " integer a, unit b ", 0, 0, 2, true, false,
       {{K_COMMA, [](sState& s, sText&, sText& out) {
           out.data = s.vPendingName.str() + ",";
           return true;
         }},
        {K_ARGUMENT, body}},
       "( integer a, unit b )\r\n{\r\n"},
      {"empty parameter list", K_PARAM_LIST, "", 0, 0, 2, true, false, {}, "()\r\n{\r\n"},
      {"bracket index gets [0]", K_SET, "set v[i]", 3, 0, 2, false, false,
       {{K_RBRACKET, fWriteWhole}}, "\tv[i][0];\r\n"},
  };
}

TEST(RuleEngineFraming, GivesEachConstructItsFrame) {
  for (const FrameCase& tc : fFrameCases()) {
    SCOPED_TRACE(std::string(tc.name) + " | " + fShow(tc.text));
    sState s;
    s.vFuncHeadText = sText("HEAD\r\n{\r\n");
    std::vector<sSeen> seen;
    fRecordElements(s, seen, tc.standIns);
    sText in = fMakeText(tc.text, tc.head, tc.tail);
    in.bTerminated = tc.terminated ? 1 : 0;
    in.bInBody = tc.inBody ? 1 : 0;
    EXPECT_EQ(fShow(fRun(s, in, tc.rule, tc.depth)), fShow(tc.expected));
  }
}

// Blanks written by the blank handler: a repeat of the last piece is dropped,
// and outside the globals block a blank is not written first in an indented
// or type rule, nor last anywhere.
TEST(RuleEngineFraming, LeavesOutRepeatedAndEdgeBlanks) {
  struct Case {
    KindCode rule;
    std::string text;
    int32_t head;
    bool inGlobals;
    std::string expected;
  };
  const Case cases[] = {
      {K_SET, "set a = b", 3, false, "\t= b;\r\n"},  // the second blank repeats the first
      {K_ARGUMENT, "x = ", 0, false, " ="},
      {K_ARGUMENT, "x = ", 0, true, " = x"},  // a name left pending ends the argument
      {K_TYPE_INTEGER, "integer a = 1", 7, false, "= 1;\r\n"},
      {K_TYPE_INTEGER, "integer a = 1", 7, true, " = 1;\r\n"},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.text + (tc.inGlobals ? " (globals)" : ""));
    sState s;
    s.vInGlobals = tc.inGlobals ? 1 : 0;
    std::vector<sSeen> seen;
    fRecordElements(s, seen,
                    {{K_SPACE, fWrite(" ")},
                     {K_ASSIGN, fWrite("=")},
                     {K_PLAIN, fWriteBody},
                     {K_NUMBER, fWriteBody}});
    sText in = fMakeText(tc.text, tc.head);
    in.bTerminated = tc.rule == K_ARGUMENT ? 1 : 0;
    EXPECT_EQ(fShow(fRun(s, in, tc.rule, 2)), fShow(tc.expected));
  }
}

TEST(RuleEngineFraming, StatementEndIsWrittenOnce) {
  sState s;
  std::vector<sSeen> seen;
  fRecordElements(s, seen, {{K_PLAIN, fWriteBody}});
  sText in = fMakeText("set x", 3);
  EXPECT_EQ(fRun(s, in, K_SET, 2), "\tx;\r\n");
  EXPECT_EQ(in.bTerminated, 1);
  // The same text again: it now carries its end.
  EXPECT_EQ(fRun(s, in, K_SET, 2), "\tx");
}

}  // namespace

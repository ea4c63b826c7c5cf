// Filing rule results into the section lists: functions with prototype and
// registration line, globals blocks, and initial values of globals moved into
// the constructor list.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rule_test_util.h"

namespace {

std::vector<std::string> fItems(const sTextList& list) {
  std::vector<std::string> items;
  for (int32_t i = 0; i < list.nCount(); ++i) items.push_back(fShow(list.fItem(i)));
  return items;
}

std::vector<std::string> fShown(std::vector<std::string> items) {
  for (std::string& item : items) item = fShow(item);
  return items;
}

TEST(RuleEngineFiling, FunctionGoesToSourceHeaderAndRegistration) {
  struct Case {
    const char* name;
    std::string params;
    bool returnsNothing;
    bool registered;
  };
  const Case cases[] = {
      {"takes and returns nothing", "()", true, true},
      {"takes a parameter", "(integer a)", true, false},
      {"returns a value", "()", false, false},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    sState s;
    std::vector<sSeen> seen;
    fRecordElements(s, seen, {{K_CALL, [](sState&, sText&, sText& out) {
                                 out.data = "\tg();\r\n";
                                 return true;
                               }}});
    s.vFuncHeadText = sText("void f" + tc.params + "\r\n{\r\n");
    s.vFuncPrototype = sText("void f" + tc.params);
    s.vFuncParams = sText(tc.params);
    s.vFuncName.fCopy("f");
    s.vFuncJassName.fCopy("f");
    s.vReturnsNothing = tc.returnsNothing ? 1 : 0;
    sText in = fMakeText("function f\r\ncall g()\r\nendfunction", 8, 11);
    in.bTerminated = 1;
    const std::string out = fRun(s, in, K_FUNCTION, 1);
    const std::string expected = "void f" + tc.params + "\r\n{\r\n\tg();\r\n}\r\n";
    EXPECT_EQ(fShow(out), fShow(expected));
    EXPECT_EQ(fItems(s.vFuncsCppList), fShown({expected, "\r\n"}));
    EXPECT_EQ(fItems(s.vFuncsForHeaderList), fShown({"void f" + tc.params, ";\r\n"}));
    const std::vector<std::string> registration =
        tc.registered ? fShown({"\tfMyRegisterFunc(\"f\",(integer)&f);\r\n"})
                      : std::vector<std::string>{};
    EXPECT_EQ(fItems(s.vBodyFuncsInitList), registration);
    EXPECT_EQ(s.vGlobalsVarList.nCount(), 0);
  }
}

TEST(RuleEngineFiling, GlobalsBlockGoesToTheGlobalsList) {
  sState s;
  std::vector<sSeen> seen;
  fRecordElements(s, seen, {{K_TYPE_INTEGER, [](sState&, sText&, sText& out) {
                               out.data = "integer a;\r\n";
                               return true;
                             }}});
  s.vInGlobals = 1;
  sText in = fMakeText("globals\r\ninteger a\r\nendglobals", 7, 10);
  in.bTerminated = 1;
  fRun(s, in, K_GLOBALS, 1);
  // The last declaration had no initial value, so the block is not marked
  // terminated and gets a statement end of its own (an empty member
  // declaration in the class).
  EXPECT_EQ(fItems(s.vGlobalsVarList), fShown({"integer a;\r\n;\r\n"}));
  EXPECT_EQ(s.vFuncsCppList.nCount(), 0);
}

// A type rule inside the globals block whose flush wrote an "=": the member
// keeps the declaration, the constructor gets the assignment with one ";".
TEST(RuleEngineFiling, SplitsGlobalInitialiserIntoConstructor) {
  struct Case {
    const char* name;
    std::string translated;  // what the declaration's elements produce
    bool terminated;         // no ";" CR LF of the rule's own
    std::string member;
    std::vector<std::string> constructor;
  };
  const Case cases[] = {
      {"statement end added by the rule", "integer x=5", false, "integer x;\r\n",
       {"\t\t", "x=5;\r\n"}},
      {"no statement end", "integer x=5", true, "integer x;\r\n", {"\t\t", "x=5", ";\r\n"}},
      {"end with byte 14", "integer x=5;\r\x0e", true, "integer x;\r\n",
       {"\t\t", "x=5", ";\r\n"}},
      {"blank kept before the =", "integer x = 5", false, "integer x ;\r\n",
       {"\t\t", "x = 5;\r\n"}},
      {"no blank after the type word: not split", "integerx=5", true, "integerx=5", {}},
      {"no = after the blank: not split", "integer x", true, "integer x", {}},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    sState s;
    s.vInGlobals = 1;
    std::vector<sSeen> seen;
    const std::string translated = tc.translated;
    fRecordElements(s, seen, {{K_PLAIN, [translated](sState& st, sText&, sText& out) {
                                 out.data = translated;
                                 st.vAssignEmitted = 1;
                                 return true;
                               }}});
    sText in = fMakeText("integer x", 7);
    in.bTerminated = tc.terminated ? 1 : 0;
    EXPECT_EQ(fShow(fRun(s, in, K_TYPE_INTEGER, 2)), fShow(tc.member));
    EXPECT_EQ(fItems(s.vInitVarsInConstructorList), fShown(tc.constructor));
    const bool split = !tc.constructor.empty();
    EXPECT_EQ(s.vAssignEmitted, split ? 0 : 1);
    EXPECT_EQ(in.bTerminated, split ? 1 : (tc.terminated ? 1 : 0));
  }
}

TEST(RuleEngineFiling, TypeRuleOutsideGlobalsIsNotSplit) {
  sState s;
  std::vector<sSeen> seen;
  fRecordElements(s, seen, {{K_PLAIN, [](sState& st, sText&, sText& out) {
                               out.data = "integer x=5";
                               st.vAssignEmitted = 1;
                               return true;
                             }}});
  sText in = fMakeText("integer x", 7);
  in.bTerminated = 1;
  EXPECT_EQ(fRun(s, in, K_TYPE_INTEGER, 2), "integer x=5");
  EXPECT_EQ(s.vInitVarsInConstructorList.nCount(), 0);
  EXPECT_EQ(in.bTerminated, 0);  // a declaration in a function always gets its end
}

}  // namespace

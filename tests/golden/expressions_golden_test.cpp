// Golden tests for expressions: small unindented CR LF scripts through the
// whole conversion, comparing the translated functions (and the globals
// sections) byte for byte with outputs worked out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/bytes.h"
#include "support/convert.h"
#include "text/state.h"
#include "text/text.h"

namespace {

std::string fFunctionBodies(const std::string& script) {
  sState s;
  EXPECT_TRUE(fConvertText(s, script));
  return fJoined(s.vFuncsCppList);
}

// One statement in a function that takes and returns nothing.
std::string fOneStatement(const std::string& statement) {
  return "function f takes nothing returns nothing\r\n" + statement + "\r\nendfunction\r\n";
}

std::string fVoidFunction(const std::string& lines) {
  return "void f()\r\n{\r\n" + lines + "}\r\n\r\n";
}

struct StatementCase {
  const char* jass;     // one statement line, without its line end
  const char* cppLine;  // its translated line, with tab and line end
};

void fCheckStatements(const StatementCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const StatementCase& c = cases[i];
    SCOPED_TRACE(c.jass);
    const std::string expected = fVoidFunction(c.cppLine);
    const std::string actual = fFunctionBodies(fOneStatement(c.jass));
    EXPECT_TRUE(fSameBytes(actual, expected));
  }
}

}  // namespace

TEST(ExpressionsGolden, LocalDeclarations) {
  const StatementCase cases[] = {
      {"local integer i", "\tinteger i;\r\n"},
      {"local integer i = 5", "\tinteger i =5;\r\n"},
      {"local real r = .5", "\treal r =.5f;\r\n"},
      {"local string s = \"abc\"", "\tsMyString s =sMyString(\"abc\");\r\n"},
      {"local string s = \"\"", "\tsMyString s =sMyString(0x02);\r\n"},
      {"local integer doX", "\tinteger doX;\r\n"},
      {"local integer do", "\tinteger do_2;\r\n"},
      {"local integer array a", "\t\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> a;\r\n"},
  };
  fCheckStatements(cases, sizeof cases / sizeof cases[0]);
}

TEST(ExpressionsGolden, SetCallAndArguments) {
  const StatementCase cases[] = {
      {"set x = y", "\tx =y;\r\n"},
      {"set x = -1", "\tx =-1;\r\n"},
      {"set r = 1.5", "\tr =1.5f;\r\n"},
      {"set u = null", "\tu =NULL;\r\n"},
      {"call g(1)", "\tg(1);\r\n"},
      {"call g()", "\tg();\r\n"},
      {"call f(a + b, c)", "\tf(a+ b, c);\r\n"},
      {"call f(g(1), 2)", "\tf(g(1), 2);\r\n"},
      {"set x = f(g(a), b)", "\tx =f(g(a), b);\r\n"},
      {"call f(1.5, $FF, -1, \"x\")", "\tf(1.5f, 0xFF, -1, sMyString(0x78));\r\n"},
      {"call f($FF)", "\tf(0xFF);\r\n"},
      {"call f(-1)", "\tf(-1);\r\n"},
      {"call f(.5 + 1)", "\tf(0.5f + 1);\r\n"},
      {"call f(u, null)", "\tf(u, NULL);\r\n"},
      {"call f(\"abc\", \"\")", "\tf(sMyString(\"abc\"), sMyString(0x02));\r\n"},
      {"call TriggerAddAction(t, function g)", "\tTriggerAddAction(t, & g);\r\n"},
      {"call f(function g)", "\tf(& g);\r\n"},
      {"set c = function g", "\tc =& g;\r\n"},  // a reference outside parentheses
      {"local code c = function g", "\tcode c =& g;\r\n"},
      {"call F(function g, \"x\")", "\tF(& g, sMyString(0x78));\r\n"},
      {"call f(Condition(function g))", "\tf(Condition(& g));\r\n"},
      {R"(call f("a\"b", 1))", "\tf(sMyString(\"a\\\"b\"), 1);\r\n"},  // escaped quote
  };
  fCheckStatements(cases, sizeof cases / sizeof cases[0]);
}

TEST(ExpressionsGolden, OperatorsInAssignments) {
  const StatementCase cases[] = {
      {"set b = x == y", "\tb =x ==y;\r\n"},
      {"set b = x != y", "\tb =x !=y;\r\n"},
      {"set b = x < y", "\tb =x< y;\r\n"},
      {"set b = x <= y", "\tb =x<= y;\r\n"},  // "=" follows "<" at once
      {"set b = x > y", "\tb =x> y;\r\n"},
      {"set b = x >= y", "\tb =x>= y;\r\n"},
      {"set x = a<b", "\tx =a<b;\r\n"},  // the assignment is written before the comparison
      {"set x=a>=b", "\tx=a>=b;\r\n"},
      {"set x = a<=b", "\tx =a<=b;\r\n"},
      {"set b = x and y", "\tb =x&& y;\r\n"},
      {"set b = x or y", "\tb =x|| y;\r\n"},
      {"set b = not x", "\tb =! x;\r\n"},
      {"set x = a * b", "\tx =a* b;\r\n"},
      {"set x = a / b", "\tx =a/ b;\r\n"},
      {"set x = a + b", "\tx =a+ b;\r\n"},
      {"set x = a - b", "\tx =a- b;\r\n"},
      {"set x = (a + b) * 2", "\tx =(a+ b) * 2;\r\n"},
  };
  fCheckStatements(cases, sizeof cases / sizeof cases[0]);
}

TEST(ExpressionsGolden, OperatorsInConditions) {
  struct Case {
    const char* condition;
    const char* cpp;
  };
  const Case cases[] = {
      {"x == y", "(x ==y)"},   {"x != y", "(x !=y)"},     {"x < y", "(x< y)"},
      {"x <= y", "(x<= y)"},   {"x > y", "(x> y)"},       {"x >= y", "(x>= y)"},
      {"a and b", "(a&& b)"},  {"a or b", "(a|| b)"},     {"not a", "(! a)"},
      {"u == null", "(u ==NULL)"}, {"(x == y)", "(x ==y)"},  {"a>=b", "(a>=b)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.condition);
    const std::string script = fOneStatement(std::string("if ") + c.condition +
                                             " then\r\ncall g()\r\nendif");
    const std::string expected =
        fVoidFunction(std::string("\tif ") + c.cpp + "\r\n\t{\r\n\t\tg();\r\n\t}\r\n");
    const std::string actual = fFunctionBodies(script);
    EXPECT_TRUE(fSameBytes(actual, expected));
  }
}

TEST(ExpressionsGolden, StringLiteralsOutsideGlobals) {
  struct Case {
    const char* literal;  // JASS source between the quotes
    const char* cpp;
  };
  const Case cases[] = {
      {"abc", "sMyString(\"abc\")"},        {"a", "sMyString(0x61)"},
      {"\\n", "sMyString(0x0A)"},           {"\\x", "sMyString(\"\\\\x\")"},
      {"a\\b", "sMyString(\"a\\b\")"},      {"a\\\\b", "sMyString(\"a\\\\b\")"},
      {"ab\\ncd", "sMyString(\"ab\\ncd\")"},  {"ab", "sMyString(\"ab\")"},
      {"", "sMyString(0x02)"},
      {"\\\"", "sMyString(0x22)"},  // an escaped quote is kept
      {"\\\"ab", "sMyString(\"\\\"ab\")"},
      {"\\\"\\\"", "sMyString(\"\\\"\\\"\")"},
      {R"(a\"b)", R"(sMyString("a\"b"))"},  // an escaped quote after other text
      {R"(a\\\"b)", R"(sMyString("a\\\"b"))"},
      {R"(\\)", "sMyString(0x5C)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.literal);
    const std::string expected = fVoidFunction(std::string("\ts =") + c.cpp + ";\r\n");
    const std::string actual =
        fFunctionBodies(fOneStatement(std::string("set s = \"") + c.literal + "\""));
    EXPECT_TRUE(fSameBytes(actual, expected));
  }
}

TEST(ExpressionsGolden, RenamedNatives) {
  const StatementCase cases[] = {
      {"call ExecuteFunc(\"f\")", "\tfMyExecuteFunc(sMyString(0x66));\r\n"},
      {"set s = I2S(5)", "\ts =fMyI2S(5);\r\n"},
      {"call InitBlizzard()", "\t//InitBlizzard();\r\n"},
      {"call ExecuteFuncEx(1)", "\tExecuteFuncEx(1);\r\n"},
  };
  fCheckStatements(cases, sizeof cases / sizeof cases[0]);
}

TEST(ExpressionsGolden, ReturnValues) {
  struct Case {
    const char* jass;
    const char* cpp;
  };
  const Case cases[] = {
      {"return x", "\treturn  x;\r\n"},
      {"return 5", "\treturn  5;\r\n"},
      {"return a + b", "\treturn  a+ b;\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.jass);
    const std::string script =
        std::string("function f takes nothing returns integer\r\n") + c.jass + "\r\nendfunction\r\n";
    const std::string expected = std::string("integer f()\r\n{\r\n") + c.cpp + "}\r\n\r\n";
    const std::string actual = fFunctionBodies(script);
    EXPECT_TRUE(fSameBytes(actual, expected));
  }
}

// Several statements in one function: pending state must not leak from one
// statement into the next.
TEST(ExpressionsGolden, StatementsInSequence) {
  const std::string script = fOneStatement(
      "local integer i = 5\r\n"
      "local integer array a\r\n"
      "set a[0] = i\r\n"
      "set i = a[1] + 2\r\n"
      "call f(a + b, c)\r\n"
      "call f(\"abc\", \"\")\r\n"
      "set b = x != null");
  const std::string expected = fVoidFunction(
      "\tinteger i =5;\r\n"
      "\t\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> a;\r\n"
      "\ta[0][0] =i;\r\n"
      "\ti =a[1][0] + 2;\r\n"
      "\tf(a+ b, c);\r\n"
      "\tf(sMyString(\"abc\"), sMyString(0x02));\r\n"
      "\tb =x !=NULL;\r\n");
  const std::string actual = fFunctionBodies(script);
  EXPECT_TRUE(fSameBytes(actual, expected));
}

// Optimised maps write argument lists without blanks; a list of lone names,
// numbers and rawcodes is cut without a scan, so each kind of argument, a
// keyword in any place, a parameter, a local, a global and a C++ keyword
// are checked in such lists, alone and inside other constructs.
TEST(ExpressionsGolden, ArgumentListsWithoutBlanks) {
  const std::string script =
      "globals\r\n"
      "integer g=0\r\n"
      "unit array ua\r\n"
      "endglobals\r\n"
      "function f takes integer p,real r returns nothing\r\n"
      "local integer do=1\r\n"
      "call f(g,p,'A00B',1.5,.5,0)\r\n"
      "call f(null,g)\r\n"
      "call f(g,null)\r\n"
      "call f(do,delete)\r\n"
      "call f(G(a,b),c)\r\n"
      "set p=F(p,g)\r\n"
      "set ua[p]=GetTriggerUnit()\r\n"
      "if F(g,p) and G() then\r\n"
      "call f(true,false)\r\n"
      "endif\r\n"
      "return\r\n"
      "endfunction\r\n";
  const std::string expected =
      "void f( integer p, real r)\r\n"
      "{\r\n"
      "\tinteger do_2=1;\r\n"
      "\tf(pGlobal->g,p,'A00B',1.5f,.5f,0);\r\n"
      "\tf(NULL,pGlobal->g);\r\n"
      "\tf(pGlobal->g,NULL);\r\n"
      "\tf(do_2,delete_2);\r\n"
      "\tf(G(a,b),c);\r\n"
      "\tp=F(p,pGlobal->g);\r\n"
      "\tpGlobal->ua[p][0]=GetTriggerUnit();\r\n"
      "\tif (F(pGlobal->g,p) && G())\r\n"
      "\t{\r\n"
      "\t\tf(true,false);\r\n"
      "\t}\r\n"
      "\treturn ;\r\n"
      "}\r\n"
      "\r\n";
  EXPECT_TRUE(fSameBytes(fFunctionBodies(script), expected));
}

// String literals inside the globals block always take the text form; the
// globals are then written as members of the global object in functions.
// A local array's declaration ends with its name: the globals of the lines
// after it keep their prefix, whichever kind of line comes next, by the
// engine and by line templates.
TEST(ExpressionsGolden, LocalArrayEndsItsDeclaration) {
  const std::string script =
      "globals\r\n"
      "integer g=0\r\n"
      "endglobals\r\n"
      "function f takes nothing returns nothing\r\n"
      "local integer array b\r\n"
      "set g=b[1]\r\n"
      "endfunction\r\n"
      "function h takes nothing returns nothing\r\n"
      "local unit array u\r\n"
      "if g then\r\n"
      "endif\r\n"
      "endfunction\r\n"
      "function k takes nothing returns nothing\r\n"
      "local real array r\r\n"
      "loop\r\n"
      "set g=1\r\n"
      "endloop\r\n"
      "endfunction\r\n";
  const std::string expected =
      "void f()\r\n{\r\n"
      "\t\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> b;\r\n"
      "\tpGlobal->g=b[1][0];\r\n"
      "}\r\n\r\n"
      "void h()\r\n{\r\n"
      "\t\tsMyArray<unit[1],CONST_MAX_SIZE_MASS> u;\r\n"
      "\tif (pGlobal->g)\r\n\t{\r\n\t}\r\n"
      "}\r\n\r\n"
      "void k()\r\n{\r\n"
      "\t\tsMyArray<real[1],CONST_MAX_SIZE_MASS> r;\r\n"
      "\twhile(true)\r\n\t{\r\n\t\tpGlobal->g=1;\r\n\t}\r\n"
      "}\r\n\r\n";
  for (const uint8_t bEngineOnly : {0, 1}) {
    sState s;
    s.vEngineOnly = bEngineOnly;
    ASSERT_TRUE(fConvertText(s, script));
    EXPECT_TRUE(fSameBytes(fJoined(s.vFuncsCppList), expected)) << int(bEngineOnly);
  }
}

TEST(ExpressionsGolden, GlobalsStringsAndArrays) {
  const std::string script =
      "globals\r\n"
      "integer array a\r\n"
      "string s = \"abc\"\r\n"
      "string c = \"a\"\r\n"
      "string e = \"\"\r\n"
      "string n = \"\\n\"\r\n"
      "endglobals\r\n"
      "function f takes nothing returns nothing\r\n"
      "local integer x\r\n"
      "call g(s, c)\r\n"
      "set a[1] = 2\r\n"
      "set x = a[1]\r\n"
      "set s = \"x\"\r\n"
      "endfunction\r\n";
  sState s;
  ASSERT_TRUE(fConvertText(s, script));

  const std::string members =
      "\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> a;\r\n"
      "sMyString s;\r\n"
      "sMyString c;\r\n"
      "sMyString e;\r\n"
      "sMyString n;\r\n";
  EXPECT_TRUE(fSameBytes(fJoined(s.vGlobalsVarList), members));

  const std::string constructor =
      "\t\ts=sMyString(\"abc\");\r\n"
      "\t\tc=sMyString(\"a\");\r\n"
      "\t\te=sMyString(\"\");\r\n"
      "\t\tn=sMyString(\"\\n\");\r\n";
  EXPECT_TRUE(fSameBytes(fJoined(s.vInitVarsInConstructorList), constructor));

  const std::string bodies = fVoidFunction(
      "\tinteger x;\r\n"
      "\tg(pGlobal->s, pGlobal->c);\r\n"
      "\tpGlobal->a[1][0] =2;\r\n"
      "\tx =pGlobal->a[1][0];\r\n"
      "\tpGlobal->s =sMyString(0x78);\r\n");
  EXPECT_TRUE(fSameBytes(fJoined(s.vFuncsCppList), bodies));
}

// Declarations written without blanks hand operators and literals to the
// registration too, and so does an array given an initial value; only
// identifiers become global names, so a later "+", rawcode or "0" is never
// given the global prefix, by the engine or by a line template.
TEST(ExpressionsGolden, OnlyIdentifiersBecomeGlobals) {
  const std::string script =
      "globals\r\n"
      "integer udg_x\r\n"
      "integer c=a+1\r\n"
      "integer X='A0HU'\r\n"
      "string array A=0\r\n"
      "endglobals\r\n"
      "function f takes nothing returns nothing\r\n"
      "set udg_x = c+1\r\n"
      "set X = 'A0HU'\r\n"
      "set udg_x=udg_x+2\r\n"
      "call G(0,udg_x)\r\n"
      "endfunction\r\n";
  const std::string bodies = fVoidFunction(
      "\tpGlobal->udg_x =pGlobal->c+1;\r\n"
      "\tpGlobal->X ='A0HU';\r\n"
      "\tpGlobal->udg_x=pGlobal->udg_x+2;\r\n"
      "\tG(0,pGlobal->udg_x);\r\n");
  for (const uint8_t bEngineOnly : {0, 1}) {
    sState s;
    s.vEngineOnly = bEngineOnly;
    ASSERT_TRUE(fConvertText(s, script));
    EXPECT_TRUE(fSameBytes(fJoined(s.vFuncsCppList), bodies)) << int(bEngineOnly);
    EXPECT_EQ(fJoined(s.vInitVarsInConstructorList), "\t\tc=a+1;\r\n\t\tX='A0HU';\r\n");
  }
}

// Names that C++ reserves get "_2" wherever they appear, and a name is never
// renamed twice; a name that only contains a keyword keeps its text.
TEST(ExpressionsGolden, CppKeywordsAreRenamedOnce) {
  const std::string script =
      "globals\r\n"
      "integer array new\r\n"
      "integer class\r\n"
      "integer udg_n = 0\r\n"
      "endglobals\r\n"
      "function delete takes integer int returns nothing\r\n"
      "local integer newer = 1\r\n"
      "local integer array float\r\n"
      "call g(this, 1)\r\n"
      "set class = new[int] + float[0]\r\n"
      "call delete(newer)\r\n"
      "call TriggerAddAction(t, function delete)\r\n"
      "endfunction\r\n";
  sState s;
  ASSERT_TRUE(fConvertText(s, script));
  EXPECT_TRUE(fSameBytes(fJoined(s.vGlobalsVarList),
                         "\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> new_2;\r\ninteger class_2;\r\n"
                         "integer udg_n;\r\n"));
  const std::string bodies =
      "void delete_2( integer int_2)\r\n{\r\n"
      "\tinteger newer =1;\r\n"
      "\t\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> float_2;\r\n"
      "\tg(this_2, 1);\r\n"
      "\tpGlobal->class_2 =pGlobal->new_2[int_2][0] + float_2[0][0];\r\n"
      "\tdelete_2(newer);\r\n"
      "\tTriggerAddAction(t, & delete_2);\r\n"
      "}\r\n\r\n";
  EXPECT_TRUE(fSameBytes(fJoined(s.vFuncsCppList), bodies));
  EXPECT_EQ(fJoined(s.vFuncsForHeaderList), "void delete_2( integer int_2);\r\n");
}

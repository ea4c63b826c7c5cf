// Golden tests through the whole pipeline (driver -> rules <-> handlers ->
// output): small scripts with CR LF line ends and no indentation, and the
// exact bytes of the sections and files they produce, worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "support/convert.h"
#include "text/state.h"
#include "text/text.h"

namespace {

const char kRegisterFormat[] = "\tfMyRegisterFunc(\"%\",(integer)&%);\r\n";

// ExecuteFunc finds a function by its JASS name; the address is the C++ one.
std::string fRegistration(const std::string& name, const std::string& cppName = "") {
  std::string line = kRegisterFormat;
  line.replace(line.find('%'), 1, name);
  line.replace(line.find('%'), 1, cppName.empty() ? name : cppName);
  return line;
}

}  // namespace

TEST(GoldenFunctions, HeadsPrototypesAndRegistrations) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function IN takes nothing returns nothing\r\n"
                           "endfunction\r\n"
                           "function Count takes integer a, real b returns integer\r\n"
                           "return a\r\n"
                           "endfunction\r\n"
                           "constant function GetName takes nothing returns string\r\n"
                           "return \"ab\"\r\n"
                           "endfunction\r\n"
                           "function main takes nothing returns nothing\r\n"
                           "call IN()\r\n"
                           "call InitBlizzard()\r\n"
                           "endfunction\r\n"));
  EXPECT_EQ(fJoined(s.vFuncsCppList),
            "void IN_2()\r\n{\r\n}\r\n"
            "\r\n"
            "integer Count( integer a, real b)\r\n{\r\n"
            "\treturn  a;\r\n"
            "}\r\n"
            "\r\n"
            "sMyString GetName()\r\n{\r\n"
            "\treturn  sMyString(\"ab\");\r\n"
            "}\r\n"
            "\r\n"
            "void fMainJass()\r\n{\r\n"
            "\tIN_2();\r\n"
            "\t//InitBlizzard();\r\n"
            "}\r\n"
            "\r\n");
  EXPECT_EQ(fJoined(s.vFuncsForHeaderList),
            "void IN_2();\r\n"
            "integer Count( integer a, real b);\r\n"
            "sMyString GetName();\r\n"
            "void fMainJass();\r\n");
  EXPECT_EQ(fJoined(s.vBodyFuncsInitList),
            fRegistration("IN", "IN_2") + fRegistration("main", "fMainJass"));
}

TEST(GoldenFunctions, SourceFileEndsWithFunctionsAndRegistrations) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function Tick takes nothing returns nothing\r\n"
                           "call Tock()\r\n"
                           "endfunction\r\n"));
  sText cpp;
  ASSERT_TRUE(s.vCppLines.fJoin(&cpp));
  const std::string tail =
      "}\r\n"
      "\r\n"
      "void Tick()\r\n{\r\n\tTock();\r\n}\r\n"
      "\r\n"
      "bool fFuncsInit()\r\n{\r\n" +
      fRegistration("Tick") +
      "\treturn TRUE;\r\n"
      "}\r\n"
      "\r\n";
  ASSERT_GE(cpp.data.size(), tail.size());
  EXPECT_EQ(cpp.data.substr(cpp.data.size() - tail.size()), tail);
}

TEST(GoldenGlobals, MembersConstructorAndGlobalPrefix) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "globals\r\n"
                           "integer udg_a = 5\r\n"
                           "real udg_r\r\n"
                           "boolean udg_b = true\r\n"
                           "constant integer MAX = 10\r\n"
                           "unit array udg_u\r\n"
                           "string udg_s = \"hi\"\r\n"
                           "endglobals\r\n"
                           "function Use takes nothing returns nothing\r\n"
                           "set udg_a = MAX\r\n"
                           "set udg_u[1] = null\r\n"
                           "endfunction\r\n"));
  const std::string members =
      "integer udg_a;\r\n"
      "real udg_r;\r\n"
      "boolean udg_b;\r\n"
      "integer MAX;\r\n"
      "\tsMyArray<unit[1],CONST_MAX_SIZE_MASS> udg_u;\r\n"
      "sMyString udg_s;\r\n";
  const std::string constructor =
      "\t\tudg_a=5;\r\n"
      "\t\tudg_b=true;\r\n"
      "\t\tMAX=10;\r\n"
      "\t\tudg_s=sMyString(\"hi\");\r\n";
  EXPECT_EQ(fJoined(s.vGlobalsVarList), members);
  EXPECT_EQ(fJoined(s.vInitVarsInConstructorList), constructor);
  EXPECT_EQ(fJoined(s.vFuncsCppList),
            "void Use()\r\n{\r\n"
            "\tpGlobal->udg_a =pGlobal->MAX;\r\n"
            "\tpGlobal->udg_u[1][0] =NULL;\r\n"
            "}\r\n"
            "\r\n");
  for (const char* name : {"udg_a", "udg_r", "udg_b", "MAX", "udg_u", "udg_s"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(s.vGlobalNames.fContainsString(name));
  }
  EXPECT_EQ(s.vGlobalNames.nCount(), 6);

  sText header;
  ASSERT_TRUE(s.vHeaderLines.fJoin(&header));
  EXPECT_EQ(header.data,
            "#pragma once\r\n"
            "#include \"Jass.h\"\r\n"
            "#include \"MyArray.h\"\r\n"
            "#include \"MyString.h\"\r\n"
            "\r\n"
            "procedure fMyExecuteFunc(String funcName);\r\n"
            "HPLAYER fMyGetLocalPlayer();\r\n"
            "sMyString fMyI2S(integer vInt);\r\n"
            "sMyString fMySubString(sMyString &source, Integer start, Integer end_);\r\n"
            "sMyString fMyGetUnitName(unit u);\r\n"
            "integer fMyStringHash(String vStr);\r\n"
            "\r\n"
            "class sGlobal\r\n"
            "{\r\n"
            "private:\r\n"
            "\tstatic const int CONST_MAX_SIZE_MASS = 8190;\r\n"
            "public:\r\n" +
                members +
                "\r\n"
                "\tsGlobal()\r\n"
                "\t{\r\n" +
                constructor +
                "\t};\r\n"
                "\r\n"
                "};\r\n"
                "\r\n"
                "procedure fMyExecuteFunc(String funcName);\r\n"
                "void fMapBegin();\r\n"
                "HPLAYER fMyGetLocalPlayer();\r\n"
                "void fMapEnd();\r\n"
                "bool fFuncsInit();\r\n"
                "void fMain();\r\n"
                "sMyString fMyI2S(integer vInt);\r\n"
                "sMyString fMySubString(sMyString &source, Integer start, Integer end_);\r\n"
                "sMyString fMyGetUnitName(unit u);\r\n"
                "integer fMyStringHash(String vStr);\r\n"
                "\r\n"
                "void Use();\r\n");
}

// Maps pad their declarations into columns; only a string keeps its blanks.
TEST(GoldenGlobals, PaddedDeclarationsLoseTheirPadding) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "globals\r\n"
                           "integer     udg_a     =     5\r\n"
                           "real   udg_r\r\n"
                           "constant   integer   MAX   =   10   +   2\r\n"
                           "unit   array   udg_u\r\n"
                           "string     udg_s   =   \"a   b\"\r\n"
                           "rect                    gg_rct_Big    = null\r\n"
                           "endglobals\r\n"));
  EXPECT_EQ(fJoined(s.vGlobalsVarList),
            "integer udg_a;\r\n"
            "real udg_r;\r\n"
            "integer MAX;\r\n"
            "\tsMyArray<unit[1],CONST_MAX_SIZE_MASS> udg_u;\r\n"
            "sMyString udg_s;\r\n"
            "rect gg_rct_Big;\r\n");
  EXPECT_EQ(fJoined(s.vInitVarsInConstructorList),
            "\t\tudg_a=5;\r\n"
            "\t\tMAX=10 +2;\r\n"
            "\t\tudg_s=sMyString(\"a   b\");\r\n"
            "\t\tgg_rct_Big=NULL;\r\n");
  EXPECT_EQ(s.vGlobalNames.nCount(), 6);
}

TEST(GoldenBlocks, IfElseifElseWithBothConditionForms) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function Test takes integer a returns integer\r\n"
                           "if a > 1 then\r\n"
                           "return 1\r\n"
                           "elseif (a == 0) then\r\n"
                           "return 0\r\n"
                           "else if a < 0 then\r\n"
                           "return 2\r\n"
                           "else\r\n"
                           "return 3\r\n"
                           "endif\r\n"
                           "return 4\r\n"
                           "endfunction\r\n"));
  EXPECT_EQ(fJoined(s.vFuncsCppList),
            "integer Test( integer a)\r\n{\r\n"
            "\tif (a> 1)\r\n"
            "\t{\r\n"
            "\t\treturn  1;\r\n"
            "\t}\r\n"
            "\telse if(a ==0)\r\n"
            "\t{\r\n"
            "\t\treturn  0;\r\n"
            "\t}\r\n"
            "\telse  if(a< 0)\r\n"
            "\t{\r\n"
            "\t\treturn  2;\r\n"
            "\t}\r\n"
            "\telse \r\n"
            "\t{\r\n"
            "\t\treturn  3;\r\n"
            "\t}\r\n"
            "\treturn  4;\r\n"
            "}\r\n"
            "\r\n");
  EXPECT_EQ(fJoined(s.vBodyFuncsInitList), "");
}

TEST(GoldenBlocks, NestedLoopsWithExitwhen) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function Loops takes nothing returns nothing\r\n"
                           "local integer i = 0\r\n"
                           "loop\r\n"
                           "exitwhen i > 3\r\n"
                           "loop\r\n"
                           "exitwhen (i == 2)\r\n"
                           "call Step()\r\n"
                           "endloop\r\n"
                           "call Step()\r\n"
                           "endloop\r\n"
                           "endfunction\r\n"));
  EXPECT_EQ(fJoined(s.vFuncsCppList),
            "void Loops()\r\n{\r\n"
            "\tinteger i =0;\r\n"
            "\twhile(true)\r\n"
            "\t{\r\n"
            "\t\tif ( i> 3) break;\r\n"
            "\t\twhile(true)\r\n"
            "\t\t{\r\n"
            "\t\t\tif ( (i ==2)) break;\r\n"
            "\t\t\tStep();\r\n"
            "\t\t}\r\n"
            "\t\tStep();\r\n"
            "\t}\r\n"
            "}\r\n"
            "\r\n");
  EXPECT_EQ(fJoined(s.vBodyFuncsInitList), fRegistration("Loops"));
}

TEST(GoldenFunctions, OnlyParameterlessVoidFunctionsAreRegistered) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function Set takes integer x returns nothing\r\n"
                           "endfunction\r\n"
                           "function Get takes nothing returns boolean\r\n"
                           "return true\r\n"
                           "endfunction\r\n"
                           "function Run takes nothing returns nothing\r\n"
                           "endfunction\r\n"));
  EXPECT_EQ(fJoined(s.vFuncsForHeaderList),
            "void Set( integer x);\r\n"
            "boolean Get();\r\n"
            "void Run();\r\n");
  EXPECT_EQ(fJoined(s.vBodyFuncsInitList), fRegistration("Run"));
}

TEST(GoldenFunctions, HeaderWithoutReturnTypeGetsNoHead) {
  // Neither the previous function's head nor the body's last operand may
  // stand in for the missing return type.
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function A takes nothing returns nothing\r\n"
                           "endfunction\r\n"
                           "function B takes nothing returns\r\n"
                           "set x = y\r\n"
                           "endfunction\r\n"));
  EXPECT_EQ(fJoined(s.vFuncsCppList),
            "void A()\r\n{\r\n}\r\n"
            "\r\n"
            "\tx =y;\r\n"
            "}\r\n"
            "\r\n");
  EXPECT_EQ(fJoined(s.vFuncsForHeaderList), "void A();\r\n;\r\n");
  EXPECT_EQ(fJoined(s.vBodyFuncsInitList), fRegistration("A"));
}

TEST(GoldenBlocks, IfInsideLoopAndLoopInsideIf) {
  sState s;
  ASSERT_TRUE(fConvertText(s,
                           "function N takes nothing returns nothing\r\n"
                           "loop\r\n"
                           "if x then\r\n"
                           "exitwhen y\r\n"
                           "endif\r\n"
                           "endloop\r\n"
                           "if (a) then\r\n"
                           "loop\r\n"
                           "exitwhen b\r\n"
                           "endloop\r\n"
                           "if c then\r\n"
                           "call F()\r\n"
                           "endif\r\n"
                           "endif\r\n"
                           "endfunction\r\n"));
  EXPECT_EQ(fJoined(s.vFuncsCppList),
            "void N()\r\n{\r\n"
            "\twhile(true)\r\n"
            "\t{\r\n"
            "\t\tif (x)\r\n"
            "\t\t{\r\n"
            "\t\t\tif ( y) break;\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "\tif (a)\r\n"
            "\t{\r\n"
            "\t\twhile(true)\r\n"
            "\t\t{\r\n"
            "\t\t\tif ( b) break;\r\n"
            "\t\t}\r\n"
            "\t\tif (c)\r\n"
            "\t\t{\r\n"
            "\t\t\tF();\r\n"
            "\t\t}\r\n"
            "\t}\r\n"
            "}\r\n"
            "\r\n");
}

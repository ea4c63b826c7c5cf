// Golden tests for what real maps write and a literal translation got wrong:
// literals that hold code characters, keywords inside names, numbers right
// before comparisons, reserved names, escapes, "or" under "and", glued
// tokens and redeclared parameters. Each row is one statement of a function;
// the expected lines were worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "support/bytes.h"
#include "support/convert.h"

namespace {

struct LineCase {
  const char* jass;  // one statement, without its line end
  const char* cpp;   // its translation, with tab and line end
};

std::string fBodyOf(const std::string& statements) {
  return fConvertAll("function f takes integer id returns nothing\r\n" + statements +
                     "endfunction\r\n")
      .functions;
}

std::string fExpected(const std::string& lines) {
  return "void f( integer id)\r\n{\r\n" + lines + "}\r\n\r\n";
}

}  // namespace

TEST(RealMapsGolden, StatementsKeepTheirMeaning) {
  const LineCase cases[] = {
      // Parentheses, commas and words inside literals are text.
      {"call F(1,\"a)\")", "\tF(1,sMyString(\"a)\"));\r\n"},
      {"call F(1,\":)\")", "\tF(1,sMyString(\":)\"));\r\n"},
      {"call F(1,\"(a\")", "\tF(1,sMyString(\"(a\"));\r\n"},
      {"call F(1,\")\")", "\tF(1,sMyString(0x29));\r\n"},
      {"call F('(', ',')", "\tF('(', ',');\r\n"},
      {"local integer a = '+'", "\tinteger a ='+';\r\n"},
      {"if s == \"if then\" then\r\nendif", "\tif (s ==sMyString(\"if then\"))\r\n\t{\r\n\t}\r\n"},
      // A number right before a comparison stays its left operand.
      {"return (5!=b)", "\treturn  (5!=b);\r\n"},
      {"return (a/5>b)", "\treturn  (a/5>b);\r\n"},
      {"return (89>= c)", "\treturn  (89>= c);\r\n"},
      {"call G(b - 13>b)", "\tG(b- 13>b);\r\n"},
      {"call G(1, c+c*0== c)", "\tG(1, c+c*0== c);\r\n"},
      {"return GetUnitTypeId(u)==$68304137==false",
       "\treturn  GetUnitTypeId(u)==0x68304137==false;\r\n"},
      {"if GetUnitAbilityLevel(u, 1)>0==false then\r\nendif",
       "\tif (GetUnitAbilityLevel(u, 1)>0==false)\r\n\t{\r\n\t}\r\n"},
      // JASS escapes mean the same in C++; a lone backslash is doubled.
      {"call F(\"ab\\ncd\", \"a\\qb\", \"\\b\")",
       "\tF(sMyString(\"ab\\ncd\"), sMyString(\"a\\\\qb\"), sMyString(0x08));\r\n"},
      {"call F(\"\xE4\xB8\xAD\xE6\x96\x87\")", "\tF(sMyString(\"\xE4\xB8\xAD\xE6\x96\x87\"));\r\n"},
      // Only reserved names are renamed.
      {"call F(dox(2)*5, thisOne * 3)", "\tF(dox(2)*5, thisOne* 3);\r\n"},
      // "or" binds tighter than "and".
      {"if true or false and false then\r\nendif",
       "\tif ((true|| false)&& false)\r\n\t{\r\n\t}\r\n"},
      {"set x = a and b or c", "\tx =a&& (b|| c);\r\n"},
      // Tokens that would run into one.
      {"set x = 0x1E - x", "\tx =0x1E - x;\r\n"},
      // A local named like the parameter is the parameter.
      {"local integer id = 5", "\tid =5;\r\n"},
      {"local integer id", ""},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.jass);
    EXPECT_TRUE(fSameBytes(fBodyOf(std::string(c.jass) + "\r\n"), fExpected(c.cpp)));
  }
}

// One spelling per name at every site; block words inside names; globals
// whose value follows a glued "="; every initial value in the constructor.
TEST(RealMapsGolden, NamesAndGlobalsAgreeAtEverySite) {
  const sConverted out = fConvertAll(
      "globals\r\n"
      "integer b = 1\r\n"
      "integer array IN\r\n"
      "attacktype bj_lastSetAttackType= ATTACK_TYPE_NORMAL\r\n"
      "integer gv = - (b) + 5 - -3\r\n"
      "boolean gb = b > 4 == b < 7\r\n"
      "endglobals\r\n"
      "function do takes integer this, integer doX returns nothing\r\n"
      "set IN[this] = doX\r\n"
      "endfunction\r\n"
      "function ifo takes nothing returns boolean\r\n"
      "return true\r\n"
      "endfunction\r\n"
      "function loopy takes nothing returns nothing\r\n"
      "call do(1, ATTACK_TYPE_NORMAL)\r\n"
      "call TriggerAddAction(t, function do)\r\n"
      "endfunction\r\n"
      "function delete takes nothing returns nothing\r\n"
      "endfunction\r\n");
  EXPECT_TRUE(fSameBytes(out.globals,
                         "integer b;\r\n"
                         "\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> IN_2;\r\n"
                         "attacktype bj_lastSetAttackType;\r\n"
                         "integer gv;\r\n"
                         "boolean gb;\r\n"));
  EXPECT_TRUE(fSameBytes(out.constructor,
                         "\t\tb=1;\r\n"
                         "\t\tbj_lastSetAttackType=ATTACK_TYPE_NORMAL;\r\n"
                         "\t\tgv=-(b)+5 - -3;\r\n"
                         "\t\tgb=b>4 ==b<7;\r\n"));
  EXPECT_TRUE(fSameBytes(out.functions,
                         "void do_2( integer this_2, integer doX)\r\n{\r\n"
                         "\tpGlobal->IN_2[this_2][0] =doX;\r\n}\r\n\r\n"
                         "boolean ifo()\r\n{\r\n\treturn  true;\r\n}\r\n\r\n"
                         "void loopy()\r\n{\r\n"
                         "\tdo_2(1, ATTACK_TYPE_NORMAL);\r\n"
                         "\tTriggerAddAction(t, & do_2);\r\n}\r\n\r\n"
                         "void delete_2()\r\n{\r\n}\r\n\r\n"));
  EXPECT_TRUE(fSameBytes(out.prototypes,
                         "void do_2( integer this_2, integer doX);\r\nboolean ifo();\r\n"
                         "void loopy();\r\nvoid delete_2();\r\n"));
  EXPECT_TRUE(fSameBytes(out.registrations,
                         "\tSaveInteger(vHT_Ex,0,fMyStringHash(\"loopy\"),(integer)&loopy);\r\n"
                         "\tSaveInteger(vHT_Ex,0,fMyStringHash(\"delete\"),(integer)&delete_2);\r\n"));
}

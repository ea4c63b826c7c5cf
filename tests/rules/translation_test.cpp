// Whole statements through the conversion run, for the engine's share of
// the translation: which pieces are kept, which words the scanner cuts and
// which alternatives each rule offers. One function per case.
#include <string>

#include <gtest/gtest.h>

#include "rule_test_util.h"
#include "support/convert.h"

namespace {

struct LineCase {
  std::string jass;  // the body of a function that takes and returns nothing
  std::string cpp;   // the body lines it must give
};

std::string fBodyOf(const std::string& jass) {
  const std::string script =
      "function f takes nothing returns nothing\r\n" + jass + "\r\nendfunction\r\n";
  const std::string all = fConvertAll(script).functions;
  const std::string head = "void f()\r\n{\r\n";
  const std::string tail = "}\r\n\r\n";
  if (all.size() < head.size() + tail.size() || all.compare(0, head.size(), head) != 0) return all;
  return all.substr(head.size(), all.size() - head.size() - tail.size());
}

void fExpectBodies(const LineCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(fShow(cases[i].jass));
    EXPECT_EQ(fShow(fBodyOf(cases[i].jass)), fShow(cases[i].cpp));
  }
}

}  // namespace

TEST(Translation, RepeatedArgumentsAreKeptRepeatedBlanksNot) {
  const LineCase cases[] = {
      {"call f(Player(0), 0, 0, s)", "\tf(Player(0), 0, 0, s);\r\n"},
      {"call f(a, b)", "\tf(a, b);\r\n"},
      {"call f(x, x, x)", "\tf(x, x, x);\r\n"},
      {"call g(1,  2)", "\tg(1, 2);\r\n"},
      {"set x  =  y", "\tx =y;\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// The "=" of "<=" and ">=" relies on the kind of the element before it.
TEST(Translation, ComparisonEqualsFollowsItsOperatorAtOnce) {
  const LineCase cases[] = {
      {"if a >= b then\r\nendif", "\tif (a>= b)\r\n\t{\r\n\t}\r\n"},
      {"set x = a<=b", "\tx =a<=b;\r\n"},
      {"set x = (a)<=b", "\tx =(a)<=b;\r\n"},
      {"if x == y then\r\nendif", "\tif (x ==y)\r\n\t{\r\n\t}\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// "function" before a name is a reference wherever an operand may stand.
TEST(Translation, FunctionReferencesOutsideParentheses) {
  const LineCase cases[] = {
      {"set c = function g", "\tc =& g;\r\n"},
      {"local code c = function g", "\tcode c =& g;\r\n"},
      {"call F(function g, \"x\")", "\tF(& g, sMyString(0x78));\r\n"},
      {"return function g", "\treturn  & g;\r\n"},
      {"call TriggerAddAction(t, function g)", "\tTriggerAddAction(t, & g);\r\n"},
      {"set b = Condition(function g)", "\tb =Condition(& g);\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

TEST(Translation, NullInsideParentheses) {
  const LineCase cases[] = {
      {"if ( t == null ) then\r\nendif", "\tif ( t ==NULL )\r\n\t{\r\n\t}\r\n"},
      {"if (t == null) then\r\nendif", "\tif (t ==NULL)\r\n\t{\r\n\t}\r\n"},
      {"call g(null, 1)", "\tg(NULL, 1);\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// Names that begin with a keyword stay names.
TEST(Translation, NamesThatBeginWithAKeyword) {
  const LineCase cases[] = {
      {"set x = orderId", "\tx =orderId;\r\n"},
      {"set y = notice", "\ty =notice;\r\n"},
      {"set z = nullUnit", "\tz =nullUnit;\r\n"},
      {"local integer arrayCount = 1", "\tinteger arrayCount =1;\r\n"},
      {"set functionx = 1", "\tfunctionx =1;\r\n"},
      {"set x = a or b", "\tx =a|| b;\r\n"},
      {"if not(a) then\r\nelseif b then\r\nendif",
       "\tif (!(a))\r\n\t{\r\n\t}\r\n\telse if(b)\r\n\t{\r\n\t}\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
  const std::string script =
      "globals\r\ntimerdialog udg_d\r\nendglobals\r\n"
      "function setup takes nothing returns nothing\r\nendfunction\r\n"
      "function callX takes nothing returns nothing\r\ncall setup()\r\nendfunction\r\n";
  const sConverted out = fConvertAll(script);
  EXPECT_EQ(fShow(out.globals), fShow("timerdialog udg_d;\r\n"));
  EXPECT_EQ(fShow(out.prototypes), fShow("void setup();\r\nvoid callX();\r\n"));
}

// Types beyond the kind table are translated like its handle types.
TEST(Translation, TypesOutsideTheKindTable) {
  const LineCase cases[] = {
      {"local widget w = null", "\twidget w =NULL;\r\n"},
      {"local location l = GetUnitLoc(u)", "\tlocation l =GetUnitLoc(u);\r\n"},
      {"local unittype t", "\tunittype t;\r\n"},
      {"local unit u = null", "\tunit u =NULL;\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
  const std::string script =
      "globals\r\nlocation udg_l = null\r\nwidget udg_w\r\nunit udg_u\r\nendglobals\r\n"
      "function g takes location l, unit u, widget w returns location\r\n"
      "set udg_l = l\r\nreturn l\r\nendfunction\r\n";
  const sConverted out = fConvertAll(script);
  EXPECT_EQ(fShow(out.globals), fShow("location udg_l;\r\nwidget udg_w;\r\nunit udg_u;\r\n"));
  EXPECT_EQ(fShow(out.constructor), fShow("\t\tudg_l=NULL;\r\n"));
  EXPECT_EQ(fShow(out.functions),
            fShow("location g( location l, unit u, widget w)\r\n{\r\n"
                  "\tpGlobal->udg_l =l;\r\n\treturn  l;\r\n}\r\n\r\n"));
}

// Escaped quotes inside literals, where the engine splits arguments, counts
// quotes in nested blocks and scans string declarations.
TEST(Translation, EscapedQuotesStayInTheirLiteral) {
  const LineCase cases[] = {
      {"call f(\"\\\"\", 1)", "\tf(sMyString(0x22), 1);\r\n"},
      {"call f(\"a\\\"b\", 1)", "\tf(sMyString(\"a\\\"b\"), 1);\r\n"},
      {"call f(\"a\\\\\", 1)", "\tf(sMyString(\"a\\\\\"), 1);\r\n"},
      {"local string s = \"\\\"\"", "\tsMyString s =sMyString(0x22);\r\n"},
      {"if s == \"\\\"\" then\r\nendif\r\ncall g()",
       "\tif (s ==sMyString(0x22))\r\n\t{\r\n\t}\r\n\tg();\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// A declaration's initial value is a whole expression; its operators used
// to vanish ("boolean b =a =c", "xandy", a string built with "+").
TEST(Translation, DeclarationsKeepTheOperatorsOfTheirValue) {
  const LineCase cases[] = {
      {"local boolean b = a <= c", "\tboolean b =a<= c;\r\n"},
      {"local boolean b = x and y", "\tboolean b =x&& y;\r\n"},
      {"local boolean b = (a > 0) or (b > 0)", "\tboolean b =(a> 0) || (b> 0);\r\n"},
      {"local boolean b = s == \"x\"", "\tboolean b =s ==sMyString(0x78);\r\n"},
      {"local string t = \"a\" + I2S(x)", "\tsMyString t =sMyString(0x61) + fMyI2S(x);\r\n"},
      {"local string t = n[i] + \"|r\"", "\tsMyString t =n[i][0] + sMyString(\"|r\");\r\n"},
      {"local string t = null", "\tsMyString t =NULL;\r\n"},
      {"local unit u = GetEnumUnit()", "\tunit u =GetEnumUnit();\r\n"},
      {"local real r = -1.5", "\treal r =-1.5f;\r\n"},
      {"local boolean b = 1>=2", "\tboolean b =1>=2;\r\n"},
      {"local boolean b = x1 > 0", "\tboolean b =x1> 0;\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// A number written from the pending name used to leave its text behind; the
// next operand's flush wrote it a second time ("*0x2FFFFF4").
TEST(Translation, NumberIsWrittenOnce) {
  const LineCase cases[] = {
      {"set y = (b - 0x2FFFFF * 4)", "\ty =(b- 0x2FFFFF * 4);\r\n"},
      {"set y = (b / 0x1F0748 + 0x3EA)", "\ty =(b/ 0x1F0748 + 0x3EA);\r\n"},
      {"return RMem(a+0x2C+4*GetPlayerId(p))", "\treturn  RMem(a+0x2C+4*GetPlayerId(p));\r\n"},
      {"set y = b - 0x2FFFFF * 4", "\ty =b- 0x2FFFFF* 4;\r\n"},
      {"set y = f(1.5 * x, 2)", "\ty =f(1.5f* x, 2);\r\n"},
      {"set y = (x + 1) * 2", "\ty =(x+ 1) * 2;\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// A condition is its own parenthesised group only when nothing but blanks
// follows the group; an operator after it used to leave it bare.
TEST(Translation, ConditionWithAnOperatorAfterItsFirstGroupIsWrapped) {
  const LineCase cases[] = {
      {"if(LoadInteger(HY,h,679))==1 then\r\nendif",
       "\tif ((LoadInteger(HY,h,679))==1)\r\n\t{\r\n\t}\r\n"},
      {"if (x)>0 then\r\nendif", "\tif ((x)>0)\r\n\t{\r\n\t}\r\n"},
      {"if (a-b)<180 then\r\nendif", "\tif ((a-b)<180)\r\n\t{\r\n\t}\r\n"},
      {"if (a > b) then\r\nendif", "\tif (a> b)\r\n\t{\r\n\t}\r\n"},
      {"if (a) and (b) then\r\nendif", "\tif ((a) && (b))\r\n\t{\r\n\t}\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// A minus before a name is the operator, not the start of a number: the
// global after it used to lose its prefix ("-ii").
TEST(Translation, MinusBeforeANameKeepsTheNameAnOperand) {
  const LineCase cases[] = {
      {"local real t=GetTime()-real001", "\treal t=GetTime()-pGlobal->real001;\r\n"},
      {"local integer b=-ii", "\tinteger b=-pGlobal->ii;\r\n"},
      {"local integer b = -ii", "\tinteger b =-pGlobal->ii;\r\n"},
      {"set x = -1", "\tx =-1;\r\n"},
      {"local integer i = -1", "\tinteger i =-1;\r\n"},
      {"local real r = -1.5", "\treal r =-1.5f;\r\n"},
      {"local real r = -.5", "\treal r =-.5f;\r\n"},
      {"set x = a - 1", "\tx =a- 1;\r\n"},
      {"set x = a-b", "\tx =a-b;\r\n"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(fShow(c.jass));
    const std::string script = "globals\r\ninteger ii = 0\r\nreal real001 = 0\r\nendglobals\r\n"
                               "function f takes nothing returns nothing\r\n" +
                               c.jass + "\r\nendfunction\r\n";
    EXPECT_EQ(fShow(fConvertAll(script).functions),
              fShow("void f()\r\n{\r\n" + c.cpp + "}\r\n\r\n"));
  }
}

// An "=" or "!" after an operand while an "=" is pending starts a comparison
// in the assigned value; it used to be taken as the second half of "==" and
// the target was lost ('set b1=x==4' gave "x=4;").
TEST(Translation, ComparisonInAnAssignedValueKeepsTheTarget) {
  const LineCase cases[] = {
      {"set b1=x==4", "\tb1=x==4;\r\n"},
      {"local boolean HWI=QIE==4", "\tboolean HWI=QIE==4;\r\n"},
      {"set H0N=p!=q", "\tH0N=p!=q;\r\n"},
      {"set b1 = x== 4", "\tb1 =x ==4;\r\n"},
      {"set x[i]=a==b", "\tx[i][0]=a==b;\r\n"},
      {"set x=a!=null", "\tx=a!=NULL;\r\n"},
      {"set x = a == b", "\tx =a ==b;\r\n"},
      {"set x=f(a)==b", "\tx=f(a)==b;\r\n"},
      {"set x = a<=b", "\tx =a<=b;\r\n"},
      {"if a==b then\r\nendif", "\tif (a==b)\r\n\t{\r\n\t}\r\n"},
      {"if a != b then\r\nendif", "\tif (a !=b)\r\n\t{\r\n\t}\r\n"},
      {"if x == y then\r\nendif", "\tif (x ==y)\r\n\t{\r\n\t}\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
  const sConverted out = fConvertAll("globals\r\nboolean B=x==4\r\nendglobals\r\n");
  EXPECT_EQ(fShow(out.globals), fShow("boolean B;\r\n"));
  EXPECT_EQ(fShow(out.constructor), fShow("\t\tB=x==4;\r\n"));
}

// "or" and "and" glued to the literal before them are still the operators;
// a name that merely ends in them is not cut.
TEST(Translation, LogicalWordGluedToALiteral) {
  const LineCase cases[] = {
      {"if id=='A01T'or id=='A00F' then\r\nendif",
       "\tif (id=='A01T'|| id=='A00F')\r\n\t{\r\n\t}\r\n"},
      {"if x==1or x==2 then\r\nendif", "\tif (x==1|| x==2)\r\n\t{\r\n\t}\r\n"},
      {"set b = x==1.5and y", "\tb =x==1.5f&& y;\r\n"},
      {"local boolean b = x==1or x==2", "\tboolean b =x==1|| x==2;\r\n"},
      {"set b = x==1 or x==2", "\tb =x==1|| x==2;\r\n"},
      {"set b = id=='10or'", "\tb =id=='10or';\r\n"},
      {"set b = x==1order", "\tb =x==1order;\r\n"},
      {"set b = x1or", "\tb =x1or;\r\n"},
      {"set b = color", "\tb =color;\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

// A parameter or local hides the global of its name for the rest of its
// function; it used to be written as the global ("boolean pGlobal->g").
TEST(Translation, ParametersAndLocalsHideGlobalsOfTheirName) {
  const LineCase cases[] = {
      {"function F takes boolean g returns nothing\r\nset g = true\r\nendfunction\r\n",
       "void F( boolean g)\r\n{\r\n\tg =true;\r\n}\r\n\r\n"},
      {"function F takes nothing returns nothing\r\nlocal integer g1 = 5\r\nset g1 = g1+1\r\n"
       "endfunction\r\n",
       "void F()\r\n{\r\n\tinteger g1 =5;\r\n\tg1 =g1+1;\r\n}\r\n\r\n"},
      {"function F takes nothing returns nothing\r\nlocal integer g=5\r\nset g1 = g\r\n"
       "endfunction\r\n",
       "void F()\r\n{\r\n\tinteger g=5;\r\n\tpGlobal->g1 =g;\r\n}\r\n\r\n"},
      {"function F takes nothing returns nothing\r\nlocal integer array g1\r\nset g1[1] = g\r\n"
       "endfunction\r\n",
       "void F()\r\n{\r\n\t\tsMyArray<integer[1],CONST_MAX_SIZE_MASS> g1;\r\n"
       "\tg1[1][0] =pGlobal->g;\r\n}\r\n\r\n"},
      {"function F takes integer g returns nothing\r\nendfunction\r\n"
       "function G takes nothing returns nothing\r\nset g = 1\r\nendfunction\r\n",
       "void F( integer g)\r\n{\r\n}\r\n\r\nvoid G()\r\n{\r\n\tpGlobal->g =1;\r\n}\r\n\r\n"},
      {"function F takes integer a returns nothing\r\nset g = a\r\nendfunction\r\n",
       "void F( integer a)\r\n{\r\n\tpGlobal->g =a;\r\n}\r\n\r\n"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(fShow(c.jass));
    const std::string script = "globals\r\nboolean g\r\ninteger g1\r\nendglobals\r\n" + c.jass;
    EXPECT_EQ(fShow(fConvertAll(script).functions), fShow(c.cpp));
  }
}

// The text before "then" is taken once: with a blank left at the start of
// the condition it used to be written again ('if  a then' gave "(  a a)").
TEST(Translation, ConditionAfterSeveralBlanksIsWrittenOnce) {
  const LineCase cases[] = {
      {"if  lvl>0 then\r\nendif", "\tif ( lvl>0)\r\n\t{\r\n\t}\r\n"},
      {"if   lvl>0  then\r\nendif", "\tif ( lvl>0)\r\n\t{\r\n\t}\r\n"},
      {"if  not a then\r\nendif", "\tif ( ! a)\r\n\t{\r\n\t}\r\n"},
      {"if a then\r\nelseif  x then\r\nendif",
       "\tif (a)\r\n\t{\r\n\t}\r\n\telse if( x)\r\n\t{\r\n\t}\r\n"},
      {"if lvl>0 then\r\nendif", "\tif (lvl>0)\r\n\t{\r\n\t}\r\n"},
      {"if (a > b) then\r\nendif", "\tif (a> b)\r\n\t{\r\n\t}\r\n"},
  };
  fExpectBodies(cases, sizeof cases / sizeof cases[0]);
}

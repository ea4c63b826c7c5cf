// Functions written from line templates against the engine's own writing:
// each script is converted both ways and must give the same bytes. The lines
// are those a template could get wrong: lines that leave state for the next,
// words the scanner reads by their spelling, values that look like
// placeholders, blanks the engine drops, and names whose meaning depends on
// the globals and locals around them.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>

#include "support/bytes.h"
#include "support/convert.h"
#include "support/files.h"
#include "text/state.h"

namespace {

struct sBothWays {
  std::string templates;
  std::string engine;
  int32_t nFromTemplates = 0;
};

std::string fAllOutput(sState& s) {
  return fJoined(s.vCppLines) + fJoined(s.vHeaderLines);
}

sBothWays fBothWays(const std::string& script) {
  sBothWays both;
  auto s = std::make_unique<sState>();
  fConvertText(*s, script);
  both.templates = fAllOutput(*s);
  both.nFromTemplates = s->vFunctionsFromTemplates;
  auto engine = std::make_unique<sState>();
  engine->vEngineOnly = 1;
  fConvertText(*engine, script);
  both.engine = fAllOutput(*engine);
  return both;
}

const char kGlobals[] =
    "globals\r\ninteger G=0\r\ninteger array A\r\ninteger new\r\nstring S\r\nendglobals\r\n";

std::string fScript(const std::string& body) {
  return std::string(kGlobals) + "function f takes integer a,unit u returns integer\r\n" + body +
         "return 0\r\nendfunction\r\n";
}

TEST(LineTemplates, WriteWhatTheEngineWrites) {
  using namespace std::string_literals;
  const std::string kBodies[] = {
      // Lines that leave state for the next: a local after a line is not
      // reset as a statement is.
      "local integer z0=\r\n",
      "local unit v = nul$\r\nlocal boolean c = true\r\n",
      "local real r = 0.0\r\nlocal integer i\r\nlocal real q=.5\r\nset i = 5\r\nlocal real s = 1.\r\n",
      "local integer z1 = \r\nset a=1\r\n",
      // A local named like a global hides it from then on, in later lines too.
      "local integer G=G+1\r\nset G=A[G]\r\n",
      "local integer target=A[1]\r\nlocal integer b=A[2]\r\nset b=G\r\n",
      "local integer hash=G\r\nset a=hash\r\n",
      // Types the scanner knows and one it does not.
      "local unit array ua\r\nlocal texttag t\r\nlocal bolean q=true\r\n",
      "local widget  w = null\r\nlocal integer    i\r\n",
      // Words that begin with a keyword, or begin one.
      "if a==0 thenX(a)==0 then\r\nendif\r\n",
      "call F(notX,nullY,andZ,thenW,ifV)\r\ncall F(nul,tru,an,functio)\r\n",
      "set a=Xand+orY-notZ\r\n",
      // Block words where the engine would count them.
      "if (a != 0) then  if (a != 0) then\r\ncall F()\r\nendif\r\nendif\r\n",
      "call F(a) endif\r\n",
      // Block words inside literals and names, in the blocks whose ends the
      // engine counts.
      ("if a then\r\ncall F('ifAB',\"endif\",'loop')\r\nset a=endifX+loopy\r\nloop\r\n"
       "exitwhen endloopQ\r\nendloop\r\nendif\r\n"),
      // Numbers the engine runs together, and forms it writes differently.
      "call F(9 10823.7,1)\r\nset a=0 then\r\ncall F(do 0,a 1,G  2.5,new 3)\r\n",
      "set a=$FF+0x1F+010+1e5\r\ncall F(.5,1.,-1,- 2)\r\n",
      "call F(270.00$0,5$0,0x1F$2,7 $3)\r\n",
      // Lines the token and grouping passes change, beside one they must
      // see in its function (a hexadecimal ending in 'e' before a sign).
      ("set a=a- -1+1.5\r\nif a==1 or a==2 and G==3 then\r\nendif\r\n"
       "return a==1 or (a==2 and G==3) or a>1.0\r\n"),
      "set a=0x1e-1\r\nset a=a- -1\r\nif a==1 or a==2 and G==3 then\r\nendif\r\n",
      // Literals that look like the placeholders.
      "call F(\"QG1Q\",'QR01',90000001,\"90000001\",QN0Q,QG2Q)\r\n",
      "call F(90001001.0,0x90002001,9000.5,0x9000,\"90001001.0\",90001001.0then)\r\n",
      "call F(90003001.,.90004001,-.90004001,.5.,1..,.)\r\n",
      // One value twice and two values in one shape, numbers of every form
      // beside each other, and strings whose only escapes are backslashes.
      ("call F(a,a)\r\ncall F(a,G)\r\ncall F(G,a)\r\nset a=a+a*2.50-0.5+0x1f+0XAB\r\n"
       "set a=G+1.5+15.+00.10+0x+0x123456789+1.5.5\r\n"
       "call F(\"a\\\\b\",\"\\\\\",\"\\\\x\\\\\",\"\\\\\\\"\",\"a\\\\\")\r\n"),
      "call F(\"x\",\"\",\"a\\\"b\",\"\\\\\",'A','AB0C')\r\n",
      // A reserved name that is a global, mapped names, the function's own name.
      "set new=new+1\r\ncall I2S(new)\r\ncall ExecuteFunc(\"f\")\r\nset a=f(a,u)\r\n",
      "call TriggerAddAction(CreateTrigger(),function f)\r\n",
      // Blocks in blocks, and the lines that stand only in them.
      ("loop\r\nif a>1 then\r\nexitwhen true\r\nelseif a<0 then\r\nset a=1\r\nelse\r\nloop\r\n"
       "exitwhen a==G\r\nendloop\r\nendif\r\nendloop\r\n"),
      "if a then\r\nelseif(a)then\r\nelseif a==1then\r\nendif\r\n",
      // Blanks where the engine keeps or drops them.
      "set a = a + 1\r\ncall F( a , u )\r\nif  a  and  not  G  then\r\nendif\r\n",
      "\r\n\r\nset  a=1\r\n",
      // Bytes that end a line for the engine, even in a literal.
      "call F(\"his items i\0\0`0 conds\",\"a\x0e b\")\r\nset a=1\r\n"s,
      // The other control bytes it copies, but a lone one by its code.
      "call F(\"a\tb\",\"\t\",\"x\x01y\x0bz\",S+\"\t\t \")\r\n",
      // Non-ASCII text in a literal; an operator at the end of a line.
      "call F(\"\xE5\x9C\xB0\xE5\x9B\xBE\",S+\"ab\")\r\nset a=a+\r\nset a=1\r\n",
  };
  std::string all = kGlobals;
  for (const std::string& body : kBodies) {
    const std::string script = fScript(body);
    const sBothWays both = fBothWays(script);
    EXPECT_TRUE(fSameBytes(both.templates, both.engine)) << script;
    all += "function f" + std::to_string(all.size()) +
           " takes integer a,unit u returns integer\r\n" + body + "return 0\r\nendfunction\r\n";
  }
  // Headers whose types the engine reads by their first bytes.
  const std::string kHeads[] = {
      "function h takes integer a returns stringboolean\r\n",
      "function h takes integerx a,unit  u returns integer\r\n",
      "function h takes nothing returns nothingx\r\n",
  };
  for (const std::string& head : kHeads) {
    const std::string script = kGlobals + head + "return a\r\nendfunction\r\n";
    const sBothWays both = fBothWays(script);
    EXPECT_TRUE(fSameBytes(both.templates, both.engine)) << script;
    all += head + "return a\r\nendfunction\r\n";
  }
  // Together, each function starts where the one before left the state.
  const sBothWays both = fBothWays(all);
  EXPECT_TRUE(fSameBytes(both.templates, both.engine));
  EXPECT_GT(both.nFromTemplates, 5);
}

// A local array's declaration leaves a flag set that the next line resets
// before it reads it, whatever kind of line that is, and a header may have
// more than one blank before a parameter's name: such functions are written
// from templates too.
TEST(LineTemplates, CoverLocalArraysAndLooseHeaders) {
  using namespace std::string_literals;
  const char kHeader[] = "function f takes integer a,unit u returns integer\r\n";
  const std::string kFunctions[] = {
      kHeader + "local integer array b\r\nlocal integer i\r\nset G=b[1]\r\n"s,
      kHeader + "local unit array c\r\nset G=a\r\n"s,
      kHeader + "local real array d\r\nif G then\r\nendif\r\n"s,
      kHeader + "local integer array b\r\nloop\r\nset G=a\r\nendloop\r\n"s,
      kHeader + "local integer array b\r\ncall F(b)\r\n"s,
      kHeader + "local integer array b\r\nreturn G\r\n"s,
      "function f takes unit  G,integer   a returns integer\r\nset G=a\r\n"s,
  };
  std::string all = kGlobals;
  for (std::string function : kFunctions) {
    function.replace(function.find(" f "), 3, " f" + std::to_string(all.size()) + " ");
    all += function + "return 0\r\nendfunction\r\n";
  }
  const sBothWays both = fBothWays(all);
  EXPECT_TRUE(fSameBytes(both.templates, both.engine));
  EXPECT_EQ(both.nFromTemplates, static_cast<int32_t>(std::size(kFunctions)));
}

// Whatever the templates decline, the engine writes: a speed matter only, so
// the well-formed demo must be written from templates throughout.
TEST(LineTemplates, CoverEveryFunctionOfTheDemo) {
  std::string demo;
  ASSERT_TRUE(fReadFile(std::string(JASSCRIBE_SOURCE_DIR) + "/examples/demo.j", demo));
  const sBothWays both = fBothWays(demo);
  EXPECT_TRUE(fSameBytes(both.templates, both.engine));
  EXPECT_EQ(both.nFromTemplates, 6);
}

}  // namespace

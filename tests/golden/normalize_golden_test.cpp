// Whole conversion of one World-Editor-style script written in the layouts
// real scripts use: input normalisation, then the translator, in process.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/convert.h"

namespace {

struct Line {
  int nIndent;
  const char* text;
};

// Globals with values, a comment line and end-of-line comments inside the
// function, a "//" inside a string literal, an if/elseif/else block nested
// in a loop with exitwhen.
const std::vector<Line> kScript = {
    {0, "//==========================================================================="},
    {0, "// Trigger: Count"},
    {0, "globals"},
    {1, "integer udg_count = 5"},
    {1, "real udg_rate = 1.5"},
    {1, "boolean udg_done = false"},
    {1, "integer array udg_list"},
    {0, "endglobals"},
    {0, ""},
    {0, "function Trig_Count_Actions takes nothing returns nothing"},
    {1, "local integer i = 0"},
    {1, "// walk the list until done"},
    {1, "loop"},
    {2, "exitwhen i > udg_count"},
    {2, "if udg_list[i] > 3 then"},
    {3, "set udg_list[i] = udg_list[i] - 1"},
    {2, "elseif udg_list[i] == 0 then"},
    {3, "set udg_done = true"},
    {2, "else"},
    {3, "call BJDebugMsg(\"a // b\") // shown"},
    {2, "endif"},
    {2, "set i = i + 1 // next"},
    {1, "endloop"},
    {0, "endfunction"},
};

std::string fLayout(const std::string& indentUnit, const std::string& lineEnd) {
  std::string script;
  for (const Line& line : kScript) {
    for (int i = 0; i < line.nIndent; ++i) script += indentUnit;
    script += line.text;
    script += lineEnd;
  }
  return script;
}

std::string fBetween(const std::string& text, const std::string& from, const std::string& to) {
  const size_t start = text.find(from);
  if (start == std::string::npos) return std::string();
  const size_t end = text.find(to, start + from.size());
  if (end == std::string::npos) return std::string();
  return text.substr(start + from.size(), end - start - from.size());
}

// Each line as its leading tabs plus its text without blanks: the nesting
// and the tokens are checked, the spacing between tokens is not.
std::vector<std::string> fShape(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string shaped;
    size_t i = pos;
    for (; i < end && text[i] == '\t'; ++i) shaped += '\t';
    for (; i < end; ++i) {
      if (text[i] != ' ') shaped += text[i];
    }
    lines.push_back(shaped);
    pos = end + 2;
  }
  return lines;
}

}  // namespace

TEST(NormalizeGolden, FourLayoutsConvertToTheSameBytes) {
  const sConverted base = fConvertNormalized(fLayout("", "\r\n"));
  ASSERT_FALSE(base.header.empty());
  ASSERT_FALSE(base.cpp.empty());
  const struct {
    const char* what;
    std::string script;
  } layouts[] = {
      {"CR LF, 4 blanks", fLayout("    ", "\r\n")},
      {"LF, 4 blanks", fLayout("    ", "\n")},
      {"LF, tabs", fLayout("\t", "\n")},
  };
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.what);
    const sConverted out = fConvertNormalized(layout.script);
    EXPECT_EQ(out.header, base.header);
    EXPECT_EQ(out.cpp, base.cpp);
  }
}

TEST(NormalizeGolden, GlobalsBecomeMembersWithConstructorValues) {
  const std::string header = fConvertNormalized(fLayout("\t", "\n")).header;
  const std::vector<std::string> members = {
      "integerudg_count;", "realudg_rate;", "booleanudg_done;",
      "\tsMyArray<integer[1],CONST_MAX_SIZE_MASS>udg_list;"};
  const std::vector<std::string> shapedMembers =
      fShape(fBetween(header, "public:\r\n", "\r\n\tsGlobal()"));
  for (const std::string& member : members) {
    EXPECT_NE(std::find(shapedMembers.begin(), shapedMembers.end(), member), shapedMembers.end())
        << member;
  }
  const std::vector<std::string> values = {"\t\tudg_count=5;", "\t\tudg_rate=1.5f;",
                                           "\t\tudg_done=false;"};
  EXPECT_EQ(fShape(fBetween(header, "\tsGlobal()\r\n\t{\r\n", "\t};\r\n")), values);
  EXPECT_NE(header.find("\r\n\r\nvoid Trig_Count_Actions();\r\n"), std::string::npos);
}

TEST(NormalizeGolden, EveryBlockOfTheFunctionSurvives) {
  const std::string cpp = fConvertNormalized(fLayout("    ", "\n")).cpp;
  const std::vector<std::string> expected = {
      "voidTrig_Count_Actions()",
      "{",
      "\tintegeri=0;",
      "\twhile(true)",
      "\t{",
      "\t\tif(i>pGlobal->udg_count)break;",
      "\t\tif(pGlobal->udg_list[i][0]>3)",
      "\t\t{",
      "\t\t\tpGlobal->udg_list[i][0]=pGlobal->udg_list[i][0]-1;",
      "\t\t}",
      "\t\telseif(pGlobal->udg_list[i][0]==0)",
      "\t\t{",
      "\t\t\tpGlobal->udg_done=true;",
      "\t\t}",
      "\t\telse",
      "\t\t{",
      "\t\t\tBJDebugMsg(sMyString(\"a//b\"));",
      "\t\t}",
      "\t\ti=i+1;",
      "\t}",
      "}",
  };
  const std::string function = fBetween(cpp, "\r\n\r\nvoid Trig_Count_Actions()", "\r\n}\r\n");
  ASSERT_FALSE(function.empty());
  EXPECT_EQ(fShape("void Trig_Count_Actions()" + function + "\r\n}"), expected);
  EXPECT_NE(cpp.find("BJDebugMsg(sMyString(\"a // b\"))"), std::string::npos);
  EXPECT_NE(cpp.find("\tSaveInteger(vHT_Ex,0,fMyStringHash(\"Trig_Count_Actions\"),"
                     "(integer)&Trig_Count_Actions);\r\n"),
            std::string::npos);
  for (const char* word : {"walk", "shown", "next", "Trigger"}) {
    EXPECT_EQ(cpp.find(word), std::string::npos) << "comment word in the output: " << word;
  }
}

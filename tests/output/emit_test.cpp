// The two emitters: the complete output files of a script without globals and
// functions, byte for byte, and each section inserted once at its place.
#include "output/emit.h"

#include <gtest/gtest.h>

#include <string>

#include "support/bytes.h"
#include "support/convert.h"

namespace {

// war3map.h of a script with no globals and no functions.
const std::string kEmptyHeader =
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
    "public:\r\n"
    "\r\n"
    "\tsGlobal()\r\n"
    "\t{\r\n"
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
    "\r\n";

// war3map.cpp of a script with no globals and no functions.
const std::string kEmptyCpp =
    "#include \"stdafx.h\"\r\n"
    "#include \"Jass.h\"\r\n"
    "#include \"MyArray.h\"\r\n"
    "#include \"MyString.h\"\r\n"
    "#include \"war3map.h\"\r\n"
    "#include \"Additional_functions.h\"\r\n"
    "#include \"JassApi_functions_extern.h\"\r\n"
    "\r\n"
    "typedef void(fFuncThread)(void);\r\n"
    "\r\n"
    "rect bj_mapInitialPlayableArea = NULL;\r\n"
    "const integer bj_MAX_PLAYER_SLOTS = 16;\r\n"
    "const integer bj_PLAYER_NEUTRAL_VICTIM = 13;\r\n"
    "const alliancetype ALLIANCE_SHARED_ADVANCED_CONTROL = (HALLIANCETYPE)7;\r\n"
    "const real bj_PI = 3.14159;\r\n"
    "static const int CONST_MAX_SIZE_MASS = 8190;\r\n"
    "static sGlobal *pGlobal;\r\n"
    "HHASHTABLE vHT_Ex;\r\n"
    "TEventRegistrationHandle vEndMapHandle;\r\n"
    "HPLAYER vLocalPlayer;\r\n"
    "\r\n"
    "static unsigned int fMyHashByte(char vChar)\r\n"
    "{\r\n"
    "\tunsigned int vByte = (unsigned char)vChar;\r\n"
    "\tif (vByte >= 'a' && vByte <= 'z') return vByte - 'a' + 'A';\r\n"
    "\tif (vByte == '/') return '\\\\';\r\n"
    "\treturn vByte;\r\n"
    "}\r\n"
    "\r\n"
    "static void fMyHashMix(unsigned int &a, unsigned int &b, unsigned int &c)\r\n"
    "{\r\n"
    "\ta -= b; a -= c; a ^= (c >> 13);\r\n"
    "\tb -= c; b -= a; b ^= (a << 8);\r\n"
    "\tc -= a; c -= b; c ^= (b >> 13);\r\n"
    "\ta -= b; a -= c; a ^= (c >> 12);\r\n"
    "\tb -= c; b -= a; b ^= (a << 16);\r\n"
    "\tc -= a; c -= b; c ^= (b >> 5);\r\n"
    "\ta -= b; a -= c; a ^= (c >> 3);\r\n"
    "\tb -= c; b -= a; b ^= (a << 10);\r\n"
    "\tc -= a; c -= b; c ^= (b >> 15);\r\n"
    "}\r\n"
    "\r\n"
    "integer fMyStringHash(String vStr)\r\n"
    "{\r\n"
    "\tconst char *pStr = vStr;\r\n"
    "\tunsigned int vLen = (unsigned int)strlen(pStr);\r\n"
    "\tunsigned int v[3] = {0x9e3779b9u, 0x9e3779b9u, 0u};\r\n"
    "\tunsigned int i = 0;\r\n"
    "\tfor (; vLen - i >= 12; i += 12)\r\n"
    "\t{\r\n"
    "\t\tfor (unsigned int j = 0; j < 12; ++j) v[j / 4] += fMyHashByte(pStr[i + j]) << (j % 4 * 8);\r\n"
    "\t\tfMyHashMix(v[0], v[1], v[2]);\r\n"
    "\t}\r\n"
    "\tv[2] += vLen;\r\n"
    "\tfor (unsigned int j = 0; i + j < vLen; ++j) v[j / 4] += fMyHashByte(pStr[i + j]) << (j % 4 * 8 + (j >= 8 ? 8 : 0));\r\n"
    "\tfMyHashMix(v[0], v[1], v[2]);\r\n"
    "\treturn (integer)v[2];\r\n"
    "}\r\n"
    "\r\n"
    "sMyString fMyGetUnitName(unit u)\r\n"
    "{\r\n"
    "\treturn sMyString(GetUnitName(u));\r\n"
    "}\r\n"
    "\r\n"
    "sMyString fMySubString(sMyString &source, Integer start, Integer end_)\r\n"
    "{\r\n"
    "\tchar *pStr;\r\n"
    "\tString vStr;\r\n"
    "\tvStr = new char[end_-start + 1];\r\n"
    "\tpStr = vStr;\r\n"
    "\tmemcpy(pStr,((char*)source)+start,end_-start);\r\n"
    "\tpStr += end_-start;\r\n"
    "\t*pStr = '\\0';\r\n"
    "\tstatic sMyString *vMyString;\r\n"
    "\tvMyString = new sMyString();\r\n"
    "\tvMyString->vTempData = fCpyStr(vStr);\r\n"
    "\tvMyString->vBoolTempData = true;\r\n"
    "\tvMyString->fTempData2();\r\n"
    "\tdelete vStr;\r\n"
    "\treturn *vMyString;\r\n"
    "}\r\n"
    "\r\n"
    "sMyString fMyI2S(integer vInt)\r\n"
    "{\r\n"
    "\treturn sMyString(I2S(vInt));\r\n"
    "}\r\n"
    "\r\n"
    "void fMain()\r\n"
    "{\r\n"
    "\tfMapBegin();\r\n"
    "\tfFuncsInit();\r\n"
    "\tfMainJass();\r\n"
    "}\r\n"
    "\r\n"
    "struct sMyFuncEntry\r\n"
    "{\r\n"
    "\tconst char *vName;\r\n"
    "\tinteger vHash;\r\n"
    "\tinteger vAddress;\r\n"
    "\tsMyFuncEntry *pNext;\r\n"
    "};\r\n"
    "static sMyFuncEntry *pFuncEntries = NULL;\r\n"
    "\r\n"
    "void fMyRegisterFunc(const char *vName, integer vAddress)\r\n"
    "{\r\n"
    "\tsMyFuncEntry *pEntry = new sMyFuncEntry;\r\n"
    "\tpEntry->vName = vName;\r\n"
    "\tpEntry->vHash = fMyStringHash(vName);\r\n"
    "\tpEntry->vAddress = vAddress;\r\n"
    "\tpEntry->pNext = pFuncEntries;\r\n"
    "\tpFuncEntries = pEntry;\r\n"
    "}\r\n"
    "\r\n"
    "procedure fMyExecuteFunc(String funcName)\r\n"
    "{\r\n"
    "\tconst char *pName = funcName;\r\n"
    "\tif (pName == NULL) return;\r\n"
    "\tinteger vHash = fMyStringHash(funcName);\r\n"
    "\tfor (sMyFuncEntry *pEntry = pFuncEntries; pEntry != NULL; pEntry = pEntry->pNext)\r\n"
    "\t{\r\n"
    "\t\tif (pEntry->vHash != vHash || strcmp(pEntry->vName, pName) != 0) continue;\r\n"
    "\t\tfFuncThread *pFunc = (fFuncThread *)pEntry->vAddress;\r\n"
    "\t\tpFunc();\r\n"
    "\t\treturn;\r\n"
    "\t}\r\n"
    "}\r\n"
    "\r\n"
    "void fMapBegin()\r\n"
    "{\r\n"
    "\tpGlobal = new sGlobal;\r\n"
    "\tvHT_Ex = InitHashtable();\r\n"
    "\tIncrementHandleReferences(vHT_Ex);\r\n"
    "\tvEndMapHandle = AddEventHandler(jeMainThreadDestroyed,(TJassEventCallback*)&fMapEnd,NULL);\r\n"
    "\tvLocalPlayer = 0;\r\n"
    "\tvLocalPlayer = GetLocalPlayer();\r\n"
    "}\r\n"
    "\r\n"
    "HPLAYER fMyGetLocalPlayer()\r\n"
    "{\r\n"
    "\treturn vLocalPlayer;\r\n"
    "}\r\n"
    "\r\n"
    "void fMapEnd()\r\n"
    "{\r\n"
    "\tif (pGlobal > 0)\r\n"
    "\t{\r\n"
    "\t\tdelete pGlobal;\r\n"
    "\t\tpGlobal = NULL;\r\n"
    "\t}\r\n"
    "\tif (vEndMapHandle)\r\n"
    "\t{\r\n"
    "\t\tRemoveEventHandler((TEventRegistrationHandle)vEndMapHandle);\r\n"
    "\t\tvEndMapHandle = NULL;\r\n"
    "\t}\r\n"
    "}\r\n"
    "\r\n"
    "bool fFuncsInit()\r\n"
    "{\r\n"
    "\treturn TRUE;\r\n"
    "}\r\n"
    "\r\n";

// Every CR is followed by LF and every LF preceded by CR.
bool fOnlyCrLf(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
  }
  return true;
}

// expected with insert placed right after the first occurrence of anchor.
std::string fInsertedAfter(const std::string& text, const std::string& anchor,
                           const std::string& insert) {
  size_t at = text.find(anchor);
  EXPECT_NE(at, std::string::npos) << anchor;
  std::string result = text;
  return result.insert(at + anchor.size(), insert);
}

}  // namespace

TEST(Emit, HeaderOfEmptyScriptIsExact) {
  sState s;
  EXPECT_TRUE(fEmitHeader(s));
  EXPECT_TRUE(fSameBytes(fJoined(s.vHeaderLines), kEmptyHeader));
  EXPECT_EQ(s.vHeaderLines.nCount(), 38);  // 35 lines and 3 (empty) sections
  EXPECT_EQ(s.vCppLines.nCount(), 0);
}

TEST(Emit, CppFrameOfEmptyScriptIsExact) {
  sState s;
  EXPECT_TRUE(fEmitCppFrame(s));
  EXPECT_TRUE(fSameBytes(fJoined(s.vCppLines), kEmptyCpp));
  EXPECT_EQ(s.vCppLines.nCount(), 163);  // 161 lines and 2 (empty) sections
  EXPECT_EQ(s.vHeaderLines.nCount(), 0);
}

TEST(Emit, SpecialLinesAreExact) {
  sState s;
  fEmitHeader(s);
  fEmitCppFrame(s);
  struct Line {
    sTextList* pList;
    int32_t index;  // item index: the 1-based line number of the frame minus 1
    std::string bytes;
  };
  const Line lines[] = {
      {&s.vHeaderLines, 15, "\x09static const int CONST_MAX_SIZE_MASS = 8190;\x0d\x0a"},
      {&s.vHeaderLines, 22, "\x09};\x0d\x0a"},
      {&s.vHeaderLines, 24, "};\x0d\x0a"},
      {&s.vHeaderLines, 26, "procedure fMyExecuteFunc(String funcName);\x0d\x0a"},
      {&s.vCppLines, 15, "static const int CONST_MAX_SIZE_MASS = 8190;\x0d\x0a"},
      {&s.vCppLines, 72, std::string("\x09*pStr = '") + '\x5c' + "0';\x0d\x0a"},
      {&s.vCppLines, 113, "procedure fMyExecuteFunc(String funcName)\x0d\x0a"},
      {&s.vCppLines, 162, "\x0d\x0a"},
  };
  for (const Line& l : lines) {
    SCOPED_TRACE(fShow(l.bytes));
    ASSERT_LT(l.index, l.pList->nCount());
    EXPECT_EQ(l.pList->fItem(l.index), l.bytes);
  }
  std::string header = fJoined(s.vHeaderLines);
  std::string cpp = fJoined(s.vCppLines);
  EXPECT_TRUE(fOnlyCrLf(header));
  EXPECT_TRUE(fOnlyCrLf(cpp));
  EXPECT_EQ(header.substr(header.size() - 4), "\r\n\r\n");  // ends with the empty line
  EXPECT_EQ(cpp.substr(cpp.size() - 5), "}\r\n\r\n");
  EXPECT_EQ(header.find('\0'), std::string::npos);
  EXPECT_EQ(cpp.find('\0'), std::string::npos);
}

TEST(Emit, HeaderSectionsInsertedOnceAtTheirPlaces) {
  sState s;
  s.vGlobalsVarList.fAppendString("\tinteger udg_a;\r\n");
  s.vGlobalsVarList.fAppendString("\treal udg_b;\r\n");  // a second globals block
  s.vInitVarsInConstructorList.fAppendString("\t\t");
  s.vInitVarsInConstructorList.fAppendString("udg_a=1");
  s.vInitVarsInConstructorList.fAppendString(";\r\n");
  s.vFuncsForHeaderList.fAppendString("void f()");
  s.vFuncsForHeaderList.fAppendString(";\r\n");
  // Section lists are inserted as they are, and stay filled afterwards.
  EXPECT_TRUE(fEmitHeader(s));

  std::string expected = kEmptyHeader;
  expected = fInsertedAfter(expected, "public:\r\n", "\tinteger udg_a;\r\n\treal udg_b;\r\n");
  expected = fInsertedAfter(expected, "\tsGlobal()\r\n\t{\r\n", "\t\tudg_a=1;\r\n");
  expected += "void f();\r\n";
  EXPECT_TRUE(fSameBytes(fJoined(s.vHeaderLines), expected));
  EXPECT_EQ(s.vHeaderLines.nCount(), 38);  // each section is one item
  EXPECT_EQ(s.vHeaderLines.fItem(17), "\tinteger udg_a;\r\n\treal udg_b;\r\n");
  EXPECT_EQ(s.vGlobalsVarList.nCount(), 2);
}

TEST(Emit, CppSectionsInsertedOnceAtTheirPlaces) {
  sState s;
  s.vFuncsCppList.fAppendString("void f()\r\n{\r\n}\r\n");
  s.vFuncsCppList.fAppendString("\r\n");
  s.vBodyFuncsInitList.fAppendString(
      "\tfMyRegisterFunc(\"f\",(integer)&f);\r\n");
  EXPECT_TRUE(fEmitCppFrame(s));

  std::string expected = kEmptyCpp;
  expected = fInsertedAfter(expected, "\t\tvEndMapHandle = NULL;\r\n\t}\r\n}\r\n\r\n",
                            "void f()\r\n{\r\n}\r\n\r\n");
  expected = fInsertedAfter(expected, "bool fFuncsInit()\r\n{\r\n",
                            "\tfMyRegisterFunc(\"f\",(integer)&f);\r\n");
  EXPECT_TRUE(fSameBytes(fJoined(s.vCppLines), expected));
  EXPECT_EQ(s.vCppLines.nCount(), 163);
  EXPECT_EQ(s.vCppLines.fItem(156), "void f()\r\n{\r\n}\r\n\r\n");
}

TEST(Emit, HeaderEndsWithLastPrototypeByte) {
  sState s;
  s.vFuncsForHeaderList.fAppendString("void f()");  // no line end: nothing is added
  fEmitHeader(s);
  std::string header = fJoined(s.vHeaderLines);
  EXPECT_EQ(header.substr(header.size() - 12), "\r\n\r\nvoid f()");
}

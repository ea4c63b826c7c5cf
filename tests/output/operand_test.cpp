// Operand flush and construct reset: each case sets the pending state the way
// the handlers leave it, flushes one element and compares the exact output.
#include "output/operand.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using fSetup = std::function<void(sState&)>;

struct Case {
  const char* pWhat;
  fSetup fPrepare;
  const char* pElement;  // nullptr: no element (flush of the pending state only)
  std::string expected;
};

void fSetName(sCharBuf& buffer, uint8_t& flag, const char* text) {
  buffer.fCopy(text);
  flag = 1;
}

void fAddGlobals(sState& s, std::initializer_list<const char*> names) {
  for (const char* name : names) s.vGlobalNames.fAppendString(name);
}

std::string fFlush(sState& s, const char* pElement) {
  sText element(pElement ? pElement : "");
  sText out;
  EXPECT_TRUE(fTranslateOperand(s, pElement ? &element : nullptr, out));
  return out.data;
}

void fRunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pWhat) + " / element: " + (c.pElement ? c.pElement : "(none)"));
    sState s;
    if (c.fPrepare) c.fPrepare(s);
    EXPECT_EQ(fFlush(s, c.pElement), c.expected);
  }
}

std::vector<std::string> fGlobalNames(const sState& s) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < s.vGlobalNames.nCount(); ++i) names.push_back(s.vGlobalNames.fItem(i));
  return names;
}

}  // namespace

TEST(Operand, WorkedExamples) {
  fRunCases({
      {"nothing pending", nullptr, "done", "done"},
      {"nothing pending", nullptr, "INDEX", "INDEX"},
      {"global outside the globals block", [](sState& s) { fAddGlobals(s, {"udg_x"}); },
       "udg_x", "pGlobal->udg_x"},
      {"null", [](sState& s) { s.vNullPending = 1; }, "null", "NULL"},
      {"left operand and = force the general branch",
       [](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
         s.vAssignPending = 1;
         s.vNumericMode = 1;
       },
       "5", "a=5"},
      {"bang then =",
       [](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
         s.vBangPending = 1;
         s.vAssignPending = 1;
       },
       "b", "a!=b"},
      {"numeric, leading dot", [](sState& s) { s.vNumericMode = 1; }, ".5", "0.5"},
      {"numeric, trailing dot", [](sState& s) { s.vNumericMode = 1; }, "5.", "5.0"},
      {"hex outside numeric mode", [](sState& s) { s.vHexPending = 1; }, "FF", "0xFF"},
      {"pending type", [](sState& s) { s.vPendingType.data = "integer"; }, "i", "integer i"},
      {"initialised global",
       [](sState& s) {
         s.vInGlobals = 1;
         s.vPendingType.data = "boolean";
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "b");
         s.vAssignPending = 1;
       },
       "true", "boolean b=true"},
  });
}

// Exactly the reserved names get "_2"; a name that only begins with one
// keeps its spelling, so every site of it agrees.
TEST(Operand, ReservedNameSuffix) {
  auto pending = [](const char* name) {
    return [name](sState& s) { fSetName(s.vPendingName, s.vPendingNameSet, name); };
  };
  fRunCases({
      {"prefix this", nullptr, "thisUnit", "thisUnit"},
      {"whole word this", nullptr, "this", "this_2"},
      {"prefix do", nullptr, "doit", "doit"},
      {"whole word do", nullptr, "do", "do_2"},
      {"macro IN", nullptr, "IN", "IN_2"},
      {"prefix IN", nullptr, "INX", "INX"},
      {"macros", nullptr, "OPTIONAL", "OPTIONAL_2"},
      {"case-sensitive in", nullptr, "in", "in"},
      {"pending name gets the suffix", pending("do"), nullptr, "do_2"},
      {"pending name already set: element IN not adopted",
       [](sState& s) {
         fSetName(s.vPendingName, s.vPendingNameSet, "a");
         s.vPlusPending = 1;
       },
       "INx", "aINx"},
      {"only the pending name is tested",
       [](sState& s) {
         fSetName(s.vPendingName, s.vPendingNameSet, "TRUE");
         s.vPlusPending = 1;
       },
       "b", "TRUE_2b"},
      {"left operand gets the suffix",
       [](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "this");
         s.vAssignPending = 1;
       },
       "3", "this_2=3"},
      {"left operand buffer without its flag is untouched",
       [](sState& s) { s.vLeftOperand.fCopy("doit"); }, "x", "x"},
      {"C++ keyword", nullptr, "new", "new_2"},
      {"C++ keyword with underscore", nullptr, "const_cast", "const_cast_2"},
      {"longer than a keyword", nullptr, "newer", "newer"},
      {"renamed once: element", nullptr, "this_2", "this_2"},
      {"renamed once: pending name", pending("new_2"), nullptr, "new_2"},
      {"left operand keyword",
       [](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "int");
         s.vAssignPending = 1;
       },
       "3", "int_2=3"},
  });
}

TEST(Operand, AdoptedElementIsWrittenOnceAndConsumed) {
  sState s;
  EXPECT_EQ(fFlush(s, "do"), "do_2");
  EXPECT_TRUE(s.vPendingName.fEmpty());
  EXPECT_EQ(s.vPendingNameSet, 0);

  sState numeric;  // adopted in numeric mode: written through the pending name
  numeric.vNumericMode = 1;
  EXPECT_EQ(fFlush(numeric, "this"), "this_2");
}

TEST(Operand, GlobalPrefixConditions) {
  auto globals = [](sState& s) { fAddGlobals(s, {"udg_x", "udg_y", "arr"}); };
  fRunCases({
      {"pending name",
       [&](sState& s) {
         globals(s);
         fSetName(s.vPendingName, s.vPendingNameSet, "udg_x");
       },
       nullptr, "pGlobal->udg_x"},
      {"call name",
       [&](sState& s) {
         globals(s);
         fSetName(s.vCallName, s.vCallNameSet, "arr");
       },
       nullptr, "pGlobal->arr"},
      {"left operand and element",
       [&](sState& s) {
         globals(s);
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "udg_x");
         s.vAssignPending = 1;
       },
       "udg_y", "pGlobal->udg_x=pGlobal->udg_y"},
      {"exact match only", globals, "udg_xy", "udg_xy"},
      {"case-sensitive", globals, "UDG_X", "UDG_X"},
      {"nothing inside the globals block",
       [&](sState& s) {
         globals(s);
         s.vInGlobals = 1;
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "udg_x");
         fSetName(s.vCallName, s.vCallNameSet, "arr");
         s.vAssignPending = 1;
       },
       "udg_y", "udg_x=arrudg_y"},
      {"local declaration: name stays bare without =",
       [&](sState& s) {
         globals(s);
         s.vInLocalDecl = 1;
         s.vPendingType.data = "integer";
       },
       "udg_x", "integer udg_x"},
      {"local declaration: left operand bare, value prefixed after =",
       [&](sState& s) {
         globals(s);
         s.vInLocalDecl = 1;
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "udg_x");
         s.vAssignPending = 1;
       },
       "udg_y", "udg_x=pGlobal->udg_y"},
      {"local declaration: pending name follows its own rule",
       [&](sState& s) {
         globals(s);
         s.vInLocalDecl = 1;
         fSetName(s.vPendingName, s.vPendingNameSet, "udg_x");
       },
       nullptr, "pGlobal->udg_x"},
      {"hex: element is a bare name",
       [&](sState& s) {
         globals(s);
         s.vHexPending = 1;
       },
       "udg_x", "0xudg_x"},
      {"hex: pending name is a bare name",
       [&](sState& s) {
         globals(s);
         s.vHexPending = 1;
         fSetName(s.vPendingName, s.vPendingNameSet, "udg_x");
       },
       nullptr, "0xudg_x"},
      {"no globals registered", nullptr, "udg_x", "udg_x"},
  });
}

TEST(Operand, GlobalPrefixRewritesElementAndIsNeverCut) {
  sState s;
  std::string longName(2500, 'g');
  fAddGlobals(s, {"udg_x", longName.c_str()});
  sText element("udg_x");
  sText out;
  fTranslateOperand(s, &element, out);
  EXPECT_EQ(element.data, "pGlobal->udg_x");
  EXPECT_EQ(element.len(), 9 + 5);

  fSetName(s.vCallName, s.vCallNameSet, longName.c_str());
  sText called;
  fTranslateOperand(s, nullptr, called);
  EXPECT_EQ(called.data, "pGlobal->" + longName);
  EXPECT_EQ(s.vCallName.str(), "pGlobal->" + longName);  // the buffer keeps its text
}

TEST(Operand, GeneralBranchWritesInFixedOrder) {
  fRunCases({
      {"every slot, element suppressed by null and <",
       [](sState& s) {
         s.vPendingType.data = "T";
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
         s.vBangPending = s.vEqualityPending = s.vLessPending = s.vGreaterPending = 1;
         s.vAssignPending = s.vHexPending = s.vNullPending = s.vCommaPending = 1;
         fSetName(s.vCallName, s.vCallNameSet, "f");
         fSetName(s.vPendingNumber, s.vPendingNumberSet, "1.");
         fSetName(s.vPendingName, s.vPendingNameSet, "n");
       },
       "e", "T a!==<>=0xf1.0NULLn,"},
      {"== from two =",
       [](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
         s.vEqualityPending = 1;
       },
       "b", "a==b"},
      {"pending value in front of &&",
       [](sState& s) { fSetName(s.vPendingNumber, s.vPendingNumberSet, "x"); }, "&&", "x&&"},
      {"pending value with a leading dot",
       [](sState& s) { fSetName(s.vPendingNumber, s.vPendingNumberSet, ".25"); }, "||",
       "0.25||"},
      {"call name then the element",
       [](sState& s) { fSetName(s.vCallName, s.vCallNameSet, "f"); }, "x", "fx"},
      {"pending name hides the element",
       [](sState& s) { fSetName(s.vPendingName, s.vPendingNameSet, "x"); }, "<", "x"},
      {"arithmetic flag writes name and element",
       [](sState& s) {
         fSetName(s.vPendingName, s.vPendingNameSet, "x");
         s.vMinusPending = 1;
       },
       "-", "x-"},
      {"> writes the left operand, not its element",
       [](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
         s.vGreaterPending = 1;
       },
       ">", "a>"},
      {"comma last", [](sState& s) { s.vCommaPending = 1; }, "x", "x,"},
      {"set flag with an empty name writes nothing", [](sState& s) { s.vPendingNameSet = 1; },
       "x", "x"},
      {"nothing pending, no element", nullptr, nullptr, ""},
      {"only a pending type", [](sState& s) { s.vPendingType.data = "integer"; }, nullptr,
       "integer "},
      {"numeric mode with nothing to write takes the general branch",
       [](sState& s) { s.vNumericMode = 1; }, nullptr, ""},
  });
}

TEST(Operand, GeneralBranchConsumesWhatItWrites) {
  sState s;
  s.vPendingType.data = "real";
  fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
  fSetName(s.vCallName, s.vCallNameSet, "f");
  fSetName(s.vPendingName, s.vPendingNameSet, "n");
  s.vAssignPending = s.vHexPending = s.vCommaPending = s.vNumericMode = s.vInLocalDecl = 1;
  EXPECT_EQ(fFlush(s, "x"), "real a=0xfn,");
  EXPECT_EQ(s.vAssignEmitted, 1);
  for (uint8_t flag : {s.vLeftOperandSet, s.vCallNameSet, s.vPendingNameSet, s.vAssignPending,
                       s.vHexPending, s.vCommaPending, s.vNumericMode, s.vInLocalDecl}) {
    EXPECT_EQ(flag, 0);
  }
  EXPECT_TRUE(s.vPendingName.fEmpty());
  EXPECT_TRUE(s.vPendingType.fEmpty());
  EXPECT_EQ(s.vCallName.str(), "f");  // kept until the next reset
  EXPECT_EQ(s.vLeftOperand.str(), "a");
  // A second flush writes nothing twice.
  EXPECT_EQ(fFlush(s, nullptr), "");
}

TEST(Operand, RegistrationInsideGlobalsBlock) {
  struct RegCase {
    const char* pWhat;
    fSetup fPrepare;
    const char* pElement;
    std::string expected;
    std::vector<std::string> registered;
  };
  auto inGlobals = [](const char* type) {
    return [type](sState& s) {
      s.vInGlobals = 1;
      s.vPendingType.data = type;
    };
  };
  const std::vector<RegCase> cases = {
      {"typed name", inGlobals("integer"), "udg_n", "integer udg_n", {"udg_n"}},
      {"true is a value", inGlobals("boolean"), "true", "boolean true", {}},
      {"false is a value", inGlobals("boolean"), "false", "boolean false", {}},
      {"only exact true", inGlobals("boolean"), "trueish", "boolean trueish", {"trueish"}},
      {"no pending type", inGlobals(""), "udg_n", "udg_n", {}},
      {"renamed macro name", inGlobals("integer"), "OUT", "integer OUT_2", {"OUT_2"}},
      {"renamed keyword", inGlobals("integer"), "class", "integer class_2", {"class_2"}},
      {"left operand registered, numeric value not",
       [](sState& s) {
         s.vInGlobals = 1;
         s.vPendingType.data = "integer";
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "udg_n");
         s.vAssignPending = s.vNumericMode = 1;
       },
       "5", "integer udg_n=5", {"udg_n"}},
      {"outside the block nothing is registered",
       [](sState& s) {
         s.vPendingType.data = "integer";
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "n");
         s.vAssignPending = 1;
       },
       "m", "integer n=m", {}},
      {"suppressed element is not registered",
       [](sState& s) {
         s.vInGlobals = 1;
         s.vPendingType.data = "integer";
         s.vNullPending = 1;
       },
       "null", "integer NULL", {}},
  };
  for (const RegCase& c : cases) {
    SCOPED_TRACE(c.pWhat);
    sState s;
    c.fPrepare(s);
    EXPECT_EQ(fFlush(s, c.pElement), c.expected);
    EXPECT_EQ(fGlobalNames(s), c.registered);
  }
}

TEST(Operand, NumericBranch) {
  auto numeric = [](fSetup more) {
    return [more](sState& s) {
      s.vNumericMode = 1;
      if (more) more(s);
    };
  };
  fRunCases({
      {"plain number", numeric(nullptr), "42", "42"},
      {"lone dot", numeric(nullptr), ".", "0.0"},
      {"hex digits", numeric([](sState& s) { s.vHexPending = 1; }), "1F", "0x1F"},
      {"name before *, buffer is written with the 0 rule",
       numeric([](sState& s) {
         fSetName(s.vPendingName, s.vPendingNameSet, "2.");
         s.vStarPending = 1;
       }),
       "*", "2.0*"},
      {"value before +",
       numeric([](sState& s) {
         fSetName(s.vPendingNumber, s.vPendingNumberSet, ".5");
         s.vPlusPending = 1;
       }),
       "+", "0.5+"},
      {"operators in fixed order",
       numeric([](sState& s) {
         s.vStarPending = s.vSlashPending = s.vPlusPending = s.vMinusPending = 1;
       }),
       "x", "*/+-"},
      {"comma last", numeric([](sState& s) { s.vCommaPending = 1; }), "7", "7,"},
      {"no global prefix",
       numeric([](sState& s) {
         fAddGlobals(s, {"udg_x"});
         fSetName(s.vPendingName, s.vPendingNameSet, "udg_x");
         s.vSlashPending = 1;
       }),
       "/", "udg_x/"},
      {"call name forces the general branch",
       numeric([](sState& s) { fSetName(s.vCallName, s.vCallNameSet, "f"); }), "5", "f5"},
      {"== forces the general branch",
       numeric([](sState& s) {
         fSetName(s.vLeftOperand, s.vLeftOperandSet, "a");
         s.vEqualityPending = 1;
       }),
       "5", "a==5"},
      {"type in front", numeric([](sState& s) { s.vPendingType.data = "real"; }), "1.",
       "real 1.0"},
  });
}

TEST(Operand, NumericBranchLeavesComparisonAndCallState) {
  sState s;
  s.vNumericMode = 1;
  s.vLessPending = s.vGreaterPending = s.vBangPending = s.vNullPending = 1;
  s.vInGlobals = 1;
  s.vInLocalDecl = 1;
  s.vPendingType.data = "integer";
  fSetName(s.vPendingName, s.vPendingNameSet, "x");
  s.vPlusPending = 1;
  EXPECT_EQ(fFlush(s, "+"), "integer x+");
  EXPECT_EQ(s.vLessPending + s.vGreaterPending + s.vBangPending + s.vNullPending, 4);
  EXPECT_EQ(s.vInLocalDecl, 1);
  EXPECT_EQ(s.vAssignEmitted, 0);
  EXPECT_EQ(s.vNumericMode, 0);
  EXPECT_EQ(s.vPendingName.str(), "");  // written once: a stale name is never written again
  EXPECT_EQ(s.vGlobalNames.nCount(), 0);  // and registers nothing
}

TEST(Operand, ResetClearsExactlyItsState) {
  // Every flag, counter, buffer and text is set to a non-start value; the
  // reset must clear exactly the per-construct flags and buffers.
  struct Flag { const char* pName; uint8_t sState::*p; bool bCleared; };
  const Flag flags[] = {
      {"vPendingNameSet", &sState::vPendingNameSet, true},
      {"vPendingNumberSet", &sState::vPendingNumberSet, true},
      {"vNumericMode", &sState::vNumericMode, true},
      {"vStringMode", &sState::vStringMode, true},
      {"vInQuotes", &sState::vInQuotes, true},
      {"vLeftOperandSet", &sState::vLeftOperandSet, true},
      {"vCallNameSet", &sState::vCallNameSet, true},
      {"vAssignPending", &sState::vAssignPending, true},
      {"vEqualityPending", &sState::vEqualityPending, true},
      {"vAssignEmitted", &sState::vAssignEmitted, false},
      {"vLessPending", &sState::vLessPending, true},
      {"vGreaterPending", &sState::vGreaterPending, true},
      {"vBangPending", &sState::vBangPending, true},
      {"vPlusPending", &sState::vPlusPending, true},
      {"vMinusPending", &sState::vMinusPending, true},
      {"vStarPending", &sState::vStarPending, true},
      {"vSlashPending", &sState::vSlashPending, true},
      {"vCommaPending", &sState::vCommaPending, true},
      {"vHexPending", &sState::vHexPending, true},
      {"vNullPending", &sState::vNullPending, true},
      {"vElsePending", &sState::vElsePending, true},
      {"vInGlobals", &sState::vInGlobals, false},
      {"vInLocalDecl", &sState::vInLocalDecl, false},
      {"vArrayDecl", &sState::vArrayDecl, true},
      {"vInExpressionRule", &sState::vInExpressionRule, true},
      {"vInFunctionBody", &sState::vInFunctionBody, false},
      {"vInTakes", &sState::vInTakes, false},
      {"vReturnsSeen", &sState::vReturnsSeen, false},
      {"vReturnsNothing", &sState::vReturnsNothing, false},
      {"vLastChar", &sState::vLastChar, false},
  };
  struct Buffer { const char* pName; sCharBuf sState::*p; bool bCleared; };
  const Buffer buffers[] = {
      {"vPendingName", &sState::vPendingName, true},
      {"vPendingNumber", &sState::vPendingNumber, true},
      {"vLeftOperand", &sState::vLeftOperand, true},
      {"vCallName", &sState::vCallName, true},
      {"vFuncName", &sState::vFuncName, false},
      {"vStringLiteral", &sState::vStringLiteral, true},
      {"vFormatBuffer", &sState::vFormatBuffer, false},
      {"vWorkBuffer", &sState::vWorkBuffer, false},
  };
  const std::pair<const char*, int32_t sState::*> counters[] = {
      {"vDepth", &sState::vDepth}, {"vIfCount", &sState::vIfCount},
      {"vEndifCount", &sState::vEndifCount}, {"vElseCount", &sState::vElseCount},
      {"vLoopCount", &sState::vLoopCount}, {"vEndloopCount", &sState::vEndloopCount},
      {"vOpenParenCount", &sState::vOpenParenCount},
      {"vCloseParenCount", &sState::vCloseParenCount}, {"vQuoteStart", &sState::vQuoteStart},
      {"vPendingNameStart", &sState::vPendingNameStart},
  };
  const std::pair<const char*, sText sState::*> texts[] = {
      {"vPendingType", &sState::vPendingType}, {"vFuncHeadText", &sState::vFuncHeadText},
      {"vFuncPrototype", &sState::vFuncPrototype}, {"vTakesText", &sState::vTakesText},
      {"vCondText", &sState::vCondText}, {"vFuncParams", &sState::vFuncParams},
  };

  sState s;
  for (const Flag& f : flags) s.*f.p = 1;
  for (const Buffer& b : buffers) (s.*b.p).fCopy(b.pName);
  for (const auto& c : counters) s.*c.second = 7;
  for (const auto& t : texts) (s.*t.second).data = t.first;
  s.vGlobalNames.fAppendString("udg_x");

  EXPECT_TRUE(fResetConstruct(s));

  for (const Flag& f : flags) EXPECT_EQ(s.*f.p, f.bCleared ? 0 : 1) << f.pName;
  for (const Buffer& b : buffers) {
    EXPECT_EQ((s.*b.p).str(), b.bCleared ? "" : b.pName) << b.pName;
  }
  for (const auto& c : counters) EXPECT_EQ(s.*c.second, 7) << c.first;
  for (const auto& t : texts) EXPECT_EQ((s.*t.second).data, t.first) << t.first;
  EXPECT_TRUE(s.vGlobalNames.fContainsString("udg_x"));
}

// Operator and operand-keyword handlers: the flags they leave, where they move
// the pending name, and what their own flush writes.
#include <gtest/gtest.h>

#include <string>

#include "handlers/handlers.h"
#include "output/operand.h"

namespace {

using Handler = bool (*)(sState&, sText&, sText&);

void fPendName(sState& s, const char* name) {
  s.vPendingName.fCopy(name);
  s.vPendingNameSet = 1;
}

std::string fRun(sState& s, Handler handler, const char* element) {
  sText in(element);
  sText out;
  EXPECT_TRUE(handler(s, in, out));
  return out.data;
}

// What the next flush writes for an element.
std::string fFlush(sState& s, const char* element) {
  sText in(element);
  sText out;
  EXPECT_TRUE(fTranslateOperand(s, &in, out));
  return out.data;
}

}  // namespace

TEST(AssignHandler, FirstAssignMovesNameToLeftOperandAndWritesNothing) {
  sState s;
  s.vNumericMode = 1;
  fPendName(s, "x");
  EXPECT_EQ(fRun(s, fOnAssign, "="), "");
  EXPECT_EQ(s.vLeftOperand.str(), "x");
  EXPECT_EQ(s.vLeftOperandSet, 1);
  EXPECT_EQ(s.vPendingName.str(), "");
  EXPECT_EQ(s.vPendingNameSet, 0);
  EXPECT_EQ(s.vAssignPending, 1);
  EXPECT_EQ(s.vEqualityPending, 0);
  EXPECT_EQ(s.vNumericMode, 0);
}

TEST(AssignHandler, WithoutNameClearsTheLeftOperand) {
  sState s;
  s.vLeftOperand.fCopy("stale");
  s.vLeftOperandSet = 1;
  EXPECT_EQ(fRun(s, fOnAssign, "="), "");
  EXPECT_EQ(s.vLeftOperand.str(), "");
  EXPECT_EQ(s.vLeftOperandSet, 0);
  EXPECT_EQ(s.vAssignPending, 1);
}

TEST(AssignHandler, SecondAssignMakesEqualityNeverTwoAssigns) {
  sState s;
  fPendName(s, "a");
  fRun(s, fOnAssign, "=");
  fRun(s, fOnAssign, "=");
  EXPECT_EQ(s.vAssignPending, 0);
  EXPECT_EQ(s.vEqualityPending, 1);
  EXPECT_EQ(s.vLeftOperand.str(), "a");
  EXPECT_EQ(fFlush(s, "b"), "a==b");
  EXPECT_EQ(s.vAssignEmitted, 0);
}

TEST(FlagHandlers, SetOnlyTheirFlagAndWriteNothing) {
  struct Case {
    const char* name;
    Handler handler;
    const char* element;
    uint8_t sState::*flag;
  };
  const Case cases[] = {
      {"bang", fOnBang, "!", &sState::vBangPending},
      {"dollar", fOnDollar, "$", &sState::vHexPending},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sState s;
    fPendName(s, "kept");
    EXPECT_EQ(fRun(s, c.handler, c.element), "");
    EXPECT_EQ(s.*c.flag, 1);
    EXPECT_EQ(s.vPendingName.str(), "kept");
  }
}

TEST(ComparisonHandlers, WriteLeftOperandAndOperatorAtOnce) {
  struct Case {
    Handler handler;
    const char* element;
    const char* name;  // pending name, "" for none
    const char* expected;
  };
  const Case cases[] = {
      {fOnLess, "<", "a", "a<"},
      {fOnGreater, ">", "a", "a>"},
      {fOnLess, "<", "", "<"},
      {fOnGreater, ">", "", ">"},
      {fOnLess, "<", "do", "do_2<"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.element) + " after '" + c.name + "'");
    sState s;
    if (*c.name != '\0') fPendName(s, c.name);
    EXPECT_EQ(fRun(s, c.handler, c.element), c.expected);
    EXPECT_EQ(s.vLessPending, 0);
    EXPECT_EQ(s.vGreaterPending, 0);
    EXPECT_EQ(s.vLeftOperandSet, 0);
    EXPECT_EQ(s.vPendingName.str(), "");
  }
}

TEST(ArithmeticHandlers, WriteThePendingOperandAndTheOperator) {
  struct Op {
    Handler handler;
    const char* text;
    uint8_t sState::*flag;
  };
  const Op ops[] = {
      {fOnStar, "*", &sState::vStarPending},
      {fOnSlash, "/", &sState::vSlashPending},
      {fOnPlus, "+", &sState::vPlusPending},
      {fOnMinus, "-", &sState::vMinusPending},
  };
  for (const Op& op : ops) {
    SCOPED_TRACE(op.text);
    sState nothing;
    EXPECT_EQ(fRun(nothing, op.handler, op.text), op.text);
    EXPECT_EQ(nothing.*op.flag, 0);

    sState name;  // 'a*' without a blank: the name is still pending
    fPendName(name, "a");
    EXPECT_EQ(fRun(name, op.handler, op.text), std::string("a") + op.text);
    EXPECT_EQ(name.*op.flag, 0);

    sState number;  // numeric branch: the value, then the operator
    number.vNumericMode = 1;
    number.vPendingNumber.fCopy("2.");
    number.vPendingNumberSet = 1;
    EXPECT_EQ(fRun(number, op.handler, op.text), std::string("2.0") + op.text);
    EXPECT_EQ(number.*op.flag, 0);
    EXPECT_EQ(number.vNumericMode, 0);
  }
}

TEST(NullHandler, WritesNullAfterWhateverIsPending) {
  sState alone;
  EXPECT_EQ(fRun(alone, fOnNull, "null"), "NULL");
  EXPECT_EQ(alone.vNullPending, 0);

  sState assigned;
  fPendName(assigned, "u");
  fRun(assigned, fOnAssign, "=");
  EXPECT_EQ(fRun(assigned, fOnNull, "null"), "u=NULL");

  sState compared;
  fPendName(compared, "u");
  fRun(compared, fOnAssign, "=");
  fRun(compared, fOnAssign, "=");
  EXPECT_EQ(fRun(compared, fOnNull, "null"), "u==NULL");
}

TEST(NumberHandler, WritesTheNumberAndStaysInNumericMode) {
  struct Case {
    const char* element;
    const char* expected;
  };
  const Case cases[] = {{"5", "5"}, {".5", "0.5"}, {"5.", "5.0"}, {"-1", "-1"}, {"12.25", "12.25"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    sState s;
    fPendName(s, "dropped");
    EXPECT_EQ(fRun(s, fOnNumber, c.element), c.expected);
    EXPECT_EQ(s.vNumericMode, 1);
    EXPECT_EQ(s.vPendingName.str(), "");
    EXPECT_EQ(s.vPendingNameSet, 0);
  }
}


// The flush clears only the flag of the pending value, so the buffer shows
// what the handler moved there.
TEST(LogicalHandlers, MoveTheNameToThePendingValue) {
  struct Case {
    Handler handler;
    const char* element;
    bool bNumeric;
    const char* name;   // pending name, "" for none
    const char* value;  // vPendingNumber afterwards; it held "old" before
  };
  const Case cases[] = {
      {fOnAnd, "and", false, "a", "a"},   {fOnAnd, "and", false, "", ""},
      {fOnOr, "or", false, "a", "a"},     {fOnOr, "or", false, "", ""},
      {fOnNot, "not", false, "a", "old"}, {fOnNot, "not", true, "a", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.element) + (c.bNumeric ? " numeric" : "") + " after '" +
                 c.name + "'");
    sState s;
    s.vNumericMode = c.bNumeric ? 1 : 0;
    s.vPendingNumber.fCopy("old");
    if (*c.name != '\0') fPendName(s, c.name);
    fRun(s, c.handler, c.element);
    EXPECT_EQ(s.vPendingNumber.str(), c.value);
    EXPECT_EQ(s.vPendingName.str(), "");
    EXPECT_EQ(s.vPendingNameSet, 0);
  }
}

TEST(LogicalHandlers, OperatorTextsAreWrittenAfterTheValue) {
  struct Case {
    Handler handler;
    const char* element;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {fOnAnd, "and", "a", "a&&"}, {fOnAnd, "and", "", "&&"},
      {fOnOr, "or", "a", "a||"},   {fOnOr, "or", "", "||"},
      {fOnNot, "not", "a", "!"},   {fOnNot, "not", "", "!"},
      {fOnAnd, "and", "doIt", "doIt&&"},  // a pending value gets no suffix
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.element) + " after '" + c.name + "'");
    sState s;
    if (*c.name != '\0') fPendName(s, c.name);
    EXPECT_EQ(fRun(s, c.handler, c.element), c.expected);
    EXPECT_EQ(s.vPendingNumberSet, 0);
  }
}

TEST(FunctionRefHandler, WritesWhateverIsPendingThenAmpersand) {
  struct Case {
    const char* jass;
    const char* name;  // pending name, "" for none
    const char* left;  // left operand of a pending "=", "" for none
    const char* expected;
  };
  const Case cases[] = {
      {"f(function g)", "", "", "&"},
      {"set c = function g", "", "c", "c=&"},
      {"a function g", "kept", "", "kept&"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.jass);
    sState s;
    if (*c.left != '\0') {
      fPendName(s, c.left);
      fRun(s, fOnAssign, "=");
    }
    if (*c.name != '\0') fPendName(s, c.name);
    s.vPendingNameSet = 1;  // the scanner opened a name at "function"
    EXPECT_EQ(fRun(s, fOnFunctionRef, "function"), c.expected);
    EXPECT_EQ(s.vPendingName.str(), "");
    EXPECT_EQ(s.vPendingNameSet, 0);  // the function's name starts afresh
    EXPECT_EQ(s.vAssignPending, 0);
  }
}


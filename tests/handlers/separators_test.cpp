// Blank and comma handlers: the three blank modes and a comma that
// translates the whole argument before it.
#include <gtest/gtest.h>

#include <string>

#include "handlers/handlers.h"

namespace {

enum class Place { kParameters, kFunctionBody, kGlobals, kHeaderName };

void fEnter(sState& s, Place place) {
  switch (place) {
    case Place::kParameters: s.vInTakes = 1; s.vInFunctionBody = 1; break;
    case Place::kFunctionBody: s.vInFunctionBody = 1; break;
    case Place::kGlobals: s.vInGlobals = 1; break;
    case Place::kHeaderName: break;
  }
}

void fPendName(sState& s, const char* name) {
  s.vPendingName.fCopy(name);
  s.vPendingNameSet = 1;
}

void fPendNumber(sState& s, const char* number) {
  s.vNumericMode = 1;
  s.vPendingNumber.fCopy(number);
  s.vPendingNumberSet = 1;
}

std::string fSpace(sState& s) {
  sText blank(" ");
  sText out;
  EXPECT_TRUE(fOnSpace(s, blank, out));
  return out.data;
}

struct SpaceCase {
  Place place;
  const char* name;    // pending name, "" for none
  const char* number;  // pending number (numeric mode), "" for none
  const char* expected;
  bool bNameStays;     // the name is still pending afterwards
};

const SpaceCase kSpaceCases[] = {
    {Place::kParameters, "x", "", "x", false},
    {Place::kParameters, "", "", "", false},
    {Place::kParameters, "do", "", "do_2", false},
    {Place::kFunctionBody, "x", "", "x", false},
    {Place::kFunctionBody, "", "", " ", false},
    {Place::kFunctionBody, "this", "", "this_2", false},
    {Place::kFunctionBody, "", "5", "5 ", false},
    {Place::kFunctionBody, "", ".5", "0.5 ", false},
    {Place::kGlobals, "udg_x", "", "", true},
    {Place::kGlobals, "", "7", "7 ", false},
    {Place::kGlobals, "", "", "", false},
    {Place::kHeaderName, "MyFunc", "", "", true},
    {Place::kHeaderName, "", "", "", false},
};

}  // namespace

TEST(SpaceHandler, ModesByPlace) {
  for (const SpaceCase& c : kSpaceCases) {
    SCOPED_TRACE(std::string("place ") + std::to_string(static_cast<int>(c.place)) +
                 ", name '" + c.name + "', number '" + c.number + "'");
    sState s;
    fEnter(s, c.place);
    if (*c.name != '\0') fPendName(s, c.name);
    if (*c.number != '\0') fPendNumber(s, c.number);
    EXPECT_EQ(fSpace(s), c.expected);
    EXPECT_EQ(s.vPendingName.str(), c.bNameStays ? c.name : "");
    EXPECT_EQ(s.vPendingNameSet, c.bNameStays ? 1 : 0);
    EXPECT_EQ(s.vPendingNumber.str(), "");
    EXPECT_EQ(s.vPendingNumberSet, 0);
  }
}

TEST(CommaHandler, WithoutArgumentWritesPendingStateAndComma) {
  struct Case {
    const char* number;  // pending value, "" for none
    const char* expected;
  };
  const Case cases[] = {{"", ","}, {"3", "3,"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("pending value '") + c.number + "'");
    sState s;
    s.vInFunctionBody = 1;
    if (*c.number != '\0') {
      s.vPendingNumber.fCopy(c.number);
      s.vPendingNumberSet = 1;
    }
    sText comma(",");
    sText out;
    EXPECT_TRUE(fOnComma(s, comma, out));
    EXPECT_EQ(out.data, c.expected);
    EXPECT_EQ(s.vPendingNumberSet, 0);
  }
}

// The argument rule runs the blank handler on the argument's own blanks; the
// text being scanned must survive that, so "+ b" is not lost.
TEST(CommaHandler, ArgumentWithBlanksIsTranslatedWhole) {
  sState s;
  s.vInFunctionBody = 1;
  s.vDepth = 2;
  fPendName(s, "a + b");
  sText comma(",");
  sText out;
  ASSERT_TRUE(fOnComma(s, comma, out));
  EXPECT_EQ(out.data, "a+ b,");
  EXPECT_EQ(s.vCommaPending, 0);
  EXPECT_EQ(s.vPendingName.str(), "");
}

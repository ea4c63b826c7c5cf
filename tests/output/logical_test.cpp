// The grouping of "||" chains under "&&". A function's text is grouped line
// by line where a line end leaves no group or literal open; these cases hold
// that to grouping the text whole.
#include <string>

#include <gtest/gtest.h>

#include "output/logical.h"

namespace {

TEST(LogicalGrouping, LinesAreGroupedAsInTheWholeText) {
  struct Case {
    const char* name;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"a line with both, then one with \"&&\" alone",
       "a || b && c;\r\nx = d && e;\r\n", "(a || b) && c;\r\nx = d && e;\r\n"},
      // The group opened on the first line takes the second line's chain
      // into the same expression.
      {"a group open across a line end", "f(a ||\r\nb) || x && y;\r\n",
       "(f(a ||\r\nb) || x) && y;\r\n"},
      // The line end inside the literal does not end the expression.
      {"a literal open across a line end", "\"a\nb\" || c && d;\r\n",
       "(\"a\nb\" || c) && d;\r\n"},
      {"no line holds both", "a || b;\r\nc && d;\r\n", "a || b;\r\nc && d;\r\n"},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    EXPECT_EQ(fGroupLogicalOperators(tc.text), tc.expected);
  }
}

}  // namespace

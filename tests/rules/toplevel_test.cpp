// fHasTopLevelChar: commas outside quotes and parentheses, and whether a
// condition already is one parenthesised group.
#include <string>

#include <gtest/gtest.h>

#include "rule_test_util.h"

namespace {

TEST(TopLevelChar, AnswersEachCase) {
  struct Case {
    std::string text;
    char c;
    int32_t start;
    bool expected;
  };
  const Case cases[] = {
      // Commas.
      {"a, b", ',', 0, true},
      {"a, b", ',', 2, false},            // only from the start offset on
      {"f(a, b)", ',', 0, false},         // inside parentheses
      {"f(a, b), c", ',', 0, true},
      {"\"a,b\"", ',', 0, false},         // inside a literal
      {"\"a,b\", c", ',', 0, true},
      {"a,b\")", ',', 0, true},           // started inside a literal: looks top-level
      {"\"\\\"\", 1", ',', 0, true},        // an escaped quote keeps the literal open
      {"\"\\\",\"", ',', 0, false},
      {"\"a\\\\\", 1", ',', 0, true},      // an escaped backslash does not escape
      {"a), b", ',', 0, false},           // more closers than openers
      {"", ',', 0, false},
      // One parenthesised group, tested with "(".
      {"(a > b)", '(', 0, true},
      {"((a))", '(', 0, true},
      {" (a)", '(', 0, true},             // leading non-letters are allowed
      {"(a) ", '(', 0, true},
      {"a > b", '(', 0, false},           // a letter before any "("
      {"f(a)", '(', 0, false},
      {"(a) and (b)", '(', 0, false},     // a letter after a closed group
      {"(a) + (b)", '(', 0, false},       // a second group after a closed group
      {"(a)(b)", '(', 0, false},
      {"(a)x", '(', 0, false},
      {"(a", '(', 0, false},              // unbalanced
      // The same with ")".
      {"(a > b)", ')', 0, true},
      {"(a) and (b)", ')', 0, false},
      {"a", ')', 0, false},
      // Any other character: found where the counts are equal.
      {"a = b", '=', 0, true},
      {"f(a = b)", '=', 0, false},
      {"a = (b)", '=', 0, true},
      {"f(x) = b", '=', 0, false},        // a letter after a closed group
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE("\"" + tc.text + "\" c=" + std::string(1, tc.c) + " start=" +
                 std::to_string(tc.start));
    EXPECT_EQ(fHasTopLevelChar(sText(tc.text), tc.c, tc.start), tc.expected);
  }
}

}  // namespace

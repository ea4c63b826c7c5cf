// The growable character buffers: a copy replaces the content and ends at
// the first 0 byte, reading past the end gives 0, nothing is ever cut.
#include "text/charbuf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CharBuf, CopyAndAppendStopAtZeroByte) {
  struct Case {
    const char* name;
    std::string start;
    std::string copied;    // given to fCopy with its full length
    std::string appended;  // then given to fAppend with its full length
    std::string expected;
  };
  const Case cases[] = {
      {"plain", "old", "ab", "cd", "abcd"},
      {"copy replaces longer content", std::string(2000, 'o'), "x", "", "x"},
      {"copy stops at 0", "old", std::string("ab\0cd", 5), "", "ab"},
      {"append stops at 0", "", "ab", std::string("c\0d", 3), "abc"},
      {"leading 0 empties", "old", std::string("\0ab", 3), "", ""},
      {"longer than 1000 bytes", "", std::string(1500, 'n'), std::string(700, 'm'),
       std::string(1500, 'n') + std::string(700, 'm')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sCharBuf b;
    b.fCopy(c.start);
    b.fCopy(c.copied.data(), c.copied.size());
    b.fAppend(c.appended.data(), c.appended.size());
    EXPECT_EQ(b.str(), c.expected);
    EXPECT_EQ(b.fLength(), static_cast<int32_t>(c.expected.size()));
    EXPECT_EQ(b.fEmpty(), c.expected.empty());
    EXPECT_EQ(std::string(b.c_str()), c.expected);
    EXPECT_EQ(b[c.expected.size()], '\0');
    EXPECT_EQ(b[c.expected.size() + 1000], '\0');
  }
}

// A handler may drop a prefix by copying the buffer's own tail onto it, or
// copy the buffer onto itself.
TEST(CharBuf, CopyFromItselfKeepsTheSource) {
  sCharBuf b;
  b.fCopy("udg_name");
  b.fCopy(b.c_str() + 4);
  EXPECT_EQ(b.str(), "name");
  b.fCopy(b.str());
  EXPECT_EQ(b.str(), "name");
  b.fCopy(b.c_str(), 2);
  EXPECT_EQ(b.str(), "na");
  b.fAppend(b.str());
  EXPECT_EQ(b.str(), "nana");
}

}  // namespace

// String-literal handler: the literal table inside and outside the globals
// block, escaped quotes, empty literals and overlong literals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handlers/handlers.h"

namespace {

// Lets the scanner's part happen (the text collected before the closing
// quote, the last plain byte passed) and closes the open literal.
std::string fQuoteLiteralClose(sState& s, const std::string& text) {
  sText quote("\"");
  s.vStringLiteral.fCopy(text);
  if (!text.empty()) {
    const unsigned char last = static_cast<unsigned char>(text.back());
    if (last >= 1 && last <= 127) s.vLastChar = last;
  }
  sText closed;
  EXPECT_TRUE(fOnQuote(s, quote, closed));
  return closed.data;
}

// Opens a literal and closes it with the given text.
std::string fQuoteLiteral(sState& s, const std::string& text) {
  sText quote("\"");
  sText opened;
  EXPECT_TRUE(fOnQuote(s, quote, opened));
  EXPECT_EQ(opened.data, "");
  return fQuoteLiteralClose(s, text);
}

struct LiteralCase {
  const char* text;     // between the quotes, as the scanner stores it
  const char* outside;  // output outside the globals block
  const char* inside;   // output inside the globals block
};

const LiteralCase kLiteralCases[] = {
    {"abc", "sMyString(\"abc\")", "sMyString(\"abc\")"},
    {"a", "sMyString(0x61)", "sMyString(\"a\")"},
    {"\\n", "sMyString(0x0A)", "sMyString(\"\\n\")"},
    {"\\t", "sMyString(0x09)", "sMyString(\"\\t\")"},
    {"\\r", "sMyString(0x0D)", "sMyString(\"\\r\")"},
    {"\\\\", "sMyString(0x5C)", "sMyString(\"\\\\\")"},
    {"\\x", "sMyString(\"\\\\x\")", "sMyString(\"\\\\x\")"},  // no escape: backslash and x
    {"\\b", "sMyString(0x08)", "sMyString(\"\\b\")"},
    {"a\\b", "sMyString(\"a\\b\")", "sMyString(\"a\\b\")"},  // escapes mean the same in C++
    {"a\\q", "sMyString(\"a\\\\q\")", "sMyString(\"a\\\\q\")"},
    {"a\\\\b", "sMyString(\"a\\\\b\")", "sMyString(\"a\\\\b\")"},
    {"ab\\n", "sMyString(\"ab\\n\")", "sMyString(\"ab\\n\")"},
    {"ab\\ncd\\f", "sMyString(\"ab\\ncd\\f\")", "sMyString(\"ab\\ncd\\f\")"},
    {"a\\\\", "sMyString(\"a\\\\\")", "sMyString(\"a\\\\\")"},  // an escaped backslash closes
    {"ab", "sMyString(\"ab\")", "sMyString(\"ab\")"},
    {" ", "sMyString(0x20)", "sMyString(\" \")"},
    {"\xE9", "sMyString(0xE9)", "sMyString(\"\xE9\")"},
    {"", "sMyString(0x02)", "sMyString(\"\")"},
};

}  // namespace

TEST(QuoteHandler, LiteralTableOutsideAndInsideGlobals) {
  for (const LiteralCase& c : kLiteralCases) {
    SCOPED_TRACE(std::string("literal text: ") + c.text);
    sState outside;
    EXPECT_EQ(fQuoteLiteral(outside, c.text), c.outside);
    EXPECT_EQ(outside.vStringMode, 0);
    sState inside;
    inside.vInGlobals = 1;
    EXPECT_EQ(fQuoteLiteral(inside, c.text), c.inside);
  }
}

TEST(QuoteHandler, EmptyLiteralDoesNotRepeatThePreviousOne) {
  sState s;
  EXPECT_EQ(fQuoteLiteral(s, "abc"), "sMyString(\"abc\")");
  EXPECT_EQ(fQuoteLiteral(s, ""), "sMyString(0x02)");
  s.vInGlobals = 1;
  EXPECT_EQ(fQuoteLiteral(s, "x"), "sMyString(\"x\")");
  EXPECT_EQ(fQuoteLiteral(s, ""), "sMyString(\"\")");
}

TEST(QuoteHandler, ClosingQuoteLeavesTheRebuiltText) {
  sState s;
  EXPECT_EQ(fQuoteLiteral(s, "a\\q"), "sMyString(\"a\\\\q\")");
  EXPECT_EQ(s.vStringLiteral.str(), "a\\\\q");
  EXPECT_EQ(s.vStringMode, 0);
}

TEST(QuoteHandler, BackslashAloneBeforeAQuoteKeepsTheLiteralOpen) {
  sState s;
  sText quote("\"");
  sText out;
  ASSERT_TRUE(fOnQuote(s, quote, out));
  s.vStringLiteral.fCopy("\\");
  s.vLastChar = '\\';
  ASSERT_TRUE(fOnQuote(s, quote, out));
  EXPECT_EQ(out.data, "");
  EXPECT_EQ(s.vStringMode, 1);
  EXPECT_EQ(s.vLastChar, '"');
}

// The engine collects afresh after an escaped quote, so the closing quote
// sees only the text after it; the escaped quote must not be lost.
TEST(QuoteHandler, EscapedQuoteIsKeptInTheLiteral) {
  struct Case {
    const char* after;  // text collected between the escaped and the closing quote
    bool bInGlobals;
    const char* expected;
  };
  const Case cases[] = {
      {"", false, "sMyString(0x22)"},
      {"", true, "sMyString(\"\\\"\")"},
      {"ab", false, "sMyString(\"\\\"ab\")"},
      {"a\\q", false, "sMyString(\"\\\"a\\\\q\")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("after the escaped quote: ") + c.after);
    sState s;
    s.vInGlobals = c.bInGlobals ? 1 : 0;
    sText quote("\"");
    sText out;
    ASSERT_TRUE(fOnQuote(s, quote, out));
    s.vStringLiteral.fCopy("\\");
    s.vLastChar = '\\';
    ASSERT_TRUE(fOnQuote(s, quote, out));
    EXPECT_EQ(fQuoteLiteralClose(s, c.after), c.expected);
    const std::string next = c.bInGlobals ? "sMyString(\"x\")" : "sMyString(0x78)";
    EXPECT_EQ(fQuoteLiteral(s, "x"), next) << "the next literal starts clean";
  }
}

// A quote after an odd run of backslashes is escaped wherever it stands; each
// segment is the text the scanner collected before one quote.
TEST(QuoteHandler, QuoteAfterLongerTextEndingInBackslashStaysOpen) {
  struct Case {
    const char* jass;
    std::vector<std::string> segments;  // before each quote after the opening one
    const char* expected;
  };
  const Case cases[] = {
      {R"("a\"b")", {"a\\", "b"}, R"(sMyString("a\"b"))"},
      {R"("ab\"")", {"ab\\", ""}, R"(sMyString("ab\""))"},
      {R"("a\\\"b")", {"a\\\\\\", "b"}, R"(sMyString("a\\\"b"))"},
      {R"("\"")", {"\\", ""}, "sMyString(0x22)"},
      {R"("\\")", {"\\\\"}, "sMyString(0x5C)"},
      {R"("a\\")", {"a\\\\"}, R"(sMyString("a\\"))"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.jass);
    sState s;
    sText quote("\"");
    sText out;
    ASSERT_TRUE(fOnQuote(s, quote, out));
    for (size_t i = 0; i + 1 < c.segments.size(); ++i) {
      s.vStringLiteral.fCopy(c.segments[i]);
      ASSERT_TRUE(fOnQuote(s, quote, out));
      EXPECT_EQ(out.data, "");
      EXPECT_EQ(s.vStringMode, 1);
    }
    EXPECT_EQ(fQuoteLiteralClose(s, c.segments.back()), c.expected);
    EXPECT_EQ(s.vStringMode, 0);
  }
}

TEST(QuoteHandler, OverlongRebuiltLiteralIsKeptWhole) {
  std::string text;
  std::string rebuilt;
  for (int i = 0; i < 700; ++i) {
    text += "\\a";  // ends in a letter: a final backslash would escape the quote
    rebuilt += "\\\\a";
  }
  sState s;
  const std::string out = fQuoteLiteral(s, text);
  EXPECT_EQ(out.size(), rebuilt.size() + 13);
  EXPECT_EQ(out, "sMyString(\"" + rebuilt + "\")");
}

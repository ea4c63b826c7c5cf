// Text values and text lists: appending copies, joins, exact searches with
// their cursor, growth past the nominal capacity, and the indexed list
// behaving exactly like the linear one.
#include "text/text.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Bytes(const char* p, size_t n) { return std::string(p, n); }

TEST(TextList, AppendCopiesBytesOnlyAndKeepsThemStable) {
  sTextList list;
  sText source(Bytes("a\0b\r\n", 5));
  source.nHeadLen = 3;
  source.bTerminated = 1;
  source.nParenStart = 9;
  ASSERT_TRUE(list.fAppend(&source));
  source.data[0] = 'Z';
  source.fRelease();
  EXPECT_EQ(list.fItem(0), Bytes("a\0b\r\n", 5));
  // Appending an item of the same list copies it before the list can grow.
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(list.fAppendBytes(list.fItem(0).data(), list.fItem(0).size()));
  }
  EXPECT_EQ(list.fItem(100), Bytes("a\0b\r\n", 5));
}

TEST(TextList, JoinGolden) {
  struct Case {
    const char* name;
    std::vector<std::string> items;  // appended with fAppendBytes
    std::vector<std::string> lines;  // then appended with fAppendLine
    bool joined;
    std::string expected;
  };
  const Case cases[] = {
      {"two lines", {}, {"a", "bc"}, true, "a\r\nbc\r\n"},
      {"empty list", {}, {}, false, "untouched"},
      {"zero-length items only", {"", ""}, {}, true, ""},
      {"zero-length items skipped", {"", "x", "", "yz", ""}, {}, true, "xyz"},
      {"empty line", {}, {""}, true, "\r\n"},
      {"bytes kept", {Bytes("\0\xff", 2), "\t"}, {"q"}, true, Bytes("\0\xff\tq\r\n", 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sTextList list;
    for (const std::string& item : c.items) list.fAppendBytes(item.data(), item.size());
    for (const std::string& line : c.lines) fAppendLine(&list, line.c_str());
    sText target("untouched");
    EXPECT_EQ(list.fJoin(&target), c.joined);
    EXPECT_EQ(target.data, c.expected);
    EXPECT_EQ(list.nCount(), static_cast<int32_t>(c.items.size() + c.lines.size()));
    if (c.joined) {
      EXPECT_EQ(list.nPos, list.nCount());
    }
  }
}

// One search on a list, and the result and cursor it must leave.
struct Search {
  std::string value;
  bool found;
  int32_t pos;
  int32_t findLen;
};

void ExpectSearches(sTextList& list, const std::vector<Search>& searches) {
  for (const Search& q : searches) {
    SCOPED_TRACE("search \"" + q.value + "\"");
    const sText value(q.value);
    EXPECT_EQ(list.fContains(&value), q.found);
    EXPECT_EQ(list.nPos, q.pos);
    EXPECT_EQ(list.fPosition(), q.pos);
    EXPECT_EQ(list.nFindLen, q.findLen);
    if (q.value.find('\0') == std::string::npos) {
      list.nPos = -5;
      EXPECT_EQ(list.fContainsString(q.value.c_str()), q.found);
      EXPECT_EQ(list.nPos, q.pos);
    }
  }
}

TEST(TextList, SearchResultsAndCursor) {
  for (bool indexed : {false, true}) {
    SCOPED_TRACE(indexed ? "indexed" : "linear");
    sTextList list(indexed);
    for (const char* item : {"xy", "x", "", "ab", "x", "AB"}) list.fAppendString(item);
    list.fAppendBytes("a\0b", 3);
    ExpectSearches(list, {
                             {"x", true, 1, 1},       // first match, not the prefix "xy"
                             {"X", false, 7, 1},      // failed: cursor past the last item
                             {"xy", true, 0, 2},
                             {"AB", true, 5, 2},      // case-sensitive
                             {"ab", true, 3, 2},
                             {"", false, 7, 0},       // length 0 never matches
                             {"xyz", false, 7, 3},
                             {"a", false, 7, 1},
                             {Bytes("a\0b", 3), true, 6, 3},
                             {Bytes("a\0c", 3), false, 7, 3},
                         });
  }
}

TEST(TextList, SearchOfEmptyListLeavesCursor) {
  for (bool indexed : {false, true}) {
    SCOPED_TRACE(indexed ? "indexed" : "linear");
    sTextList list(indexed);
    list.nPos = 42;
    EXPECT_FALSE(list.fContainsString("a"));
    EXPECT_EQ(list.nPos, 42);
    EXPECT_EQ(list.nFindLen, 1);
    sText empty;
    EXPECT_FALSE(list.fContains(&empty));
    EXPECT_EQ(list.nPos, 42);
    EXPECT_EQ(list.nFindLen, 0);
  }
}

TEST(TextList, ZeroLengthItemsAreNeverFoundButCount) {
  for (bool indexed : {false, true}) {
    SCOPED_TRACE(indexed ? "indexed" : "linear");
    sTextList list(indexed);
    list.fAppendString("");
    list.fAppendBytes("", 0);
    sText empty;
    list.fAppend(&empty);
    EXPECT_EQ(list.nCount(), 3);
    EXPECT_EQ(list.fItem(2).size(), 0);
    EXPECT_FALSE(list.fContainsString(""));
    EXPECT_EQ(list.nPos, 3);
  }
}

TEST(TextList, GrowsPastNominalCapacity) {
  const int32_t total = sTextList::CONST_LIST_CAPACITY * 2 + 500;
  for (bool indexed : {false, true}) {
    SCOPED_TRACE(indexed ? "indexed" : "linear");
    sTextList list(indexed);
    size_t bytes = 0;
    for (int32_t i = 0; i < total; ++i) {
      const std::string item = "n" + std::to_string(i);
      ASSERT_TRUE(fAppendLine(&list, item.c_str()));
      bytes += item.size() + 2;
    }
    ASSERT_EQ(list.nCount(), total);
    EXPECT_EQ(list.fItem(sTextList::CONST_LIST_CAPACITY), "n10000\r\n");
    EXPECT_TRUE(list.fContainsString("n20499\r\n"));
    EXPECT_EQ(list.nPos, total - 1);
    EXPECT_FALSE(list.fContainsString("n20500\r\n"));
    EXPECT_EQ(list.nPos, total);
    sText joined;
    ASSERT_TRUE(list.fJoin(&joined));
    EXPECT_EQ(joined.data.size(), bytes);
    EXPECT_EQ(joined.data.substr(joined.data.size() - 8), "n20499\r\n");
  }
}

// The same appends and searches, interleaved, on both kinds of list: the
// index must never answer differently from the scan.
TEST(TextList, IndexedListMatchesLinearList) {
  sTextList linear;
  sTextList indexed(true);
  // Names that share a first byte or a length, and two past the longest
  // length the index tells apart, which share both.
  const std::string longer(70, 'x'), longest(64, 'x');
  const char* const values[] = {"a",  "b", "a", "",   "ab", "b",           "A",
                                "c",  "",  "a", "ba", "xx", longer.c_str(), longest.c_str()};
  uint32_t seed = 12345;
  for (int step = 0; step < 4000; ++step) {
    seed = seed * 1103515245u + 12345u;
    const char* value = values[(seed >> 16) % std::size(values)];
    SCOPED_TRACE("step " + std::to_string(step) + " value \"" + value + "\"");
    if ((seed >> 8) % 3 == 0) {
      linear.fAppendString(value);
      indexed.fAppendString(value);
    } else {
      const bool a = linear.fContainsString(value);
      const bool b = indexed.fContainsString(value);
      ASSERT_EQ(a, b);
      ASSERT_EQ(linear.nPos, indexed.nPos);
      ASSERT_EQ(linear.nFindLen, indexed.nFindLen);
    }
  }
}

}  // namespace

// Text values and lists.
#include "text/text.h"

#include <gtest/gtest.h>

TEST(TextList, JoinOfLinesKeepsCrLf) {
  sTextList list;
  fAppendLine(&list, "a");
  fAppendLine(&list, "bc");
  sText joined;
  ASSERT_TRUE(list.fJoin(&joined));
  EXPECT_EQ(joined.data, std::string("a\r\nbc\r\n"));
}

// Function-name mapping: both tables, exact whole-name matches only.
#include "output/names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct Case {
  const char* pName;
  const char* pExpected;
};

}  // namespace

TEST(Names, CallNameTable) {
  const Case cases[] = {
      {"ExecuteFunc", "fMyExecuteFunc"},
      {"GetLocalPlayer", "fMyGetLocalPlayer"},
      {"IN", "IN_2"},
      {"I2S", "fMyI2S"},
      {"GetUnitName", "fMyGetUnitName"},
      {"StringHash", "fMyStringHash"},
      {"SubString", "fMySubString"},
      {"SetAmbientDaySound", "//SetAmbientDaySound"},
      {"SetAmbientNightSound", "//SetAmbientNightSound"},
      {"SetPlayerAllianceStateVisionBJ", "//SetPlayerAllianceStateVisionBJ"},
      {"SetPlayerAllianceStateAllyBJ", "//SetPlayerAllianceStateAllyBJ"},
      {"InitBlizzard", "//InitBlizzard"},
      // Near misses keep their names.
      {"ExecuteFuncEx", "ExecuteFuncEx"},
      {"ExecuteFun", "ExecuteFun"},
      {"initblizzard", "initblizzard"},
      {"INITBLIZZARD", "INITBLIZZARD"},
      {"InitBlizzardBJ", "InitBlizzardBJ"},
      {"I2SX", "I2SX"},
      {"IN_2", "IN_2"},
      {"In", "In"},
      {"main", "main"},  // only definitions of main are renamed
      {"Main", "Main"},
      {"S2I", "S2I"},
      {"delete", "delete_2"},  // C++ keywords are renamed as where they are defined
      {"Delete", "Delete"},
      {"deleteX", "deleteX"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pName);
    sState s;
    s.vCallName.fCopy(c.pName);
    s.vFuncName.fCopy("untouched");
    fMapCallName(s);
    EXPECT_EQ(s.vCallName.str(), c.pExpected);
    EXPECT_EQ(s.vFuncName.str(), "untouched");
  }
}

TEST(Names, FuncNameTable) {
  const Case cases[] = {
      {"main", "fMainJass"},
      {"IN", "IN_2"},
      {"Main", "Main"},
      {"main2", "main2"},
      {"mai", "mai"},
      {"INx", "INx"},
      {"ExecuteFunc", "ExecuteFunc"},  // the call table does not apply here
      {"InitBlizzard", "InitBlizzard"},
      {"delete", "delete_2"},
      {"int", "int_2"},
      {"Int", "Int"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pName);
    sState s;
    s.vFuncName.fCopy(c.pName);
    s.vCallName.fCopy("main");
    fMapFuncName(s);
    EXPECT_EQ(s.vFuncName.str(), c.pExpected);
    EXPECT_EQ(s.vCallName.str(), "main");
  }
}

// Every word that C++ reserves, as a function name; a gap or typo in the table
// would leave one of them unrenamed.
TEST(Names, EveryCppKeywordIsRenamed) {
  const std::string words =
      "alignas alignof and_eq asm auto bitand bitor bool break case catch char char8_t char16_t "
      "char32_t class compl concept const consteval constexpr constinit const_cast continue "
      "co_await co_return co_yield decltype default delete double dynamic_cast else enum explicit "
      "export extern float for friend goto if inline int long mutable namespace new noexcept "
      "not_eq nullptr operator or_eq private protected public register reinterpret_cast requires "
      "return short signed sizeof static static_assert static_cast struct switch template "
      "thread_local throw try typedef typeid typename union unsigned using virtual void volatile "
      "wchar_t while xor xor_eq";
  size_t count = 0;
  for (size_t start = 0; start < words.size();) {
    const size_t end = std::min(words.find(' ', start), words.size());
    const std::string word = words.substr(start, end - start);
    SCOPED_TRACE(word);
    sState s;
    s.vFuncName.fCopy(word);
    fMapFuncName(s);
    EXPECT_EQ(s.vFuncName.str(), word + "_2");
    start = end + 1;
    ++count;
  }
  EXPECT_EQ(count, 85u);
}

// Function-name mapping: both tables, exact whole-name matches only.
#include "output/names.h"

#include <gtest/gtest.h>

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

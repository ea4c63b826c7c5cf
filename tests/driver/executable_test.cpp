// The built executable run end to end with piped standard input in a
// temporary folder. The files it writes are compared with what an in-process
// conversion on a fresh state joins for the same script bytes, so these tests
// hold whatever the translator produces.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver_test_util.h"
#include "support/bytes.h"
#include "support/convert.h"
#include "support/files.h"
#include "support/run.h"

namespace {

using driver_test::kPrompt;
using driver_test::TempDir;

class ExecutableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    UseFolder("maps");
  }

  // The script, its outputs and the tool's working folder go into a new
  // folder of that name (UTF-8).
  void UseFolder(const std::string& name) {
    maps_ = dir_ / name;
    ASSERT_TRUE(std::filesystem::create_directory(fPath(maps_)));
    script_ = maps_ + kSeparator + "ab.j";
    cpp_ = maps_ + kSeparator + "war3map.cpp";
    header_ = maps_ + kSeparator + "war3map.h";
  }

  // Runs a script through the tool and checks dialogue and files against the
  // in-process conversion; cppBlocked: a folder stands where war3map.cpp goes.
  // lineEnd: what is typed after the path, the final wait's character included.
  void ExpectConverted(const std::string& script, bool cppBlocked = false,
                       const std::string& lineEnd = "\n") {
    ASSERT_TRUE(fWriteFile(script_, script));
    if (cppBlocked) {
      ASSERT_TRUE(std::filesystem::create_directory(fPath(cpp_)));
    }
    const sConverted want = fConvertAll(script);
    std::string expected = std::string(kPrompt) + "Loading...\n";
    // Outputs are written all or none.
    const bool cppWritten = want.bCpp && !cppBlocked;
    const bool headerWritten = want.bHeader && !cppBlocked;
    if (cppWritten) expected += cpp_ + "\n";
    if (headerWritten) expected += header_ + "\n";
    if (cppBlocked && want.bCpp) expected += "Error writing the file!\n";

    const sToolRun run = RunExe(script_ + lineEnd);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fSameBytes(run.out, fConsoleLines(expected)));
    std::string bytes;
    if (!cppBlocked) {
      EXPECT_EQ(fReadFile(cpp_, bytes), cppWritten);
      if (cppWritten) {
        EXPECT_TRUE(fSameBytes(bytes, want.cpp));
      }
    }
    EXPECT_EQ(fReadFile(header_, bytes), headerWritten);
    if (headerWritten) {
      EXPECT_TRUE(fSameBytes(bytes, want.header));
    }
  }

  // Runs the tool without arguments in maps_ with input as its whole
  // standard input.
  sToolRun RunExe(const std::string& input) const { return fRunTool(maps_, {}, input); }

  TempDir dir_;
  std::string maps_, script_, cpp_, header_;
};

const char kSmallScript[] =
    "globals\r\n"
    "integer udg_count = 0\r\n"
    "string array udg_names\r\n"
    "endglobals\r\n"
    "function Trig_Count takes integer n returns integer\r\n"
    "local integer i = 0\r\n"
    "loop\r\n"
    "exitwhen i >= n\r\n"
    "set udg_count = udg_count + 1\r\n"
    "set i = i + 1\r\n"
    "endloop\r\n"
    "if udg_count > 10 then\r\n"
    "set udg_names[0] = \"many\"\r\n"
    "else\r\n"
    "set udg_names[0] = \"few\"\r\n"
    "endif\r\n"
    "return udg_count\r\n"
    "endfunction\r\n"
    "function main takes nothing returns nothing\r\n"
    "call Trig_Count(3)\r\n"
    "endfunction\r\n";

TEST_F(ExecutableTest, ErrorsEndWithExitCodeZero) {
  const std::string sep(1, kSeparator);
  ASSERT_TRUE(fWriteFile(maps_ + sep + "tiny.j", "ab"));
  struct Case {
    std::string input;
    const char* message;
  };
  const Case cases[] = {
      {maps_ + sep + "missing.j\n", "File not found!"},
      {maps_ + sep + "tiny.j\n", "The file is too small!"},
      {"abc\n", "The file path is too short!"},
      {maps_ + sep + "ab.J\n", "Incorrect file extension!"},
      {"maps/test.j\n", "Error entering the file path!"},
      {"", "The file path is too short!"},  // input closed at once
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const sToolRun run = RunExe(c.input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fSameBytes(run.out, fConsoleLines(std::string(kPrompt) + c.message + "\n")));
  }
  EXPECT_FALSE(std::filesystem::exists(cpp_));
  EXPECT_FALSE(std::filesystem::exists(header_));
}

// Faults of the script: its warnings between "Loading..." and the paths; an
// error alone, with nothing written and the previous outputs kept. Three
// bytes are read and found to hold no JASS.
TEST_F(ExecutableTest, FaultsArePrintedAndErrorsKeepThePreviousOutputs) {
  struct Case {
    std::string script;
    const char* said;
    bool bWritten;
  };
  const std::string head = "function f takes nothing returns nothing\n";
  const Case cases[] = {
      {"abc", "No JASS code found in the file!\n", false},
      {head + "  cal g()\n\x01\nendfunction\n",
       "Warning: line 2: line left out: no rule translates a line that begins with 'cal' here\n"
       "Warning: line 3: control byte 0x01 outside a literal\n",
       true},
      {"globals\r\ninteger a\r\n", "Error: line 1: 'globals' is never closed by 'endglobals'\n",
       false},
      {head + "\n  call g(\"a)\n  call h(\"b\")\nendfunction\n",
       "Error: line 3: unterminated string literal\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    ASSERT_TRUE(fWriteFile(cpp_, "previous source"));
    ASSERT_TRUE(fWriteFile(header_, "previous header"));
    ASSERT_TRUE(fWriteFile(script_, c.script));
    std::string expected = std::string(kPrompt) + "Loading...\n" + c.said;
    if (c.bWritten) expected += cpp_ + "\n" + header_ + "\n";
    const sToolRun run = RunExe(script_ + "\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fSameBytes(run.out, fConsoleLines(expected)));
    const sConverted want = fConvertAll(c.script);
    EXPECT_EQ(fReadFile(cpp_), c.bWritten ? want.cpp : "previous source");
    EXPECT_EQ(fReadFile(header_), c.bWritten ? want.header : "previous header");
  }
}

TEST_F(ExecutableTest, SmallScriptIsConverted) { ExpectConverted(kSmallScript); }

TEST_F(ExecutableTest, RealMapScriptIsConverted) {
  std::string script;
  const std::string path = std::string(JASSCRIBE_SHARED_DIR) + "/corpus/melee-2autumnleaves.j";
  if (!fReadFile(path, script)) GTEST_SKIP() << "no corpus at " << path;
  ExpectConverted(script);
}

TEST_F(ExecutableTest, FolderWhereSourceGoesStopsBothOutputs) {
  ExpectConverted(kSmallScript, /*cppBlocked=*/true);
}

// Users keep maps in folders named in their own language and with blanks;
// the typed path is taken as UTF-8 bytes when it does not come from a console.
TEST_F(ExecutableTest, FolderOfAnyNameIsConverted) {
  // "地图 一" (map one), a blank, "Запад" (west).
  for (const char* name : {"\u5730\u56fe \u4e00", "my maps", "\u0417\u0430\u043f\u0430\u0434"}) {
    SCOPED_TRACE(name);
    UseFolder(name);
    ExpectConverted(kSmallScript);
  }
}

// The typed path with "/" between its folders: only "\\" separates them on
// Windows, where such a path has no folder at all.
TEST_F(ExecutableTest, SlashSeparatesFoldersOnlyOffWindows) {
  std::string typed = script_;
  for (char& c : typed) c = c == kSeparator ? '/' : c;
#ifdef _WIN32
  ASSERT_TRUE(fWriteFile(script_, kSmallScript));
  const sToolRun run = RunExe(typed + "\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(fSameBytes(run.out, fConsoleLines(std::string(kPrompt) +
                                                "Error entering the file path!\n")));
  EXPECT_FALSE(std::filesystem::exists(fPath(cpp_)));
#else
  ASSERT_EQ(typed, script_);
  ExpectConverted(kSmallScript);
#endif
}

TEST_F(ExecutableTest, WindowsLineEndAndWaitCharacterAreConsumed) {
  ExpectConverted(kSmallScript, false, "\r\n\n");
}

}  // namespace

// The command line through the built executable: arguments, standard
// streams, exit codes and the files left in a temporary work folder. Outputs
// are compared with an in-process conversion of the same script bytes, so
// these tests hold whatever the translator produces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "support/bytes.h"
#include "support/convert.h"
#include "support/files.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTryHelp[] = "Try 'jasscribe --help' for more information.\n";
const char kSmall[] = "function main takes nothing returns nothing\r\ncall A(1)\r\nendfunction\r\n";

// The seconds of a converted line vary from run to run.
std::string fWithoutSeconds(const std::string& out) {
  return std::regex_replace(out, std::regex(R"(, [0-9]+\.[0-9] s\))"), ", T s)");
}

// Every regular file under folder, as paths relative to it, written with "/".
std::vector<std::string> fFilesUnder(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(fPath(folder))) {
    if (!entry.is_regular_file()) continue;
    files.push_back(fs::relative(entry.path(), fPath(folder)).generic_u8string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The arguments as typed on this platform: paths with its own separator.
std::vector<std::string> fNativeArgs(const std::vector<std::string>& args) {
  std::vector<std::string> native;
  for (const std::string& arg : args) native.push_back(fNative(arg));
  return native;
}

// What the tool prints for text on this platform: paths with its separator,
// lines with the console's line end.
std::string fPrinted(const std::string& text) { return fConsoleLines(fNative(text)); }

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    const std::string corpus = std::string(JASSCRIBE_SHARED_DIR) + "/corpus/";
    if (!fReadFile(corpus + "melee-2autumnleaves.j", a_) ||
        !fReadFile(corpus + "tribute-alliance.j", b_)) {
      GTEST_SKIP() << "no corpus at " << corpus;
    }
    work_ = dir_ / "work";
  }

  // A fresh work folder with the inputs: a.j and sub/b.j (real map scripts),
  // k (a script with a one-character name), tiny.j (2 bytes).
  void MakeInputs() {
    fs::remove_all(work_);
    ASSERT_TRUE(fs::create_directories(work_ + "/sub"));
    ASSERT_TRUE(fWriteFile(work_ + "/a.j", a_));
    ASSERT_TRUE(fWriteFile(work_ + "/sub/b.j", b_));
    ASSERT_TRUE(fWriteFile(work_ + "/k", kSmall));
    ASSERT_TRUE(fWriteFile(work_ + "/tiny.j", "ab"));
  }

  // The script bytes an input name stands for.
  std::string Script(const std::string& input) const {
    if (input == "a.j") return a_;
    if (input == "sub/b.j") return b_;
    return kSmall;
  }

  // Both outputs in folder are exactly the conversion of the script.
  void ExpectOutputs(const std::string& folder, const std::string& script) {
    SCOPED_TRACE("outputs in '" + folder + "'");
    const sConverted want = fConvertAll(script);
    const std::string base = folder.empty() ? work_ : work_ + "/" + folder;
    EXPECT_TRUE(fSameBytes(fReadFile(base + "/war3map.cpp"), want.cpp));
    EXPECT_TRUE(fSameBytes(fReadFile(base + "/war3map.h"), want.header));
  }

  TempDir dir_;
  std::string work_, a_, b_;
};

const std::vector<std::string> kInputFiles = {"a.j", "k", "sub/b.j", "tiny.j"};

TEST_F(CommandLineTest, UsageErrorsHelpAndVersionTouchNothing) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string out;  // a prefix of standard output
    std::string err;
  };
  const std::string usage = "Usage: jasscribe [OPTIONS] INPUT...\n";
  const Case cases[] = {
      {{"--version"}, 0, "jasscribe " JASSCRIBE_VERSION "\n", ""},
      {{"-h"}, 0, usage, ""},
      {{"a.j", "--help", "-x"}, 2, "", "jasscribe: unknown option '-x'\n"},
      {{"-q"}, 2, "", "jasscribe: no input given\n"},
      {{"a.j", "-o"}, 2, "", "jasscribe: -o needs a folder\n"},
      {{"-o", "x", "--output=y", "a.j"}, 2, "", "jasscribe: -o given more than once\n"},
      {{"-"}, 2, "", "jasscribe: - (standard input) needs -o DIR\n"},
      {{"-oout", "-", "-"}, 2, "", "jasscribe: - (standard input) given more than once\n"},
      {{"a.j", "k"}, 2, "", "jasscribe: a.j and k would both write into the folder .\n"},
      {{"-o", "out", "sub/b.j", "./b.j"}, 2, "",
       "jasscribe: sub/b.j and ./b.j would both write into the folder out/b\n"},
  };
  MakeInputs();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const sToolRun run = fRunTool(work_, fNativeArgs(c.args));
    EXPECT_EQ(run.exitCode, c.exitCode);
    const std::string out = fPrinted(c.out);
    EXPECT_EQ(run.out.compare(0, out.size(), out), 0) << fShow(run.out);
    if (c.out.empty()) {
      EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(fSameBytes(run.err, fPrinted(c.exitCode == 2 ? c.err + kTryHelp : c.err)));
    EXPECT_EQ(fFilesUnder(work_), kInputFiles);
  }
}

TEST_F(CommandLineTest, ConvertsEachInputIntoItsFolder) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string out;  // seconds shown as T
    std::string err;
    std::vector<std::pair<std::string, std::string>> outputs;  // folder, input it comes from
  };
  const Case cases[] = {
      {"beside the script", {"a.j"}, 0,
       "a.j -> war3map.cpp, war3map.h (50.7 kB, T s)\n", "", {{"", "a.j"}}},
      {"relative folder, quiet", {"-q", "sub/b.j"}, 0, "", "", {{"sub", "sub/b.j"}}},
      {"one-character name", {"k"}, 0, "k -> war3map.cpp, war3map.h (69 B, T s)\n", "",
       {{"", "k"}}},
      {"-o creates the folder", {"-o", "out/deep", "sub/b.j"}, 0,
       "sub/b.j -> out/deep/war3map.cpp, out/deep/war3map.h (68.6 kB, T s)\n", "",
       {{"out/deep", "sub/b.j"}}},
      {"-o with several inputs", {"--output=out", "a.j", "--", "sub/b.j"}, 0,
       "a.j -> out/a/war3map.cpp, out/a/war3map.h (50.7 kB, T s)\n"
       "sub/b.j -> out/b/war3map.cpp, out/b/war3map.h (68.6 kB, T s)\n", "",
       {{"out/a", "a.j"}, {"out/b", "sub/b.j"}}},
      {"standard input", {"-o", "out", "-"}, 0,
       "<stdin> -> out/war3map.cpp, out/war3map.h (69 B, T s)\n", "", {{"out", "-"}}},
      {"a failed input does not stop the others",
       {"-o", "out", "missing.j", "-q", "tiny.j", "sub", "a.j"}, 1, "",
       "missing.j: file not found\n"
       "tiny.j: the script is too small (less than 3 bytes)\n"
       "sub: cannot read the file\n", {{"out/a", "a.j"}}},
      {"-o below a file", {"-o", "a.j/out", "k"}, 1, "",
       "k: cannot create the folder a.j/out: Not a directory\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeInputs();
    const sToolRun run = fRunTool(work_, fNativeArgs(c.args), kSmall);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_TRUE(fSameBytes(fWithoutSeconds(run.out), fPrinted(c.out)));
    EXPECT_TRUE(fSameBytes(run.err, fPrinted(c.err)));
    std::vector<std::string> files = kInputFiles;
    for (const auto& [folder, input] : c.outputs) {
      ExpectOutputs(folder, Script(input));
      const std::string prefix = folder.empty() ? "" : folder + "/";
      files.push_back(prefix + "war3map.cpp");
      files.push_back(prefix + "war3map.h");
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(fFilesUnder(work_), files);  // nothing else, no temporary file
  }
}

// Inputs and output folders named in the users' languages and with blanks,
// given relative and absolute: the outputs land where they are asked for.
TEST_F(CommandLineTest, PathsOfAnyNameWork) {
  // "地图 一" (map one) holding the script; "输出 二" (output two) for -o.
  const std::string maps = "\u5730\u56fe \u4e00";
  const std::string output = "\u8f93\u51fa \u4e8c";
  const std::string script = fNative(maps + "/a.j");
  const std::string absolute = work_ + kSeparator + fNative(output + "/x y");
  struct Case {
    std::vector<std::string> args;
    std::string folder;  // where the outputs go, as printed
    char separator;      // printed before the outputs' names
  };
  const Case cases[] = {
      {{script}, fNative(maps), kSeparator},
      {{"-o", fNative(output), script}, fNative(output), kSeparator},
      {{"-o", absolute, work_ + kSeparator + script}, absolute, kSeparator},
      // Windows takes "/" too, and a folder given with it is continued with it.
      {{"-o", output + "/x", maps + "/a.j"}, output + "/x", '/'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    MakeInputs();
    ASSERT_TRUE(fs::create_directory(fPath(work_ + kSeparator + maps)));
    ASSERT_TRUE(fWriteFile(work_ + kSeparator + script, a_));
    const sToolRun run = fRunTool(work_, c.args);
    EXPECT_EQ(run.exitCode, 0);
    const std::string cpp = c.folder + c.separator + "war3map.cpp";
    const std::string header = c.folder + c.separator + "war3map.h";
    EXPECT_TRUE(fSameBytes(fWithoutSeconds(run.out),
                           fConsoleLines(c.args.back() + " -> " + cpp + ", " + header +
                                         " (50.7 kB, T s)\n")));
    EXPECT_EQ(run.err, "");
    const sConverted want = fConvertAll(a_);
    const std::string base = c.folder == absolute ? "" : work_ + kSeparator;
    EXPECT_TRUE(fSameBytes(fReadFile(base + cpp), want.cpp));
    EXPECT_TRUE(fSameBytes(fReadFile(base + header), want.header));
  }
}

// A build without StormLib (the Windows build among them) names each map
// archive it cannot read, whatever the case of its extension, and converts the rest.
TEST_F(CommandLineTest, BuildWithoutArchivesRefusesEachByName) {
  if (JASSCRIBE_READS_ARCHIVES) GTEST_SKIP() << "this build reads map archives";
  MakeInputs();
  ASSERT_TRUE(fWriteFile(work_ + "/m.w3x", a_));
  ASSERT_TRUE(fWriteFile(work_ + "/n.W3M", a_));
  const sToolRun run = fRunTool(work_, {"-q", "m.w3x", "a.j", "n.W3M"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  const std::string refused = ": this build of jasscribe cannot read map archives\n";
  EXPECT_TRUE(fSameBytes(run.err, fConsoleLines("m.w3x" + refused + "n.W3M" + refused)));
  ExpectOutputs("", a_);
  EXPECT_FALSE(fs::exists(fPath(work_ + "/m")));
}

// A folder where an output goes: the input fails, the other output keeps its
// previous bytes, no temporary file is left, and the next input converts.
TEST_F(CommandLineTest, FolderInTheWayKeepsThePreviousOutputs) {
  for (const std::string blocked : {"war3map.cpp", "war3map.h"}) {
    SCOPED_TRACE(blocked);
    MakeInputs();
    const std::string other = blocked == "war3map.cpp" ? "war3map.h" : "war3map.cpp";
    ASSERT_TRUE(fs::create_directory(work_ + "/sub/" + blocked));
    ASSERT_TRUE(fWriteFile(work_ + "/sub/" + other, "previous"));
    const sToolRun run = fRunTool(work_, fNativeArgs({"-q", "sub/b.j", "a.j"}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(fSameBytes(run.err, fPrinted("sub/b.j: cannot write sub/" + blocked +
                                             ": a folder of that name is in the way\n")));
    EXPECT_EQ(fReadFile(work_ + "/sub/" + other), "previous");
    std::vector<std::string> files = {"a.j",  "k",           "sub/" + other, "sub/b.j",
                                      "tiny.j", "war3map.cpp", "war3map.h"};
    std::sort(files.begin(), files.end());
    EXPECT_EQ(fFilesUnder(work_), files);
    ExpectOutputs("", a_);
  }
}

// Faults go to standard error as "INPUT:LINE: severity: what"; an input with
// an error keeps its previous outputs and makes the exit code 1, and the
// inputs after it still convert, with their warnings.
TEST_F(CommandLineTest, FaultsNameTheirLineAndErrorsWriteNothing) {
  MakeInputs();
  const std::string warned = "function main takes nothing returns nothing\ncall A(1)\nendif\nendfunction\n";
  ASSERT_TRUE(fs::create_directories(work_ + "/bad"));
  ASSERT_TRUE(fs::create_directories(work_ + "/none"));
  ASSERT_TRUE(fs::create_directories(work_ + "/good"));
  ASSERT_TRUE(fWriteFile(work_ + "/bad/x.j", "globals\ninteger a\n\nfunction f takes nothing returns nothing\n"));
  ASSERT_TRUE(fWriteFile(work_ + "/none/n.j", "abc"));
  ASSERT_TRUE(fWriteFile(work_ + "/good/y.j", warned));
  for (const char* folder : {"/bad/", "/none/"}) {
    ASSERT_TRUE(fWriteFile(work_ + folder + "war3map.cpp", "previous"));
    ASSERT_TRUE(fWriteFile(work_ + folder + "war3map.h", "previous"));
  }
  const sToolRun run = fRunTool(work_, fNativeArgs({"-q", "bad/x.j", "none/n.j", "good/y.j"}));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(fSameBytes(run.err,
                         fPrinted("bad/x.j:1: error: 'globals' is never closed by 'endglobals'\n"
                                  "none/n.j: error: no JASS code found in the file\n"
                                  "good/y.j:3: warning: 'endif' without 'if'\n")));
  for (const char* folder : {"/bad/", "/none/"}) {
    EXPECT_EQ(fReadFile(work_ + folder + "war3map.cpp"), "previous");
    EXPECT_EQ(fReadFile(work_ + folder + "war3map.h"), "previous");
  }
  ExpectOutputs("good", warned);
}

}  // namespace

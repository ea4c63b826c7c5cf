// The compile check on every real script of ../shared/corpus: the output
// compiles against the stand-in framework, except for the kept causes. Prints
// a per-script table at the end, passing or not. One script only:
//   framework_tests --gtest_filter='*dota_688*'
// Any other scripts (paths separated by ':') in place of the corpus:
//   JASSCRIBE_COMPILE_SCRIPTS=/maps/a.j:/maps/b.j framework_tests --gtest_filter='Corpus/*'
// Faults not yet corrected ("script:function,..." in JASSCRIBE_KNOWN_FAULTS;
// CTest sets it) are reported as known and do not fail the check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "framework/compile_check.h"
#include "support/convert.h"
#include "support/files.h"

namespace {

std::filesystem::path fCorpusDir() { return std::filesystem::path(JASSCRIBE_SHARED_DIR) / "corpus"; }

std::vector<std::string> fScripts() {
  std::vector<std::string> paths;
  if (const char* chosen = std::getenv("JASSCRIBE_COMPILE_SCRIPTS")) {
    const std::string list = chosen;
    for (size_t pos = 0; pos <= list.size();) {
      size_t end = list.find(':', pos);
      if (end == std::string::npos) end = list.size();
      if (end > pos) paths.push_back(list.substr(pos, end - pos));
      pos = end + 1;
    }
    return paths;
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(fCorpusDir(), error)) {
    if (entry.path().extension() == ".j") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string fCompilerCommand() {
  return std::string(JASSCRIBE_CHECK_CXX) + " -std=c++17 -m32 -fsyntax-only -w -I '" +
         JASSCRIBE_FRAMEWORK_DIR + "' -I '" + JASSCRIBE_FRAMEWORK_GENERATED_DIR + "'";
}

std::vector<std::string>& fRows() {
  static std::vector<std::string> rows;
  return rows;
}

// Prints the table of every script checked in this run, when the run ends.
class ReportTable : public ::testing::Environment {
 public:
  void TearDown() override {
    if (fRows().empty()) return;
    std::string table = "\nCompile check against the stand-in framework (" + fCompilerCommand() +
                        "):\n" + compile_check::fTableHeader();
    for (const std::string& row : fRows()) table += row;
    std::fputs((table + compile_check::fKeptCauseTable()).c_str(), stdout);
  }
};

[[maybe_unused]] ::testing::Environment* const kReportTable =
    ::testing::AddGlobalTestEnvironment(new ReportTable);

class CompileCheck : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(CompileCheck, NoFaultOutsideTheKeptCauses) {
  const std::string path = GetParam();
  std::string raw;
  ASSERT_TRUE(fReadFile(path, raw)) << path;
  const std::string name = std::filesystem::path(path).filename().string();
  compile_check::sResult result = compile_check::fCheckScript(name, raw, fCompilerCommand());
  if (const char* known = std::getenv("JASSCRIBE_KNOWN_FAULTS")) {
    compile_check::fMarkKnownFaults(result, known);
  }
  fRows().push_back(compile_check::fTableRow(result));
  const std::string details = compile_check::fDetails(result);
  std::fputs((compile_check::fTableRow(result) + details).c_str(), stdout);
  EXPECT_EQ(result.nFaults(), 0) << "translation faults in " << name << ":\n" << details;
}

// The check itself, against the real compiler: each kept cause is recognised
// from its error, and faults put into good output are found and named after
// the unit they are in.
TEST(CompileCheckSelf, SortsErrorsIntoUnitsAndCauses) {
  const std::string kMain = "function main takes nothing returns nothing\r\nendfunction\r\n";
  const struct {
    const char* script;  // JASS, main added unless bNoMain
    const char* from;    // a text of the output, to be replaced (in war3map.cpp, or .h if bHeader)
    const char* to;
    bool bHeader;
    bool bNoMain;
    const char* unit;   // the failing unit expected
    const char* cause;  // its kept cause, "" for a fault
  } cases[] = {
      {"function H2I takes handle h returns integer\r\nreturn h\r\nreturn 0\r\nendfunction\r\n",
       "", "", false, false, "H2I", "return bug"},
      {"function L takes unit u returns integer\r\nreturn GetUnitAbilityLevel(,u)\r\nendfunction\r\n",
       "", "", false, false, "L", "invalid JASS: missing argument"},
      {"function A takes integer i returns nothing\r\nendfunction\r\n"
       "function B takes nothing returns nothing\r\n"
       "call TimerStart(CreateTimer(), 1, false, function A)\r\nendfunction\r\n",
       "", "", false, false, "B", "invalid JASS: code with arguments"},
      {"function S takes nothing returns nothing\r\n"
       "call BJDebugMsg(SubString(GetPlayerName(Player(0)), 0, 3))\r\nendfunction\r\n",
       "", "", false, false, "S", "frame: temporary to fMySubString"},
      {"function V takes nothing returns nothing\r\nendfunction\r\n", "", "", false, true, "frame",
       "library without main"},
      {"function F takes integer a returns integer\r\nreturn a\r\nendfunction\r\n", "return  a;",
       "return  a);", false, false, "F", ""},
      {"function F takes nothing returns nothing\r\nendfunction\r\n", "void F()\r\n{\r\n}\r\n",
       "void F()\r\n{\r\n}\r\n}\r\n", false, false, "outside any function", ""},
      {"globals\r\ninteger gv = 1\r\nendglobals\r\n", "integer gv;", "integer gv", true, false,
       "global object", ""},
      {"function F takes nothing returns nothing\r\nendfunction\r\n", "(integer)&F);",
       "(integer)&G);", false, false, "registration of G", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const std::string script = std::string(c.script) + (c.bNoMain ? "" : kMain);
    const sConverted out = fConvertAll(script);
    std::string cpp = out.cpp;
    std::string header = out.header;
    std::string& changed = c.bHeader ? header : cpp;
    const size_t at = changed.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    changed.replace(at, std::strlen(c.from), c.to);
    const compile_check::sResult result =
        compile_check::fCheckOutput("self", script, cpp, header, fCompilerCommand());
    ASSERT_EQ(result.compilerTrouble, "");
    std::string found;
    for (const compile_check::sUnit& unit : result.failing) {
      if (unit.name == "frame" && unit.keptCause == "frame: pointer > 0") continue;
      found += unit.name + " [" + unit.keptCause + "]; ";
    }
    EXPECT_EQ(found, std::string(c.unit) + " [" + c.cause + "]; ") << compile_check::fDetails(result);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CompileCheck, ::testing::ValuesIn(fScripts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = std::filesystem::path(info.param).stem().string();
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CompileCheck);

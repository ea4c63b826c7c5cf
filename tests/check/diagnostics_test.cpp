// The faults of a script, each on the line the user sees it on, through the
// whole conversion in memory: one table of small scripts with the diagnostics
// each must give, whether it still translates, and the real scripts of the
// corpus, which have none.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "check/script_check.h"
#include "driver/convert.h"
#include "support/files.h"
#include "text/state.h"

namespace {

const char* fName(eProblem problem) {
  switch (problem) {
    case eProblem::kControlByte: return "control byte";
    case eProblem::kLineLeftOut: return "line left out";
    case eProblem::kStrayCloser: return "stray closer";
    case eProblem::kTooManyWarnings: return "too many warnings";
    case eProblem::kUnterminatedLiteral: return "unterminated literal";
    case eProblem::kUnclosedBlock: return "unclosed block";
    case eProblem::kTooDeep: return "too deep";
    case eProblem::kNoJass: return "no JASS";
  }
  return "?";
}

// "line: problem" for each diagnostic, so a failure shows them readably.
std::vector<std::string> fShown(const std::vector<sDiagnostic>& diagnostics) {
  std::vector<std::string> shown;
  for (const sDiagnostic& d : diagnostics) {
    shown.push_back(std::to_string(d.nLine) + ": " + fName(d.problem));
  }
  return shown;
}

std::string fRepeat(const std::string& text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

std::string fRandomBytes(size_t n) {
  std::mt19937 random(16);
  std::string bytes(n, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

const std::string kHead = "function f takes nothing returns nothing\r\n";
const std::string kEnd = "endfunction\r\n";

struct Case {
  const char* name;
  std::string script;
  std::vector<std::string> expected;  // "line: problem", in line order
};

// A script translates exactly when it has no error.
const Case kCases[] = {
    {"clean", "globals\r\ninteger a = 1\r\nendglobals\r\n" + kHead + "call g()\r\n" + kEnd, {}},
    {"natives and types alone are JASS", "type agent extends handle\nconstant native F takes nothing returns nothing\n", {}},
    {"control byte outside a literal, once per line",
     "globals\r\ninteger a = 1\x01\x02\r\nstring s = \"\x01\"\r\nendglobals\r\n", {"2: control byte"}},
    {"control byte in a comment is dropped with it", kHead + "// \x7F\r\n" + kEnd, {}},
    {"a word split by a control byte is still the word",
     kHead + "if a then\r\nend\x01if\r\n" + kEnd, {"3: control byte"}},
    {"line in a function that begins no statement", kHead + "call g()\r\n  foo = 1\r\n" + kEnd,
     {"3: line left out"}},
    {"keywords are whole words", kHead + "ifo x then\r\nendiffy\r\n" + kEnd,
     {"2: line left out", "3: line left out"}},
    {"global of a type the translator does not know",
     "globals\r\n    integer a\r\n    mytype b\r\nendglobals\r\n", {"3: line left out"}},
    {"statement outside a function", "call g()\r\n" + kHead + kEnd, {"1: line left out"}},
    {"closing words without openers",
     "endglobals\r\n" + kHead + "endif\r\nelse\r\nloop\r\nendloop\r\nendloop\r\n" + kEnd + kEnd,
     {"1: stray closer", "3: stray closer", "4: stray closer", "7: stray closer",
      "9: stray closer"}},
    {"else if on one line is an elseif", kHead + "if a then\r\nelse if b then\r\nendif\r\n" + kEnd, {}},
    {"unterminated literal near the top", kHead + "call g(\"ab)\r\ncall h(\"x\")\r\n" + kEnd,
     {"2: unterminated literal"}},
    {"literal over a line end is counted in lines", kHead + "call g(\"a\r\nb\")\r\n\r\ncall h(\"\r\n" + kEnd,
     {"5: unterminated literal"}},
    {"escaped quote does not close", kHead + "call g(\"a\\\")\r\n" + kEnd,
     {"2: unterminated literal"}},
    {"globals block that never ends", "globals\r\ninteger a\r\n", {"1: unclosed block"}},
    {"function that never ends", "globals\r\nendglobals\r\n" + kHead + "call g()\r\n",
     {"3: unclosed block"}},
    {"if closed by endfunction", kHead + "if a then\r\ncall g()\r\n" + kEnd, {"2: unclosed block"}},
    {"loop still open at the end", kHead + "loop\r\n", {"2: unclosed block"}},
    {"function inside a function", kHead + kHead + kEnd, {"1: unclosed block"}},
    {"LF, CR and CR LF each end one line", "globals\rinteger a\n\r\n\x01\rendglobals\n" + kHead,
     {"4: control byte", "6: unclosed block"}},
    {"ifs nested 5,000 deep", kHead + fRepeat("if a then\r\n", 5000) + fRepeat("endif\r\n", 5000) + kEnd,
     {"199: too deep"}},
    {"ifs nested 150 deep", kHead + fRepeat("if a then\r\n", 150) + fRepeat("endif\r\n", 150) + kEnd, {}},
    {"only NUL bytes", std::string(1000, '\0'), {"0: no JASS", "1: control byte"}},
    {"only CR bytes", std::string(1000, '\r'), {"0: no JASS"}},
    {"10 MB of x", std::string(10000000, 'x'), {"0: no JASS", "1: line left out"}},
};

TEST(Diagnostics, EachFaultOnItsLine) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto s = std::make_unique<sState>();
    EXPECT_TRUE(fConvertScript(*s, c.script.data(), c.script.size()));
    EXPECT_EQ(fShown(s->vDiagnostics), c.expected);
    const bool bError = fFirstError(s->vDiagnostics) != nullptr;
    EXPECT_EQ(s->vCppLines.nCount() > 0, !bError);
    EXPECT_EQ(s->vHeaderLines.nCount() > 0, !bError);
  }
}

// Random bytes: no JASS, and the warnings stop at their bound.
TEST(Diagnostics, RandomBytesAreNoJassAndWarningsAreBounded) {
  const std::string script = fRandomBytes(100000);
  auto s = std::make_unique<sState>();
  fConvertScript(*s, script.data(), script.size());
  ASSERT_NE(fFirstError(s->vDiagnostics), nullptr);
  EXPECT_EQ(fFirstError(s->vDiagnostics)->problem, eProblem::kNoJass);
  const auto warnings = std::count_if(s->vDiagnostics.begin(), s->vDiagnostics.end(),
                                      [](const sDiagnostic& d) { return !fIsError(d.problem); });
  EXPECT_EQ(static_cast<size_t>(warnings), CONST_MAX_WARNINGS + 1);
  EXPECT_EQ(s->vCppLines.nCount(), 0);
}

// The real scripts have no fault the pre-pass would report.
TEST(Diagnostics, CorpusScriptsHaveNone) {
  const std::filesystem::path corpus = std::filesystem::path(JASSCRIBE_SHARED_DIR) / "corpus";
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (entry.path().extension() != ".j") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::string script;
    ASSERT_TRUE(fReadFile(entry.path().string(), script));
    EXPECT_EQ(fShown(fCheckScript(script.data(), script.size()).vDiagnostics),
              std::vector<std::string>());
    ++scripts;
  }
  EXPECT_GT(scripts, 0);
}

}  // namespace

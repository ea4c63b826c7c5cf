// Input normalisation: hand-worked cases for every byte it may change, and a
// run over the real scripts of the shared corpus.
#include "text/normalize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/files.h"

namespace {

std::string fNormalize(const std::string& in) { return fNormalizeScript(in.data(), in.size()); }

struct Case {
  const char* what;
  std::string input;
  std::string expected;
};

void fCheckCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + fShow(c.input));
    EXPECT_EQ(fShow(fNormalize(c.input)), fShow(c.expected));
  }
}

// The script's bytes with every literal's inside left out (quotes kept), so
// the corpus checks can look at code only. Lines hold no raw line end inside
// a string once normalised, and a rawcode ends at its line.
std::string fCodeOnly(const std::string& s) {
  std::string code;
  char open = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (open == 0) {
      code += c;
      if (c == '"' || c == '\'') open = c;
    } else if (c == '\\') {
      ++i;
    } else if (c == open || (open == '\'' && (c == '\r' || c == '\n'))) {
      code += c;
      open = 0;
    }
  }
  return code;
}

}  // namespace

TEST(Normalize, CleanScriptUnchanged) {
  const std::string clean =
      "globals\r\ninteger udg_a = 1\r\nstring udg_s = \"x\"\r\nendglobals\r\n"
      "function f takes integer a returns integer\r\n"
      "local integer i = a / 2\r\n"
      "if i > 0 then\r\ncall g(\"a // b\", 'A000')\r\nendif\r\n"
      "\r\nreturn i\r\nendfunction\r\n";
  fCheckCases({{"clean", clean, clean}});
}

TEST(Normalize, CommentsGoOnlyOutsideLiterals) {
  fCheckCases({
      {"end of statement", "set a = 1 // note\r\n", "set a = 1\r\n"},
      {"comment line indented", "    // note\r\nset a = 1\r\n", "\r\nset a = 1\r\n"},
      {"comment at file end", "set a = 1\t//x", "set a = 1"},
      {"right after literal", "call f(\"a\")//c\r\n", "call f(\"a\")\r\n"},
      {"in string", "call f(\"http://x\") // y\r\n", "call f(\"http://x\")\r\n"},
      {"in rawcode", "set x = '//ab' // y\r\n", "set x = '//ab'\r\n"},
      {"single slash", "set a = b / c\r\n", "set a = b / c\r\n"},
      {"slash at file end", "set a = b /", "set a = b /"},
      {"comment holds a quote", "set a = 1 // it's \"x\r\nset b = 2\r\n",
       "set a = 1\r\nset b = 2\r\n"},
  });
}

TEST(Normalize, EscapesAndQuoteKindsDelimitLiterals) {
  fCheckCases({
      {"escaped quote", "set s = \"a\\\"// b\"  // c\r\n", "set s = \"a\\\"// b\"\r\n"},
      {"escaped backslash closes", "set s = \"a\\\\\" // c\r\n", "set s = \"a\\\\\"\r\n"},
      {"rawcode escaped quote", "set x = '\\'' // c\r\n", "set x = '\\''\r\n"},
      {"double quote in rawcode", "set x = '\"' // c\r\nset y = 1\r\n",
       "set x = '\"'\r\nset y = 1\r\n"},
      {"single quote in string", "call f(\"it's\") // c\r\n", "call f(\"it's\")\r\n"},
      {"blanks before literal kept", "call f(a,  \"x\")\r\n", "call f(a,  \"x\")\r\n"},
  });
}

TEST(Normalize, LineEndsInsideStringBecomeEscapes) {
  fCheckCases({
      {"CR LF", "set s = \"a\r\nb\"\r\n", "set s = \"a\\r\\nb\"\r\n"},
      {"LF, indent kept", "set s = \"a\n  b\"\n", "set s = \"a\\n  b\"\r\n"},
      {"lone CR", "set s = \"a\rb\"\r", "set s = \"a\\rb\"\r\n"},
      // The backslash already opens the escape: the literal keeps its CR LF.
      {"escaped line end", "set s = \"a\\\r\nb\"\r\n", "set s = \"a\\r\\nb\"\r\n"},
      {"line after literal", "set s = \"a\r\nb\"   // c\r\n  set t = 1\r\n",
       "set s = \"a\\r\\nb\"\r\nset t = 1\r\n"},
  });
}

TEST(Normalize, UnterminatedLiteralsStayInBounds) {
  fCheckCases({
      {"string to file end", "set s = \"abc\r\n  endfunction\r\n",
       "set s = \"abc\\r\\n  endfunction\\r\\n"},
      {"backslash at file end", "set s = \"ab\\", "set s = \"ab\\"},
      {"rawcode ends at line", "set x = 'ab // c\r\n  set y = 1\r\n",
       "set x = 'ab // c\r\nset y = 1\r\n"},
      {"rawcode backslash at line end", "set x = 'a\\\n  set y = 1 // c\n",
       "set x = 'a\\\r\nset y = 1\r\n"},
      {"rawcode at file end", "set x = 'a\\", "set x = 'a\\"},
  });
}

TEST(Normalize, BlanksAndTabs) {
  fCheckCases({
      {"leading blanks", "    set a = 1\r\n", "set a = 1\r\n"},
      {"leading tabs", "\t\tset a = 1\r\n", "set a = 1\r\n"},
      {"trailing blanks", "set a = 1   \r\n", "set a = 1\r\n"},
      {"trailing tabs at file end", "set a = 1 \t", "set a = 1"},
      {"inner tabs become blanks", "set\ta =\t\t1\r\n", "set a =  1\r\n"},
      {"inner blanks kept", "set a  =  1\r\n", "set a  =  1\r\n"},
      {"blank line", "  \t \r\nx\r\n", "\r\nx\r\n"},
      {"tabs in literals kept", "\tcall f(\"a\tb\", '\t')\t\r\n", "call f(\"a\tb\", '\t')\r\n"},
  });
}

TEST(Normalize, EveryLineEndBecomesCrLf) {
  fCheckCases({
      {"CR LF kept", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"lone LF", "a\nb\n", "a\r\nb\r\n"},
      {"lone CR", "a\rb\r", "a\r\nb\r\n"},
      {"mixed", "a\r\nb\nc\rd\r\r\ne\n\r", "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n"},
      {"LF CR is two ends", "a\n\rb", "a\r\n\r\nb"},
  });
}

TEST(Normalize, ByteOrderMarkOnlyAtStart) {
  fCheckCases({
      {"dropped", "\xEF\xBB\xBFglobals\r\n", "globals\r\n"},
      {"then indent", "\xEF\xBB\xBF  globals\n", "globals\r\n"},
      {"not at start", "a\xEF\xBB\xBF", "a\xEF\xBB\xBF"},
      {"partial mark kept", "\xEF\xBB", "\xEF\xBB"},
      {"empty", "", ""},
  });
}

// Short random mixes of the bytes that steer the pass: a second pass changes
// nothing and no lone CR or LF is left (sanitizer builds also check bounds).
TEST(Normalize, RandomMixesAreStable) {
  static const char kAlphabet[] = " \t\r\n\"'\\/a";
  std::mt19937 random(7);
  for (int n = 0; n < 5000; ++n) {
    std::string input(random() % 24, ' ');
    for (char& c : input) c = kAlphabet[random() % (sizeof kAlphabet - 1)];
    SCOPED_TRACE(fShow(input));
    const std::string once = fNormalize(input);
    ASSERT_EQ(fShow(fNormalize(once)), fShow(once));
    for (size_t i = 0; i < once.size(); ++i) {
      ASSERT_FALSE(once[i] == '\r' && (i + 1 == once.size() || once[i + 1] != '\n'));
      ASSERT_FALSE(once[i] == '\n' && (i == 0 || once[i - 1] != '\r'));
    }
  }
}

// Every real script: no crash, the translator's form holds, and a second
// pass changes nothing.
TEST(Normalize, CorpusScriptsComeOutInTranslatorForm) {
  const std::filesystem::path dir = std::filesystem::path(JASSCRIBE_SHARED_DIR) / "corpus";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " missing";
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".j") continue;
    ++scripts;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string raw = fReadFile(entry.path().string());
    const std::string once = fNormalize(raw);
    ASSERT_FALSE(once.empty());
    EXPECT_EQ(fNormalize(once), once);
    for (size_t i = 0; i < once.size(); ++i) {
      const bool bCr = once[i] == '\r', bLf = once[i] == '\n';
      ASSERT_FALSE(bCr && (i + 1 == once.size() || once[i + 1] != '\n')) << "lone CR at " << i;
      ASSERT_FALSE(bLf && (i == 0 || once[i - 1] != '\r')) << "lone LF at " << i;
      const bool bLineStart = i == 0 || once[i - 1] == '\n';
      ASSERT_FALSE(bLineStart && (once[i] == ' ' || once[i] == '\t')) << "indent at " << i;
      ASSERT_FALSE(bCr && i > 0 && once[i - 1] == ' ') << "trailing blank at " << i;
    }
    const std::string code = fCodeOnly(once);
    EXPECT_EQ(code.find('\t'), std::string::npos);
    EXPECT_EQ(code.find("//"), std::string::npos);
  }
  EXPECT_GE(scripts, 19);
}

// Every real script of the shared corpus through normalisation and the whole
// conversion, in process: both files produced, the same bytes on a second run,
// one prototype in the header for each function the script defines, under
// the script's own name as C++ writes it, in the script's order, and both
// files byte for byte as committed in tests/golden/corpus.sha256.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "output/reserved.h"
#include "support/bytes.h"
#include "support/convert.h"
#include "support/files.h"
#include "support/sha256.h"

namespace {

std::filesystem::path fCorpusDir() { return std::filesystem::path(JASSCRIBE_SHARED_DIR) / "corpus"; }

std::vector<std::string> fCorpusScripts() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(fCorpusDir(), error)) {
    if (entry.path().extension() == ".j") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool fIsBlank(char c) { return c == ' ' || c == '\t'; }

// Moves pos past the word and at least one blank after it.
bool fSkipWord(const std::string& line, size_t& pos, const char* word) {
  const std::string w(word);
  if (line.compare(pos, w.size(), w) != 0) return false;
  size_t end = pos + w.size();
  if (end >= line.size() || !fIsBlank(line[end])) return false;
  while (end < line.size() && fIsBlank(line[end])) ++end;
  pos = end;
  return true;
}

// A line "function NAME takes", optionally "constant function", after any
// leading blanks and tabs; *pName receives NAME.
bool fDefinesFunction(const std::string& line, std::string* pName = nullptr) {
  size_t pos = 0;
  while (pos < line.size() && fIsBlank(line[pos])) ++pos;
  fSkipWord(line, pos, "constant");
  if (!fSkipWord(line, pos, "function")) return false;
  const size_t nameStart = pos;
  while (pos < line.size() && (isalnum(static_cast<unsigned char>(line[pos])) || line[pos] == '_')) {
    ++pos;
  }
  if (pos == nameStart || pos >= line.size() || !fIsBlank(line[pos])) return false;
  if (pName != nullptr) *pName = line.substr(nameStart, pos - nameStart);
  while (pos < line.size() && fIsBlank(line[pos])) ++pos;
  return line.compare(pos, 5, "takes") == 0;
}

// The defined functions' names in order, as C++ names them: the entry
// function, "IN" and the words C++ reserves are renamed.
std::vector<std::string> fDefinedNames(const std::string& script) {
  std::vector<std::string> names;
  size_t pos = 0;
  while (pos < script.size()) {
    size_t end = script.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = script.size();
    std::string name;
    if (fDefinesFunction(script.substr(pos, end - pos), &name)) {
      if (name == "main") name = "fMainJass";
      if (fIsReservedName(name)) name += "_2";
      names.push_back(name);
    }
    pos = end + 1;
  }
  return names;
}

int fCountDefinitions(const std::string& script) {
  return static_cast<int>(fDefinedNames(script).size());
}

// The prototypes of the translated functions are the header's last section,
// one per line, after the support prototypes and one empty line.
int fCountPrototypes(const std::string& header) {
  const std::string last = "integer fMyStringHash(String vStr);\r\n\r\n";
  size_t pos = header.find(last);
  if (pos == std::string::npos) return -1;
  int count = 0;
  for (pos += last.size(); (pos = header.find(";\r\n", pos)) != std::string::npos; pos += 3) ++count;
  return count;
}

// The function names of those prototypes ("TYPE NAME(PARAMS);"), in order.
std::vector<std::string> fPrototypeNames(const std::string& header) {
  const std::string last = "integer fMyStringHash(String vStr);\r\n\r\n";
  std::vector<std::string> names;
  size_t pos = header.find(last);
  if (pos == std::string::npos) return names;
  for (pos += last.size(); pos < header.size();) {
    size_t end = header.find("\r\n", pos);
    if (end == std::string::npos) end = header.size();
    const std::string line = header.substr(pos, end - pos);
    const size_t blank = line.find(' ');
    const size_t paren = line.find('(');
    if (blank != std::string::npos && paren != std::string::npos && blank < paren) {
      names.push_back(line.substr(blank + 1, paren - blank - 1));
    }
    pos = end + 2;
  }
  return names;
}

// The first place where two name lists differ, or "" when they are equal.
std::string fFirstNameDifference(const std::vector<std::string>& got,
                                 const std::vector<std::string>& want) {
  for (size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    const std::string a = i < got.size() ? got[i] : "(none)";
    const std::string b = i < want.size() ? want[i] : "(none)";
    if (a != b) return "function " + std::to_string(i) + ": prototype " + a + ", script " + b;
  }
  return "";
}

// The committed digests, by "script/war3map.cpp" as sha256sum printed them.
std::map<std::string, std::string> fCommittedDigests() {
  std::map<std::string, std::string> digests;
  const std::string file = std::string(JASSCRIBE_SOURCE_DIR) + "/tests/golden/corpus.sha256";
  std::istringstream lines(fReadFile(file));
  std::string digest;
  std::string name;
  while (lines >> digest >> name) digests[name] = digest;
  return digests;
}

class CorpusScript : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(CorpusFolder, HoldsTheRealScripts) {
  if (!std::filesystem::is_directory(fCorpusDir())) GTEST_SKIP() << fCorpusDir() << " missing";
  EXPECT_GE(fCorpusScripts().size(), 19u);
}

TEST(CorpusCount, DefinitionLines) {
  const struct {
    const char* line;
    bool bDefines;
  } cases[] = {
      {"function Trig_A takes nothing returns nothing", true},
      {"\t  constant function B takes integer i returns integer", true},
      {"constant\tfunction\tC\ttakes nothing returns nothing", true},
      {"// function D takes nothing returns nothing", false},
      {"call ExecuteFunc(\"function E takes\")", false},
      {"functional F takes nothing", false},
      {"function G", false},
      {"endfunction", false},
      {"native H takes nothing returns nothing", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(fDefinesFunction(c.line), c.bDefines);
  }
  EXPECT_EQ(fCountDefinitions("function a takes nothing\rx\nfunction b takes x\r\n"), 2);
}

TEST_P(CorpusScript, ConvertsWholeAndRepeatably) {
  const std::string raw = fReadFile((fCorpusDir() / GetParam()).string());
  ASSERT_FALSE(raw.empty());
  const sConverted first = fConvertNormalized(raw);
  ASSERT_FALSE(first.header.empty());
  ASSERT_FALSE(first.cpp.empty());
  const sConverted second = fConvertNormalized(raw);
  EXPECT_TRUE(fSameBytes(second.header, first.header));
  EXPECT_TRUE(fSameBytes(second.cpp, first.cpp));
  EXPECT_EQ(fCountPrototypes(first.header), fCountDefinitions(raw));
  EXPECT_EQ(fFirstNameDifference(fPrototypeNames(first.header), fDefinedNames(raw)), "");
}

// Any change of the output bytes, even one meant, shows here first. A meant
// change is committed with the digests that tests/golden/refresh-digests.sh
// writes from the converter itself.
TEST_P(CorpusScript, OutputMatchesCommittedDigests) {
  const std::string raw = fReadFile((fCorpusDir() / GetParam()).string());
  ASSERT_FALSE(raw.empty());
  const std::map<std::string, std::string> digests = fCommittedDigests();
  const std::string stem = GetParam().substr(0, GetParam().size() - 2);
  const sConverted out = fConvertAll(raw);  // normalises first, as the converter does
  const struct {
    const char* file;
    const std::string& bytes;
  } files[] = {{"war3map.cpp", out.cpp}, {"war3map.h", out.header}};
  for (const auto& f : files) {
    const std::string name = stem + "/" + f.file;
    const auto committed = digests.find(name);
    ASSERT_NE(committed, digests.end()) << name << " has no committed digest";
    EXPECT_EQ(fSha256Hex(f.bytes), committed->second)
        << name << " changed; if that is meant, run tests/golden/refresh-digests.sh";
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, CorpusScript, ::testing::ValuesIn(fCorpusScripts()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 2);
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusScript);

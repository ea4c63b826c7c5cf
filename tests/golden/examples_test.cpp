// The committed demo in examples/: converting demo.j in process must give
// exactly the committed war3map.cpp and war3map.h, so the example shown in
// the README never drifts from what the converter really writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "driver/convert.h"
#include "text/state.h"
#include "text/text.h"

namespace {

const std::string kExamples = std::string(JASSCRIBE_SOURCE_DIR) + "/examples/";

bool fReadFile(const std::string& path, std::string& bytes) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return false;
  char chunk[4096];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) bytes.append(chunk, n);
  return std::ferror(f.get()) == 0;
}

// The first line (1-based) where the two texts differ, with both versions.
std::string fFirstDifference(const std::string& got, const std::string& want) {
  size_t start = 0;
  int line = 1;
  for (size_t i = 0; i < got.size() && i < want.size() && got[i] == want[i]; ++i) {
    if (got[i] == '\n') {
      start = i + 1;
      ++line;
    }
  }
  const auto lineAt = [start](const std::string& text) {
    if (start >= text.size()) return std::string("(end of file)");
    std::string shown = text.substr(start, text.find('\n', start) - start);
    if (!shown.empty() && shown.back() == '\r') shown.pop_back();
    return shown;
  };
  return "first difference at line " + std::to_string(line) + "\n  converted: " + lineAt(got) +
         "\n  committed: " + lineAt(want);
}

void fExpectCommitted(const std::string& converted, const std::string& name) {
  std::string committed;
  ASSERT_TRUE(fReadFile(kExamples + name, committed)) << "cannot read examples/" << name;
  EXPECT_TRUE(converted == committed)
      << "examples/" << name << " is out of date; regenerate with: examples/regenerate.sh\n"
      << fFirstDifference(converted, committed);
}

}  // namespace

TEST(Examples, DemoConvertsToTheCommittedOutput) {
  std::string script;
  ASSERT_TRUE(fReadFile(kExamples + "demo.j", script)) << "cannot read examples/demo.j";
  // The demo is written in the World-Editor style with CR LF line ends; a
  // checkout that rewrote them would test a different script.
  ASSERT_NE(script.find("\r\n    "), std::string::npos) << "examples/demo.j lost its CR LF or indentation";
  sState s;
  fConvertScript(s, script.data(), script.size());
  sText cpp, header;
  ASSERT_TRUE(s.vCppLines.fJoin(&cpp)) << "the demo converted to nothing";
  ASSERT_TRUE(s.vHeaderLines.fJoin(&header));
  fExpectCommitted(cpp.data, "war3map.cpp");
  fExpectCommitted(header.data, "war3map.h");
}

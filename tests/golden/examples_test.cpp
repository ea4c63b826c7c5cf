// The committed demo in examples/: converting demo.j in process must give
// exactly the committed war3map.cpp and war3map.h, so the example shown in
// the README never drifts from what the converter really writes.
#include <gtest/gtest.h>

#include <string>

#include "support/bytes.h"
#include "support/convert.h"
#include "support/files.h"

namespace {

const std::string kExamples = std::string(JASSCRIBE_SOURCE_DIR) + "/examples/";

void fExpectCommitted(const std::string& converted, const std::string& name) {
  std::string committed;
  ASSERT_TRUE(fReadFile(kExamples + name, committed)) << "cannot read examples/" << name;
  EXPECT_TRUE(fSameBytes(converted, committed))
      << "examples/" << name << " is out of date; regenerate with: examples/regenerate.sh";
}

}  // namespace

TEST(Examples, DemoConvertsToTheCommittedOutput) {
  std::string script;
  ASSERT_TRUE(fReadFile(kExamples + "demo.j", script)) << "cannot read examples/demo.j";
  // The demo is written in the World-Editor style with CR LF line ends; a
  // checkout that rewrote them would test a different script.
  ASSERT_NE(script.find("\r\n    "), std::string::npos) << "examples/demo.j lost its CR LF or indentation";
  const sConverted out = fConvertAll(script);
  ASSERT_TRUE(out.bCpp) << "the demo converted to nothing";
  ASSERT_TRUE(out.bHeader);
  fExpectCommitted(out.cpp, "war3map.cpp");
  fExpectCommitted(out.header, "war3map.h");
}

// The execution tests: every JASS program in tests/exec/ is translated in
// process, built with the runnable stand-in framework (tests/framework/
// runtime.cpp) and run; its standard output must be what the game prints.
// The expected lines are the program's "//> " comment lines, worked out by
// hand from JASS's rules. Linux only (popen), like the compile check.
#include <gtest/gtest.h>

#include <cstring>
#include <stdio.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/convert.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

const char kExpectMark[] = "//> ";

// Code addresses go into the frame's 32-bit integer: a position-dependent
// executable keeps them below 2^31 on x86-64 (the runtime checks it). The
// frame's (integer)&f cast needs -fpermissive there; -w keeps the frame's
// warnings out of the failure messages.
const std::string kBuildFlags = "-std=c++17 -O0 -w -fpermissive -fno-pie -no-pie";

std::vector<std::string> fPrograms() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(JASSCRIBE_EXEC_DIR)) {
    if (entry.path().extension() == ".j") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The expected standard output: each "//> " line's rest plus a line feed.
std::string fExpectedOutput(const std::string& script) {
  std::istringstream lines(script);
  std::string expected;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(kExpectMark, 0) == 0) expected += line.substr(sizeof kExpectMark - 1) + "\n";
  }
  return expected;
}

// The command's standard output and its exit status (-1 when it did not run).
std::string fRun(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return output;
  }
  char chunk[4096];
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, n);
  const int raw = pclose(pipe);
  status = raw == -1 || !WIFEXITED(raw) ? -1 : WEXITSTATUS(raw);
  return output;
}

std::string fIncludes() {
  return "-I'" JASSCRIBE_FRAMEWORK_DIR "' -I'" JASSCRIBE_FRAMEWORK_GENERATED_DIR "'";
}

// The stand-in's definitions, compiled once for all programs.
class Runtime {
 public:
  static const Runtime& fGet() {
    static const Runtime runtime;
    return runtime;
  }
  const std::string& object() const { return object_; }  // "" when it did not compile
  const std::string& errors() const { return errors_; }

 private:
  Runtime() {
    const std::string path = dir_ / "runtime.o";
    int status = 0;
    errors_ = fRun("LC_ALL=C " JASSCRIBE_EXEC_CXX " " + kBuildFlags + " " + fIncludes() + " -c '" +
                       JASSCRIBE_FRAMEWORK_DIR "/runtime.cpp' -o '" + path + "' 2>&1",
                   status);
    if (status == 0) object_ = path;
  }
  TempDir dir_;
  std::string object_;
  std::string errors_;
};

// Programs whose output shows a translation fault that is being corrected:
// they are reported, not failed, and fail once they pass, so that the list
// stays true (names separated by ",").
bool fIsKnownFault(const std::string& name) {
  const char* list = std::getenv("JASSCRIBE_EXEC_KNOWN_FAULTS");
  const std::string known = "," + std::string(list == nullptr ? "" : list) + ",";
  return known.find("," + name + ",") != std::string::npos;
}

// Two lines of the fixed frame only the framework's own compiler accepts
// (kept as they are, see the README's Limitations): for g++ they are spelled
// the standard way, which means the same.
std::string fForStandardCompiler(std::string text) {
  const struct {
    const char* from;
    const char* to;
  } kSpellings[] = {
      {"if (pGlobal > 0)", "if (pGlobal != 0)"},
      {"fMySubString(sMyString &source,", "fMySubString(const sMyString &source,"},
  };
  for (const auto& spelling : kSpellings) {
    for (size_t at = text.find(spelling.from); at != std::string::npos;
         at = text.find(spelling.from, at)) {
      text.replace(at, std::strlen(spelling.from), spelling.to);
    }
  }
  return text;
}

class Execution : public ::testing::TestWithParam<std::string> {};

TEST_P(Execution, PrintsWhatTheGamePrints) {
  const Runtime& runtime = Runtime::fGet();
  ASSERT_NE(runtime.object(), "") << runtime.errors();
  const std::string script = fReadFile(std::string(JASSCRIBE_EXEC_DIR "/") + GetParam() + ".j");
  ASSERT_FALSE(script.empty());
  const sConverted converted = fConvertNormalized(script);
  ASSERT_TRUE(converted.bConverted);

  const TempDir dir;
  ASSERT_TRUE(fWriteFile(dir / "war3map.cpp", fForStandardCompiler(converted.cpp)));
  ASSERT_TRUE(fWriteFile(dir / "war3map.h", fForStandardCompiler(converted.header)));
  int status = 0;
  const std::string errors =
      fRun("LC_ALL=C " JASSCRIBE_EXEC_CXX " " + kBuildFlags + " " + fIncludes() + " '" +
               (dir / "war3map.cpp") + "' '" + runtime.object() + "' -o '" + (dir / "program") +
               "' 2>&1",
           status);
  const bool bBuilt = status == 0;
  const std::string output = bBuilt ? fRun("'" + (dir / "program") + "' 2>&1", status) : errors;
  const bool bRight = bBuilt && status == 0 && output == fExpectedOutput(script);

  if (fIsKnownFault(GetParam())) {
    EXPECT_FALSE(bRight) << "passes now: remove it from JASSCRIBE_EXEC_KNOWN_FAULTS";
    if (!bRight) std::printf("known fault, prints:\n%s", output.c_str());
    return;
  }
  ASSERT_TRUE(bBuilt) << errors << "\n" << converted.cpp;
  EXPECT_EQ(status, 0);
  EXPECT_EQ(output, fExpectedOutput(script)) << converted.functions;
}

INSTANTIATE_TEST_SUITE_P(Programs, Execution, ::testing::ValuesIn(fPrograms()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace

// The console dialogue run in process on temporary streams, with the
// conversion and the file operations replaced where a case needs it: exact
// console output, exact files written, and what the final wait leaves unread.
#include "driver/console.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "driver_test_util.h"
#include "support/bytes.h"
#include "support/files.h"
#include "text/state.h"
#include "text/text.h"

namespace {

using driver_test::kPrompt;
using driver_test::TempDir;

struct Outcome {
  std::string output;    // everything printed
  std::string leftover;  // input not consumed by the dialogue
};

Outcome RunDialogue(const std::string& input, const sConsoleIo& io = sConsoleIo()) {
  Outcome result;
  FILE* in = std::tmpfile();
  FILE* out = std::tmpfile();
  EXPECT_TRUE(in != nullptr && out != nullptr);
  if (in == nullptr || out == nullptr) return result;
  std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  EXPECT_EQ(fRunConsole(in, out, io), 0);
  for (int c; (c = std::fgetc(in)) != EOF;) result.leftover += static_cast<char>(c);
  std::rewind(out);
  for (int c; (c = std::fgetc(out)) != EOF;) result.output += static_cast<char>(c);
  std::fclose(in);
  std::fclose(out);
  return result;
}

// A conversion that files the given items instead of translating.
sConsoleIo FakeConversion(std::vector<std::string> cpp, std::vector<std::string> header,
                          bool ok = true) {
  sConsoleIo io;
  io.fConvert = [cpp, header, ok](sState& s, const char*, size_t) {
    for (const std::string& item : cpp) s.vCppLines.fAppendString(item.c_str());
    for (const std::string& item : header) s.vHeaderLines.fAppendString(item.c_str());
    return ok;
  };
  return io;
}

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    script_ = dir_ / "ab.j";
    cpp_ = dir_ / "war3map.cpp";
    header_ = dir_ / "war3map.h";
  }
  bool Exists(const std::string& path) const { return std::filesystem::exists(path); }

  TempDir dir_;
  std::string script_, cpp_, header_;
};

// Which call of an operation fails: 0 none, 1 the source file's, 2 the header's.
struct Failures {
  int write = 0, flush = 0, close = 0;
};

void InjectFailures(sConsoleIo& io, const Failures& fail) {
  auto calls = std::make_shared<std::vector<int>>(3, 0);
  io.fWrite = [calls, fail](const void* p, size_t size, size_t count, FILE* f) -> size_t {
    if (++(*calls)[0] == fail.write) return count / 2;
    return std::fwrite(p, size, count, f);
  };
  io.fFlush = [calls, fail](FILE* f) { return ++(*calls)[1] == fail.flush ? EOF : std::fflush(f); };
  io.fClose = [calls, fail](FILE* f) {
    const int result = std::fclose(f);
    return ++(*calls)[2] == fail.close ? EOF : result;
  };
}

// Every outcome of writing: the messages, and each output holding either its
// new lines (when its path was printed) or exactly what it held before; no
// temporary file is ever left beside them.
TEST_F(ConsoleTest, WritesOutputsAllOrNoneAndReportsEachOutcome) {
  enum Block { kNone, kCppFolder, kHeaderFolder };
  struct Case {
    const char* name;
    std::vector<std::string> cpp, header;
    bool convertOk;
    Block block;
    Failures fail;
    std::vector<std::string> messages;  // after the prompt; "@cpp"/"@h" stand for the paths
  };
  const std::vector<std::string> cpp = {"int a;\r\n", "", "\r\n", "}\r\n"};
  const std::vector<std::string> header = {"#pragma once\r\n", "x\ty\r\n"};
  const std::vector<std::string> failed = {"Loading...", "Error writing the file!"};
  const Case cases[] = {
      {"both", cpp, header, true, kNone, {}, {"Loading...", "@cpp", "@h"}},
      {"conversion failed", cpp, header, false, kNone, {}, {"Loading..."}},
      {"both lists empty", {}, {}, true, kNone, {}, {"Loading..."}},
      {"source list empty", {}, header, true, kNone, {}, {"Loading...", "@h"}},
      {"header list empty", cpp, {}, true, kNone, {}, {"Loading...", "@cpp"}},
      {"zero-length items", {"", ""}, {""}, true, kNone, {}, {"Loading...", "@cpp", "@h"}},
      {"folder where the source goes", cpp, header, true, kCppFolder, {}, failed},
      {"folder where the header goes", cpp, header, true, kHeaderFolder, {}, failed},
      {"source short write", cpp, header, true, kNone, {1, 0, 0}, failed},
      {"source flush fails", cpp, header, true, kNone, {0, 1, 0}, failed},
      {"source close fails", cpp, header, true, kNone, {0, 0, 1}, failed},
      {"header short write", cpp, header, true, kNone, {2, 0, 0}, failed},
      {"header flush fails", cpp, header, true, kNone, {0, 2, 0}, failed},
      {"header close fails", cpp, header, true, kNone, {0, 0, 2}, failed},
  };
  ASSERT_TRUE(fWriteFile(script_, "abc"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(cpp_);
    std::filesystem::remove_all(header_);
    if (c.block == kCppFolder) {
      std::filesystem::create_directory(cpp_);
    } else {
      ASSERT_TRUE(fWriteFile(cpp_, "previous source"));
    }
    if (c.block == kHeaderFolder) {
      std::filesystem::create_directory(header_);
    } else {
      ASSERT_TRUE(fWriteFile(header_, "previous header"));
    }
    sConsoleIo io = FakeConversion(c.cpp, c.header, c.convertOk);
    InjectFailures(io, c.fail);

    std::string expected = kPrompt;
    for (const std::string& m : c.messages) expected += (m == "@cpp" ? cpp_ : m == "@h" ? header_ : m) + "\n";
    EXPECT_TRUE(fSameBytes(RunDialogue(script_ + "\n", io).output, expected));

    auto printed = [&c](const char* tag) {
      for (const std::string& m : c.messages) if (m == tag) return true;
      return false;
    };
    auto joined = [](const std::vector<std::string>& items) {
      std::string all;
      for (const std::string& item : items) all += item;
      return all;
    };
    if (c.block != kCppFolder) {
      EXPECT_TRUE(fSameBytes(fReadFile(cpp_), printed("@cpp") ? joined(c.cpp) : "previous source"));
    }
    if (c.block != kHeaderFolder) {
      EXPECT_TRUE(
          fSameBytes(fReadFile(header_), printed("@h") ? joined(c.header) : "previous header"));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()), 3);
  }
}

TEST_F(ConsoleTest, GoldenSessionWithBothOutputs) {
  ASSERT_TRUE(fWriteFile(script_, "function f takes nothing returns nothing\r\nendfunction\r\n"));
  const Outcome r = RunDialogue(script_ + "\n", FakeConversion({"a\r\n", "bc\r\n"}, {"h\r\n"}));
  EXPECT_TRUE(fSameBytes(r.output, std::string(kPrompt) + "Loading...\n" + (dir_ / "war3map.cpp") +
                                      "\n" + (dir_ / "war3map.h") + "\n"));
  std::string bytes;
  ASSERT_TRUE(fReadFile(cpp_, bytes));
  EXPECT_TRUE(fSameBytes(bytes, "a\r\nbc\r\n"));
  ASSERT_TRUE(fReadFile(header_, bytes));
  EXPECT_TRUE(fSameBytes(bytes, "h\r\n"));
}

TEST_F(ConsoleTest, ExistingOutputsAreOverwritten) {
  ASSERT_TRUE(fWriteFile(script_, "abc"));
  ASSERT_TRUE(fWriteFile(cpp_, "old content that is longer than the new one"));
  RunDialogue(script_ + "\n", FakeConversion({"new\r\n"}, {}));
  std::string bytes;
  ASSERT_TRUE(fReadFile(cpp_, bytes));
  EXPECT_TRUE(fSameBytes(bytes, "new\r\n"));
}

TEST_F(ConsoleTest, ConversionGetsExactlyTheFileBytes) {
  const std::string script("a\0b\r\nc\xff", 7);
  ASSERT_TRUE(fWriteFile(script_, script));
  auto seen = std::make_shared<std::string>();
  sConsoleIo io;
  io.fConvert = [seen](sState& s, const char* p, size_t n) {
    // Every run starts from a fresh translation state.
    EXPECT_EQ(s.vCppLines.nCount(), 0);
    EXPECT_EQ(s.vGlobalNames.nCount(), 0);
    seen->assign(p, n);
    return true;
  };
  RunDialogue(script_ + "\n", io);
  EXPECT_TRUE(fSameBytes(*seen, script));
}

TEST_F(ConsoleTest, ScriptSizeAndReadability) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file; "/": a folder
    const char* message;
  };
  const Case cases[] = {
      {"missing", nullptr, "File not found!"},
      {"folder", "/", "File not found!"},
      {"empty", "", "The file is too small!"},
      {"one byte", "a", "The file is too small!"},
      {"two bytes", "\r\n", "The file is too small!"},
      {"three bytes", "abc", "Loading..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(script_);
    if (c.content != nullptr && std::string(c.content) == "/") {
      std::filesystem::create_directory(script_);
    } else if (c.content != nullptr) {
      ASSERT_TRUE(fWriteFile(script_, c.content));
    }
    auto converted = std::make_shared<int>(0);
    sConsoleIo io = FakeConversion({"x\r\n"}, {"y\r\n"});
    io.fConvert = [converted, inner = io.fConvert](sState& s, const char* p, size_t n) {
      ++*converted;
      return inner(s, p, n);
    };
    std::string expected = std::string(kPrompt) + c.message + "\n";
    if (std::string(c.message) == "Loading...") expected += cpp_ + "\n" + header_ + "\n";
    EXPECT_TRUE(fSameBytes(RunDialogue(script_ + "\n", io).output, expected));
    EXPECT_EQ(*converted, std::string(c.message) == "Loading..." ? 1 : 0);
  }
}

TEST_F(ConsoleTest, ScriptBufferWithoutMemoryStops) {
  ASSERT_TRUE(fWriteFile(script_, "abcdef"));
  sConsoleIo io = FakeConversion({"x\r\n"}, {"y\r\n"});
  io.fAllocate = [](std::string&, size_t) { return false; };
  const Outcome r = RunDialogue(script_ + "\nW", io);
  EXPECT_TRUE(fSameBytes(r.output, std::string(kPrompt) + "Not enough memory!\n"));
  EXPECT_EQ(r.leftover, "");
  EXPECT_FALSE(Exists(cpp_));
}

TEST_F(ConsoleTest, AllocationFailureDuringConversionStops) {
  ASSERT_TRUE(fWriteFile(script_, "abc"));
  sConsoleIo io;
  io.fConvert = [](sState& s, const char*, size_t) -> bool {
    s.vCppLines.fAppendString("partial\r\n");
    throw std::bad_alloc();
  };
  const Outcome r = RunDialogue(script_ + "\n", io);
  EXPECT_TRUE(fSameBytes(r.output, std::string(kPrompt) + "Loading...\nNot enough memory!\n"));
  EXPECT_FALSE(Exists(cpp_));
}

// The typed line is read whole; the final wait then takes exactly one more
// character, whatever the line looked like.
TEST_F(ConsoleTest, TypedLineIsReadWholeAndWaitTakesOneCharacter) {
  ASSERT_TRUE(fWriteFile(script_, "abc"));
  const std::string longName = dir_ / (std::string(300, 'n') + ".j");
  struct Case {
    std::string input;
    const char* message;
    std::string leftover;
  };
  const Case cases[] = {
      {script_ + "\nZrest", "Loading...", "rest"},
      {script_ + "\r\nZrest", "Loading...", "rest"},  // CR before LF is dropped
      {script_, "Loading...", ""},                    // no line end, then end of input
      {script_ + "\r", "Incorrect file extension!", ""},  // a lone CR is kept
      {script_ + "\r\r\n", "Incorrect file extension!", ""},
      {script_ + std::string("\0junk\nZr", 8), "Loading...", "r"},  // ends at a 0 byte
      {longName + "\nZrest", "Error entering the file path!", "rest"},
      {std::string(5000, 'x') + "\nZrest", "Incorrect file extension!", "rest"},
      {"abc\nZrest", "The file path is too short!", "rest"},
      {"\nZ", "The file path is too short!", ""},
      {"", "The file path is too short!", ""},
      {"maps/test.j\nZZ", "Error entering the file path!", "Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fShow(c.input.substr(0, 80)));
    const Outcome r = RunDialogue(c.input, FakeConversion({}, {}));
    EXPECT_TRUE(fSameBytes(r.output, std::string(kPrompt) + c.message + "\n"));
    EXPECT_EQ(r.leftover, c.leftover);
  }
}

}  // namespace

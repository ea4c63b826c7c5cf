// The checks on the typed path and the output paths derived from it, in both
// separator modes: backslash only (Windows) and backslash or slash (elsewhere).
#include <gtest/gtest.h>

#include <string>

#include "driver/console.h"

namespace {

constexpr char kShort[] = "The file path is too short!";
constexpr char kExtension[] = "Incorrect file extension!";
constexpr char kBadPath[] = "Error entering the file path!";

struct Case {
  std::string path;
  const char* error;   // expected message, or nullptr for accepted
  std::string folder;  // expected folder when accepted
  char separator;      // expected separator of the output paths
};

void fExpectCase(const Case& c, bool bSlashSeparates) {
  SCOPED_TRACE("path \"" + c.path + "\" (" + std::to_string(c.path.size()) + " chars)");
  const sPathCheck r = fCheckPath(c.path, bSlashSeparates);
  if (c.error != nullptr) {
    ASSERT_NE(r.pError, nullptr);
    EXPECT_STREQ(r.pError, c.error);
    return;
  }
  ASSERT_EQ(r.pError, nullptr) << r.pError;
  EXPECT_EQ(r.vFolder, c.folder);
  EXPECT_EQ(r.vCppPath, c.folder + c.separator + "war3map.cpp");
  EXPECT_EQ(r.vHeaderPath, c.folder + c.separator + "war3map.h");
}

// Cases that come out the same whichever separators count.
const Case kCommonCases[] = {
    {"C:\\maps\\ab.j", nullptr, "C:\\maps", '\\'},
    {"C:\\maps\\a.j", kBadPath, "", 0},      // base name of one character
    {"C:\\a\\xy.j", kBadPath, "", 0},        // folder of four characters
    {"C:\\ab\\xy.j", nullptr, "C:\\ab", '\\'},  // folder of five: the lower bound
    {"maps/test.j", kBadPath, "", 0},        // a slash at index 4 is out of bounds too
    {"abc", kShort, "", 0},
    {"", kShort, "", 0},
    {"a.j", kShort, "", 0},
    {"ab.j", kBadPath, "", 0},               // long enough, no separator
    {"C:\\maps\\test.J", kExtension, "", 0},
    {"C:\\maps\\test.j ", kExtension, "", 0},  // trailing blank
    {"\"C:\\maps\\test.j\"", kExtension, "", 0},  // typed in quotation marks
    {"C:\\maps\\test.jj", kExtension, "", 0},
    {"C:\\maps\\test", kExtension, "", 0},
    {"abcd", kExtension, "", 0},              // four characters reach the extension check
    {"C:\\maps\\x\\ab.j", nullptr, "C:\\maps\\x", '\\'},
    // Only the last separator counts, even when an earlier one would fit.
    {"C:\\maps\\ab\\x.j", kBadPath, "", 0},
    {"C:\\maps\\ab\\.j", kBadPath, "", 0},
    {"C:\\maps\\\\ab.j", nullptr, "C:\\maps\\", '\\'},
};

TEST(PathCheck, CommonCasesWithBackslashOnly) {
  for (const Case& c : kCommonCases) fExpectCase(c, false);
}

TEST(PathCheck, CommonCasesWithBothSeparators) {
  for (const Case& c : kCommonCases) fExpectCase(c, true);
}

TEST(PathCheck, SlashIsOrdinaryWithBackslashOnly) {
  const Case cases[] = {
      {"/tmp/maps/ab.j", kBadPath, "", 0},
      {"C:\\maps/ab.j", kBadPath, "", 0},  // last backslash at index 2
      {"C:/x\\maps\\ab.j", nullptr, "C:/x\\maps", '\\'},
  };
  for (const Case& c : cases) fExpectCase(c, false);
}

TEST(PathCheck, SlashSeparatesAndOutputsUseTheSeparatorFound) {
  const Case cases[] = {
      {"/tmp/maps/ab.j", nullptr, "/tmp/maps", '/'},
      {"C:\\maps/ab.j", nullptr, "C:\\maps", '/'},
      {"/home/u\\ab.j", nullptr, "/home/u", '\\'},
      {"/tmp/ab.j", kBadPath, "", 0},  // folder "/tmp" has only four characters
      {"/tmp/maps/a.j", kBadPath, "", 0},
      {"/tmp/maps/ab/", kExtension, "", 0},
  };
  for (const Case& c : cases) fExpectCase(c, true);
}

TEST(PathCheck, OverlongLineOrFolderIsRejectedNotCut) {
  const std::string folder99 = "/" + std::string(98, 'f');
  const std::string folder100 = folder99 + "g";
  const std::string folder20 = "/" + std::string(19, 'f');
  const std::string name178 = std::string(176, 'n') + ".j";  // 20 + 1 + 178 = 199
  const Case cases[] = {
      {folder99 + "/ab.j", nullptr, folder99, '/'},
      {folder100 + "/ab.j", kBadPath, "", 0},
      {folder20 + "/" + name178, nullptr, folder20, '/'},
      {folder20 + "/n" + name178, kBadPath, "", 0},  // 200 characters
      {folder20 + "/" + std::string(1000, 'n') + ".j", kBadPath, "", 0},
      // The first two checks still run on the whole line.
      {folder20 + "/" + std::string(300, 'n') + ".J", kExtension, "", 0},
  };
  for (const Case& c : cases) fExpectCase(c, true);
  for (Case c : cases) {
    for (char& ch : c.path) ch = ch == '/' ? '\\' : ch;
    for (char& ch : c.folder) ch = ch == '/' ? '\\' : ch;
    c.separator = '\\';
    fExpectCase(c, false);
  }
}

}  // namespace

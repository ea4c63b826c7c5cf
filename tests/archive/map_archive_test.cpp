// Map archives through the built executable. The archives are made with
// StormLib itself in a temporary folder, the way map editors and map
// protectors store a script, and each converted map must give exactly the
// outputs of converting its extracted script.
#include <StormLib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/convert.h"
#include "support/files.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// How an entry is stored.
enum Storage { kPlain, kZlib, kZlibEncrypted };

struct Entry {
  const char* name;
  const std::string* bytes;
  Storage storage;
};

bool fAddEntry(HANDLE archive, const Entry& entry) {
  const DWORD flags = entry.storage == kPlain           ? 0
                      : entry.storage == kZlib          ? MPQ_FILE_COMPRESS
                                                        : MPQ_FILE_COMPRESS | MPQ_FILE_ENCRYPTED;
  const DWORD compression = entry.storage == kPlain ? 0 : MPQ_COMPRESSION_ZLIB;
  const DWORD size = static_cast<DWORD>(entry.bytes->size());
  HANDLE file = nullptr;
  if (!SFileCreateFile(archive, entry.name, 0, size, 0, flags, &file)) return false;
  const bool written = SFileWriteFile(file, entry.bytes->data(), size, compression);
  return SFileFinishFile(file) && written;
}

// Builds an archive at path; bListfile adds StormLib's own listfile.
bool fBuildArchive(const std::string& path, const std::vector<Entry>& entries, bool bListfile) {
  HANDLE archive = nullptr;
  const DWORD flags = MPQ_CREATE_ARCHIVE_V1 | (bListfile ? MPQ_CREATE_LISTFILE : 0);
  if (!SFileCreateArchive(path.c_str(), flags, 16, &archive)) return false;
  bool ok = true;
  for (const Entry& entry : entries) ok = fAddEntry(archive, entry) && ok;
  return SFileCloseArchive(archive) && ok;
}

// Overwrites the stored bytes of the archive's listfile with junk, as map
// protectors do.
bool fDamageListfile(const std::string& path) {
  HANDLE archive = nullptr;
  if (!SFileOpenArchive(path.c_str(), 0, STREAM_FLAG_READ_ONLY, &archive)) return false;
  HANDLE file = nullptr;
  ULONGLONG offset = 0;
  DWORD size = 0;
  bool ok = SFileOpenFileEx(archive, "(listfile)", SFILE_OPEN_FROM_MPQ, &file);
  if (ok) {
    ok = SFileGetFileInfo(file, SFileInfoByteOffset, &offset, sizeof offset, nullptr) &&
         SFileGetFileInfo(file, SFileInfoCompressedSize, &size, sizeof size, nullptr);
    SFileCloseFile(file);
  }
  SFileCloseArchive(archive);
  std::string bytes = fReadFile(path);
  if (!ok || size == 0 || offset + size > bytes.size()) return false;
  bytes.replace(static_cast<size_t>(offset), size, std::string(size, '\xa5'));
  return fWriteFile(path, bytes);
}

// A map as the editor saves it: a 512-byte map header before the archive.
bool fPrependMapHeader(const std::string& path) {
  std::string header(512, '\0');
  header.replace(0, 4, "HM3W");
  return fWriteFile(path, header + fReadFile(path));
}

std::string fWithoutSeconds(const std::string& out) {
  return std::regex_replace(out, std::regex(R"(, [0-9]+\.[0-9] s\))"), ", T s)");
}

TEST(MapArchive, EachMapConvertsLikeItsExtractedScript) {
  TempDir temp;
  ASSERT_FALSE(temp.path().empty());
  const std::string work = temp / "work";
  ASSERT_TRUE(fs::create_directory(work));
  const std::string corpus = std::string(JASSCRIBE_SHARED_DIR) + "/corpus/";
  std::string a, b;
  if (!fReadFile(corpus + "melee-2autumnleaves.j", a) ||
      !fReadFile(corpus + "tribute-alliance.j", b)) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  const std::string info = "W3do";
  struct Case {
    const char* archive;
    std::vector<Entry> entries;  // none: the file is written as junk, or not at all
    bool bListfile, bMapHeader, bDamagedListfile;
    const std::string* script;  // the script its outputs come from; null: it fails
    const char* problem;        // on standard error after "archive: "
  };
  const Case cases[] = {
      {"plain.w3x", {{"war3map.j", &a, kPlain}}, true, false, false, &a, nullptr},
      {"packed.w3x", {{"war3map.j", &a, kZlib}}, false, true, false, &a, nullptr},
      {"locked.w3x", {{"war3map.j", &a, kZlibEncrypted}}, true, true, true, &a, nullptr},
      {"Nested.W3M", {{"scripts\\war3map.j", &b, kZlib}}, true, false, false, &b, nullptr},
      {"both.w3x", {{"scripts\\war3map.j", &a, kZlib}, {"war3map.j", &b, kZlib}}, true, false,
       false, &b, nullptr},
      {"noscript.w3x", {{"war3map.w3i", &info, kZlib}}, true, true, false, nullptr,
       "no war3map.j in the map archive"},
      {"corrupt.w3x", {}, false, false, false, nullptr, "not a map archive, or a damaged one"},
      {"missing.w3x", {}, false, false, false, nullptr, "file not found"},
  };
  std::vector<std::string> args;
  std::string out, err;
  for (const Case& c : cases) {
    const std::string path = work + "/" + c.archive;
    if (!c.entries.empty()) {
      ASSERT_TRUE(fBuildArchive(path, c.entries, c.bListfile)) << c.archive;
      ASSERT_TRUE(!c.bDamagedListfile || fDamageListfile(path)) << c.archive;
      ASSERT_TRUE(!c.bMapHeader || fPrependMapHeader(path)) << c.archive;
    } else if (std::string(c.archive) == "corrupt.w3x") {
      ASSERT_TRUE(fWriteFile(path, "HM3W" + std::string(600, '\x5a')));
    }
    args.push_back(c.archive);
    const std::string stem = fs::path(c.archive).stem().string();
    const std::string kb = c.script == &a ? "50.7 kB" : "68.6 kB";
    if (c.script != nullptr) {
      out += std::string(c.archive) + " -> " + stem + "/war3map.cpp, " + stem + "/war3map.h (" +
             kb + ", T s)\n";
    } else {
      err += std::string(c.archive) + ": " + c.problem + "\n";
    }
  }
  std::vector<std::string> before;
  for (const Case& c : cases) before.push_back(fReadFile(work + "/" + c.archive));

  const sToolRun run = fRunTool(work, args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(fSameBytes(fWithoutSeconds(run.out), out));
  EXPECT_TRUE(fSameBytes(run.err, err));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.archive);
    EXPECT_EQ(fReadFile(work + "/" + c.archive), before[i]);  // the archive is never changed
    const std::string folder = work + "/" + fs::path(c.archive).stem().string();
    EXPECT_EQ(fs::exists(folder), c.script != nullptr);
    if (c.script == nullptr) continue;
    const sConverted want = fConvertAll(*c.script);
    EXPECT_TRUE(fSameBytes(fReadFile(folder + "/war3map.cpp"), want.cpp));
    EXPECT_TRUE(fSameBytes(fReadFile(folder + "/war3map.h"), want.header));
  }
}

}  // namespace

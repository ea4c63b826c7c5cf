// Test support shared by every test folder: whole files read and written as
// bytes, never in text mode.
#ifndef JASSCRIBE_TESTS_SUPPORT_FILES_H_
#define JASSCRIBE_TESTS_SUPPORT_FILES_H_

#include <cstdio>
#include <memory>
#include <string>

/// The whole file into bytes (replacing them); false when it cannot be
/// opened or read.
inline bool fReadFile(const std::string& path, std::string& bytes) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return false;
  bytes.clear();
  char chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0;) bytes.append(chunk, n);
  return std::ferror(f.get()) == 0;
}

/// The whole file's bytes; empty when it cannot be read.
inline std::string fReadFile(const std::string& path) {
  std::string bytes;
  return fReadFile(path, bytes) ? bytes : std::string();
}

/// Writes exactly bytes to the file, replacing it; false on any failure.
inline bool fWriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

#endif  // JASSCRIBE_TESTS_SUPPORT_FILES_H_

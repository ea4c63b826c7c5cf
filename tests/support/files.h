// Test support shared by every test folder: whole files read and written as
// bytes, never in text mode, under UTF-8 paths on every platform.
#ifndef JASSCRIBE_TESTS_SUPPORT_FILES_H_
#define JASSCRIBE_TESTS_SUPPORT_FILES_H_

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

/// UTF-8 as the UTF-16 the Windows API takes.
inline std::wstring fWide(const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), length, &wide[0], n);
  return wide;
}
#endif

/// A UTF-8 path for std::filesystem, which takes narrow strings on Windows
/// in the system's code page.
inline std::filesystem::path fPath(const std::string& path) {
  return std::filesystem::u8path(path);
}

/// Opens a UTF-8 path with a C runtime mode; null on failure.
inline FILE* fOpen(const std::string& path, const char* mode) {
#ifdef _WIN32
  return _wfopen(fWide(path).c_str(), fWide(mode).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

/// The whole file into bytes (replacing them); false when it cannot be
/// opened or read.
inline bool fReadFile(const std::string& path, std::string& bytes) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(fOpen(path, "rb"), &std::fclose);
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
  FILE* f = fOpen(path, "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

#endif  // JASSCRIBE_TESTS_SUPPORT_FILES_H_

// File access of the console dialogue and the command line. Files are opened
// in binary mode only, so bytes reach the disk and the translator unchanged.
// The temporary files of a safe write sit beside their targets, because a
// rename replaces a file in one step only within one file system. On Windows
// every path goes to the wide-character API: the narrow one takes the
// system's code page, in which most names of a Chinese or Russian user
// folder cannot be written.
#include "driver/files.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// Every text counts its bytes in 32 bits.
constexpr size_t CONST_MAX_READ = INT32_MAX;
// Names tried for one temporary file before the write counts as failed.
constexpr int CONST_TEMP_TRIES = 100;

#ifdef _WIN32
constexpr char CONST_NATIVE_SEPARATOR = '\\';
#else
constexpr char CONST_NATIVE_SEPARATOR = '/';
#endif

// The path as the platform's file system functions want it: on Windows
// UTF-8 read as UTF-8, not in the system's code page.
fs::path fNativePath(const std::string& path) { return fs::u8path(path); }

// The inverse of fNativePath.
std::string fStringOf(const fs::path& path) { return path.u8string(); }

// Replaces the target, if any, in one step; false with the reason otherwise.
bool fRenameOver(const std::string& from, const std::string& to, std::string& reason) {
#ifdef _WIN32
  // Spelled out rather than left to std::filesystem, whose Windows rename
  // has not always replaced an existing file.
  if (MoveFileExW(fWideFromUtf8(from).c_str(), fWideFromUtf8(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING)) {
    return true;
  }
  reason = std::system_category().message(static_cast<int>(GetLastError()));
  return false;
#else
  std::error_code ec;
  fs::rename(fNativePath(from), fNativePath(to), ec);
  if (ec) reason = ec.message();
  return !ec;
#endif
}

// The file's length, or -1 when it cannot be read as a file (on POSIX a
// folder opens for reading and only fails at the first read).
long fReadableLength(FILE* f) {
  if (std::fgetc(f) == EOF && std::ferror(f)) return -1;
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long length = std::ftell(f);
  if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
  return length;
}

bool fAllocate(const fAllocator& allocate, std::string& bytes, size_t n) {
  if (allocate) return allocate(bytes, n);
  try {
    bytes.resize(n);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

eReadResult fCheckLength(size_t length, size_t minLength) {
  if (length < minLength) return eReadResult::kTooSmall;
  if (length > CONST_MAX_READ) return eReadResult::kTooLarge;
  return eReadResult::kOk;
}

// A name beside the target for one try; the clock keeps runs apart, and the
// target's own name the two files of one run.
std::string fTempName(const std::string& target, int attempt) {
  const uint64_t stamp =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const uint64_t tag = (stamp + static_cast<uint64_t>(attempt)) & 0xffffffffffffULL;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp", static_cast<unsigned long long>(tag));
  return target + suffix;
}

// Opens a new temporary file for target under a name no file has yet; null
// with errno set on failure.
sFilePtr fOpenTemp(const std::string& target, std::string& tempPath) {
  for (int attempt = 0; attempt < CONST_TEMP_TRIES; ++attempt) {
    tempPath = fTempName(target, attempt);
    std::error_code ec;
    if (!fs::exists(fNativePath(tempPath), ec) && !ec) return fOpenFile(tempPath, "wb");
  }
  errno = EEXIST;
  return nullptr;
}

bool fWriteBytes(const std::string& bytes, FILE* raw, const sWriteIo& io) {
  const size_t n = bytes.size();
  if (n == 0) return true;
  const size_t written =
      io.fWrite ? io.fWrite(bytes.data(), 1, n, raw) : std::fwrite(bytes.data(), 1, n, raw);
  return written == n;
}

// Writes, flushes and closes; false when any of them fails.
bool fWriteClose(sFilePtr f, const sOutputFile& file, const sWriteIo& io) {
  FILE* raw = f.release();
  bool ok = true;
  for (int32_t i = 0; ok && file.pLines != nullptr && i < file.pLines->nCount(); ++i) {
    ok = fWriteBytes(file.pLines->fItem(i), raw, io);
  }
  ok = (io.fFlush ? io.fFlush(raw) : std::fflush(raw)) == 0 && ok;
  ok = (io.fClose ? io.fClose(raw) : std::fclose(raw)) == 0 && ok;
  return ok;
}

void fRemoveAll(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    std::error_code ignored;
    fs::remove(fNativePath(path), ignored);
  }
}

bool fFail(sWriteFailure& failure, const std::string& path, const std::string& reason) {
  failure.vPath = path;
  failure.vReason = reason;
  return false;
}

// A folder where an output goes would make its rename fail after the other
// output was already replaced, so it is found before anything is written.
bool fTargetsFree(const std::vector<sOutputFile>& files, sWriteFailure& failure) {
  for (const sOutputFile& file : files) {
    std::error_code ec;
    if (fs::is_directory(fNativePath(file.vPath), ec)) {
      return fFail(failure, file.vPath, "a folder of that name is in the way");
    }
  }
  return true;
}

// Writes each file to its temporary file; the names made so far are in temps.
bool fWriteTemps(const std::vector<sOutputFile>& files, std::vector<std::string>& temps,
                 sWriteFailure& failure, const sWriteIo& io) {
  for (const sOutputFile& file : files) {
    std::string tempPath;
    sFilePtr f = fOpenTemp(file.vPath, tempPath);
    if (!f) return fFail(failure, file.vPath, std::strerror(errno));
    temps.push_back(tempPath);
    if (!fWriteClose(std::move(f), file, io)) {
      return fFail(failure, file.vPath, "the write did not complete");
    }
  }
  return true;
}

}  // namespace

sFilePtr fOpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
  return sFilePtr(_wfopen(fWideFromUtf8(path).c_str(), fWideFromUtf8(mode).c_str()));
#else
  return sFilePtr(std::fopen(path.c_str(), mode));
#endif
}

eReadResult fReadWholeFile(const std::string& path, size_t minLength, std::string& bytes,
                           const fAllocator& allocate) {
  errno = 0;
  sFilePtr f = fOpenFile(path, "rb");
  if (!f) return errno == ENOENT ? eReadResult::kNotFound : eReadResult::kNotReadable;
  const long length = fReadableLength(f.get());
  if (length < 0) return eReadResult::kNotReadable;
  const size_t n = static_cast<size_t>(length);
  const eReadResult checked = fCheckLength(n, minLength);
  if (checked != eReadResult::kOk) return checked;
  if (!fAllocate(allocate, bytes, n)) return eReadResult::kNoMemory;
  // A short read is not converted: the missing bytes were never seen.
  if (n > 0 && std::fread(&bytes[0], 1, n, f.get()) != n) return eReadResult::kNotReadable;
  return eReadResult::kOk;
}

eReadResult fReadWholeStream(FILE* f, size_t minLength, std::string& bytes) {
#ifdef _WIN32
  _setmode(_fileno(f), _O_BINARY);  // no CR LF translation of standard input
#endif
  bytes.clear();
  char chunk[65536];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) {
    if (bytes.size() + n > CONST_MAX_READ) return eReadResult::kTooLarge;
    try {
      bytes.append(chunk, n);
    } catch (const std::bad_alloc&) {
      return eReadResult::kNoMemory;
    }
  }
  if (std::ferror(f)) return eReadResult::kNotReadable;
  return fCheckLength(bytes.size(), minLength);
}

eReadResult fProbeFile(const std::string& path) {
  errno = 0;
  sFilePtr f = fOpenFile(path, "rb");
  if (!f) return errno == ENOENT ? eReadResult::kNotFound : eReadResult::kNotReadable;
  return fReadableLength(f.get()) < 0 ? eReadResult::kNotReadable : eReadResult::kOk;
}

std::string fFolderOf(const std::string& path) {
  return fStringOf(fNativePath(path).parent_path());
}

std::string fStemOf(const std::string& path) {
  return fStringOf(fNativePath(path).stem());
}

std::string fExtensionOf(const std::string& path) {
  std::string extension = fStringOf(fNativePath(path).extension());
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

std::string fJoinPath(const std::string& folder, const std::string& name) {
  std::string joined = fStringOf(fNativePath(folder) / fNativePath(name));
  const size_t at = folder.size();
  const size_t last = folder.find_last_of("/\\");
  const bool bInserted =
      joined.size() == at + 1 + name.size() && joined[at] == CONST_NATIVE_SEPARATOR;
  if (bInserted && last != std::string::npos && folder[last] == '/') joined[at] = '/';
  return joined;
}

std::string fNormalPath(const std::string& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(fNativePath(path), ec);
  fs::path normal = (ec ? fNativePath(path) : absolute).lexically_normal();
  // "maps/" and "maps" are one folder.
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return fStringOf(normal);
}

bool fMakeFolders(const std::string& path, std::string& reason) {
  std::error_code ec;
  const fs::path native = fNativePath(path);
  if (fs::is_directory(native, ec)) return true;
  fs::create_directories(native, ec);
  if (!ec && fs::is_directory(native, ec)) return true;
  reason = ec ? ec.message() : "a file of that name is in the way";
  return false;
}

bool fWriteAllOrNone(const std::vector<sOutputFile>& files, sWriteFailure& failure,
                     const sWriteIo& io) {
  if (!fTargetsFree(files, failure)) return false;
  std::vector<std::string> temps;
  if (!fWriteTemps(files, temps, failure, io)) {
    fRemoveAll(temps);
    return false;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    std::string reason;
    if (!fRenameOver(temps[i], files[i].vPath, reason)) {
      fRemoveAll(temps);
      return fFail(failure, files[i].vPath, reason);
    }
  }
  return true;
}

#ifdef _WIN32

std::string fUtf8FromWide(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
  utf8.pop_back();  // the terminator counted in n
  return utf8;
}

std::wstring fWideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, &wide[0], n);
  return wide;
}

// A console handed its typed text over in the console's code page when read
// as bytes, which cannot hold most names; read as UTF-16 it holds every one.
bool fReadConsoleLine(FILE* f, std::string& line) {
  const HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  DWORD mode = 0;
  if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) return false;
  std::wstring typed;
  wchar_t chunk[256];
  for (DWORD n = 0; typed.empty() || typed.back() != L'\n'; typed.append(chunk, n)) {
    if (!ReadConsoleW(console, chunk, 256, &n, nullptr) || n == 0) break;
  }
  if (!typed.empty() && typed.back() == L'\n') typed.pop_back();
  if (!typed.empty() && typed.back() == L'\r') typed.pop_back();
  line = fUtf8FromWide(typed.c_str());
  return true;
}

#else

bool fReadConsoleLine(FILE*, std::string&) { return false; }

#endif

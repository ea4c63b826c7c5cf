// Map archives through StormLib. Map protectors damage what the game never
// reads (the listfile, the attributes, the header's version and sizes), so
// the archive is opened the way the game opens it: as a version 1 archive,
// without the listfile or the attributes, and the script is found by name.
#include "archive/map_archive.h"

#include <StormLib.h>

#include <cstdint>
#include <memory>
#include <new>

namespace {

constexpr DWORD CONST_OPEN_FLAGS =
    STREAM_FLAG_READ_ONLY | MPQ_OPEN_NO_LISTFILE | MPQ_OPEN_NO_ATTRIBUTES | MPQ_OPEN_FORCE_MPQ_V1;

// Every text counts its bytes in 32 bits.
constexpr uint64_t CONST_MAX_SCRIPT = INT32_MAX;

struct sArchiveCloser {
  void operator()(void* h) const { SFileCloseArchive(h); }
};
struct sEntryCloser {
  void operator()(void* h) const { SFileCloseFile(h); }
};
using sArchivePtr = std::unique_ptr<void, sArchiveCloser>;
using sEntryPtr = std::unique_ptr<void, sEntryCloser>;

// The first of the script's names that the archive holds; null when none.
sEntryPtr fOpenScript(HANDLE archive) {
  for (const char* name : CONST_SCRIPT_ENTRIES) {
    HANDLE entry = nullptr;
    if (SFileOpenFileEx(archive, name, SFILE_OPEN_FROM_MPQ, &entry)) return sEntryPtr(entry);
  }
  return nullptr;
}

eArchiveResult fReadEntry(HANDLE entry, std::string& bytes) {
  DWORD high = 0;
  const DWORD low = SFileGetFileSize(entry, &high);
  if (low == SFILE_INVALID_SIZE) return eArchiveResult::kNotReadable;
  const uint64_t size = (static_cast<uint64_t>(high) << 32) | low;
  if (size > CONST_MAX_SCRIPT) return eArchiveResult::kTooLarge;
  try {
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return eArchiveResult::kNoMemory;
  }
  DWORD read = 0;
  if (size > 0 && !SFileReadFile(entry, &bytes[0], static_cast<DWORD>(size), &read, nullptr)) {
    return eArchiveResult::kNotReadable;
  }
  return read == size ? eArchiveResult::kOk : eArchiveResult::kNotReadable;
}

}  // namespace

eArchiveResult fReadMapScript(const std::string& path, std::string& bytes) {
  HANDLE raw = nullptr;
  if (!SFileOpenArchive(path.c_str(), 0, CONST_OPEN_FLAGS, &raw)) {
    return eArchiveResult::kNotAnArchive;
  }
  const sArchivePtr archive(raw);
  const sEntryPtr entry = fOpenScript(archive.get());
  if (!entry) return eArchiveResult::kNoScript;
  return fReadEntry(entry.get(), bytes);
}

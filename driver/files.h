// File access of the console dialogue and the command line: every path
// becomes an open file, a folder or a rename here and nowhere else. Paths are
// UTF-8 everywhere; on Windows only this file (and main's arguments) turns
// them into the wide characters its file API takes, so any name works there.
// Outputs are written all or none, through temporary files beside them.
#ifndef JASSCRIBE_DRIVER_FILES_H_
#define JASSCRIBE_DRIVER_FILES_H_

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "text/text.h"

struct sFileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using sFilePtr = std::unique_ptr<FILE, sFileCloser>;

/// Opens path with a C runtime mode ("rb", "wb"); null on failure, with
/// errno telling why.
sFilePtr fOpenFile(const std::string& path, const char* mode);

/// Why a whole file could not be read.
enum class eReadResult {
  kOk,
  kNotFound,     // no such file
  kNotReadable,  // exists but cannot be opened or read (a folder, no permission)
  kTooSmall,     // shorter than the minimum asked for
  kTooLarge,     // longer than a text can count (32 bits)
  kNoMemory,     // the buffer could not be allocated
};

/// Sizes the buffer for n bytes; false when there is no memory.
using fAllocator = std::function<bool(std::string& buffer, size_t n)>;

/// Reads the whole file into bytes (replacing them). Anything but kOk leaves
/// bytes unusable. An empty allocator means std::string's own.
eReadResult fReadWholeFile(const std::string& path, size_t minLength, std::string& bytes,
                           const fAllocator& allocate = fAllocator());

/// Reads an open stream (standard input) to its end into bytes, with the same
/// length checks as fReadWholeFile; kNotReadable on a read error.
eReadResult fReadWholeStream(FILE* f, size_t minLength, std::string& bytes);

/// Whether path names a file that opens and reads: kOk, kNotFound or
/// kNotReadable. Reads nothing.
eReadResult fProbeFile(const std::string& path);

/// The folder part of a path, without its final separator; empty for a bare
/// name (the current folder).
std::string fFolderOf(const std::string& path);

/// The last part of a path without its extension ("maps/MAP.w3x" -> "MAP").
std::string fStemOf(const std::string& path);

/// The lower-case extension of the last part of a path, with its full stop.
std::string fExtensionOf(const std::string& path);

/// folder and name joined by a separator; name alone when folder is empty.
/// The separator is the platform's, except that on Windows a folder whose
/// last separator is "/" is continued with "/", so a path keeps one look.
std::string fJoinPath(const std::string& folder, const std::string& name);

/// The absolute form of a path with "." and ".." resolved without asking the
/// disk, so two spellings of one place compare equal.
std::string fNormalPath(const std::string& path);

/// Creates the folder and its missing parents; false with the reason when
/// that fails (a file in the way, no permission).
bool fMakeFolders(const std::string& path, std::string& reason);

/// The operations the safe write performs on an open temporary file. An
/// empty member means the real one; tests replace them to make a step fail.
struct sWriteIo {
  std::function<size_t(const void*, size_t, size_t, FILE*)> fWrite;  // as fwrite
  std::function<int(FILE*)> fFlush;                                  // as fflush
  std::function<int(FILE*)> fClose;  // as fclose; must close the file whatever it returns
};

/// One file to write: its final path and the lines it gets, written one
/// after another, so a large map's output is never joined into a copy.
struct sOutputFile {
  std::string vPath;
  const sTextList* pLines = nullptr;
};

/// What went wrong in a safe write: the output concerned and why.
struct sWriteFailure {
  std::string vPath;
  std::string vReason;
};

/// Writes every file or none. Each goes first to a new temporary file in
/// its target's folder; only when all of them are complete are they renamed
/// over their targets. Returns false on any failure (a folder in the way, an
/// unwritable folder, a short write, a failed flush or close), with every
/// target as it was before and no temporary file left behind. Only a rename
/// refused after an earlier one succeeded (another program changing the
/// folder at that moment) can leave the first target replaced.
bool fWriteAllOrNone(const std::vector<sOutputFile>& files, sWriteFailure& failure,
                     const sWriteIo& io = sWriteIo());

/// Reads one line typed at an interactive Windows console, as UTF-8 without
/// its line end, into line. False, having read nothing, when f is not such a
/// console (a pipe, a file, or any other platform): the caller then reads the
/// line's bytes, which are taken to be UTF-8 already.
bool fReadConsoleLine(FILE* f, std::string& line);

#ifdef _WIN32
/// UTF-16 from the Windows API as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string fUtf8FromWide(const wchar_t* text);

/// UTF-8 as the UTF-16 the Windows API takes.
std::wstring fWideFromUtf8(const std::string& text);
#endif

#endif  // JASSCRIBE_DRIVER_FILES_H_

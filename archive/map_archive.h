// Map archives (.w3x, .w3m: MPQ archives) read into script bytes, beside the
// translator: the command line calls this before the conversion run. Only
// this folder knows StormLib; a build without it links the stand-in that
// refuses every archive, so nothing else changes between the two builds.
#ifndef JASSCRIBE_ARCHIVE_MAP_ARCHIVE_H_
#define JASSCRIBE_ARCHIVE_MAP_ARCHIVE_H_

#include <string>

/// Why no script came out of a map archive.
enum class eArchiveResult {
  kOk,
  kNotAnArchive,  // the file is no MPQ archive, or a damaged one
  kNoScript,      // neither war3map.j nor scripts\war3map.j is in it
  kNotReadable,   // the script is there but cannot be read whole
  kTooLarge,      // the script is longer than a text can count (32 bits)
  kNoMemory,      // the buffer could not be allocated
  kUnsupported,   // this build reads no map archives
};

/// The names a map's script is stored under, tried in this order.
constexpr const char* CONST_SCRIPT_ENTRIES[] = {"war3map.j", "scripts\\war3map.j"};

/// Reads the map's script from the archive at path into bytes (replacing
/// them). The archive is opened read-only and found by name, so a missing or
/// protected listfile does not matter. Anything but kOk leaves bytes unusable.
eArchiveResult fReadMapScript(const std::string& path, std::string& bytes);

#endif  // JASSCRIBE_ARCHIVE_MAP_ARCHIVE_H_

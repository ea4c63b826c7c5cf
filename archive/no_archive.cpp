// The stand-in for builds without StormLib: every map archive is refused
// with kUnsupported, and the command line says so for that input only.
#include "archive/map_archive.h"

eArchiveResult fReadMapScript(const std::string&, std::string&) {
  return eArchiveResult::kUnsupported;
}

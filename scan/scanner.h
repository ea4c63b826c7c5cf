// The character scanner: tests the byte just added to the engine's element
// buffer against one kind code or an ordered list of them. What it finds goes
// back through the four engine values and the translation state.
#ifndef JASSCRIBE_SCAN_SCANNER_H_
#define JASSCRIBE_SCAN_SCANNER_H_

#include <cstdint>

#include "scan/kinds.h"
#include "text/state.h"

constexpr int kScanInvalid = 0;  // code outside 0..100: abandon the scan
constexpr int kScanHit = 1;      // a match, or a counter that fired
constexpr int kScanMiss = 2;     // nothing found

/// Tests code at buffer[idx] (the buffer holds idx + 1 bytes; pos is the
/// byte's offset in the text). Returns kScanInvalid, kScanHit or kScanMiss.
/// Only buffer[0..idx] is read: no terminator is needed, and 0 bytes inside
/// count as data for every comparison (texts copied into the pending buffers
/// still end at the first 0). idx < 0 means no current byte: a miss.
/// next is the byte after pos in the text being scanned (0 past its end):
/// statement words and type names hit only where a word ends, so "orderId"
/// is a name, not "or" and "derId".
int fScanStep(sState& s, const char* buffer, int32_t pos, int32_t idx, int32_t& start,
              int32_t& end, int32_t& opener, int32_t& element, KindCode code, char next);

/// Tries the codes of a K_END_OF_LIST-terminated list in order; the first hit
/// wins. False only when an invalid code was tried. Reads at most 102 codes
/// (the first and 101 more), so an unterminated list is still safe if that long.
bool fScanAlternatives(sState& s, const char* buffer, int32_t pos, int32_t idx, int32_t& start,
                       int32_t& end, int32_t& opener, int32_t& element, const KindCode* list,
                       char next);

#endif  // JASSCRIBE_SCAN_SCANNER_H_

// The character scanner: tests the byte just added to the engine's element
// buffer against one kind code or an ordered list of them. What it finds goes
// back through the four engine values and the translation state.
#ifndef JASSCRIBE_SCAN_SCANNER_H_
#define JASSCRIBE_SCAN_SCANNER_H_

#include <array>
#include <cstdint>
#include <vector>

#include "scan/kinds.h"
#include "text/state.h"

/// The bytes that end a line for the rule engine: 0, LF, CR and 14.
inline bool fIsLineEndByte(char ch) { return ch == 0 || ch == '\n' || ch == '\r' || ch == 14; }

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

/// False only when fScanStep with code, whatever the buffer and the state,
/// neither hits nor changes anything while the current byte is current.
bool fMayHitAt(KindCode code, char current);

/// A K_END_OF_LIST-terminated list of alternatives, compiled: for each value
/// of the current byte, the list's codes that may hit at that byte, in the
/// list's order. Scanning with it gives exactly fScanAlternatives' results
/// while most positions test one or two codes instead of the whole list.
class sAlternatives {
 public:
  /// list must outlive the object (the lists are static tables).
  explicit sAlternatives(const KindCode* list);
  const KindCode* fList() const { return list_; }
  /// The codes to try at current, K_END_OF_LIST-terminated.
  const KindCode* fFor(char current) const {
    return codes_.data() + start_[static_cast<uint8_t>(current)];
  }

  /// What scanning current with this list can do, for the engine's runs of
  /// bytes that need no scan at all.
  struct sQuiet {
    /// Bit k: some code may hit or change state when the buffer holds k
    /// bytes, this one included (bit 63: 63 or more). Whole-buffer keywords
    /// hit only at their own length; all bits set means any length.
    uint64_t nHitCounts = ~uint64_t{0};
    bool bNeedsName = false;  // name and number classes: quiet only while a name is pending
    bool bNotes = false;      // the any-character class notes the byte

    /// Whether a code may hit when the buffer holds nCount (at least 0)
    /// bytes with this one.
    bool fHitsAt(int32_t nCount) const {
      return (nHitCounts >> (nCount < 63 ? nCount : 63) & 1) != 0;
    }
  };
  const sQuiet& fQuiet(char current) const { return quiet_[static_cast<uint8_t>(current)]; }
  /// The same per byte as one flag byte, for the engine's tight loop.
  static constexpr uint8_t kActsAlways = 1;    // nHitCounts has every bit
  static constexpr uint8_t kActsAtCounts = 2;  // nHitCounts has some bits
  static constexpr uint8_t kNeedsName = 4;
  static constexpr uint8_t kNotes = 8;
  /// A line-end byte (0, LF, CR, 14) or a quote: whatever the list, the
  /// engine's stretches of plain code end there.
  static constexpr uint8_t kEndsStretch = 16;
  uint8_t fQuietFlags(char current) const { return quietFlags_[static_cast<uint8_t>(current)]; }
  /// Whether the list offers the letter class (rawcode content then begins
  /// the pending name).
  bool fHasLetter() const { return bHasLetter_; }
  /// Whether some byte is noted (the list offers the any-character class).
  bool fNotesAny() const { return bNotesAny_; }

 private:
  const KindCode* list_;
  std::vector<KindCode> codes_;         // each byte's codes, each run terminated
  std::array<uint32_t, 256> start_{};   // where each byte's run begins
  std::array<sQuiet, 256> quiet_{};
  std::array<uint8_t, 256> quietFlags_{};
  bool bHasLetter_ = false;
  bool bNotesAny_ = false;
};

/// Whether scanning the last of the count bytes at buffer with the list could
/// do anything: false only where every code that may hit at that byte is a
/// block opener or closer, which hits only when the buffer is exactly its
/// keyword, and the buffer is none of theirs.
bool fMayActOnBuffer(const sAlternatives& list, const char* buffer, int32_t count);

/// fScanAlternatives over the compiled list; the same results and effects.
bool fScanAlternatives(sState& s, const char* buffer, int32_t pos, int32_t idx, int32_t& start,
                       int32_t& end, int32_t& opener, int32_t& element,
                       const sAlternatives& alternatives, char next);

#endif  // JASSCRIBE_SCAN_SCANNER_H_

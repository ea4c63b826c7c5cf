// The counted byte string that every translation step passes around, and the
// list of owned texts that collects output lines, sections and name tables.
// Both own their bytes through std::string, so a text can never be freed twice
// or leak; "freeing a block early" is simply fRelease().
#ifndef JASSCRIBE_TEXT_TEXT_H_
#define JASSCRIBE_TEXT_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

/// A counted byte string plus the parse attributes the rule engine keeps for it.
/// Copying a text into a list copies the bytes only; the attributes start fresh.
struct sText {
  std::string data;          // the bytes; may hold CR, LF and 0
  int32_t nHeadLen = 0;      // leading keyword bytes the engine skips
  int32_t nTailLen = 0;      // trailing keyword bytes the engine skips
  uint8_t bInBody = 0;       // block header passed
  uint8_t bTerminated = 0;   // statement already carries its end
  uint8_t bInLoop = 0;       // nested loop block open
  uint8_t bInIf = 0;         // nested if block open
  uint8_t bInParen = 0;      // parenthesis group open
  uint8_t bParenClosed = 0;  // parenthesis group just closed
  int32_t nParenOpen = 0;    // "(" counted in the open group
  int32_t nParenClose = 0;   // ")" counted in the open group
  int32_t nParenStart = -1;  // offset of the group's "("
  int32_t nPieceStart = -1;  // start of the current comma-separated piece
  int32_t nPieceEnd = -1;    // offset of the comma that ended the last piece
  uint8_t bCommaSplit = 0;   // text has a top-level comma
  uint8_t bInBracket = 0;    // bracket group open
  uint8_t bBracketClosed = 0;  // bracket group just closed
  int32_t nBracketOpen = 0;    // "[" counted in the open group
  int32_t nBracketClose = 0;   // "]" counted in the open group
  int32_t nBracketStart = -1;  // offset of the group's "["

  sText() = default;
  /// A text holding the given bytes, every attribute at its start value.
  explicit sText(std::string bytes) : data(std::move(bytes)) {}

  int32_t len() const { return static_cast<int32_t>(data.size()); }
  bool fEmpty() const { return data.empty(); }
  /// Gives up the bytes; the text owns nothing afterwards.
  /// Most texts released are still empty, holding no storage: left as they are.
  void fRelease() {
    if (!data.empty() || data.capacity() > std::string().capacity()) std::string().swap(data);
  }
};

/// An ordered list of owned texts. It grows past CONST_LIST_CAPACITY: real
/// maps have more functions than the nominal capacity, and growth is
/// invisible to callers.
class sTextList {
 public:
  static constexpr int32_t CONST_LIST_CAPACITY = 10000;

  /// With bIndexed, searches use a hash index instead of a linear scan; the
  /// results, including the cursor, are the same.
  explicit sTextList(bool bIndexed = false) : bIndexed_(bIndexed) {}

  int32_t nPos = 0;      // cursor of the last join or search
  int32_t nFindLen = 0;  // length sought by the last search

  /// Appends a copy of the text's bytes. False only for a null pointer.
  bool fAppend(const sText* pSource);
  /// Appends a copy of the string without its terminator. False only for null.
  bool fAppendString(const char* pString);
  /// Appends the text's bytes themselves, leaving the text empty: for the
  /// output's large pieces, which would otherwise exist twice.
  bool fTake(sText&& source);
  /// Appends a copy of n raw bytes (may contain 0).
  bool fAppendBytes(const char* pBytes, size_t n);
  /// Concatenates every item into the target. False for a null target or an
  /// empty list; the target is left untouched then.
  bool fJoin(sText* pTarget);
  /// True when an item holds exactly the text's bytes; nPos is its index.
  /// A value of length 0 never matches.
  bool fContains(const sText* pValue);
  bool fContainsString(const char* pString);
  bool fContainsBytes(const char* pBytes, size_t n);
  int32_t fPosition() const { return nPos; }
  /// The bytes of the item at index (0 .. nCount() - 1).
  const std::string& fItem(int32_t index) const { return items_[static_cast<size_t>(index)]; }
  int32_t nCount() const { return static_cast<int32_t>(items_.size()); }

 private:
  void fPush(std::string&& item);

  // Only the bytes: a large map files some hundred thousand items, and a
  // whole text with its parse attributes for each would cost as much again.
  std::vector<std::string> items_;
  bool bIndexed_;
  std::unordered_map<std::string, int32_t> index_;  // bytes -> first index
  // Per first byte, bit n: an indexed item of n bytes begins with it (bit 63:
  // 63 or more). Most searches are for names that are not in the list, and
  // are answered from here without hashing.
  std::vector<uint64_t> lengthsByFirst_;
};

/// Appends the string followed by CR LF. False when either pointer is null.
bool fAppendLine(sTextList* pList, const char* pString);

#endif  // JASSCRIBE_TEXT_TEXT_H_

// The engine's top-level character test (rules): whether a comma stands
// outside quotes and parentheses, or whether a condition is already one
// parenthesised group. Used by the cutting of groups and by the framing.
#include "rules/rules.h"

#include <algorithm>

namespace {

bool fIsAsciiLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
bool fIsBlankOrLineEnd(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// Counts and flags of one left-to-right pass.
struct sTopLevel {
  int32_t nOpen = 0;
  int32_t nClose = 0;
  bool bQuote = false;
  int32_t nBackslashes = 0;  // the run of backslashes just before this byte
  bool bFound = false;
  bool bGroupEnded = false;  // a top-level group closed before the last byte
  bool bTrailing = false;    // something followed such a group

  bool fBalanced() const { return nOpen == nClose; }
  bool fClosedGroup() const { return nOpen > 0 && nOpen == nClose; }
};

}  // namespace

bool fHasTopLevelChar(const sText& t, char c, int32_t start) {
  const bool paren = c == '(' || c == ')';
  const bool comma = c == ',';
  const int32_t n = t.len();
  const char* p = t.data.data();
  sTopLevel v;
  for (int32_t i = std::max(0, start); i < n; ++i) {
    const char ch = p[i];
    // For a condition, an operator or digits after its first group ("(a)>0")
    // end the "one group" reading just as a word does.
    if (paren && !fIsBlankOrLineEnd(ch) && v.bGroupEnded && v.fClosedGroup()) v.bTrailing = true;
    if (fIsAsciiLetter(ch)) {
      if (!comma && v.bGroupEnded && v.fClosedGroup()) v.bTrailing = true;
      if (paren && v.nOpen == 0) return false;
    }
    if (ch == '(') ++v.nOpen;
    if (ch == ')') {
      ++v.nClose;
      if (!comma && v.bGroupEnded && v.fClosedGroup()) v.bTrailing = true;
      if (!comma && v.fClosedGroup() && i != n - 1) v.bGroupEnded = true;
    }
    // An escaped quote inside a literal leaves the literal open.
    if (ch == '"' && !(v.bQuote && v.nBackslashes % 2 == 1)) v.bQuote = !v.bQuote;
    v.nBackslashes = ch == '\\' ? v.nBackslashes + 1 : 0;
    if (!v.bFound && ch == c) {
      if (paren) {
        v.bFound = true;
      } else if (comma) {
        v.bFound = v.fBalanced() && !v.bQuote;
      } else {
        v.bFound = v.fBalanced();
      }
      // For a comma nothing later can change the answer; the engine asks at
      // every position of a group, so stopping here matters.
      if (comma && v.bFound) return true;
    }
  }
  return v.bFound && !v.bTrailing && (!paren || v.fBalanced());
}

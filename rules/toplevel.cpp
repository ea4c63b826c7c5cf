// The engine's top-level character test (rules): whether a comma stands
// outside literals and parentheses, or whether a condition is already one
// parenthesised group. Used by the cutting of groups and by the framing.
// Bytes inside string literals and rawcodes never count.
#include "rules/rules.h"

#include <algorithm>

#include "rules/call.h"
#include "text/literals.h"

namespace {

bool fIsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// The text is exactly one group: its first non-blank byte is "(" and the
// ")" that matches it is its last non-blank byte. Opening and closing
// framing ask the same question, so their parentheses always pair.
bool fIsOneGroup(const sText& t, int32_t start) {
  const char* p = t.data.data();
  int32_t first = std::max(0, start);
  int32_t last = t.len() - 1;
  while (first <= last && fIsBlank(p[first])) ++first;
  while (last >= first && fIsBlank(p[last])) --last;
  if (first > last || p[first] != '(') return false;
  sLiteralScan literal;
  int32_t depth = 0;
  for (int32_t i = first; i <= last; ++i) {
    if (literal.fInside(p[i])) continue;
    if (p[i] == '(') ++depth;
    if (p[i] == ')' && --depth == 0) return i == last;
  }
  return false;
}

// The character at parenthesis level 0 (counted from start on), outside
// literals. A comma is found at any such place; any other character only at
// its first occurrence, and not when a word follows a closed group.
bool fHasCharAtLevelZero(const sText& t, char c, int32_t start) {
  const char* p = t.data.data();
  sLiteralScan literal;
  int32_t open = 0;
  int32_t close = 0;
  bool bSeen = false;
  bool bFound = false;
  bool bTrailing = false;
  for (int32_t i = std::max(0, start); i < t.len(); ++i) {
    const char ch = p[i];
    if (literal.fInside(ch)) continue;
    const bool bAfterGroup = open > 0 && open == close;
    if (ch == '(') ++open;
    if (ch == ')') ++close;
    if (bAfterGroup && ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) bTrailing = true;
    if (ch != c) continue;
    if (c == ',' && open == close) return true;
    if (!bSeen) bFound = open == close;
    bSeen = true;
  }
  return c != ',' && bFound && !bTrailing;
}

}  // namespace

bool fHasTopLevelChar(const sText& t, char c, int32_t start) {
  if (c == '(' || c == ')') return fIsOneGroup(t, start);
  return fHasCharAtLevelZero(t, c, start);
}

void fMarkCommasAhead(const std::string& text, std::vector<uint8_t>& ahead,
                      std::vector<uint8_t>& seen) {
  // Most groups hold one argument: without a comma no byte has one ahead,
  // which no marks at all says as well.
  if (text.find(',') == std::string::npos) {
    ahead.clear();
    return;
  }
  const int32_t n = static_cast<int32_t>(text.size());
  // Holds the literal marks first; each is read just before its byte's
  // answer replaces it.
  ahead.resize(text.size());
  sLiteralScan literal;
  for (size_t i = 0; i < text.size(); ++i) ahead[i] = literal.fInside(text[i]);
  // From the end backwards: level is the balance of the parentheses from i to
  // the end, so a comma at j stands at level zero as seen from r exactly when
  // both have the same level. seen holds the levels of the commas behind i.
  seen.assign(2 * static_cast<size_t>(n) + 1, 0);
  int32_t level = n;  // offset, so levels index seen from 0
  for (int32_t i = n - 1; i >= 0; --i) {
    const size_t at = static_cast<size_t>(i);
    if (ahead[at] != 0) {
      ahead[at] = 0;
      continue;
    }
    const char ch = text[at];
    if (ch == '(') ++level;
    if (ch == ')') --level;
    if (ch == ',') seen[static_cast<size_t>(level)] = 1;
    ahead[at] = seen[static_cast<size_t>(level)] ? 1 : 0;
  }
}

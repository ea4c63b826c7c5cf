// Parentheses that give "||" chains the JASS precedence over "&&" (output).
// One left-to-right pass with an explicit stack of open groups, so deeply
// nested input costs no recursion.
#include "output/logical.h"

#include <string_view>
#include <vector>

#include "text/byteset.h"
#include "text/literals.h"

namespace {

// One expression between separators, on one level of parentheses: its
// bytes and where its top-level "&&" and "||" stand.
struct sSegment {
  std::string text;
  std::vector<size_t> ands;  // offsets of "&&"
  bool bOr = false;          // a "||" stands on this level
};

// One open group: what is written of it so far, and its current segment.
struct sLevel {
  char close = 0;  // the byte that closes it; 0 for the whole text
  std::string done;
  sSegment segment;
};

bool fIsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// Statement keywords in front of an expression are not part of it.
size_t fExpressionStart(const std::string& text) {
  static const std::string kReturn = "return";
  size_t i = 0;
  while (i < text.size() && fIsBlank(text[i])) ++i;
  if (text.compare(i, kReturn.size(), kReturn) == 0 &&
      (i + kReturn.size() == text.size() || fIsBlank(text[i + kReturn.size()]))) {
    i += kReturn.size();
  }
  return i;
}

// The part [begin, end) in parentheses when it holds a "||", blanks kept outside.
void fWrapPart(const std::string& text, size_t begin, size_t end, std::string& out) {
  size_t first = begin;
  size_t last = end;
  while (first < last && fIsBlank(text[first])) ++first;
  while (last > first && fIsBlank(text[last - 1])) --last;
  const bool bOr = text.substr(first, last - first).find("||") != std::string::npos;
  out.append(text, begin, first - begin);
  if (bOr) out += '(';
  out.append(text, first, last - first);
  if (bOr) out += ')';
  out.append(text, last, end - last);
}

// Writes the segment, its "||" chains grouped where "&&" joins them.
void fFlushSegment(sLevel& level) {
  sSegment& seg = level.segment;
  if (seg.ands.empty() || !seg.bOr) {
    level.done += seg.text;
  } else {
    size_t begin = fExpressionStart(seg.text);
    level.done.append(seg.text, 0, begin);
    for (const size_t at : seg.ands) {
      fWrapPart(seg.text, begin, at, level.done);
      level.done += "&&";
      begin = at + 2;
    }
    fWrapPart(seg.text, begin, seg.text.size(), level.done);
  }
  seg = sSegment();
}

// An assignment "=" ends the target's segment; "==", "<=", ">=", "!=" do not.
bool fIsAssignment(const std::string& text, size_t i) {
  if (text[i] != '=') return false;
  const char prev = i > 0 ? text[i - 1] : 0;
  const char next = i + 1 < text.size() ? text[i + 1] : 0;
  return next != '=' && prev != '=' && prev != '<' && prev != '>' && prev != '!';
}

bool fIsSeparator(char ch) {
  return ch == ',' || ch == ';' || ch == '{' || ch == '}' || ch == '\r' || ch == '\n';
}

// Bytes that may open, close or end a segment or group, or begin a literal;
// every other byte outside literals only joins the current segment.
constexpr sByteSet kActs = fByteSetOf("([)],;{}\r\n=&|\"'");

// Bytes that may open or close a group, end a line or begin a literal.
constexpr sByteSet kPartBreaks = fByteSetOf("([)]\n\"'");

bool fHasBoth(std::string_view text) {
  return text.find("||") != std::string_view::npos && text.find("&&") != std::string_view::npos;
}

// The grouping over a whole text, from the state at its start.
std::string fGroupWhole(const std::string& text) {
  std::vector<sLevel> stack(1);
  sLiteralScan literal;
  for (size_t i = 0; i < text.size(); ++i) {
    sLevel& level = stack.back();
    if (literal.fInCode() && !fHasByte(kActs, text[i])) {
      size_t end = i + 1;
      while (end < text.size() && !fHasByte(kActs, text[end])) ++end;
      level.segment.text.append(text, i, end - i);
      i = end - 1;
      continue;
    }
    const char ch = text[i];
    if (literal.fInside(ch) != 0) {
      level.segment.text += ch;
      continue;
    }
    if (ch == '(' || ch == '[') {
      level.segment.text += ch;
      sLevel inner;
      inner.close = ch == '(' ? ')' : ']';
      stack.push_back(std::move(inner));
    } else if (stack.size() > 1 && ch == level.close) {
      fFlushSegment(level);
      std::string inner = std::move(level.done);
      stack.pop_back();
      stack.back().segment.text += inner;
      stack.back().segment.text += ch;
    } else if (fIsSeparator(ch) || ch == ')' || ch == ']' || fIsAssignment(text, i)) {
      fFlushSegment(level);
      level.done += ch;
    } else if ((ch == '&' || ch == '|') && i + 1 < text.size() && text[i + 1] == ch) {
      if (ch == '&') level.segment.ands.push_back(level.segment.text.size());
      if (ch == '|') level.segment.bOr = true;
      level.segment.text += text.substr(i, 2);
      ++i;
    } else {
      level.segment.text += ch;
    }
  }
  // Groups left open (only in broken input) are written as they stand.
  while (stack.size() > 1) {
    fFlushSegment(stack.back());
    std::string inner = std::move(stack.back().done);
    stack.pop_back();
    stack.back().segment.text += inner;
  }
  fFlushSegment(stack.back());
  return std::move(stack.back().done);
}

// A part that holds no "||" or no "&&" comes out of the grouping as it went
// in; only the others are grouped.
void fGroupPart(const std::string& text, size_t begin, size_t end, std::string& out) {
  const std::string_view part(text.data() + begin, end - begin);
  if (fHasBoth(part)) {
    out += fGroupWhole(std::string(part));
  } else {
    out.append(part);
  }
}

}  // namespace

std::string fGroupLogicalOperators(const std::string& text) {
  if (!fHasBoth(text)) return text;
  // After a line end outside literals and groups the grouping stands as at
  // the text's start, so the text is grouped part by part: most lines of a
  // function hold at most one of the two operators.
  std::string out;
  out.reserve(text.size() + 64);
  sLiteralScan literal;
  std::vector<char> closers;  // of the groups open, innermost last
  size_t begin = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (literal.fInCode() && !fHasByte(kPartBreaks, text[i])) continue;
    const char ch = text[i];
    if (literal.fInside(ch) != 0) continue;
    if (ch == '(' || ch == '[') {
      closers.push_back(ch == '(' ? ')' : ']');
    } else if (!closers.empty() && ch == closers.back()) {
      closers.pop_back();
    } else if (ch == '\n' && closers.empty() && literal.fInCode()) {
      fGroupPart(text, begin, i + 1, out);
      begin = i + 1;
    }
  }
  fGroupPart(text, begin, text.size(), out);
  return out;
}

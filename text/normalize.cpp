// Input normalisation: runs once over the raw script before the conversion
// run wraps it, so the rule engine only ever sees unindented CR LF lines
// without comments, tabs or line ends inside string literals.
#include "text/normalize.h"

#include <utility>

namespace {

enum class eMode { kCode, kString, kRawcode, kComment };

// One left-to-right pass; every byte is looked at once or twice, so the
// work is linear in the script's length.
struct sNormalizer {
  const char* pIn;
  size_t nLen;
  size_t nPos = 0;
  eMode mode = eMode::kCode;
  bool bLineStart = true;
  size_t nPendingBlanks = 0;  // blanks that only count if the line goes on
  std::string out;

  sNormalizer(const char* p, size_t n) : pIn(p), nLen(n) { out.reserve(n + n / 64 + 16); }

  bool fHasNext() const { return nPos + 1 < nLen; }
  char fNext() const { return pIn[nPos + 1]; }

  void fRun();
  void fLineEnd();
  void fCode(char c);
  void fString(char c);
  void fRawcode(char c);
  void fComment(char c);
};

bool fIsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Bytes that go over unchanged whatever follows them, in code and in a
// string; runs of them are copied at once.
bool fIsPlainCode(char c) {
  return !fIsLineEnd(c) && c != ' ' && c != '\t' && c != '/' && c != '"' && c != '\'';
}
bool fIsPlainInString(char c) { return !fIsLineEnd(c) && c != '\\' && c != '"'; }

// The end of the run of bytes from pos on that keep passes.
template <typename fKeeps>
size_t fRunEnd(const char* p, size_t pos, size_t n, fKeeps keeps) {
  while (pos < n && keeps(p[pos])) ++pos;
  return pos;
}

// CR LF, lone CR and lone LF all become one CR LF; the next line starts in
// code because neither a comment nor a rawcode survives a line end.
void sNormalizer::fLineEnd() {
  if (pIn[nPos] == '\r' && fHasNext() && fNext() == '\n') ++nPos;
  ++nPos;
  out += "\r\n";
  mode = eMode::kCode;
  bLineStart = true;
  nPendingBlanks = 0;
}

void sNormalizer::fCode(char c) {
  if (fIsLineEnd(c)) {
    fLineEnd();
    return;
  }
  if (c == ' ' || c == '\t') {
    if (!bLineStart) ++nPendingBlanks;
    ++nPos;
    return;
  }
  if (c == '/' && fHasNext() && fNext() == '/') {
    // Pending blanks die with the line end that closes the comment.
    mode = eMode::kComment;
    nPos += 2;
    return;
  }
  // Nearly always one blank; appending it alone is much cheaper.
  if (nPendingBlanks == 1) {
    out.push_back(' ');
  } else if (nPendingBlanks > 1) {
    out.append(nPendingBlanks, ' ');
  }
  nPendingBlanks = 0;
  bLineStart = false;
  // A quote opens a literal: the run ends with it.
  const bool bQuote = c == '"' || c == '\'';
  const size_t end = bQuote ? nPos + 1 : fRunEnd(pIn, nPos + 1, nLen, fIsPlainCode);
  out.append(pIn + nPos, end - nPos);
  if (c == '"') mode = eMode::kString;
  if (c == '\'') mode = eMode::kRawcode;
  nPos = end;
}

// A raw line end would end the statement in the middle of the literal, so it
// becomes the language's escape. After a backslash the escape is already
// open: only the letter is written, and the literal keeps the same character.
void sNormalizer::fString(char c) {
  if (c == '\\') {
    out += c;
    if (fHasNext()) {
      const char e = fNext();
      out += (e == '\r') ? 'r' : (e == '\n') ? 'n' : e;
      ++nPos;
    }
    ++nPos;
    return;
  }
  if (c == '\r') {
    out += "\\r";
  } else if (c == '\n') {
    out += "\\n";
  } else if (c == '"') {
    out += c;
    mode = eMode::kCode;
  } else {
    const size_t end = fRunEnd(pIn, nPos + 1, nLen, fIsPlainInString);
    out.append(pIn + nPos, end - nPos);
    nPos = end;
    return;
  }
  ++nPos;
}

// A rawcode never spans lines: a line end ends it even after a backslash.
void sNormalizer::fRawcode(char c) {
  if (fIsLineEnd(c)) {
    fLineEnd();
    return;
  }
  out += c;
  ++nPos;
  if (c == '\\' && nPos < nLen && !fIsLineEnd(pIn[nPos])) {
    out += pIn[nPos];
    ++nPos;
  } else if (c == '\'') {
    mode = eMode::kCode;
  }
}

void sNormalizer::fComment(char c) {
  if (fIsLineEnd(c)) {
    fLineEnd();
  } else {
    nPos = fRunEnd(pIn, nPos + 1, nLen, [](char b) { return !fIsLineEnd(b); });
  }
}

void sNormalizer::fRun() {
  static const char kBom[] = "\xEF\xBB\xBF";
  if (nLen >= 3 && pIn[0] == kBom[0] && pIn[1] == kBom[1] && pIn[2] == kBom[2]) nPos = 3;
  while (nPos < nLen) {
    const char c = pIn[nPos];
    switch (mode) {
      case eMode::kCode: fCode(c); break;
      case eMode::kString: fString(c); break;
      case eMode::kRawcode: fRawcode(c); break;
      case eMode::kComment: fComment(c); break;
    }
  }
}

}  // namespace

std::string fNormalizeScript(const char* pScript, size_t length) {
  if (pScript == nullptr || length == 0) return std::string();
  sNormalizer n(pScript, length);
  n.fRun();
  return std::move(n.out);
}

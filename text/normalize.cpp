// Input normalisation: runs once over the raw script before the conversion
// run wraps it, so the rule engine only ever sees unindented CR LF lines
// without comments, tabs or line ends inside string literals.
#include "text/normalize.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

enum class eMode { kCode, kString, kRawcode, kComment };

bool fIsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Where one byte next occurs at or after a position, or the end. A search
// starts only once the normaliser has passed the last byte found, so the
// searches for one byte read the script once in all; memchr reads it many
// bytes a step, where a loop over every byte would look at each.
class sNextByte {
 public:
  sNextByte(char c, const char* pFrom, const char* pEnd) : c_(c), pEnd_(pEnd) { fSearch(pFrom); }

  const char* fFrom(const char* p) {
    if (pAt_ < p) fSearch(p);
    return pAt_;
  }

 private:
  void fSearch(const char* p) {
    const void* pFound = std::memchr(p, c_, static_cast<size_t>(pEnd_ - p));
    pAt_ = pFound != nullptr ? static_cast<const char*>(pFound) : pEnd_;
  }

  char c_;
  const char* pEnd_;
  const char* pAt_ = nullptr;
};

// The normalised bytes, written through a buffer sized up front; a write
// that would pass its end grows it first. Appending to a string piece by
// piece costs more than the copying itself.
class sOutput {
 public:
  explicit sOutput(size_t nGuess) { buf_.resize(nGuess); }

  size_t fSize() const { return nUsed_; }
  void fPut(char c) {
    fRoom(1);
    buf_[nUsed_++] = c;
  }
  void fPut(const char* p, size_t n) {
    fRoom(n);
    std::memcpy(&buf_[nUsed_], p, n);
    nUsed_ += n;
  }
  // Blanks written after nFrom that nothing followed on their line.
  void fDropBlanks(size_t nFrom) {
    while (nUsed_ > nFrom && buf_[nUsed_ - 1] == ' ') --nUsed_;
  }
  std::string fTake() {
    buf_.resize(nUsed_);
    return std::move(buf_);
  }

 private:
  void fRoom(size_t n) {
    if (buf_.size() - nUsed_ < n) buf_.resize(std::max(buf_.size() * 2, nUsed_ + n));
  }

  std::string buf_;
  size_t nUsed_ = 0;
};

// One left-to-right pass that jumps from one byte that matters in the
// current mode to the next and copies what lies between in one piece.
class sNormalizer {
 public:
  sNormalizer(const char* p, size_t n);
  std::string fRun();

 private:
  const char* fLineEndFrom(const char* p) { return std::min(cr_.fFrom(p), lf_.fFrom(p)); }
  const char* fOtherFrom(const char* p);
  void fCopyTo(const char* p);
  void fCode();
  void fCodeLine(const char* pLineEnd);
  void fString();
  void fRawcode();
  void fComment();
  void fLineEnd();
  void fStartLine();
  void fEnterCode();

  const char* p_;
  const char* pEnd_;
  eMode mode_ = eMode::kCode;
  bool bLineStart_ = true;  // blanks here are indentation
  size_t nCodeFrom_ = 0;    // output size where the code now running began
  sNextByte cr_, lf_, tab_, slash_, quote_, apostrophe_, backslash_;
  const char* pOther_;      // the next byte of code that is not a line end but matters
  sOutput out_;
};

// A leading UTF-8 byte order mark is skipped before any search begins.
const char* fAfterBom(const char* p, size_t n) {
  static const char kBom[] = "\xEF\xBB\xBF";
  return n >= 3 && p[0] == kBom[0] && p[1] == kBom[1] && p[2] == kBom[2] ? p + 3 : p;
}

sNormalizer::sNormalizer(const char* p, size_t n)
    : p_(fAfterBom(p, n)),
      pEnd_(p + n),
      cr_('\r', p_, pEnd_),
      lf_('\n', p_, pEnd_),
      tab_('\t', p_, pEnd_),
      slash_('/', p_, pEnd_),
      quote_('"', p_, pEnd_),
      apostrophe_('\'', p_, pEnd_),
      backslash_('\\', p_, pEnd_),
      pOther_(std::min({tab_.fFrom(p_), slash_.fFrom(p_), quote_.fFrom(p_), apostrophe_.fFrom(p_)})),
      out_(n + n / 64 + 16) {}

// Line ends come nearly every line, the other bytes that matter in code
// seldom: their nearest is kept until passed, not asked of four searches at
// every line.
const char* sNormalizer::fOtherFrom(const char* p) {
  if (pOther_ < p) {
    pOther_ = std::min({tab_.fFrom(p), slash_.fFrom(p), quote_.fFrom(p), apostrophe_.fFrom(p)});
  }
  return pOther_;
}

std::string sNormalizer::fRun() {
  while (p_ < pEnd_) {
    switch (mode_) {
      case eMode::kCode: fCode(); break;
      case eMode::kString: fString(); break;
      case eMode::kRawcode: fRawcode(); break;
      case eMode::kComment: fComment(); break;
    }
  }
  // Blanks at the end of the script never get a byte after them.
  if (mode_ == eMode::kCode) out_.fDropBlanks(nCodeFrom_);
  return out_.fTake();
}

void sNormalizer::fCopyTo(const char* p) {
  out_.fPut(p_, static_cast<size_t>(p - p_));
  p_ = p;
}

// Blanks inside the code go over as they come (a tab as a blank) and are
// taken back when a line end or a comment follows them: trailing blanks are
// rare, so this is cheaper than holding every run of blanks back.
void sNormalizer::fCode() {
  if (bLineStart_) {
    while (p_ < pEnd_ && (*p_ == ' ' || *p_ == '\t')) ++p_;
    bLineStart_ = false;
  }
  const char* pLineEnd = fLineEndFrom(p_);
  const char* pOther = fOtherFrom(p_);
  if (pLineEnd < pOther) return fCodeLine(pLineEnd);
  fCopyTo(pOther);
  if (p_ == pEnd_) return;
  const char c = *p_++;
  if (c == '/' && p_ < pEnd_ && *p_ == '/') {
    out_.fDropBlanks(nCodeFrom_);
    mode_ = eMode::kComment;
    ++p_;
    return;
  }
  out_.fPut(c == '\t' ? ' ' : c);
  if (c == '"') mode_ = eMode::kString;
  if (c == '\'') mode_ = eMode::kRawcode;
}

// The rest of the line is plain code. Most lines end in CR LF after a byte
// that is not a blank: such a rest goes over as it stands, line end and all.
void sNormalizer::fCodeLine(const char* pLineEnd) {
  if (pLineEnd > p_ && pLineEnd[-1] != ' ' && *pLineEnd == '\r' && pLineEnd + 1 < pEnd_ &&
      pLineEnd[1] == '\n') {
    fCopyTo(pLineEnd + 2);
    return fStartLine();
  }
  fCopyTo(pLineEnd);
  out_.fDropBlanks(nCodeFrom_);
  fLineEnd();
}

// A raw line end would end the statement in the middle of the literal, so it
// becomes the language's escape. After a backslash the escape is already
// open: only the letter is written, and the literal keeps the same character.
void sNormalizer::fString() {
  fCopyTo(std::min({fLineEndFrom(p_), backslash_.fFrom(p_), quote_.fFrom(p_)}));
  if (p_ == pEnd_) return;
  const char c = *p_++;
  if (c == '\\') {
    out_.fPut('\\');
    if (p_ < pEnd_) {
      const char e = *p_++;
      out_.fPut(e == '\r' ? 'r' : e == '\n' ? 'n' : e);
    }
  } else if (c == '"') {
    out_.fPut(c);
    fEnterCode();
  } else {
    out_.fPut(c == '\r' ? "\\r" : "\\n", 2);
  }
}

// A rawcode never spans lines: a line end ends it even after a backslash.
void sNormalizer::fRawcode() {
  fCopyTo(std::min({fLineEndFrom(p_), backslash_.fFrom(p_), apostrophe_.fFrom(p_)}));
  if (p_ == pEnd_) return;
  const char c = *p_;
  if (fIsLineEnd(c)) return fLineEnd();
  out_.fPut(c);
  ++p_;
  if (c == '\\' && p_ < pEnd_ && !fIsLineEnd(*p_)) {
    out_.fPut(*p_++);
  } else if (c == '\'') {
    fEnterCode();
  }
}

void sNormalizer::fComment() {
  p_ = fLineEndFrom(p_);
  if (p_ < pEnd_) fLineEnd();
}

// CR LF, lone CR and lone LF all become one CR LF; the next line starts in
// code because neither a comment nor a rawcode survives a line end.
void sNormalizer::fLineEnd() {
  if (*p_ == '\r' && p_ + 1 < pEnd_ && p_[1] == '\n') ++p_;
  ++p_;
  out_.fPut("\r\n", 2);
  fStartLine();
}

void sNormalizer::fStartLine() {
  fEnterCode();
  bLineStart_ = true;
}

// Blanks written before this point belong to a literal or an earlier line.
void sNormalizer::fEnterCode() {
  mode_ = eMode::kCode;
  nCodeFrom_ = out_.fSize();
}

}  // namespace

std::string fNormalizeScript(const char* pScript, size_t length) {
  if (pScript == nullptr || length == 0) return std::string();
  return sNormalizer(pScript, length).fRun();
}

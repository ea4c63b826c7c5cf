// The pre-pass over the raw script, in two layers: a byte loop that follows
// literals, comments and line ends the way the normaliser does, and a line
// classifier that keeps the stack of open blocks from the first two words of
// each line, since JASS puts every block word first on its line. One pass,
// linear in the script's length, that looks at most bytes only to pass them.
#include "check/script_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "rules/rules.h"
#include "scan/kinds.h"
#include "scan/typenames.h"

namespace {

enum class eMode { kCode, kString, kRawcode, kComment };

// Keep in the order of kBlockWords.
enum class eBlock { kGlobals, kFunction, kIf, kLoop };

struct sBlockWords {
  KindCode opener;
  KindCode closer;
};
constexpr sBlockWords kBlockWords[] = {
    {K_GLOBALS, K_ENDGLOBALS},
    {K_FUNCTION, K_ENDFUNCTION},
    {K_IF, K_ENDIF},
    {K_LOOP, K_ENDLOOP},
};
static_assert(sizeof kBlockWords / sizeof kBlockWords[0] == 4, "one row per eBlock");

// Words that begin a statement inside a function without opening a block.
constexpr KindCode kStatementWords[] = {K_LOCAL, K_SET, K_CALL, K_RETURN, K_EXITWHEN};

// Words that begin a line of code. A line inside a literal that begins with
// one is most likely code that an unterminated literal swallowed.
constexpr KindCode kLineStartWords[] = {
    K_FUNCTION, K_CONSTANT, K_ENDFUNCTION, K_GLOBALS, K_ENDGLOBALS, K_IF,  K_ELSE,   K_ELSEIF,
    K_ENDIF,    K_LOOP,     K_ENDLOOP,     K_EXITWHEN, K_LOCAL,     K_SET, K_CALL, K_RETURN};

// Top-level declarations that are JASS but produce no output.
constexpr const char* kDeclarationWords[] = {"native", "type"};

constexpr size_t kWordKept = 64;  // no keyword is this long; longer words are only shown cut
constexpr size_t kWordShown = 32;

// A line's first word is one of kLineStartWords or none of them.
constexpr KindCode kNoKeyword = -1;

struct sOpenBlock {
  eBlock kind;
  int32_t nLine;  // line of its opener
};

constexpr bool fIsWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

constexpr bool fIsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr bool fIsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Tab, LF and CR are the only control bytes a script may hold outside literals.
constexpr bool fIsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && !fIsBlank(c) && !fIsLineEnd(c)) || u == 0x7F;
}

// What a byte can do, one bit per question. Nearly every byte of a script
// is asked one of them, so each is one look into a table.
enum eByteClass : uint8_t {
  kWord = 1,         // part of a word
  kBlank = 2,        // ends a word
  kQuietCode = 4,    // changes nothing in code once a line's first words are known
  kQuietString = 8,  // changes nothing in a literal of a statement line
};

constexpr std::array<uint8_t, 256> fByteClasses() {
  std::array<uint8_t, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    uint8_t bits = 0;
    if (fIsWordByte(c)) bits |= kWord;
    if (fIsBlank(c)) bits |= kBlank;
    if (!fIsLineEnd(c) && !fIsControl(c) && c != '(' && c != '[' && c != ')' && c != ']' &&
        c != '"' && c != '\'' && c != '/') {
      bits |= kQuietCode;
    }
    if (!fIsLineEnd(c) && c != '\\' && c != '"') bits |= kQuietString;
    classes[static_cast<size_t>(b)] = bits;
  }
  return classes;
}
constexpr std::array<uint8_t, 256> kByteClasses = fByteClasses();

bool fIs(char c, eByteClass what) { return (kByteClasses[static_cast<uint8_t>(c)] & what) != 0; }

// The end of the run of bytes from p on that are all of class kWhat. Runs
// of quiet code are most of a script: eight bytes a step share one test of
// the end.
template <eByteClass kWhat>
const char* fRunEnd(const char* p, const char* pEnd) {
  for (; pEnd - p >= 8; p += 8) {
    for (int i = 0; i < 8; ++i) {
      if (!fIs(p[i], kWhat)) return p + i;
    }
  }
  while (p < pEnd && fIs(*p, kWhat)) ++p;
  return p;
}

const char* fOpener(eBlock kind) { return fKeywordPtr(kBlockWords[static_cast<int>(kind)].opener); }
const char* fCloser(eBlock kind) { return fKeywordPtr(kBlockWords[static_cast<int>(kind)].closer); }

// The keywords of the type kinds; "" among them (a type the table does not
// name has no keyword of its own).
const std::vector<std::string_view>& fTypeKeywords() {
  static const std::vector<std::string_view> kTypes = [] {
    std::vector<std::string_view> types;
    for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
      if (fIsTypeKind(code)) types.emplace_back(fKeywordPtr(code));
    }
    return types;
  }();
  return kTypes;
}

bool fIsType(std::string_view word) {
  const std::vector<std::string_view>& types = fTypeKeywords();
  if (std::find(types.begin(), types.end(), word) != types.end()) return true;
  return fIsOtherTypeName(word);
}

// Bytes a and b are the same for n bytes. Words are a few bytes long, too
// short to be worth a call of memcmp.
bool fSameBytes(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// The line-start words by length and first letter. No two of them share
// both, so a line's first word is compared with one keyword at most, from
// its second byte on; a chain would hold any that did.
class sLineStartIndex {
 public:
  sLineStartIndex() {
    vFirst_.fill(kNone);
    for (size_t k = 0; k < kWords; ++k) {
      vText_[k] = fKeywordPtr(kLineStartWords[k]);
      const auto length = static_cast<size_t>(fKeywordLength(kLineStartWords[k]));
      const size_t slot = fSlot(std::string_view(vText_[k], length));
      if (slot == kNoSlot) continue;
      vNext_[k] = vFirst_[slot];
      vFirst_[slot] = static_cast<int8_t>(k);
    }
  }

  KindCode fFind(std::string_view word) const {
    const size_t slot = fSlot(word);
    if (slot == kNoSlot) return kNoKeyword;
    for (int8_t k = vFirst_[slot]; k != kNone; k = vNext_[k]) {
      if (fSameBytes(word.data() + 1, vText_[k] + 1, word.size() - 1)) return kLineStartWords[k];
    }
    return kNoKeyword;
  }

 private:
  static constexpr size_t kWords = sizeof kLineStartWords / sizeof kLineStartWords[0];
  static constexpr size_t kLengths = 16;  // longer than any line-start word
  static constexpr size_t kNoSlot = kLengths * 26;
  static constexpr int8_t kNone = -1;

  // Where the chain of the words of this length and first letter begins;
  // kNoSlot for a word that no line-start word can be.
  static size_t fSlot(std::string_view word) {
    if (word.empty() || word.size() >= kLengths || word[0] < 'a' || word[0] > 'z') return kNoSlot;
    return word.size() * 26 + static_cast<size_t>(word[0] - 'a');
  }

  std::array<int8_t, kNoSlot> vFirst_;
  std::array<int8_t, kWords> vNext_{};
  std::array<const char*, kWords> vText_{};
};

const sLineStartIndex& fLineStarts() {
  static const sLineStartIndex kIndex;
  return kIndex;
}

// The first two words of a line, and whether it holds code at all. A word is
// read where it stands in the script; only one that a control byte splits
// is put together, in a buffer of the line's own. Not copyable: a word put
// together points into that buffer.
struct sLineWords {
  sLineWords() = default;
  sLineWords(const sLineWords&) = delete;
  sLineWords& operator=(const sLineWords&) = delete;

  const char* vStart[2] = {nullptr, nullptr};
  size_t vLength[2] = {0, 0};
  bool vJoined[2] = {false, false};  // the word is in vBuffer
  char vBuffer[2][kWordKept];
  int nWords = 0;         // words begun
  bool bInWord = false;
  bool bDone = false;     // a byte that is neither blank nor word byte ended them
  bool bHasCode = false;  // a byte outside blanks and comments
  char firstOther = 0;    // that byte, when the line begins with it

  void fReset() {
    vLength[0] = vLength[1] = 0;
    vJoined[0] = vJoined[1] = false;
    nWords = 0;
    bInWord = bDone = bHasCode = false;
    firstOther = 0;
  }
  std::string_view fWord(int i) const { return std::string_view(vStart[i], vLength[i]); }
  void fBlank() { bInWord = false; }
  // The byte at p, in the script.
  void fByte(const char* p) {
    const bool bFirst = !bHasCode;
    bHasCode = true;
    if (bDone) return;
    if (!fIs(*p, kWord)) {
      bDone = true;
      if (bFirst) firstOther = *p;
      return;
    }
    if (!bInWord) {
      if (nWords == 2) {
        bDone = true;
        return;
      }
      bInWord = true;
      ++nWords;
    }
    fAppend(p, 1);
  }
  // A run of word bytes while the words are not yet known, as fByte byte by
  // byte: only the first can begin a word or end the first two.
  void fWordRun(const char* p, size_t n) {
    bHasCode = true;
    if (bInWord) return fAppend(p, n);  // the word goes on after a control byte
    if (nWords == 2) {
      bDone = true;
      return;
    }
    bInWord = true;
    vStart[nWords] = p;
    vLength[nWords] = std::min(n, kWordKept);
    ++nWords;
  }
  // Bytes for the word being read, up to kWordKept of them.
  void fAppend(const char* p, size_t n) {
    const int i = nWords - 1;
    n = std::min(n, kWordKept - vLength[i]);
    if (n == 0) return;
    if (vLength[i] == 0) {
      vStart[i] = p;
    } else if (vJoined[i]) {
      std::memcpy(vBuffer[i] + vLength[i], p, n);
    } else if (vStart[i] + vLength[i] != p) {
      std::memcpy(vBuffer[i], vStart[i], vLength[i]);
      std::memcpy(vBuffer[i] + vLength[i], p, n);
      vStart[i] = vBuffer[i];
      vJoined[i] = true;
    }
    vLength[i] += n;
  }
};

class sChecker {
 public:
  sChecker(const char* p, size_t n) : p_(p), pEnd_(p + n), n_(n) {}
  sScriptCheck fRun();

 private:
  // Byte layer: each mode's function goes on until something changes.
  void fCode();
  void fFirstWords();
  bool fGroupByte();
  void fCodeByte();
  void fString();
  void fRawcode();
  void fComment();
  void fLineEnd();
  void fEndOfScript();

  // Line layer.
  void fClassify();
  void fTopLevel();
  void fInGlobals();
  void fInFunction();
  bool fIsFunctionHead() const;
  bool fIsCloser() const;
  void fOpen(eBlock kind);
  void fClose(eBlock kind);
  void fNeedIf();
  void fAbandonAll();
  void fTrackDepth();

  // Diagnostics.
  bool fCountWarning();
  void fWarn(eProblem problem, std::string message);
  void fError(int32_t nLine, eProblem problem, std::string message);
  void fUnclosed(const sOpenBlock& block);
  void fStray();
  void fLeftOut();

  const sLineStartIndex& lineStarts_ = fLineStarts();
  const char* p_;                 // the next byte to read
  const char* pEnd_;
  size_t n_;
  int32_t nLine_ = 1;
  eMode mode_ = eMode::kCode;
  bool bEscape_ = false;          // the byte after a backslash in a string literal
  bool bStatementLine_ = true;    // the line began in code, so its first word begins a statement
  sLineWords words_;
  KindCode first_ = kNoKeyword;   // the line-start word that begins the line being classified
  int32_t nGroups_ = 0;           // parentheses and brackets open on the line
  int32_t nMaxGroups_ = 0;        // the most of them open at once
  bool bControlSeen_ = false;     // the line has had its control byte warning
  int32_t nLiteralLine_ = 0;      // where the open string literal began
  int32_t nCarriedLiteral_ = 0;   // where the literal that the line began in began
  int32_t nSwallowedCode_ = 0;    // where the first literal holding a line of code began
  bool bJass_ = false;            // a globals block, function, native or type line was seen
  std::vector<sOpenBlock> blocks_;
  int32_t nDeepest_ = 0;
  size_t nWarnings_ = 0;
  sScriptCheck result_;
};

sScriptCheck sChecker::fRun() {
  while (p_ < pEnd_) {
    switch (mode_) {
      case eMode::kCode: fCode(); break;
      case eMode::kString: fString(); break;
      case eMode::kRawcode: fRawcode(); break;
      case eMode::kComment: fComment(); break;
    }
  }
  fEndOfScript();
  std::stable_sort(result_.vDiagnostics.begin(), result_.vDiagnostics.end(),
                   [](const sDiagnostic& a, const sDiagnostic& b) { return a.nLine < b.nLine; });
  return std::move(result_);
}

// Until a line's first words are known, they are read a run at a time;
// after that only the bytes that end a quiet run are looked at one by one.
void sChecker::fCode() {
  while (p_ < pEnd_ && mode_ == eMode::kCode) {
    if (!words_.bDone) {
      fFirstWords();
      if (p_ == pEnd_ || words_.bDone) continue;
    } else {
      p_ = fRunEnd<kQuietCode>(p_, pEnd_);
      if (p_ == pEnd_ || fGroupByte()) continue;
    }
    fCodeByte();
  }
}

// Runs of word bytes and of blanks, up to a byte that is neither or until
// the first two words are known.
void sChecker::fFirstWords() {
  const char* p = p_;
  while (p < pEnd_ && !words_.bDone) {
    if (fIs(*p, kWord)) {
      const char* pWordEnd = fRunEnd<kWord>(p + 1, pEnd_);
      words_.fWordRun(p, static_cast<size_t>(pWordEnd - p));
      p = pWordEnd;
    } else if (fIs(*p, kBlank)) {
      p = fRunEnd<kBlank>(p + 1, pEnd_);
      words_.fBlank();
    } else {
      break;
    }
  }
  p_ = p;
}

// Parentheses and brackets are most of the bytes that stop a quiet run;
// once a line's first words are known they only count, so they are taken
// here, short of the other questions of fCodeByte.
bool sChecker::fGroupByte() {
  const char c = *p_;
  if (c == '(' || c == '[') {
    nMaxGroups_ = std::max(nMaxGroups_, ++nGroups_);
  } else if (c == ')' || c == ']') {
    if (nGroups_ > 0) --nGroups_;
  } else {
    return false;
  }
  ++p_;
  return true;
}

void sChecker::fCodeByte() {
  const char c = *p_;
  if (fIsLineEnd(c)) return fLineEnd();
  ++p_;
  if (c == '/' && p_ < pEnd_ && *p_ == '/') {
    mode_ = eMode::kComment;
    ++p_;
    return;
  }
  if (fIsControl(c)) {
    if (!bControlSeen_ && fCountWarning()) {
      char text[48];
      std::snprintf(text, sizeof text, "control byte 0x%02X outside a literal",
                    static_cast<unsigned>(static_cast<unsigned char>(c)));
      fWarn(eProblem::kControlByte, text);
    }
    bControlSeen_ = true;
    return;
  }
  if (fIsBlank(c)) return words_.fBlank();
  words_.fByte(p_ - 1);
  if (c == '(' || c == '[') nMaxGroups_ = std::max(nMaxGroups_, ++nGroups_);
  if ((c == ')' || c == ']') && nGroups_ > 0) --nGroups_;
  if (c == '"') {
    mode_ = eMode::kString;
    nLiteralLine_ = nLine_;
  }
  if (c == '\'') mode_ = eMode::kRawcode;
}

// A line that began inside a literal has its first words read from the
// literal, to tell code that an unterminated literal swallowed. Once they
// are known, a literal is quiet up to its next backslash, quote or line end.
void sChecker::fString() {
  while (p_ < pEnd_ && mode_ == eMode::kString) {
    if (!bEscape_ && (bStatementLine_ || words_.bDone)) {
      p_ = fRunEnd<kQuietString>(p_, pEnd_);
      if (p_ == pEnd_) return;
    }
    const char c = *p_;
    if (fIsLineEnd(c)) return fLineEnd();
    ++p_;
    if (!bStatementLine_ && fIsBlank(c)) words_.fBlank();
    if (!bStatementLine_ && !fIsBlank(c)) words_.fByte(p_ - 1);
    if (bEscape_) {
      bEscape_ = false;
    } else if (c == '\\') {
      bEscape_ = true;
    } else if (c == '"') {
      mode_ = eMode::kCode;
    }
  }
}

void sChecker::fRawcode() {
  while (p_ < pEnd_) {
    const char c = *p_;
    if (fIsLineEnd(c)) return fLineEnd();
    ++p_;
    if (bEscape_) {
      bEscape_ = false;
    } else if (c == '\\') {
      bEscape_ = true;
    } else if (c == '\'') {
      mode_ = eMode::kCode;
      return;
    }
  }
}

void sChecker::fComment() {
  while (p_ < pEnd_ && !fIsLineEnd(*p_)) ++p_;
  if (p_ < pEnd_) fLineEnd();
}

// CR LF, lone CR and lone LF each end one line. Neither a comment nor a
// rawcode survives a line end; a string literal does.
void sChecker::fLineEnd() {
  if (*p_ == '\r' && p_ + 1 < pEnd_ && p_[1] == '\n') ++p_;
  ++p_;
  if (bStatementLine_ && words_.bHasCode) fClassify();
  if (!bStatementLine_ && nSwallowedCode_ == 0 &&
      lineStarts_.fFind(words_.fWord(0)) != kNoKeyword) {
    nSwallowedCode_ = nCarriedLiteral_;
  }
  if (mode_ == eMode::kString) {
    nCarriedLiteral_ = nLiteralLine_;
    bEscape_ = false;
  } else {
    mode_ = eMode::kCode;
  }
  ++nLine_;
  bStatementLine_ = mode_ == eMode::kCode;
  words_.fReset();
  nGroups_ = 0;
  nMaxGroups_ = 0;
  bControlSeen_ = false;
}

// An unterminated literal hides the block words after it, so the blocks it
// seems to leave open are not reported on their own.
void sChecker::fEndOfScript() {
  const bool bOpenLine = n_ > 0 && !fIsLineEnd(pEnd_[-1]);
  if (bOpenLine && bStatementLine_ && words_.bHasCode) fClassify();
  // After a literal that misses its closing quote, code and literals swap
  // roles, often up to the end; the first literal that holds a line of code
  // shows where that began, even when a later quote ends the swap.
  if (nSwallowedCode_ != 0 || mode_ == eMode::kString) {
    const int32_t nStart = nSwallowedCode_ != 0 ? nSwallowedCode_ : nLiteralLine_;
    std::vector<sDiagnostic>& found = result_.vDiagnostics;
    found.erase(std::remove_if(found.begin(), found.end(),
                               [](const sDiagnostic& d) {
                                 return d.problem == eProblem::kUnclosedBlock;
                               }),
                found.end());
    fError(nStart, eProblem::kUnterminatedLiteral, "unterminated string literal");
  } else if (!blocks_.empty()) {
    fUnclosed(blocks_.back());
  }
  if (!bJass_) fError(0, eProblem::kNoJass, "no JASS code found in the file");
}

void sChecker::fClassify() {
  first_ = lineStarts_.fFind(words_.fWord(0));
  if (blocks_.empty()) {
    fTopLevel();
  } else if (blocks_.back().kind == eBlock::kGlobals) {
    fInGlobals();
  } else {
    fInFunction();
  }
  fTrackDepth();
}

void sChecker::fTopLevel() {
  if (first_ == K_GLOBALS) return fOpen(eBlock::kGlobals);
  if (fIsFunctionHead()) return fOpen(eBlock::kFunction);
  const int i = first_ == K_CONSTANT ? 1 : 0;
  for (const char* word : kDeclarationWords) {
    if (words_.fWord(i) == word) {
      bJass_ = true;
      return;
    }
  }
  if (fIsCloser()) return fStray();
  fLeftOut();
}

void sChecker::fInGlobals() {
  if (first_ == K_ENDGLOBALS) return fClose(eBlock::kGlobals);
  if (first_ == K_GLOBALS || fIsFunctionHead()) {
    fAbandonAll();
    return fTopLevel();
  }
  const int i = first_ == K_CONSTANT ? 1 : 0;
  if (fIsType(words_.fWord(i))) return;
  if (fIsCloser()) return fStray();
  fLeftOut();
}

void sChecker::fInFunction() {
  for (const KindCode code : kStatementWords) {
    if (first_ == code) return;
  }
  if (first_ == K_IF) return fOpen(eBlock::kIf);
  if (first_ == K_LOOP) return fOpen(eBlock::kLoop);
  if (first_ == K_ELSE || first_ == K_ELSEIF) return fNeedIf();
  if (first_ == K_ENDIF) return fClose(eBlock::kIf);
  if (first_ == K_ENDLOOP) return fClose(eBlock::kLoop);
  if (first_ == K_ENDFUNCTION) return fClose(eBlock::kFunction);
  if (first_ == K_GLOBALS || fIsFunctionHead()) {
    fAbandonAll();
    return fTopLevel();
  }
  if (fIsCloser()) return fStray();
  fLeftOut();
}

bool sChecker::fIsFunctionHead() const {
  return first_ == K_FUNCTION ||
         (first_ == K_CONSTANT && words_.fWord(1) == fKeywordPtr(K_FUNCTION));
}

bool sChecker::fIsCloser() const {
  for (const sBlockWords& row : kBlockWords) {
    if (first_ == row.closer) return true;
  }
  return first_ == K_ELSE || first_ == K_ELSEIF;
}

void sChecker::fOpen(eBlock kind) {
  if (kind == eBlock::kGlobals || kind == eBlock::kFunction) bJass_ = true;
  blocks_.push_back({kind, nLine_});
}

// Closes the innermost block of the kind; blocks opened inside it and still
// open are never closed. Without such a block inside the current function or
// globals block, the closing word stands alone.
void sChecker::fClose(eBlock kind) {
  size_t i = blocks_.size();
  while (i > 0 && blocks_[i - 1].kind != kind) {
    if (blocks_[i - 1].kind == eBlock::kFunction) return fStray();
    --i;
  }
  if (i == 0) return fStray();
  if (i != blocks_.size()) fUnclosed(blocks_.back());
  blocks_.resize(i - 1);
}

void sChecker::fNeedIf() {
  if (blocks_.back().kind != eBlock::kIf) fStray();
}

// A new globals block or function ends whatever was open.
void sChecker::fAbandonAll() {
  fUnclosed(blocks_.back());
  blocks_.clear();
}

// The engine runs a line's statement one level below its innermost block and
// each group up to two levels deeper (the group, then an argument of it); the
// first line that reaches the bound is where the engine gives up.
void sChecker::fTrackDepth() {
  const int32_t nDepth = static_cast<int32_t>(blocks_.size()) + 1 + 2 * nMaxGroups_;
  if (nDeepest_ >= CONST_MAX_DEPTH) return;
  if (nDepth > nDeepest_) {
    nDeepest_ = nDepth;
    result_.nDeepestLine = nLine_;
  }
}

// Counts a warning and tells whether it is kept; the first one past the
// bound is replaced by a note that the rest are dropped. Callers ask first,
// so that no text is made for a warning nobody sees.
bool sChecker::fCountWarning() {
  ++nWarnings_;
  if (nWarnings_ == CONST_MAX_WARNINGS + 1) {
    result_.vDiagnostics.push_back(
        {nLine_, eProblem::kTooManyWarnings,
         "more than " + std::to_string(CONST_MAX_WARNINGS) + " warnings; the rest are not shown"});
  }
  return nWarnings_ <= CONST_MAX_WARNINGS;
}

void sChecker::fWarn(eProblem problem, std::string message) {
  result_.vDiagnostics.push_back({nLine_, problem, std::move(message)});
}

void sChecker::fError(int32_t nLine, eProblem problem, std::string message) {
  result_.vDiagnostics.push_back({nLine, problem, std::move(message)});
}

void sChecker::fUnclosed(const sOpenBlock& block) {
  fError(block.nLine, eProblem::kUnclosedBlock,
         std::string("'") + fOpener(block.kind) + "' is never closed by '" + fCloser(block.kind) +
             "'");
}

void sChecker::fStray() {
  if (!fCountWarning()) return;
  const std::string word(words_.fWord(0));
  const bool bElse = first_ == K_ELSE || first_ == K_ELSEIF;
  std::string opener = bElse ? fKeywordText(K_IF) : word.substr(3);
  fWarn(eProblem::kStrayCloser, "'" + word + "' without '" + opener + "'");
}

// The line's first word, or its first byte, as it can be shown on a console.
std::string fShownStart(const sLineWords& words) {
  const std::string_view word = words.fWord(0);
  if (!word.empty()) {
    return "'" + std::string(word.substr(0, kWordShown)) + (word.size() > kWordShown ? "..." : "") +
           "'";
  }
  const auto u = static_cast<unsigned char>(words.firstOther);
  if (u > 0x20 && u < 0x7F) return std::string("'") + words.firstOther + "'";
  char text[16];
  std::snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned>(u));
  return text;
}

void sChecker::fLeftOut() {
  if (!fCountWarning()) return;
  fWarn(eProblem::kLineLeftOut,
        "line left out: no rule translates a line that begins with " + fShownStart(words_) +
            " here");
}

}  // namespace

sScriptCheck fCheckScript(const char* pScript, size_t length) {
  if (pScript == nullptr) length = 0;
  return sChecker(pScript, length).fRun();
}

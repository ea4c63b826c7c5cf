// The pre-pass over the raw script, in two layers: a byte loop that follows
// literals, comments and line ends the way the normaliser does, and a line
// classifier that keeps the stack of open blocks from the first two words of
// each line, since JASS puts every block word first on its line. One pass,
// linear in the script's length; nothing is copied but those two words.
#include "check/script_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

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

struct sOpenBlock {
  eBlock kind;
  int32_t nLine;  // line of its opener
};

constexpr std::array<bool, 256> fWordBytes() {
  std::array<bool, 256> word{};
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    word[static_cast<size_t>(b)] =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  }
  return word;
}
constexpr std::array<bool, 256> kWordBytes = fWordBytes();

// Every byte of a line's first words is asked: a table, not four ranges.
bool fIsWordByte(char c) { return kWordBytes[static_cast<uint8_t>(c)]; }

constexpr bool fIsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr bool fIsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Tab, LF and CR are the only control bytes a script may hold outside literals.
constexpr bool fIsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && !fIsBlank(c) && !fIsLineEnd(c)) || u == 0x7F;
}

const char* fOpener(eBlock kind) { return fKeywordPtr(kBlockWords[static_cast<int>(kind)].opener); }
const char* fCloser(eBlock kind) { return fKeywordPtr(kBlockWords[static_cast<int>(kind)].closer); }

bool fIsType(const std::string& word) {
  for (KindCode code = K_MIN_CODE; code <= K_MAX_CODE; ++code) {
    if (fIsTypeKind(code) && word == fKeywordPtr(code)) return true;
  }
  return fIsOtherTypeName(word);
}

// The first two words of a line, and whether it holds code at all.
struct sLineWords {
  std::string vWord[2];
  int nWords = 0;         // words begun
  bool bInWord = false;
  bool bDone = false;     // a byte that is neither blank nor word byte ended them
  bool bHasCode = false;  // a byte outside blanks and comments
  char firstOther = 0;    // that byte, when the line begins with it

  void fBlank() { bInWord = false; }
  void fByte(char c) {
    const bool bFirst = !bHasCode;
    bHasCode = true;
    if (bDone) return;
    if (!fIsWordByte(c)) {
      bDone = true;
      if (bFirst) firstOther = c;
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
    std::string& word = vWord[nWords - 1];
    if (word.size() < kWordKept) word += c;
  }
  bool fIs(int i, const char* keyword) const { return vWord[i] == keyword; }
  // Every line is asked about most keywords: lengths first.
  bool fIs(int i, KindCode code) const {
    const std::string& word = vWord[i];
    return word.size() == static_cast<size_t>(fKeywordLength(code)) &&
           std::memcmp(word.data(), fKeywordPtr(code), word.size()) == 0;
  }
  // A run of word bytes, as fByte byte by byte: only the first can begin a
  // word or end the first two.
  void fWordBytes(const char* p, size_t n) {
    fByte(p[0]);
    if (bDone || n < 2) return;
    std::string& word = vWord[nWords - 1];
    word.append(p + 1, std::min(n - 1, kWordKept - std::min(word.size(), kWordKept)));
  }
};

bool fIsLineStart(const sLineWords& words) {
  for (const KindCode code : kLineStartWords) {
    if (words.fIs(0, code)) return true;
  }
  return false;
}

class sChecker {
 public:
  sChecker(const char* p, size_t n) : p_(p), n_(n) {}
  sScriptCheck fRun();
  size_t fQuietEnd() const;

 private:
  // Byte layer.
  void fByte(char c);
  void fLineEnd();
  void fCode(char c);
  void fString(char c);
  void fRawcode(char c);
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
  void fWarn(eProblem problem, std::string message);
  void fError(int32_t nLine, eProblem problem, std::string message);
  void fUnclosed(const sOpenBlock& block);
  void fStray();
  void fLeftOut();

  const char* p_;
  size_t n_;
  size_t pos_ = 0;
  int32_t nLine_ = 1;
  eMode mode_ = eMode::kCode;
  bool bEscape_ = false;          // the byte after a backslash in a string literal
  bool bStatementLine_ = true;    // the line began in code, so its first word begins a statement
  sLineWords words_;
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

// Bytes that change nothing in code once a line's first words are known.
constexpr std::array<bool, 256> fQuietCodeBytes() {
  std::array<bool, 256> quiet{};
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    quiet[static_cast<size_t>(b)] = !fIsLineEnd(c) && !fIsControl(c) && c != '(' && c != '[' &&
                                    c != ')' && c != ']' && c != '"' && c != '\'' && c != '/';
  }
  return quiet;
}
constexpr std::array<bool, 256> kQuietCode = fQuietCodeBytes();

// The end of the run from pos_ on that changes nothing here: in code once a
// line's first words are known, in a literal of a statement line, and in a
// comment. Such runs are passed over without a look at each byte.
size_t sChecker::fQuietEnd() const {
  size_t end = pos_;
  const auto u = [this](size_t i) { return static_cast<uint8_t>(p_[i]); };
  switch (mode_) {
    case eMode::kComment:
      while (end < n_ && !fIsLineEnd(p_[end])) ++end;
      break;
    case eMode::kCode:
      if (words_.bDone) {
        while (end < n_ && kQuietCode[u(end)]) ++end;
      }
      break;
    case eMode::kString:
      if (bStatementLine_ && !bEscape_) {
        while (end < n_ && !fIsLineEnd(p_[end]) && p_[end] != '\\' && p_[end] != '"') ++end;
      }
      break;
    case eMode::kRawcode: break;
  }
  return end;
}

sScriptCheck sChecker::fRun() {
  for (; pos_ < n_; ++pos_) {
    pos_ = fQuietEnd();
    if (pos_ >= n_) break;
    // The first words of a line are read a word at a time.
    if (mode_ == eMode::kCode && !words_.bDone && fIsWordByte(p_[pos_])) {
      size_t end = pos_ + 1;
      while (end < n_ && fIsWordByte(p_[end])) ++end;
      words_.fWordBytes(p_ + pos_, end - pos_);
      pos_ = end - 1;
      continue;
    }
    fByte(p_[pos_]);
  }
  fEndOfScript();
  std::stable_sort(result_.vDiagnostics.begin(), result_.vDiagnostics.end(),
                   [](const sDiagnostic& a, const sDiagnostic& b) { return a.nLine < b.nLine; });
  return std::move(result_);
}

void sChecker::fByte(char c) {
  if (fIsLineEnd(c)) {
    if (c == '\r' && pos_ + 1 < n_ && p_[pos_ + 1] == '\n') ++pos_;
    return fLineEnd();
  }
  switch (mode_) {
    case eMode::kCode: return fCode(c);
    case eMode::kString: return fString(c);
    case eMode::kRawcode: return fRawcode(c);
    case eMode::kComment: return;
  }
}

// Neither a comment nor a rawcode survives a line end; a string literal does.
void sChecker::fLineEnd() {
  if (bStatementLine_ && words_.bHasCode) fClassify();
  if (!bStatementLine_ && nSwallowedCode_ == 0 && fIsLineStart(words_)) {
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
  words_ = sLineWords();
  nGroups_ = 0;
  nMaxGroups_ = 0;
  bControlSeen_ = false;
}

void sChecker::fCode(char c) {
  if (c == '/' && pos_ + 1 < n_ && p_[pos_ + 1] == '/') {
    mode_ = eMode::kComment;
    ++pos_;
    return;
  }
  if (fIsControl(c)) {
    if (!bControlSeen_) {
      char text[48];
      std::snprintf(text, sizeof text, "control byte 0x%02X outside a literal",
                    static_cast<unsigned>(static_cast<unsigned char>(c)));
      fWarn(eProblem::kControlByte, text);
    }
    bControlSeen_ = true;
    return;
  }
  if (fIsBlank(c)) return words_.fBlank();
  words_.fByte(c);
  if (c == '(' || c == '[') nMaxGroups_ = std::max(nMaxGroups_, ++nGroups_);
  if ((c == ')' || c == ']') && nGroups_ > 0) --nGroups_;
  if (c == '"') {
    mode_ = eMode::kString;
    nLiteralLine_ = nLine_;
  }
  if (c == '\'') mode_ = eMode::kRawcode;
}

void sChecker::fString(char c) {
  if (!bStatementLine_ && fIsBlank(c)) words_.fBlank();
  if (!bStatementLine_ && !fIsBlank(c)) words_.fByte(c);
  if (bEscape_) {
    bEscape_ = false;
  } else if (c == '\\') {
    bEscape_ = true;
  } else if (c == '"') {
    mode_ = eMode::kCode;
  }
}

void sChecker::fRawcode(char c) {
  if (bEscape_) {
    bEscape_ = false;
  } else if (c == '\\') {
    bEscape_ = true;
  } else if (c == '\'') {
    mode_ = eMode::kCode;
  }
}

// An unterminated literal hides the block words after it, so the blocks it
// seems to leave open are not reported on their own.
void sChecker::fEndOfScript() {
  const bool bOpenLine = n_ > 0 && !fIsLineEnd(p_[n_ - 1]);
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
  if (words_.fIs(0, K_GLOBALS)) return fOpen(eBlock::kGlobals);
  if (fIsFunctionHead()) return fOpen(eBlock::kFunction);
  const int i = words_.fIs(0, K_CONSTANT) ? 1 : 0;
  for (const char* word : kDeclarationWords) {
    if (words_.fIs(i, word)) {
      bJass_ = true;
      return;
    }
  }
  if (fIsCloser()) return fStray();
  fLeftOut();
}

void sChecker::fInGlobals() {
  if (words_.fIs(0, K_ENDGLOBALS)) return fClose(eBlock::kGlobals);
  if (words_.fIs(0, K_GLOBALS) || fIsFunctionHead()) {
    fAbandonAll();
    return fTopLevel();
  }
  const int i = words_.fIs(0, K_CONSTANT) ? 1 : 0;
  if (fIsType(words_.vWord[i])) return;
  if (fIsCloser()) return fStray();
  fLeftOut();
}

void sChecker::fInFunction() {
  for (const KindCode code : kStatementWords) {
    if (words_.fIs(0, code)) return;
  }
  if (words_.fIs(0, K_IF)) return fOpen(eBlock::kIf);
  if (words_.fIs(0, K_LOOP)) return fOpen(eBlock::kLoop);
  if (words_.fIs(0, K_ELSE) || words_.fIs(0, K_ELSEIF)) return fNeedIf();
  if (words_.fIs(0, K_ENDIF)) return fClose(eBlock::kIf);
  if (words_.fIs(0, K_ENDLOOP)) return fClose(eBlock::kLoop);
  if (words_.fIs(0, K_ENDFUNCTION)) return fClose(eBlock::kFunction);
  if (words_.fIs(0, K_GLOBALS) || fIsFunctionHead()) {
    fAbandonAll();
    return fTopLevel();
  }
  if (fIsCloser()) return fStray();
  fLeftOut();
}

bool sChecker::fIsFunctionHead() const {
  return words_.fIs(0, K_FUNCTION) || (words_.fIs(0, K_CONSTANT) && words_.fIs(1, K_FUNCTION));
}

bool sChecker::fIsCloser() const {
  for (const sBlockWords& row : kBlockWords) {
    if (words_.fIs(0, row.closer)) return true;
  }
  return words_.fIs(0, K_ELSE) || words_.fIs(0, K_ELSEIF);
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

void sChecker::fWarn(eProblem problem, std::string message) {
  ++nWarnings_;
  if (nWarnings_ > CONST_MAX_WARNINGS + 1) return;
  if (nWarnings_ == CONST_MAX_WARNINGS + 1) {
    problem = eProblem::kTooManyWarnings;
    message = "more than " + std::to_string(CONST_MAX_WARNINGS) + " warnings; the rest are not shown";
  }
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
  const std::string& word = words_.vWord[0];
  const bool bElse = words_.fIs(0, K_ELSE) || words_.fIs(0, K_ELSEIF);
  std::string opener = bElse ? fKeywordText(K_IF) : word.substr(3);
  fWarn(eProblem::kStrayCloser, "'" + word + "' without '" + opener + "'");
}

// The line's first word, or its first byte, as it can be shown on a console.
std::string fShownStart(const sLineWords& words) {
  const std::string& word = words.vWord[0];
  if (!word.empty()) {
    return "'" + (word.size() > kWordShown ? word.substr(0, kWordShown) + "..." : word) + "'";
  }
  const auto u = static_cast<unsigned char>(words.firstOther);
  if (u > 0x20 && u < 0x7F) return std::string("'") + words.firstOther + "'";
  char text[16];
  std::snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned>(u));
  return text;
}

void sChecker::fLeftOut() {
  fWarn(eProblem::kLineLeftOut,
        "line left out: no rule translates a line that begins with " + fShownStart(words_) +
            " here");
}

}  // namespace

sScriptCheck fCheckScript(const char* pScript, size_t length) {
  if (pScript == nullptr) length = 0;
  return sChecker(pScript, length).fRun();
}

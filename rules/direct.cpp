// Functions written from templates of their lines. The engine's translation
// of a line depends on its words and on which names are globals, but not on
// the particular names, numbers, strings and rawcodes, and its depth only
// indents it: so a line is reduced to a key in which each of those values is
// a placeholder, and the engine translates each key once. The learner puts
// the keys that are not known yet into a function of its own, one line each
// between marker calls, and cuts the engine's output at the markers. Lines
// are then written by copying the learnt bytes, putting the line's own
// values where the placeholders came out and its own tabs where the lines
// begin. The blocks' braces are the engine's fixed framing.
#include "rules/direct.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "output/logical.h"
#include "output/names.h"
#include "output/reserved.h"
#include "output/tokens.h"
#include "rules/rules.h"
#include "scan/kinds.h"
#include "scan/scanner.h"
#include "scan/typenames.h"
#include "text/byteset.h"
#include "text/literals.h"

namespace {

// Byte strings to small numbers, with open addressing; the keys are kept in
// one block of their own.
class sByteTable {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // Eight bytes a step; the tail is read as one more step.
  static uint64_t fHash(std::string_view key) {
    uint64_t hash = 0x9E3779B97F4A7C15ULL ^ key.size();
    size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
      uint64_t chunk;
      std::memcpy(&chunk, key.data() + i, 8);
      hash = (hash ^ chunk) * 0xFF51AFD7ED558CCDULL;
      hash ^= hash >> 32;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, key.data() + i, key.size() - i);
    hash = (hash ^ tail) * 0xC4CEB9FE1A85EC53ULL;
    return hash ^ (hash >> 29);
  }
  uint32_t fFind(std::string_view key) const { return fFind(key, fHash(key)); }

  // A table may hash its keys its own way, the same for every call.
  uint32_t fFind(std::string_view key, uint64_t hash) const {
    if (slots_.empty()) return kNone;
    for (size_t i = hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      const sSlot& slot = slots_[i];
      if (slot.nValue == kNone) return kNone;
      if (slot.nHash == hash && slot.nLength == key.size() &&
          std::memcmp(bytes_.data() + slot.nOffset, key.data(), key.size()) == 0) {
        return slot.nValue;
      }
    }
  }

  // The key must not be in the table yet.
  void fInsert(std::string_view key, uint32_t value) { fInsert(key, fHash(key), value); }

  void fInsert(std::string_view key, uint64_t hash, uint32_t value) {
    if ((nUsed_ + 1) * 2 > slots_.size()) fGrow();
    fPlace({hash, bytes_.size(), key.size(), value});
    bytes_.append(key);
    ++nUsed_;
  }

  void fClear() {
    slots_.clear();
    bytes_.clear();
    nUsed_ = 0;
  }

 private:
  struct sSlot {
    uint64_t nHash = 0;
    size_t nOffset = 0;
    size_t nLength = 0;
    uint32_t nValue = kNone;
  };



  void fPlace(const sSlot& slot) {
    size_t i = slot.nHash & (slots_.size() - 1);
    while (slots_[i].nValue != kNone) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = slot;
  }

  void fGrow() {
    std::vector<sSlot> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, sSlot());
    for (const sSlot& slot : old) {
      if (slot.nValue != kNone) fPlace(slot);
    }
  }

  std::vector<sSlot> slots_;  // a power of two of them
  std::string bytes_;
  size_t nUsed_ = 0;
};

}  // namespace

/// Learnt bytes with the places where a line's own values and tabs go.
struct sLineTemplate {
  static constexpr uint32_t kTabs = UINT32_MAX;  // the hole of a line's extra tabs
  bool bValid = false;
  bool bFinished = false;  // through the token and grouping passes already
  std::string bytes;
  std::vector<std::pair<uint32_t, uint32_t>> holes;  // (offset in bytes, value index or kTabs)
};

/// What the engine makes of a function header.
struct sHeadTemplate {
  bool bValid = false;
  bool bRegisters = false;
  sLineTemplate head;          // the function's text before its first line
  sLineTemplate prototype;     // filed for the header file
  sLineTemplate registration;  // filed for fFuncsInit, when bRegisters
  sLineTemplate headText;      // vFuncHeadText
  sLineTemplate params;        // vFuncParams
  sLineTemplate name;          // vFuncName
  sLineTemplate jassName;      // vFuncJassName
};

namespace {

constexpr int32_t kMaxBlocks = 32;       // deeper functions go through the engine
constexpr size_t kMaxLineBytes = 900;    // the engine cuts a line at 999 bytes
constexpr size_t kMaxValues = 100;       // rawcode placeholders have two digits
constexpr int32_t kMaxFailedRuns = 16;   // beyond that a script is left to the engine
constexpr size_t kUnitsPerRun = 2000;    // lines or headers learnt in one engine run at most

// A number placeholder: kNumberMark, a digit for the form it stands for
// and the value's index in three digits. A real's has ".0" after it, so it
// reads as a real, and one that ends in its point ('3.') has "."; a
// hexadecimal's keeps the "0x" in front, outside it, and a real that begins
// with its point ('.5') the ".".
constexpr std::string_view kNumberMark = "9000";
constexpr size_t kNumberLength = 8;
static_assert(kNumberLength == kNumberMark.size() + 4, "a form digit, three of index");
constexpr char kInteger = '0';
constexpr char kReal = '1';
constexpr char kHex = '2';
constexpr char kPointLast = '3';
constexpr char kPointFirst = '4';
constexpr std::string_view kRealTail = ".0";
constexpr std::string_view kPointTail = ".";

// The tail a number placeholder of the form has after its digits.
std::string_view fNumberTail(char form) {
  if (form == kReal) return kRealTail;
  return form == kPointLast ? kPointTail : std::string_view("", 0);
}

// What the first byte of a key says about the line.
enum class eLine : char {
  kStatement = 'S',  // set, call, return
  kLocal = 'D',
  kIf = 'I',
  kElseif = 'E',
  kExitwhen = 'X',
  kElse = 'e',
  kEndif = 'i',
  kLoop = 'L',
  kEndloop = 'l',
  kEmpty = '0',
};

bool fHasTemplate(eLine kind) {
  return kind == eLine::kStatement || kind == eLine::kLocal || kind == eLine::kIf ||
         kind == eLine::kElseif || kind == eLine::kExitwhen;
}

// The depth at which the learner translates a kind of line: an exitwhen
// needs a loop around it.
int32_t fLearnDepth(eLine kind) { return kind == eLine::kExitwhen ? 3 : 2; }

// What a word is, in bits: one the engine treats by its spelling, and then
// whether the registry of globals holds it or its renamed form; a name the
// registry holds; a keyword; a word that opens or closes a block or
// statement.
constexpr uint32_t kAsIs = 1;
constexpr uint32_t kRenamed = 2;
constexpr uint32_t kLiteral = 4;
constexpr uint32_t kGlobal = 8;
constexpr uint32_t kKeyword = 16;
constexpr uint32_t kBlockWord = 32;

// What each word is, while the registry of globals has nGlobals names.
struct sWordCache {
  sByteTable words;  // hashed by sWordHash
  int32_t nGlobals = -1;
  std::string keyBytes;  // where a key is made before it is appended
};

// A word's hash, taken byte by byte while the word is read.
struct sWordHash {
  uint64_t nHash = 0xCBF29CE484222325ULL;
  void fAdd(char c) { nHash = (nHash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL; }
  uint64_t fValue() const { return nHash ^ (nHash >> 29); }
};

constexpr sByteSet kLetters = fByteSetOf("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
constexpr sByteSet kDigits = fByteSetOf("0123456789");
constexpr sByteSet kHexDigits = fByteSetOf("0123456789abcdefABCDEF");
constexpr sByteSet kWordBytes =
    fByteSetOf("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_");

bool fIsLetter(char c) { return fHasByte(kLetters, c); }
bool fIsDigit(char c) { return fHasByte(kDigits, c); }
bool fIsWordByte(char c) { return fHasByte(kWordBytes, c); }

size_t fWordEnd(std::string_view text, size_t i) {
  while (i < text.size() && fIsWordByte(text[i])) ++i;
  return i;
}

bool fStartsWithWord(std::string_view line, std::string_view word) {
  // The first byte turns most lines away before the comparison.
  return line.size() >= word.size() && line[0] == word[0] &&
         line.compare(0, word.size(), word) == 0 &&
         (line.size() == word.size() || !fIsWordByte(line[word.size()]));
}

// Words that the engine treats by their spelling: its keywords and type
// names, the names it maps, and the names C++ reserves. A word that only
// begins like a keyword ('integer040', 'notX', 'thenY') is a name to it.
bool fIsKeyword(std::string_view word) {
  static const std::vector<std::string> kKeywords = [] {
    std::vector<std::string> words;
    for (KindCode code = 0; code <= 100; ++code) {
      std::string text = fKeywordText(code);
      if (!text.empty() && fIsLetter(text[0])) words.push_back(std::move(text));
    }
    return words;
  }();
  return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end();
}

bool fIsLiteralWord(std::string_view word) {
  return fIsKeyword(word) || fIsOtherTypeName(word) || fIsReservedName(word) ||
         fIsMappedName(word);
}

// The types a local can be declared with: the scanner knows no others.
bool fIsTypeName(std::string_view word) {
  static const std::vector<std::string> kTypes = [] {
    std::vector<std::string> types;
    for (KindCode code = 0; code <= 100; ++code) {
      if (fIsTypeKind(code)) types.push_back(fKeywordText(code));
    }
    return types;
  }();
  return std::find(kTypes.begin(), kTypes.end(), word) != kTypes.end() || fIsOtherTypeName(word);
}

bool fIsBlockWord(std::string_view word) {
  static constexpr std::string_view kBlockWords[] = {
      "if",    "endif",  "loop",  "endloop", "else",    "elseif",   "exitwhen",
      "function", "endfunction", "globals", "endglobals", "local", "set", "call",
      "return", "takes", "returns", "constant", "then", "native"};
  return std::find(std::begin(kBlockWords), std::end(kBlockWords), word) != std::end(kBlockWords);
}

// The bits of the word.
uint32_t fWordClass(sState& s, sWordCache& cache, std::string_view word, uint64_t hash) {
  if (cache.nGlobals != s.vGlobalNames.nCount()) {
    cache.words.fClear();
    cache.nGlobals = s.vGlobalNames.nCount();
  }
  const uint32_t known = cache.words.fFind(word, hash);
  if (known != sByteTable::kNone) return known;
  uint32_t kind = 0;
  if (fIsLiteralWord(word)) {
    kind = kLiteral;
    if (s.vGlobalNames.fContainsBytes(word.data(), word.size())) kind |= kAsIs;
    const std::string renamed = std::string(word) + "_2";
    if (s.vGlobalNames.fContainsBytes(renamed.data(), renamed.size())) kind |= kRenamed;
    if (fIsKeyword(word)) kind |= kKeyword;
    if (fIsBlockWord(word)) kind |= kBlockWord;
  } else if (s.vGlobalNames.fContainsBytes(word.data(), word.size())) {
    kind = kGlobal;
  }
  cache.words.fInsert(word, hash, kind);
  return kind;
}

uint32_t fWordClass(sState& s, sWordCache& cache, std::string_view word) {
  sWordHash hash;
  for (const char c : word) hash.fAdd(c);
  return fWordClass(s, cache, word, hash.fValue());
}

// A placeholder in learnt output: 'Q', its family, its index and 'Q'; a
// rawcode's is 'QR' and two digits, four bytes like the rawcodes it stands
// for; a number's is kNumberMark, its form and three digits.
struct sPlaceholder {
  char family = 0;
  uint32_t nIndex = 0;
  size_t nLength = 0;
};

// Any run of exactly its digits is one: the engine may write a number
// against a word ('0 thenX' gave "0thenX"), and a key never holds such a
// run otherwise.
bool fParseNumberPlaceholder(std::string_view text, size_t i, sPlaceholder& p) {
  if (i > 0 && fIsDigit(text[i - 1])) return false;
  if (text.compare(i, kNumberMark.size(), kNumberMark) != 0) return false;
  size_t end = i;
  while (end < text.size() && fIsDigit(text[end])) ++end;
  if (end - i != kNumberLength) return false;
  const char form = text[i + kNumberMark.size()];
  if (form < kInteger || form > kPointFirst) return false;
  uint32_t index = 0;
  for (size_t j = i + kNumberMark.size() + 1; j < end; ++j) {
    index = index * 10 + static_cast<uint32_t>(text[j] - '0');
  }
  // Written as learnt, a real's tail is part of the value.
  const std::string_view tail = fNumberTail(form);
  if (text.compare(end, tail.size(), tail) != 0) return false;
  p = {'0', index, kNumberLength + tail.size()};
  return true;
}

bool fParsePlaceholder(std::string_view text, size_t i, sPlaceholder& p) {
  if (text[i] == kNumberMark[0]) return fParseNumberPlaceholder(text, i, p);
  if (i + 3 >= text.size() || text[i] != 'Q') return false;
  const char family = text[i + 1];
  if (family < 'A' || family > 'Z' || !fIsDigit(text[i + 2])) return false;
  if (family == 'R') {
    if (!fIsDigit(text[i + 3])) return false;
    p = {family, static_cast<uint32_t>((text[i + 2] - '0') * 10 + (text[i + 3] - '0')), 4};
    return true;
  }
  size_t j = i + 2;
  uint32_t index = 0;
  while (j < text.size() && fIsDigit(text[j]) && index < 100000000) {
    index = index * 10 + static_cast<uint32_t>(text[j] - '0');
    ++j;
  }
  if (j >= text.size() || text[j] != 'Q') return false;
  p = {family, index, j + 1 - i};
  return true;
}

bool fLooksLikePlaceholder(std::string_view text, size_t i) {
  if (text.compare(i, kNumberMark.size(), kNumberMark) == 0) return true;
  return text[i] == 'Q' && i + 2 < text.size() && text[i + 1] >= 'A' && text[i + 1] <= 'Z' &&
         fIsDigit(text[i + 2]);
}

// The bytes that may begin a placeholder or a line.
constexpr sByteSet kTemplateStops = fByteSetOf("Q9\n");

// Bytes with a hole wherever a placeholder of the families came out (the
// family '0' is the numbers'), and with bTabs a hole at each line start for
// the tabs of a deeper line. Any other placeholder-like text means the
// output was cut in the wrong place.

bool fMakeTemplate(std::string_view text, const char* families, size_t nValues, bool bTabs,
                   sLineTemplate& t, uint32_t nDeclaredOffset = 0) {
  t = sLineTemplate();
  t.bytes.reserve(text.size());
  t.holes.reserve(16);  // most lines have fewer values and tab holes
  for (size_t i = 0; i < text.size();) {
    if (bTabs && (i == 0 || text[i - 1] == '\n')) {
      t.holes.emplace_back(static_cast<uint32_t>(t.bytes.size()), sLineTemplate::kTabs);
    }
    if (!fHasByte(kTemplateStops, text[i])) {
      size_t end = i + 1;
      while (end < text.size() && !fHasByte(kTemplateStops, text[end])) ++end;
      t.bytes.append(text.data() + i, end - i);
      i = end;
      continue;
    }
    sPlaceholder p;
    const bool bMaybe = text[i] == 'Q' || text[i] == kNumberMark[0];
    if (!bMaybe || !fParsePlaceholder(text, i, p)) {
      // Nothing but a placeholder puts these bytes into learnt output (a
      // literal holding them stays out of the templates); one the engine
      // ran into a neighbour ('5$0' gave "0x900000010") has no place.
      if (bMaybe && fLooksLikePlaceholder(text, i)) return false;
      t.bytes += text[i];
      ++i;
      continue;
    }
    if (p.family == 'K' || p.family == 'L') {
      if (nDeclaredOffset == 0 || p.nIndex < nDeclaredOffset) return false;
      p.nIndex -= nDeclaredOffset;
    } else if (std::strchr(families, p.family) == nullptr) {
      return false;
    }
    if (p.nIndex >= nValues) return false;
    t.holes.emplace_back(static_cast<uint32_t>(t.bytes.size()), p.nIndex);
    i += p.nLength;
  }
  t.bValid = true;
  return true;
}

// Sized first and then written in place: a line has a hole or two for
// each of its words, and appending each piece cost more than the copying.
size_t fFilledSize(const sLineTemplate& t, const std::string_view* pValues, size_t tabs) {
  size_t size = t.bytes.size();
  for (const auto& [offset, index] : t.holes) {
    size += index == sLineTemplate::kTabs ? tabs : pValues[index].size();
  }
  return size;
}

// Writes the filled template at p, which has room for it; returns its end.
char* fFillAt(const sLineTemplate& t, const std::string_view* pValues, size_t tabs, char* p) {
  const char* bytes = t.bytes.data();
  size_t copied = 0;
  for (const auto& [offset, index] : t.holes) {
    std::memcpy(p, bytes + copied, offset - copied);
    p += offset - copied;
    copied = offset;
    if (index == sLineTemplate::kTabs) {
      std::memset(p, '\t', tabs);
      p += tabs;
    } else {
      std::memcpy(p, pValues[index].data(), pValues[index].size());
      p += pValues[index].size();
    }
  }
  std::memcpy(p, bytes + copied, t.bytes.size() - copied);
  return p + (t.bytes.size() - copied);
}

size_t fTabsOf(int32_t nTabs) { return nTabs > 0 ? static_cast<size_t>(nTabs) : 0; }

void fFill(const sLineTemplate& t, const std::string_view* pValues, int32_t nTabs,
           std::string& out) {
  const size_t tabs = fTabsOf(nTabs);
  const size_t start = out.size();
  out.resize(start + fFilledSize(t, pValues, tabs));
  fFillAt(t, pValues, tabs, out.data() + start);
}

std::string fFilled(const sLineTemplate& t, const std::vector<std::string_view>& values) {
  std::string out;
  fFill(t, values.data(), 0, out);
  return out;
}

size_t fBlanksEnd(std::string_view text, size_t i) {
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

size_t fBlanksStart(std::string_view text, size_t i) {
  while (i > 0 && text[i - 1] == ' ') --i;
  return i;
}

// Bytes that stand for themselves in a key: neither a word, a number, a
// literal nor a control or non-ASCII byte.
constexpr sByteSet kPlainBytes = [] {
  sByteSet set{};
  for (int byte = 32; byte < 128; ++byte) {
    const char c = static_cast<char>(byte);
    set[byte] = !kWordBytes[byte] && c != '.' && c != '$' && c != '"' && c != '\'';
  }
  return set;
}();

bool fIsPlainByte(char c) { return fHasByte(kPlainBytes, c); }

// Reduces a line to its key: names, integers, strings of two or more bytes
// and rawcodes of four letters and digits become placeholders, everything
// else stays as it is. Names are of the family 'G' when they name a global
// that no parameter or local hides, else 'N'; a header's are all 'H'.
class sKeyMaker {
 public:
  sKeyMaker(sState& s, sWordCache& cache, const std::vector<std::string>& locals)
      : s_(s), cache_(cache), locals_(locals) {}

  // Appends the key to key and the values to values; false when the line
  // holds something the templates do not cover. The name a local line
  // declares is of the family 'K' when it names a global, else 'L'.
  bool fRun(std::string_view line, bool bHeader, std::string_view declared, std::string& key,
            std::vector<std::string_view>& values) {
    // Bounds the placeholders' indices to three digits, and so the key.
    if (line.size() > kMaxLineBytes) return false;
    values_ = &values;
    declared_ = declared;
    nFirst_ = values.size();
    nDeclared_ = kNoDeclared;
    registered_.clear();
    nAfterValue_ = std::string_view::npos;
    // A value of n bytes becomes at most 8n bytes (a one-digit number), and
    // a literal word at most 4n+8 more as registry entries.
    const size_t bound = 16 * line.size() + 64;
    if (cache_.keyBytes.size() < bound) cache_.keyBytes.resize(bound);
    out_ = cache_.keyBytes.data();
    if (!fLine(line, bHeader)) return false;
    if (!registered_.empty()) {
      std::sort(registered_.begin(), registered_.end());
      for (const std::string& entry : registered_) {
        fPut('\n');
        fPut(entry);
      }
    }
    key.append(cache_.keyBytes.data(), static_cast<size_t>(out_ - cache_.keyBytes.data()));
    return values_->size() - nFirst_ <= kMaxValues;
  }

 private:
  bool fLine(std::string_view line, bool bHeader) {
    const char* const p = line.data();
    const size_t n = line.size();
    int32_t nDepth = 0;
    for (size_t i = 0; i < n;) {
      const char c = p[i];
      if (fIsLetter(c)) {
        sWordHash hash;
        size_t end = i;
        for (; end < n && fIsWordByte(p[end]); ++end) hash.fAdd(p[end]);
        const std::string_view word(p + i, end - i);
        const uint32_t kind = fWordClass(s_, cache_, word, hash.fValue());
        if ((kind & kBlockWord) != 0 && !fStandsRight(word, i == 0, end == n, bHeader)) {
          return false;
        }
        if (!fName(word, kind, bHeader)) return false;
        if ((kind & kKeyword) == 0) nAfterValue_ = end;
        i = end;
      } else if (fIsPlainByte(c)) {
        // Operators and blanks go over in runs.
        size_t end = i;
        for (; end < n && fIsPlainByte(p[end]); ++end) {
          const char b = p[end];
          if (b == '(' || b == '[') ++nDepth;
          if (b == ')' || b == ']') --nDepth;
          if (nDepth < 0) return false;
        }
        fPut(line.substr(i, end - i));
        i = end;
      } else if (fIsDigit(c) || c == '.') {
        // The engine may drop the blanks between a name or number and the
        // number after it ('do 0' gave "do_20"), running a placeholder into
        // its neighbour.
        if (i > 0 && p[i - 1] == ' ' && nAfterValue_ == fBlanksStart(line, i)) return false;
        size_t end = i + 1;
        while (end < n && (fIsWordByte(p[end]) || p[end] == '.')) ++end;
        if (!fNumber(line.substr(i, end - i))) return false;
        i = nAfterValue_ = end;
      } else if (c == '$') {
        const size_t end = fWordEnd(line, i + 1);
        if (!fKeepsLiteral(line.substr(i, end - i))) return false;
        i = end;
      } else if (c == '"') {
        if (!fString(line, i)) return false;
      } else if (c == '\'') {
        if (!fRawcode(line, i)) return false;
      } else {
        return false;  // a control or non-ASCII byte
      }
    }
    return nDepth == 0;
  }

  void fPut(char c) { *out_++ = c; }

  // Most runs are an operator or two: copied in place, without a call.
  void fPut(std::string_view bytes) {
    if (bytes.size() <= 8) {
      for (const char c : bytes) *out_++ = c;
      return;
    }
    std::memcpy(out_, bytes.data(), bytes.size());
    out_ += bytes.size();
  }

  // The engine finds blocks by the words that open and close them, and a
  // statement by its first word, wherever they stand: such a word belongs
  // first on its line, "then" last, and nowhere else.
  static bool fStandsRight(std::string_view word, bool bFirst, bool bLast, bool bHeader) {
    if (bHeader) return word == "function" ? bFirst : (word == "takes" || word == "returns");
    if (word == "then") return bLast;
    // A function's address ('function F') stands inside statements.
    return bFirst || word == "function";
  }

  bool fIsLocal(std::string_view name) const {
    for (const std::string& local : locals_) {
      if (local == name) return true;
    }
    return false;
  }

  // Each value gets a placeholder of its own, even where the same value
  // comes again: the engine translates a name or number the same way
  // whatever else the line holds, and 'f(a,a)' then shares the key of
  // 'f(a,b)'. The declared name is the exception: the learner declares one
  // name for all of its occurrences.
  // The declared name is one word of one family ('K' or 'L': whether it
  // names a global is the same each time), so one index serves it.
  uint32_t fValueIndex(std::string_view value, char family) {
    const bool bDeclared = family == 'K' || family == 'L';
    if (bDeclared && nDeclared_ != kNoDeclared) return nDeclared_;
    values_->push_back(value);
    const uint32_t index = static_cast<uint32_t>(values_->size() - 1 - nFirst_);
    if (bDeclared) nDeclared_ = index;
    return index;
  }

  // 'Q', the family, the index, 'Q'; a rawcode's has two digits, no 'Q'.
  void fPutPlaceholder(char family, uint32_t index) {
    fPut('Q');
    fPut(family);
    if (family == 'R') {
      fPut(static_cast<char>('0' + index / 10));
      fPut(static_cast<char>('0' + index % 10));
      return;
    }
    if (index >= 100) fPut(static_cast<char>('0' + index / 100));
    if (index >= 10) fPut(static_cast<char>('0' + index / 10 % 10));
    fPut(static_cast<char>('0' + index % 10));
    fPut('Q');
  }

  // A literal word that names a global (a global "new" is "new_2") goes
  // into the key with its registry entries, which the learner registers too.
  bool fName(std::string_view word, uint32_t kind, bool bHeader) {
    if ((kind & kLiteral) != 0) {
      if ((kind & (kAsIs | kRenamed)) != 0) {
        if (fIsLocal(word)) return false;
        if ((kind & kAsIs) != 0) fNoteRegistered(word);
        if ((kind & kRenamed) != 0) fNoteRegistered(std::string(word) + "_2");
      }
      fPut(word);
      return true;
    }
    const bool bGlobal = (kind & kGlobal) != 0 && !fIsLocal(word);
    char family = bHeader ? 'H' : (bGlobal ? 'G' : 'N');
    if (!declared_.empty() && word == declared_) family = bGlobal ? 'K' : 'L';
    fPutPlaceholder(family, fValueIndex(word, family));
    return true;
  }

  void fNoteRegistered(std::string_view entry) {
    if (std::find(registered_.begin(), registered_.end(), entry) == registered_.end()) {
      registered_.emplace_back(entry);
    }
  }

  // Decimal integers without a leading zero, reals of digits with a point
  // before, after or among them, and hexadecimals of up to eight digits after "0x",
  // which the engine copies as they are (the registry of globals takes
  // identifiers only, so no number is ever written as a global); other
  // forms stay as they are, since the engine writes some of them
  // differently ('$FF', a lone "0" before digits).
  bool fNumber(std::string_view number) {
    const size_t point = number.find('.');
    if (point != std::string_view::npos) {
      const std::string_view whole = number.substr(0, point);
      const std::string_view fraction = number.substr(point + 1);
      if (number.size() > 24 || !fAllOf(whole, kDigits) || !fAllOf(fraction, kDigits) ||
          number.size() == 1) {
        return fKeepsLiteral(number);
      }
      if (whole.empty()) {
        fPut('.');
        return fPutNumber(fraction, kPointFirst);
      }
      return fPutNumber(number, fraction.empty() ? kPointLast : kReal);
    }
    if (number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X')) {
      const std::string_view digits = number.substr(2);
      if (digits.size() > 8 || !fAllOf(digits, kHexDigits)) return fKeepsLiteral(number);
      fPut(number.substr(0, 2));
      return fPutNumber(digits, kHex);
    }
    const bool bInteger = number.size() <= 9 && (number[0] != '0' || number.size() == 1) &&
                          fAllOf(number, kDigits);
    return bInteger ? fPutNumber(number, kInteger) : fKeepsLiteral(number);
  }

  static bool fAllOf(std::string_view text, const sByteSet& set) {
    for (const char c : text) {
      if (!fHasByte(set, c)) return false;
    }
    return true;
  }

  bool fPutNumber(std::string_view value, char form) {
    const uint32_t index = fValueIndex(value, '0');
    if (index >= 1000) return false;
    fPut(kNumberMark);
    fPut(form);
    fPut(static_cast<char>('0' + index / 100));
    fPut(static_cast<char>('0' + index / 10 % 10));
    fPut(static_cast<char>('0' + index % 10));
    fPut(fNumberTail(form));
    return true;
  }

  // A literal kept as it stands must not look like a placeholder.
  bool fKeepsLiteral(std::string_view literal) {
    for (size_t i = 0; i + 2 < literal.size(); ++i) {
      if (literal[i] == 'Q' && literal[i + 1] >= 'A' && literal[i + 1] <= 'Z' &&
          fIsDigit(literal[i + 2])) {
        return false;
      }
      if (literal.compare(i, kNumberMark.size(), kNumberMark) == 0) return false;
    }
    fPut(literal);
    return true;
  }

  bool fString(std::string_view line, size_t& i) {
    size_t j = i + 1;
    // Without escapes but '\\' the engine copies the bytes as they are.
    bool bPlain = true;
    size_t nBytes = 0;  // what the literal holds, escapes undone
    while (j < line.size() && line[j] != '"') {
      // The engine ends a line at a zero byte or byte 14, even in a literal;
      // other control bytes (a tab) it copies as they are.
      if (fIsLineEndByte(line[j])) return false;
      if (line[j] == '\\') {
        if (j + 1 >= line.size() || line[j + 1] != '\\') bPlain = false;
        ++j;
        if (j < line.size() && fIsLineEndByte(line[j])) return false;
      }
      ++j;
      ++nBytes;
    }
    if (j >= line.size()) return false;
    const std::string_view text = line.substr(i + 1, j - i - 1);
    // Literals of at most one byte are written by their code.
    if (bPlain && nBytes >= 2) {
      fPut('"');
      fPutPlaceholder('S', fValueIndex(text, 'S'));
      fPut('"');
    } else if (!fKeepsLiteral(line.substr(i, j + 1 - i))) {
      return false;
    }
    i = j + 1;
    return true;
  }

  bool fRawcode(std::string_view line, size_t& i) {
    size_t j = i + 1;
    while (j < line.size() && line[j] != '\'') {
      if (line[j] == '\\' || static_cast<unsigned char>(line[j]) < 32) return false;
      ++j;
    }
    if (j >= line.size()) return false;
    const std::string_view text = line.substr(i + 1, j - i - 1);
    bool bWord = text.size() == 4 && fIsLetter(text[0]);
    for (const char c : text) bWord = bWord && (fIsLetter(c) || fIsDigit(c));
    if (bWord) {
      const uint32_t index = fValueIndex(text, 'R');
      if (index >= kMaxValues) return false;
      fPut('\'');
      fPutPlaceholder('R', index);
      fPut('\'');
    } else if (!fKeepsLiteral(line.substr(i, j + 1 - i))) {
      return false;
    }
    i = j + 1;
    return true;
  }

  sState& s_;
  sWordCache& cache_;
  const std::vector<std::string>& locals_;
  std::vector<std::string_view>* values_ = nullptr;
  std::string_view declared_;
  size_t nFirst_ = 0;
  static constexpr uint32_t kNoDeclared = UINT32_MAX;
  uint32_t nDeclared_ = kNoDeclared;  // the index of the declared name's value
  std::vector<std::string> registered_;
  size_t nAfterValue_ = 0;  // where the last name or number ended
  char* out_ = nullptr;     // the next byte of the key, in cache_.keyBytes
};

// A number may run into "then" ('if i==9then'); a name may not.
bool fEndsWithThen(std::string_view line) {
  static constexpr std::string_view kThen = "then";
  if (line.size() <= kThen.size() ||
      line.compare(line.size() - kThen.size(), kThen.size(), kThen) != 0) {
    return false;
  }
  size_t i = line.size() - kThen.size();
  if (!fIsWordByte(line[i - 1])) return true;
  while (i > 0 && fIsDigit(line[i - 1])) --i;
  return i > 0 && !fIsLetter(line[i - 1]) && line[i - 1] != '_';
}

// The name a local declaration declares: 'local TYPE [array ]NAME...', with
// one or more blanks between the words.
bool fDeclaredName(std::string_view line, std::string_view& name) {
  size_t i = fBlanksEnd(line, 5);  // after "local"
  size_t end = fWordEnd(line, i);
  if (end == i || end >= line.size() || line[end] != ' ') return false;
  if (!fIsTypeName(line.substr(i, end - i))) return false;
  i = fBlanksEnd(line, end);
  end = fWordEnd(line, i);
  if (line.substr(i, end - i) == "array") {
    if (end >= line.size() || line[end] != ' ') return false;
    i = fBlanksEnd(line, end);
    end = fWordEnd(line, i);
  }
  if (end == i || !fIsLetter(line[i])) return false;
  if (end < line.size() && line[end] != '=' && line[end] != ' ') return false;
  name = line.substr(i, end - i);
  return true;
}

// The parameters of 'function NAME takes nothing|TYPE NAME,... returns TYPE'.
// The engine takes a type by its first bytes ('returns stringboolean' came
// out "sMyString"), so a type it does not know leaves the function to it.
bool fParameters(std::string_view header, std::vector<std::string>& params) {
  static constexpr std::string_view kTakes = " takes ";
  static constexpr std::string_view kReturns = " returns ";
  const size_t takes = header.find(kTakes);
  const size_t returns = header.rfind(kReturns);
  if (takes == std::string_view::npos || returns == std::string_view::npos || returns < takes) {
    return false;
  }
  std::string_view result = header.substr(returns + kReturns.size());
  result = result.substr(0, fWordEnd(result, fBlanksEnd(result, 0)));
  result.remove_prefix(fBlanksEnd(result, 0));
  if (result != "nothing" && !fIsTypeName(result)) return false;
  std::string_view list = header.substr(takes + kTakes.size(), returns - takes - kTakes.size());
  if (list == "nothing") return true;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    const size_t blank = item.find(' ');
    if (blank == std::string_view::npos || !fIsTypeName(item.substr(0, blank))) return false;
    const std::string_view name = item.substr(fBlanksEnd(item, blank));
    if (name.empty() || !fIsLetter(name[0]) || fWordEnd(name, 0) != name.size()) return false;
    params.emplace_back(name);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return true;
}

// The state the engine leaves between functions of a well-formed script;
// anything else may change how it translates the next one.
bool fStartsClean(const sState& s) {
  const uint8_t flags = s.vPendingNameSet | s.vPendingNumberSet | s.vNumericMode |
                        s.vStringMode | s.vInQuotes | s.vLeftOperandSet | s.vCallNameSet |
                        s.vAssignPending | s.vEqualityPending | s.vLessPending |
                        s.vGreaterPending | s.vBangPending | s.vPlusPending | s.vMinusPending |
                        s.vStarPending | s.vSlashPending | s.vCommaPending | s.vHexPending |
                        s.vNullPending | s.vElsePending | s.vInGlobals | s.vInLocalDecl |
                        s.vArrayDecl | s.vInExpressionRule | s.vInTakes | s.vReturnsSeen |
                        s.vRawFunctions | s.vEngineOnly;
  return flags == 0 && s.vDepth == 0 && s.vPendingType.fEmpty() && s.vEscapedQuotes.fEmpty() &&
         !s.fTestDispatch && s.vDepthRefused == 0;
}

struct sLine {
  eLine kind = eLine::kEmpty;
  int32_t nTabs = 0;  // the tabs beyond the learnt ones, or in front of braces
  size_t nKey = 0;    // the key: keys_ from nKey, nKeyLength bytes
  size_t nKeyLength = 0;
  size_t nValues = 0;  // the values: values_ from nValues
  uint64_t nHash = 0;  // the key's, looked up three times
  uint32_t nTemplate = sByteTable::kNone;
};

// One function cut into lines, each with its key and values.
class sFunctionLines {
 public:
  sFunctionLines(sState& s, sWordCache& cache) : s_(s), cache_(cache) {}

  // Reads the function text, which must outlive this.
  bool fRead(std::string_view text) {
    text_ = text;
    keys_.reserve(text.size() + text.size() / 4);
    values_.reserve(text.size() / 8);
    lines_.reserve(text.size() / 24);
    static constexpr std::string_view kEnd = "endfunction";
    size_t at = text.find("\r\n");
    if (at == std::string_view::npos) return false;
    const std::string_view header = text.substr(0, at);
    if (!fStartsWithWord(header, "function") || header.size() > kMaxLineBytes) return false;
    if (!fParameters(header, params_)) return false;
    locals_ = params_;
    if (!maker_.fRun(header, true, {}, headKey_, headValues_)) return false;
    if (headKey_.size() > kMaxLineBytes) return false;
    for (size_t start = at + 2;;) {
      at = text.find("\r\n", start);
      if (at == std::string_view::npos) return text.substr(start) == kEnd && blocks_.empty();
      if (!fAddLine(text.substr(start, at - start))) return false;
      start = at + 2;
    }
  }

  std::string_view fKey(const sLine& line) const {
    return std::string_view(keys_).substr(line.nKey, line.nKeyLength);
  }
  const std::string_view* fValues(const sLine& line) const { return values_.data() + line.nValues; }
  size_t fValueCount(size_t i) const {
    return (i + 1 < lines_.size() ? lines_[i + 1].nValues : values_.size()) - lines_[i].nValues;
  }
  const std::string& fHeadKey() const { return headKey_; }
  const std::vector<std::string_view>& fHeadValues() const { return headValues_; }
  std::vector<sLine>& fLines() { return lines_; }
  const std::vector<std::string>& fLocals() const { return locals_; }
  const std::vector<std::string>& fParams() const { return params_; }
  std::string_view fText() const { return text_; }

 private:
  int32_t fOpen() const { return static_cast<int32_t>(blocks_.size()); }

  bool fKeyed(eLine kind, int32_t nDepth, std::string_view line, std::string_view declared = {}) {
    sLine l;
    l.kind = kind;
    l.nTabs = nDepth - fLearnDepth(kind);
    l.nKey = keys_.size();
    l.nValues = values_.size();
    keys_ += static_cast<char>(kind);
    if (!maker_.fRun(line, false, declared, keys_, values_)) return false;
    // The learner's line, with its placeholders, must fit the engine's line
    // as well as the script's line does.
    if (keys_.size() - l.nKey > kMaxLineBytes) return false;
    l.nKeyLength = keys_.size() - l.nKey;
    l.nHash = sByteTable::fHash(std::string_view(keys_).substr(l.nKey, l.nKeyLength));
    lines_.push_back(l);
    return true;
  }

  void fFraming(eLine kind, int32_t nTabs) {
    sLine l;
    l.kind = kind;
    l.nTabs = nTabs;
    l.nKey = keys_.size();
    l.nValues = values_.size();
    lines_.push_back(l);
  }

  bool fInLoop() const { return std::find(blocks_.begin(), blocks_.end(), 'L') != blocks_.end(); }

  bool fAddLine(std::string_view line) {
    if (line.size() > kMaxLineBytes) return false;
    const int32_t depth = 2 + fOpen();
    const char inner = blocks_.empty() ? 'F' : blocks_.back();
    if (line.empty()) {
      fFraming(eLine::kEmpty, 0);
      return true;
    }
    if (fStartsWithWord(line, "set") || fStartsWithWord(line, "call") ||
        fStartsWithWord(line, "return")) {
      return fKeyed(eLine::kStatement, depth, line);
    }
    if (fStartsWithWord(line, "local")) return fLocal(line, depth);
    if (fStartsWithWord(line, "exitwhen")) {
      return fInLoop() && fKeyed(eLine::kExitwhen, depth, line);
    }
    if (fStartsWithWord(line, "if")) {
      if (!fEndsWithThen(line) || fOpen() >= kMaxBlocks) return false;
      if (!fKeyed(eLine::kIf, depth, line)) return false;
      blocks_.push_back('I');
      return true;
    }
    if (line == "loop") {
      if (fOpen() >= kMaxBlocks) return false;
      fFraming(eLine::kLoop, fOpen() + 1);
      blocks_.push_back('L');
      return true;
    }
    if (inner == 'I' && fStartsWithWord(line, "elseif")) {
      return fEndsWithThen(line) && fKeyed(eLine::kElseif, depth - 1, line);
    }
    if (inner == 'I' && line == "else") {
      fFraming(eLine::kElse, fOpen());
      return true;
    }
    if ((inner == 'I' && line == "endif") || (inner == 'L' && line == "endloop")) {
      fFraming(inner == 'I' ? eLine::kEndif : eLine::kEndloop, fOpen());
      blocks_.pop_back();
      return true;
    }
    return false;
  }

  // Locals stand before the first block; one named like a parameter is
  // written as an assignment, which the templates do not cover.
  bool fLocal(std::string_view line, int32_t depth) {
    std::string_view name;
    if (fOpen() != 0 || !fDeclaredName(line, name)) return false;
    if (std::find(params_.begin(), params_.end(), name) != params_.end()) return false;
    // A literal name stays in the key as it is, so the learner's function
    // would declare it for the other lines: not when it names a global.
    if ((fWordClass(s_, cache_, name) & (kAsIs | kRenamed)) != 0) return false;
    if (!fKeyed(eLine::kLocal, depth, line, name)) return false;
    locals_.emplace_back(name);
    return true;
  }

  sState& s_;
  sWordCache& cache_;
  std::string_view text_;
  std::string headKey_;
  std::vector<std::string_view> headValues_;
  std::vector<std::string> params_;
  std::vector<std::string> locals_;
  sKeyMaker maker_{s_, cache_, locals_};
  std::vector<char> blocks_;
  std::vector<sLine> lines_;
  std::string keys_;
  std::vector<std::string_view> values_;
};

}  // namespace

struct sLineTemplates {
  sByteTable lineIndex;  // key -> index in lines
  std::vector<sLineTemplate> lines;
  sByteTable headIndex;  // key -> index in heads
  std::vector<sHeadTemplate> heads;
  sWordCache words;
  // The functions read ahead of the engine, in script order, and the first
  // one the engine has not reached yet; null for one that cannot be
  // written from templates. Read while the registry had nAheadGlobals names.
  std::vector<std::unique_ptr<sFunctionLines>> ahead;
  std::vector<std::string_view> aheadText;
  size_t nNext = 0;
  size_t nScriptPos = 0;  // where reading ahead goes on
  int32_t nAheadGlobals = -1;
  int32_t nFailedRuns = 0;
};

namespace {

// A line to learn: its key and how many values its placeholders stand for.
struct sUnit {
  std::string key;
  size_t nValues = 0;
};

eLine fKindOf(const sUnit& unit) { return static_cast<eLine>(unit.key[0]); }

// A key's line, after its kind byte and before the registry entries.
std::string_view fKeyLine(std::string_view key, size_t nSkip) {
  const size_t end = key.find('\n');
  return key.substr(nSkip, end == std::string_view::npos ? std::string_view::npos : end - nSkip);
}

// The registry entries at the end of a key, one a line.
std::string_view fKeyEntries(std::string_view key) {
  const size_t at = key.find('\n');
  return at == std::string_view::npos ? std::string_view() : key.substr(at + 1);
}

void fAddEntries(std::string_view entries, std::vector<std::string>& globals) {
  while (!entries.empty()) {
    const size_t end = entries.find('\n');
    const std::string_view entry = entries.substr(0, end);
    if (std::find(globals.begin(), globals.end(), entry) == globals.end()) {
      globals.emplace_back(entry);
    }
    if (end == std::string_view::npos) break;
    entries.remove_prefix(end + 1);
  }
}

// The engine's run over a script of one function that the learner wrote.
struct sLearnt {
  sState s;
  std::string text;  // the functions' texts, when the engine filed each of them
  std::vector<std::pair<std::string, std::string>> markerStates;
  std::vector<const std::string*> states[3];  // by marker family M, A, B and number
  sLineMarks marks;  // at the line starts of the function's body
  bool bLineMarks = false;  // whether the marks are wanted
  std::vector<sFunctionNote> notes;  // of each function, when wanted
  bool bFunctionNotes = false;

  // Files the states by their markers, once the run is over.
  void fIndex() {
    static constexpr std::string_view kCall = "call Q";
    for (const auto& [call, state] : markerStates) {
      sPlaceholder p;
      if (call.compare(0, kCall.size(), kCall) != 0) continue;
      const std::string_view name = std::string_view(call).substr(kCall.size() - 1);
      if (!fParsePlaceholder(name, 0, p) || name.substr(p.nLength) != "()") continue;
      const char* families = "MAB";
      const char* at = std::strchr(families, p.family);
      if (at == nullptr) continue;
      std::vector<const std::string*>& list = states[at - families];
      if (list.size() <= p.nIndex) list.resize(p.nIndex + 1, nullptr);
      // A marker seen twice was cut twice: neither state can be trusted.
      list[p.nIndex] = list[p.nIndex] == nullptr ? &state : &kTwice;
    }
  }

  // The state before the marker call; null when it was not cut as a call.
  const std::string* fStateAt(char family, size_t n) const {
    const std::vector<const std::string*>& list = states[family == 'M' ? 0 : family == 'A' ? 1 : 2];
    if (n >= list.size() || list[n] == &kTwice) return nullptr;
    return list[n];
  }

  static inline const std::string kTwice = std::string(1, '\0');
};

bool fRunLearner(std::string&& script, int32_t nFunctions, const std::vector<std::string>& globals,
                 sLearnt& run) {
  sState& learner = run.s;
  learner.vEngineOnly = 1;
  learner.vRawFunctions = 1;
  for (const std::string& name : globals) learner.vGlobalNames.fAppendString(name.c_str());
  learner.vDepth = -1;
  learner.pMarkerStates = &run.markerStates;
  learner.pLineMarks = run.bLineMarks ? &run.marks : nullptr;
  learner.pFunctionNotes = run.bFunctionNotes ? &run.notes : nullptr;
  sText text(std::move(script));
  sText result;
  const bool ok = fRunRule(learner, K_SCRIPT, text, result);
  learner.pMarkerStates = nullptr;
  learner.pLineMarks = nullptr;
  learner.pFunctionNotes = nullptr;
  if (!ok) return false;
  run.fIndex();
  if (learner.vFuncsCppList.nCount() != 2 * nFunctions ||
      learner.vFuncsForHeaderList.nCount() != 2 * nFunctions) {
    return false;
  }
  for (int32_t i = 0; i < learner.vFuncsCppList.nCount(); ++i) {
    run.text += learner.vFuncsCppList.fItem(i);
  }
  return true;
}

std::string fMarker(char family, size_t n) {
  char digits[24];
  size_t d = sizeof digits;
  do {
    digits[--d] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  std::string marker = {'Q', family};
  marker.append(digits + d, sizeof digits - d);
  marker += 'Q';
  return marker;
}

// Finds the marker's line "MARKER();" CR LF from `from` on: where the line
// starts (before its tabs) and where it ends.
// The call must stand alone on its line, indented as a statement at its
// depth (one tab at the function's level, two in the blocks around an
// elseif or exitwhen): a line before it whose output runs on into the
// next line would run on into a different line in a real function.
bool fFindMarker(std::string_view text, char family, size_t n, size_t from, size_t& lineStart,
                 size_t& lineEnd) {
  std::string call = fMarker(family, n);
  call += "();\r\n";
  const size_t at = text.find(call, from);
  if (at == std::string_view::npos) return false;
  const size_t tabs = family == 'M' ? 1 : 2;
  if (at < tabs || text.compare(at - tabs, tabs, "\t\t", tabs) != 0) return false;
  lineStart = at - tabs;
  if (lineStart > 0 && text[lineStart - 1] != '\n') return false;
  lineEnd = at + call.size();
  return true;
}

void fNoteGlobals(std::string_view key, std::vector<std::string>& globals) {
  for (size_t i = key.find('Q'); i < key.size(); i = key.find('Q', i + 1)) {
    sPlaceholder p;
    if (fParsePlaceholder(key, i, p) && (p.family == 'G' || p.family == 'K')) {
      globals.emplace_back(key.substr(i, p.nLength));  // made unique once all are noted
      i += p.nLength - 1;
    }
  }
}

void fAppendLine(std::string_view text, std::string& script) {
  script.append(text);
  script += "\r\n";
}

// The token and grouping passes (fFinishTokens, fGroupLogicalOperators) go
// over a function's text from its start, but a line end in code outside
// groups sets them back to where they began: learnt output that ends so may
// go through them on its own, once, instead of with every function. The
// values put in later change nothing they do (names and numbers are word
// bytes either way, strings and rawcodes stay inside their quotes, a real
// keeps its point) but for a hexadecimal ending in 'e' before a sign, which
// would take a blank as an exponent does: output with one is left raw.
bool fFinishesAlone(std::string_view text) {
  static constexpr std::string_view kLineEnd = "\r\n";
  if (text.size() < kLineEnd.size() || text.substr(text.size() - kLineEnd.size()) != kLineEnd) {
    return false;
  }
  sLiteralScan literal;
  std::vector<char> closers;
  for (const char ch : text) {
    if (literal.fInside(ch) != 0) continue;
    if (ch == '(' || ch == '[') {
      closers.push_back(ch == '(' ? ')' : ']');
    } else if (!closers.empty() && ch == closers.back()) {
      closers.pop_back();
    }
  }
  if (!literal.fInCode() || !closers.empty()) return false;
  for (size_t at = text.find(kNumberMark); at != std::string_view::npos;
       at = text.find(kNumberMark, at + 1)) {
    if (at + kNumberMark.size() < text.size() && text[at + kNumberMark.size()] == kHex) {
      return false;
    }
  }
  return true;
}

// The template of learnt output, through the passes when it may go alone.
// Both passes leave their own output as it is, so a function that has a
// raw line among finished ones goes through them whole, as before.
bool fMakeLineTemplate(std::string_view text, const char* families, size_t nValues, bool bTabs,
                       sLineTemplate& t, uint32_t nDeclaredOffset = 0) {
  if (fFinishesAlone(text)) {
    const std::string finished = fGroupLogicalOperators(fFinishTokens(std::string(text)));
    if (fMakeTemplate(finished, families, nValues, bTabs, t, nDeclaredOffset)) {
      t.bFinished = true;
      return true;
    }
  }
  return fMakeTemplate(text, families, nValues, bTabs, t, nDeclaredOffset);
}

sLineTemplate& fNewLine(sLineTemplates& cache, std::string_view key) {
  cache.lineIndex.fInsert(key, static_cast<uint32_t>(cache.lines.size()));
  cache.lines.emplace_back();
  return cache.lines.back();
}

// Keys that register literal words as globals are learnt in runs of their
// own, one for each set of entries, since the registry is the run's; each
// run has at most kUnitsPerRun of them.
std::vector<std::vector<const sUnit*>> fRunsByEntries(const std::vector<const sUnit*>& units) {
  std::vector<std::string_view> sets;
  std::vector<std::vector<const sUnit*>> bySet;
  for (const sUnit* unit : units) {
    const std::string_view entries = fKeyEntries(unit->key);
    const auto found = std::find(sets.begin(), sets.end(), entries);
    const size_t set = static_cast<size_t>(found - sets.begin());
    if (set == sets.size()) {
      sets.push_back(entries);
      bySet.emplace_back();
    }
    bySet[set].push_back(unit);
  }
  std::vector<std::vector<const sUnit*>> runs;
  for (const std::vector<const sUnit*>& all : bySet) {
    for (size_t first = 0; first < all.size(); first += kUnitsPerRun) {
      const size_t last = std::min(all.size(), first + kUnitsPerRun);
      runs.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(first),
                        all.begin() + static_cast<std::ptrdiff_t>(last));
    }
  }
  return runs;
}

// Learns what the engine makes of headers that need the same registry
// entries: each header in a function of its own with a marker call, all in
// one run. A header whose translation began in another state than the
// first one's gets no template.
bool fLearnHeadRun(const std::vector<const sUnit*>& heads, sLineTemplates& cache) {
  std::string script;
  for (size_t k = 0; k < heads.size(); ++k) {
    fAppendLine(fKeyLine(heads[k]->key, 0), script);
    fAppendLine("call " + fMarker('M', k) + "()", script);
    fAppendLine("endfunction", script);
  }
  std::vector<std::string> globals;
  fAddEntries(fKeyEntries(heads.front()->key), globals);
  sLearnt run;
  run.bFunctionNotes = true;
  if (!fRunLearner(std::move(script), static_cast<int32_t>(heads.size()), globals, run) ||
      run.notes.size() != heads.size()) {
    return false;
  }
  const sState& learner = run.s;
  for (size_t k = 0; k < heads.size(); ++k) {
    const sFunctionNote& note = run.notes[k];
    const std::string& text = learner.vFuncsCppList.fItem(static_cast<int32_t>(2 * k));
    size_t headEnd = 0;
    size_t ignored = 0;
    sHeadTemplate t;
    const char* kHead = "H";
    const size_t n = heads[k]->nValues;
    bool ok = note.vStartState == run.notes.front().vStartState &&
              fFindMarker(text, 'M', k, 0, headEnd, ignored) &&
              fMakeLineTemplate(std::string_view(text).substr(0, headEnd), kHead, n, false,
                                t.head) &&
              fMakeTemplate(learner.vFuncsForHeaderList.fItem(static_cast<int32_t>(2 * k)), kHead,
                            n, false, t.prototype) &&
              fMakeTemplate(note.vHeadText, kHead, n, false, t.headText) &&
              fMakeTemplate(note.vParams, kHead, n, false, t.params) &&
              fMakeTemplate(note.vName, kHead, n, false, t.name) &&
              fMakeTemplate(note.vJassName, kHead, n, false, t.jassName) &&
              note.nRegistrations <= 1;
    t.bRegisters = note.nRegistrations == 1;
    if (ok && t.bRegisters) {
      ok = fMakeTemplate(note.vRegistration, kHead, n, false, t.registration);
    }
    t.bValid = ok;
    cache.headIndex.fInsert(heads[k]->key, static_cast<uint32_t>(cache.heads.size()));
    cache.heads.push_back(std::move(t));
  }
  return true;
}

// Headers are learnt in runs of their own for each set of registry entries.
bool fLearnHeads(const std::vector<sUnit>& heads, sLineTemplates& cache) {
  std::vector<const sUnit*> missing;
  for (const sUnit& head : heads) {
    if (cache.headIndex.fFind(head.key) == sByteTable::kNone) missing.push_back(&head);
  }
  for (const std::vector<const sUnit*>& run : fRunsByEntries(missing)) {
    if (!fLearnHeadRun(run, cache)) return false;
  }
  return true;
}

// Learns lines in one function, one after the other as in a script's
// function. Locals go last, since each declares its name for the rest of
// the function; an exitwhen goes into a loop of its own, an elseif into an
// if of its own, each between two marker calls.
class sUnitLearner {
 public:
  explicit sUnitLearner(const std::vector<sUnit>& units) : units_(units) {}

  bool fRun(sLineTemplates& cache) {
    fBuild();
    std::sort(globals_.begin(), globals_.end());
    globals_.erase(std::unique(globals_.begin(), globals_.end()), globals_.end());
    sLearnt run;
    run.bLineMarks = true;
    if (!fRunLearner(std::move(script_), 1, globals_, run)) return false;
    // The function's text is its head and then the body's pieces as they
    // were added; the first marker shows that the counting holds. The state
    // at its line start, right after the header, is the one every line must
    // begin in and leave.
    const std::vector<sLineMark>& marks = run.marks.vMarks;
    const size_t head = run.s.vFuncHeadText.data.size();
    const sLineMark* pFirst = fMarkAt(marks, firstMarker_);
    static constexpr std::string_view kFirst = "\tQM0Q();\r\n";
    if (pFirst == nullptr ||
        run.text.compare(head + pFirst->nOutputBytes, kFirst.size(), kFirst) != 0) {
      return false;
    }
    const std::string& reference = pFirst->vState;
    for (size_t n = 0; n < order_.size(); ++n) {
      const size_t next = n + 1 < order_.size() ? lineStart_[order_[n + 1]] : lastMarker_;
      fLearnUnit(run, reference, order_[n], next, head, cache);
    }
    return true;
  }

 private:
  // Whether the line leaves the state as the reference. A local array's
  // declaration leaves vArrayDecl set (the first byte of a state), which
  // only the plain handler reads; every line that can follow a local resets
  // it before its first plain element: a local at its type, a statement, an
  // if or a loop as the element its closer ends, and endfunction.
  static bool fLeavesState(const sUnit& unit, const std::string& after,
                           const std::string& reference) {
    if (fKindOf(unit) != eLine::kLocal) return after == reference;
    return fSameBesidesArrayDecl(after, reference);
  }

  // Before a line, the marker call in front of it has reset vArrayDecl.
  static bool fSameBesidesArrayDecl(const std::string& state, const std::string& reference) {
    return state.size() == reference.size() && state.compare(1, state.npos, reference, 1) == 0;
  }

  // The mark of the line that begins at start in the function's text, or
  // null: the line before it ran on into it.
  static const sLineMark* fMarkAt(const std::vector<sLineMark>& marks, size_t start) {
    const auto fBefore = [](const sLineMark& mark, size_t offset) {
      return static_cast<size_t>(mark.nStart) < offset;
    };
    const auto at = std::lower_bound(marks.begin(), marks.end(), start, fBefore);
    return at != marks.end() && static_cast<size_t>(at->nStart) == start ? &*at : nullptr;
  }

  // The lines follow each other as in a function: the engine's line marks
  // tell where each line's output begins and in what state it begins, and a
  // marker call stands only before the first line and after the last.
  // Locals go last, each declaring its own name (see fDeclaredOffset).
  void fBuild() {
    lineStart_.assign(units_.size(), 0);
    fAppendLine("function QF0Q takes nothing returns nothing", script_);
    firstMarker_ = script_.size();
    fAppendLine("call " + fMarker('M', 0) + "()", script_);
    for (const bool bLocals : {false, true}) {
      for (size_t i = 0; i < units_.size(); ++i) {
        if ((fKindOf(units_[i]) == eLine::kLocal) != bLocals) continue;
        order_.push_back(i);
        lineStart_[i] = script_.size();
        fUnit(i);
      }
    }
    lastMarker_ = script_.size();
    fAppendLine("call " + fMarker('M', 1) + "()", script_);
    fAppendLine("endfunction", script_);
  }

  // A local declares its name for the rest of the function; numbered apart
  // for each unit, no other line of the learner's function sees it.
  static uint32_t fDeclaredOffset(size_t i) { return static_cast<uint32_t>(1000 * (i + 1)); }

  std::string fRenameDeclared(std::string_view line, size_t i) const {
    std::string renamed;
    renamed.reserve(line.size() + 8);
    for (size_t j = 0; j < line.size();) {
      sPlaceholder p;
      if (line[j] == 'Q' && fParsePlaceholder(line, j, p) && (p.family == 'K' || p.family == 'L')) {
        renamed += fMarker(p.family, p.nIndex + fDeclaredOffset(i));
        j += p.nLength;
      } else {
        renamed += line[j++];
      }
    }
    return renamed;
  }

  // A line that stands only inside a block, between markers of its own.
  void fInBlock(std::string_view opener, std::string_view line, std::string_view closer, size_t i) {
    fAppendLine(opener, script_);
    fAppendLine("call " + fMarker('A', i) + "()", script_);
    fAppendLine(line, script_);
    fAppendLine("call " + fMarker('B', i) + "()", script_);
    fAppendLine(closer, script_);
  }

  void fUnit(size_t i) {
    const sUnit& unit = units_[i];
    // Only a local's key holds the name it declares.
    const std::string_view key = fKeyLine(unit.key, 1);
    const std::string renamed = fKindOf(unit) == eLine::kLocal ? fRenameDeclared(key, i) : "";
    const std::string_view line = fKindOf(unit) == eLine::kLocal ? std::string_view(renamed) : key;
    fNoteGlobals(line, globals_);
    fAddEntries(fKeyEntries(unit.key), globals_);
    switch (fKindOf(unit)) {
      case eLine::kElseif:
        fInBlock("if true then", line, "endif", i);
        break;
      case eLine::kExitwhen:
        fInBlock("loop", line, "endloop", i);
        break;
      case eLine::kIf:
        fAppendLine(line, script_);
        fAppendLine("endif", script_);
        break;
      default:
        fAppendLine(line, script_);
        break;
    }
  }

  // A unit whose line has no mark was swallowed by a line before it, and
  // one that begins in another state than the reference was translated in
  // the wrong one: it stays unknown, to be learnt again. next is where the
  // line after it begins in the function's text.
  void fLearnUnit(const sLearnt& run, const std::string& reference, size_t i, size_t next,
                  size_t head, sLineTemplates& cache) const {
    const std::string_view text = run.text;
    const sUnit& unit = units_[i];
    const std::vector<sLineMark>& marks = run.marks.vMarks;
    const sLineMark* pBefore = fMarkAt(marks, lineStart_[i]);
    if (pBefore == nullptr || cache.lineIndex.fFind(unit.key) != sByteTable::kNone) return;
    if (!fSameBesidesArrayDecl(pBefore->vState, reference)) return;
    const sLineMark* pAfter = fMarkAt(marks, next);
    // Its own line or output ran into the next line: never from a template.
    sLineTemplate& t = fNewLine(cache, unit.key);
    if (pAfter == nullptr || head + pAfter->nOutputBytes > text.size()) return;
    std::string_view fragment = text.substr(head + pBefore->nOutputBytes,
                                            pAfter->nOutputBytes - pBefore->nOutputBytes);
    if (!fragment.empty() && fragment.back() != '\n') return;
    // A line that leaves state behind would change the next line: the
    // engine must see such a function whole. The same holds inside the
    // blocks around an elseif or exitwhen.
    if (!fLeavesState(unit, pAfter->vState, reference)) return;
    if (fKindOf(unit) == eLine::kElseif || fKindOf(unit) == eLine::kExitwhen) {
      const std::string* pInner = run.fStateAt('A', i);
      const std::string* pInnerAfter = run.fStateAt('B', i);
      if (pInner == nullptr || pInnerAfter == nullptr || *pInner != *pInnerAfter) return;
    }
    if (fKindOf(unit) == eLine::kIf) {
      static constexpr std::string_view kClose = "\t}\r\n";
      if (fragment.size() < kClose.size() ||
          fragment.substr(fragment.size() - kClose.size()) != kClose) {
        return;
      }
      fragment.remove_suffix(kClose.size());
    } else if (fKindOf(unit) == eLine::kElseif || fKindOf(unit) == eLine::kExitwhen) {
      size_t a0 = 0, a1 = 0, b0 = 0, b1 = 0;
      if (!fFindMarker(fragment, 'A', i, 0, a0, a1) || !fFindMarker(fragment, 'B', i, a1, b0, b1)) {
        return;
      }
      fragment = fragment.substr(a1, b0 - a1);
    }
    fMakeLineTemplate(fragment, "GNSR0", unit.nValues, true, t, fDeclaredOffset(i));
  }

  const std::vector<sUnit>& units_;
  std::vector<size_t> lineStart_;  // where each unit's first line begins in the script
  std::vector<size_t> order_;      // units in the order they were written
  size_t firstMarker_ = 0;         // where the marker calls before and after them begin
  size_t lastMarker_ = 0;
  std::vector<std::string> globals_;
  std::string script_;
};

// Lines are learnt in runs of their own for each set of registry entries.
bool fLearnUnits(const std::vector<sUnit>& units, sLineTemplates& cache) {
  std::vector<const sUnit*> all;
  for (const sUnit& unit : units) all.push_back(&unit);
  for (const std::vector<const sUnit*>& run : fRunsByEntries(all)) {
    std::vector<sUnit> batch;
    for (const sUnit* unit : run) batch.push_back(*unit);
    if (!sUnitLearner(batch).fRun(cache)) return false;
  }
  return true;
}

sLineTemplates& fCache(sState& s) {
  if (!s.pLineTemplates) s.pLineTemplates = std::make_shared<sLineTemplates>();
  return *s.pLineTemplates;
}

// What one or more functions need and the cache lacks, each key once.
class sMissing {
 public:
  explicit sMissing(sLineTemplates& cache) : cache_(cache) {}

  // A line whose template is known keeps its index: templates are only
  // ever added, so it holds when the function is written.
  void fAdd(sFunctionLines& f) {
    std::vector<sLine>& lines = f.fLines();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!fHasTemplate(lines[i].kind)) continue;
      const std::string_view key = f.fKey(lines[i]);
      const uint64_t hash = lines[i].nHash;
      lines[i].nTemplate = cache_.lineIndex.fFind(key, hash);
      if (lines[i].nTemplate != sByteTable::kNone) continue;
      if (queued_.fFind(key, hash) != sByteTable::kNone) continue;
      queued_.fInsert(key, hash, 0);
      units_.push_back({std::string(key), f.fValueCount(i)});
    }
    const std::string& head = f.fHeadKey();
    if (cache_.headIndex.fFind(head) == sByteTable::kNone && queued_.fFind(head) == sByteTable::kNone) {
      queued_.fInsert(head, 0);
      heads_.push_back({head, f.fHeadValues().size()});
    }
  }

  bool fEmpty() const { return units_.empty() && heads_.empty(); }

  bool fLearn() {
    if (!heads_.empty() && !fLearnHeads(heads_, cache_)) return false;
    return units_.empty() || fLearnUnits(units_, cache_);
  }

 private:
  sLineTemplates& cache_;
  sByteTable queued_;
  std::vector<sUnit> units_;
  std::vector<sUnit> heads_;
};

// Reads the next functions of the script ahead of the engine and learns
// what they lack in one run, so the engine runs a few times for a whole
// map rather than once for each function with a line not seen before.
constexpr size_t kFunctionsAhead = 256;

void fReadAhead(sState& s, sLineTemplates& cache) {
  cache.ahead.clear();
  cache.aheadText.clear();
  cache.nNext = 0;
  cache.nAheadGlobals = s.vGlobalNames.nCount();
  if (s.pScript == nullptr) return;
  const std::string_view script(*s.pScript);
  static constexpr std::string_view kStart = "function ";
  static constexpr std::string_view kEnd = "\r\nendfunction";
  sMissing missing(cache);
  size_t at = cache.nScriptPos;
  while (at < script.size() && cache.ahead.size() < kFunctionsAhead) {
    if (script.compare(at, kStart.size(), kStart) != 0) {
      const size_t lineEnd = script.find("\r\n", at);
      if (lineEnd == std::string_view::npos) break;
      at = lineEnd + 2;
      continue;
    }
    const size_t end = script.find(kEnd, at);
    if (end == std::string_view::npos) break;
    const size_t stop = end + kEnd.size();
    auto f = std::make_unique<sFunctionLines>(s, cache.words);
    cache.aheadText.push_back(script.substr(at, stop - at));
    if (f->fRead(cache.aheadText.back())) {
      missing.fAdd(*f);
    } else {
      f.reset();
    }
    cache.ahead.push_back(std::move(f));
    at = stop;
  }
  cache.nScriptPos = at;
  if (!missing.fLearn()) ++cache.nFailedRuns;
}

// The function read ahead whose text is the engine's element, if any: the
// engine takes functions in script order, but may cut a broken one
// differently, so a few are looked at.
sFunctionLines* fAheadOf(sState& s, sLineTemplates& cache, std::string_view text,
                         bool& bDeclined) {
  constexpr size_t kLookAhead = 4;
  bDeclined = false;
  if (cache.nNext >= cache.ahead.size()) fReadAhead(s, cache);
  if (cache.nAheadGlobals != s.vGlobalNames.nCount()) return nullptr;
  const size_t last = std::min(cache.ahead.size(), cache.nNext + kLookAhead);
  for (size_t i = cache.nNext; i < last; ++i) {
    if (cache.aheadText[i] != text) continue;
    cache.nNext = i + 1;
    bDeclined = cache.ahead[i] == nullptr;
    return cache.ahead[i].get();
  }
  return nullptr;
}

// Finds every line's template, learning the missing ones first.
// A function read ahead had its lines learnt then; what is still missing
// could not be learnt.
const sHeadTemplate* fFindTemplates(sLineTemplates& cache, sFunctionLines& f, bool bReadAhead) {
  sMissing missing(cache);
  if (!bReadAhead) missing.fAdd(f);
  if (!missing.fEmpty()) {
    if (cache.nFailedRuns >= kMaxFailedRuns) return nullptr;
    if (!missing.fLearn()) {
      ++cache.nFailedRuns;
      return nullptr;
    }
  }
  const uint32_t head = cache.headIndex.fFind(f.fHeadKey());
  if (head == sByteTable::kNone || !cache.heads[head].bValid) return nullptr;
  for (sLine& line : f.fLines()) {
    if (!fHasTemplate(line.kind)) continue;
    if (line.nTemplate == sByteTable::kNone) {
      line.nTemplate = cache.lineIndex.fFind(f.fKey(line), line.nHash);
    }
    if (line.nTemplate == sByteTable::kNone || !cache.lines[line.nTemplate].bValid) return nullptr;
  }
  return &cache.heads[head];
}

// The blocks' fixed framing as templates with a hole for the line's tabs
// before each of their lines, so a function is written in one pass.
sLineTemplate fFramingOf(std::initializer_list<std::string_view> lines) {
  sLineTemplate t;
  for (const std::string_view line : lines) {
    t.holes.emplace_back(static_cast<uint32_t>(t.bytes.size()), sLineTemplate::kTabs);
    t.bytes += line;
  }
  t.bValid = true;
  t.bFinished = true;
  return t;
}

const sLineTemplate& fFraming(eLine kind) {
  static const sLineTemplate kElse = fFramingOf({"}\r\n", "else \r\n", "{\r\n"});
  static const sLineTemplate kClose = fFramingOf({"}\r\n"});
  static const sLineTemplate kLoop = fFramingOf({"while(true)\r\n", "{\r\n"});
  static const sLineTemplate kNone = fFramingOf({});
  switch (kind) {
    case eLine::kElse: return kElse;
    case eLine::kEndif:
    case eLine::kEndloop: return kClose;
    case eLine::kLoop: return kLoop;
    default: return kNone;
  }
}

void fFile(sState& s, const sHeadTemplate& head, const std::vector<std::string_view>& values,
           const sText& out) {
  s.vFuncsCppList.fAppend(&out);
  s.vFuncsCppList.fAppendString("\r\n");
  if (head.bRegisters) {
    const std::string line = fFilled(head.registration, values);
    s.vBodyFuncsInitList.fAppendBytes(line.data(), line.size());
  }
  s.vFuncsForHeaderList.fAppend(&s.vFuncPrototype);
  fAppendLine(&s.vFuncsForHeaderList, ";");
}

// What the engine leaves of a function's header and names in the state.
void fLeaveState(sState& s, const sHeadTemplate& head, const sFunctionLines& f) {
  const std::vector<std::string_view>& values = f.fHeadValues();
  s.vFuncHeadText = sText(fFilled(head.headText, values));
  s.vFuncPrototype = sText(fFilled(head.prototype, values));
  s.vFuncParams = sText(fFilled(head.params, values));
  s.vFuncName.fCopy(fFilled(head.name, values));
  s.vFuncJassName.fCopy(fFilled(head.jassName, values));
  s.vInFunctionBody = 1;
  for (const std::string& name : f.fParams()) s.vParamNames.insert(name);
  for (const std::string& name : f.fLocals()) s.vLocalNames.insert(name);
}

}  // namespace

bool fTranslateFunctionFromTemplates(sState& s, const sText& in, sText& out) {
  if (!fStartsClean(s)) return false;
  sLineTemplates& cache = fCache(s);
  bool bDeclined = false;
  sFunctionLines* pLines = fAheadOf(s, cache, in.data, bDeclined);
  if (bDeclined) return false;
  const bool bReadAhead = pLines != nullptr;
  std::unique_ptr<sFunctionLines> own;
  if (pLines == nullptr) {
    own = std::make_unique<sFunctionLines>(s, cache.words);
    if (!own->fRead(in.data)) return false;
    pLines = own.get();
  }
  sFunctionLines& f = *pLines;
  const sHeadTemplate* pHead = fFindTemplates(cache, f, bReadAhead);
  if (pHead == nullptr) return false;
  bool bFinished = pHead->head.bFinished;
  // The whole body is sized first and then written in one pass.
  static constexpr std::string_view kClose = "}\r\n";
  const auto fTemplateOf = [&](const sLine& line) -> const sLineTemplate& {
    return line.nTemplate != sByteTable::kNone ? cache.lines[line.nTemplate] : fFraming(line.kind);
  };
  size_t size = fFilledSize(pHead->head, f.fHeadValues().data(), 0) + kClose.size();
  for (const sLine& line : f.fLines()) {
    size += fFilledSize(fTemplateOf(line), f.fValues(line), fTabsOf(line.nTabs));
  }
  std::string body(size, '\0');
  char* p = fFillAt(pHead->head, f.fHeadValues().data(), 0, body.data());
  for (const sLine& line : f.fLines()) {
    const sLineTemplate& t = fTemplateOf(line);
    bFinished = bFinished && t.bFinished;
    p = fFillAt(t, f.fValues(line), fTabsOf(line.nTabs), p);
  }
  std::memcpy(p, kClose.data(), kClose.size());
  // The framing and the closing brace are the same through the passes.
  out.data = bFinished ? std::move(body) : fGroupLogicalOperators(fFinishTokens(body));
  // The header's state first: the prototype is filed from it, as the
  // engine files it.
  fLeaveState(s, *pHead, f);
  fFile(s, *pHead, f.fHeadValues(), out);
  ++s.vFunctionsFromTemplates;
  return true;
}

void fEndTemplates(sState& s) { s.pLineTemplates.reset(); }

// A block's bInBody stays set once a block inside it was passed: it only
// chooses the block rule's alternatives before "then" and its closing
// pieces, never how a line inside is translated, so it is left out.
void fBeginFunctionNote(sState& s, const sText& in) {
  sFunctionNote note;
  note.vStartState = fPersistentState(s, in);
  note.nRegistrations = s.vBodyFuncsInitList.nCount();
  s.pFunctionNotes->push_back(std::move(note));
}

void fEndFunctionNote(sState& s) {
  sFunctionNote& note = s.pFunctionNotes->back();
  note.vHeadText = s.vFuncHeadText.data;
  note.vParams = s.vFuncParams.data;
  note.vName = s.vFuncName.str();
  note.vJassName = s.vFuncJassName.str();
  note.nRegistrations = s.vBodyFuncsInitList.nCount() - note.nRegistrations;
  if (note.nRegistrations == 1) {
    note.vRegistration = s.vBodyFuncsInitList.fItem(s.vBodyFuncsInitList.nCount() - 1);
  }
}

std::string fPersistentState(const sState& s, const sText& in) {
  const int32_t values[] = {
      s.vDepth, s.vIfCount, s.vEndifCount, s.vElseCount, s.vLoopCount, s.vEndloopCount,
      s.vInGlobals, s.vInLocalDecl, s.vInFunctionBody, s.vInTakes, s.vReturnsSeen,
      s.vRedeclaresParam, s.vDepthRefused, in.bTerminated, in.bInLoop, in.bInIf, in.bInParen,
      in.bParenClosed, in.nParenOpen, in.nParenClose, in.nParenStart, in.nPieceStart,
      in.nPieceEnd, in.bCommaSplit, in.bInBracket, in.bBracketClosed, in.nBracketOpen,
      in.nBracketClose, in.nBracketStart, static_cast<int32_t>(s.vParamNames.size()),
      // What the construct reset clears, which a local after the line does
      // not get; of the buffers only the pending name is read unflagged.
      // vAssignEmitted is left out: only the globals block reads it, and
      // every statement, function and globals block clears it first. So is
      // vNumericMode: a local after the line reads it only at the blank
      // before its type, where with no number pending it writes a lone
      // blank that is never kept, and the type element clears it.
      s.vPendingNameSet, s.vPendingNumberSet, s.vCallNameSet, s.vLeftOperandSet,
      s.vAssignPending, s.vEqualityPending, s.vBangPending, s.vHexPending,
      s.vCommaPending, s.vNullPending, s.vStarPending, s.vSlashPending, s.vPlusPending,
      s.vMinusPending, s.vLessPending, s.vGreaterPending, s.vElsePending, s.vStringMode,
      s.vInQuotes, s.vInExpressionRule, static_cast<int32_t>(s.vPendingName.fEmpty())};
  // First, so the learner can leave it out where a local array sets it.
  std::string state(1, static_cast<char>(s.vArrayDecl));
  state.append(reinterpret_cast<const char*>(values), sizeof values);
  state += s.vPendingType.data;
  state += '\0';
  state += s.vEscapedQuotes.str();
  return state;
}

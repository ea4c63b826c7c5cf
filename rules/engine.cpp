// The generic rule engine (rules <-> handlers): cuts a text byte by byte into
// elements with the scanner, sends each back through the dispatcher, then
// assembles the pieces and files the result. This file holds the entry, the
// depth bound and the scan loop with its line-end and element-end rules.
#include "rules/rules.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "output/operand.h"
#include "rules/call.h"
#include "text/literals.h"

namespace {

// Statement kinds end just before a line end; any other open kind cannot.
constexpr KindCode kEndsAtLineEnd[] = {
    K_LOCAL, K_SET, K_CALL, K_RETURN, K_CONSTANT, K_TAKES, K_RETURNS, K_THEN, K_EXITWHEN,
    K_END_OF_LIST};  // plus every type kind

// Kinds whose element ends at the byte that completed it.
constexpr KindCode kEndsAtOnce[] = {
    K_ENDFUNCTION, K_ENDGLOBALS, K_ENDIF,  K_OR,      K_AND,     K_NOT,       K_RETURNS,
    K_ARRAY,       K_THEN,       K_ENDLOOP, K_RPAREN, K_ELSE,    K_ELSEIF,    K_NOTHING,
    K_NULL,        K_SPACE,      K_COMMA,  K_ASSIGN,  K_PLUS,    K_QUOTE,     K_DOLLAR,
    K_BANG,        K_STAR,       K_LESS,   K_GREATER, K_RBRACKET, K_MINUS,    K_SLASH,
    K_FUNCTION_REF, K_END_OF_LIST};

// While an element of another kind is open its bytes are only collected.
constexpr KindCode kScannerRunsWhileOpen[] = {
    K_LPAREN, K_LBRACKET, K_RPAREN, K_RBRACKET, K_NUMBER, K_END_OF_LIST};

// The lists above as tables indexed by kind, for the tests made at every
// position of a text.
constexpr sKindTable kEndsAtOnceTable = fTableOf(kEndsAtOnce);
constexpr sKindTable kScannerRunsWhileOpenTable = fTableOf(kScannerRunsWhileOpen);
constexpr sKindTable kEndsAtLineEndTable = fTableOf(kEndsAtLineEnd);

// What one position did to the buffer length.
enum class ePass {
  kCount,    // the byte stays in the buffer
  kNoCount,  // line-end byte, or the buffer restarted after an element
  kStop      // the scan of the text ends here
};

// Raises vDepth for the lifetime of one engine call; the only place that
// changes it.
class sDepthScope {
 public:
  explicit sDepthScope(sState& s) : s_(s) { ++s_.vDepth; }
  ~sDepthScope() { --s_.vDepth; }
  sDepthScope(const sDepthScope&) = delete;
  sDepthScope& operator=(const sDepthScope&) = delete;

 private:
  sState& s_;
};

// Empties the buffer. Every reader of the buffer is bounded by its length,
// so the old bytes need not be cleared; the storage stays for the next
// element.
void fEmptyBuffer(sRuleCall& c) { c.nBufLen = 0; }

// Grows instead of stopping at a fixed size: a long line must not end the
// scan of the whole text. The size doubles, also when a quiet run adds many
// bytes at once: sized exactly, the buffer would double again at the next
// byte, and in deeply nested groups every level keeps its buffer.
void fGrowBuffer(sRuleCall& c, size_t need) {
  if (c.szBuffer.size() >= need) return;
  size_t size = std::max<size_t>(c.szBuffer.size(), sRuleCall::CONST_BUFFER_START);
  while (size < need) size *= 2;
  c.szBuffer.resize(size, '\0');
}

void fStoreByte(sRuleCall& c, char ch) {
  fGrowBuffer(c, static_cast<size_t>(c.nBufLen) + 2);
  c.szBuffer[static_cast<size_t>(c.nBufLen)] = ch;
}

// Byte 14 right at the start of an element or right after a double quote is
// an ordinary character.
void fTrackLineEnd(sRuleCall& c, char ch) {
  const bool lineEnd = fIsLineEndByte(ch);
  if (!c.bLineEnd && lineEnd) {
    const bool ordinary =
        ch == 14 && (c.nBufLen == 0 || c.szBuffer[static_cast<size_t>(c.nBufLen) - 1] == '"');
    c.bLineEnd = !ordinary;
  } else if (c.bLineEnd && lineEnd) {
    fEmptyBuffer(c);
  } else {
    c.bLineEnd = false;
  }
}

ePass fTranslateAndRestart(sRuleCall& c, KindCode kind) {
  const eTranslate t = fTranslateElement(c, kind);
  c.vFlag1 = -1;
  c.vFlag2 = -1;
  if (t == eTranslate::kStop) return ePass::kStop;
  if (t == eTranslate::kSkipped) return ePass::kCount;
  fEmptyBuffer(c);
  c.vIndex1 = -1;
  c.vIndex2 = -1;
  return ePass::kNoCount;
}

ePass fLineEndPath(sRuleCall& c, int32_t r) {
  if (c.s.vElseCount > 0) c.s.vElseCount = 0;
  if (c.vFlag2 == -1 || c.vIndex2 != -1) {
    if (c.s.vElsePending == 1 && c.in.bInIf == 0) {
      fAddElseBrace(c);
      c.s.vElsePending = 0;
    }
    return ePass::kNoCount;
  }
  if (c.vFlag2 == K_LOCAL) c.s.vInLocalDecl = 1;
  if (!fIsIn(kEndsAtLineEndTable, c.vFlag2) && !fIsTypeKind(c.vFlag2)) return ePass::kStop;
  c.vIndex2 = r - 1;
  c.in.bTerminated = 1;
  return fTranslateAndRestart(c, c.vFlag2);
}

bool fScannerRuns(const sRuleCall& c) {
  return c.vFlag2 == -1 || fIsIn(kScannerRunsWhileOpenTable, c.vFlag2) || c.rule == K_LOCAL ||
         c.rule == K_ARGUMENT;
}

// pChoice: the list already chosen for this position, if any.
ePass fScanningPath(sRuleCall& c, int32_t r, const sScanChoice* pChoice) {
  if (fScannerRuns(c) && !fRunScanner(c, r, pChoice ? *pChoice : fChooseAlternatives(c))) {
    return ePass::kStop;
  }
  if (!fIsIn(kEndsAtOnceTable, c.vFlag2)) return ePass::kCount;
  c.vIndex2 = r;
  return fTranslateAndRestart(c, c.vFlag2);
}

// Groups and parameter lists switch to comma splitting once a top-level comma
// lies ahead.
void fCheckCommaSplit(sRuleCall& c, int32_t r) {
  if (!c.bSplitsAtCommas) return;
  // Read from inside a literal, the rest of it would look like code.
  if (c.fLiteralAt(r) != 0) return;
  // The comma structure is known for the whole text from the start, so no
  // position rescans the rest of it.
  const size_t at = static_cast<size_t>(r);
  if (c.in.bCommaSplit == 0 && at < c.vCommaAhead.size() && c.vCommaAhead[at] != 0) {
    c.in.bCommaSplit = 1;
  }
}

// The flags of a byte that act whatever the buffer holds.
uint8_t fStopFlags(bool bNamePending) {
  return sAlternatives::kActsAlways | (bNamePending ? 0 : sAlternatives::kNeedsName);
}

// Whether scanning ch would act on it: mark is what the byte is (code or
// literal content), nCount the bytes the buffer holds with it.
bool fActsAt(const sQuietRun& run, char ch, uint8_t mark, int32_t nCount, uint8_t nStops) {
  if (mark == sLiteralScan::kRawcodeContent) return run.bRawcodeBeginsName;
  if (mark != 0) return false;
  const uint8_t f = run.list->fQuietFlags(ch);
  if ((f & nStops) != 0) return true;
  return (f & sAlternatives::kActsAtCounts) != 0 && run.list->fQuiet(ch).fHitsAt(nCount);
}

// An inner opener or closer of a tracked group, in code: its scan would only
// count it. The closer that closes the group is not: its scan ends the group.
bool fIsCounted(const sRuleCall& c, const sQuietRun& run, char ch, uint8_t mark) {
  const sTrackedGroup* g = run.pGroup;
  if (g == nullptr || mark != 0) return false;
  return ch == g->cOpen || (ch == g->cClose && c.in.*g->nClose + 1 != c.in.*g->nOpen);
}

// What the scan of a counted byte at r and the group's follow-up leave: the
// count raised, the start back at the outer opener, the end at a closer.
void fCount(sRuleCall& c, const sTrackedGroup& g, char ch, int32_t r) {
  if (ch == g.cOpen) {
    ++(c.in.*g.nOpen);
    c.vIndex1 = c.in.*g.nStart;
  } else {
    ++(c.in.*g.nClose);
    c.vIndex2 = r;
  }
}

// Most of a quiet run is plain code outside literals: there each byte needs
// only its flags. From at, the first byte that ends such a stretch (a line
// end, a quote, or a byte that a scan would act on); nCountBase + i is the
// buffer length with byte i in it.
int32_t fCodeStretchEnd(const sAlternatives& list, const char* p, int32_t at, int32_t nEnd,
                        uint8_t nStops, int32_t nCountBase, int& nNoted) {
  const int32_t start = at;
  const uint8_t nEnds = nStops | sAlternatives::kEndsStretch;
  for (; at < nEnd; ++at) {
    const uint8_t f = list.fQuietFlags(p[at]);
    if ((f & (nEnds | sAlternatives::kActsAtCounts)) == 0) continue;
    if ((f & nEnds) != 0) break;
    if (list.fQuiet(p[at]).fHitsAt(nCountBase + at)) break;
  }
  // Only the stretch's last noted byte counts: looked for from its end.
  if (list.fNotesAny()) {
    for (int32_t i = at - 1; i >= start; --i) {
      if ((list.fQuietFlags(p[i]) & sAlternatives::kNotes) != 0) {
        nNoted = static_cast<uint8_t>(p[i]);
        break;
      }
    }
  }
  return at;
}

// A comma ahead switches a group to splitting where it is first seen: the
// marks to watch, or null. A text without a comma has no marks, and nothing
// to watch.
const uint8_t* fCommaWatch(const sRuleCall& c) {
  if (!c.bSplitsAtCommas || c.in.bCommaSplit != 0) return nullptr;
  return c.vCommaAhead.empty() ? nullptr : c.vCommaAhead.data();
}

// The end of the quiet run from r: the first byte that a scan would act on.
// Collecting the bytes before it is all that scanning them would do; the
// literal state is carried over them and vLastChar left as the scan would
// have left it.
int32_t fQuietEnd(sRuleCall& c, const sQuietRun& run, int32_t r, int32_t nEnd) {
  const char* p = c.in.data.data();
  const uint8_t* pCommaAhead = fCommaWatch(c);
  const int32_t nWatchEnd =
      pCommaAhead == nullptr ? nEnd : std::min(nEnd, static_cast<int32_t>(c.vCommaAhead.size()));
  const auto fEndsRun = [&](int32_t at) {
    return fIsLineEndByte(p[at]) || (pCommaAhead != nullptr && pCommaAhead[at] != 0);
  };
  int32_t end = r;
  if (run.list == nullptr) {
    while (end < nWatchEnd && !fEndsRun(end)) ++end;
    return end;
  }
  c.fLiteralSyncTo(r);
  sLiteralScan literal = c.vLiteral;  // state before byte end
  uint8_t mark = c.nLiteralMark;      // what byte end - 1 is
  int nNoted = -1;
  const uint8_t nStops = fStopFlags(c.s.vPendingNameSet == 1);
  const int32_t nCountAtR = c.nBufLen + 1;
  for (; end < nWatchEnd; ++end) {
    if (pCommaAhead == nullptr && literal.fInCode()) {
      const int32_t stretchEnd =
          fCodeStretchEnd(*run.list, p, end, nWatchEnd, nStops, nCountAtR - r, nNoted);
      if (stretchEnd > end) mark = 0;
      end = stretchEnd;
      if (end >= nWatchEnd) break;
    }
    const char ch = p[end];
    if (fEndsRun(end)) break;
    // The byte that ends the run is stepped again by its own scan.
    sLiteralScan next = literal;
    const uint8_t nextMark = run.bLiteralsCollected ? next.fInside(ch) : 0;
    if (fActsAt(run, ch, nextMark, nCountAtR + (end - r), nStops)) {
      if (!fIsCounted(c, run, ch, nextMark)) break;
      fCount(c, *run.pGroup, ch, end);
    } else if (nextMark == 0 && (run.list->fQuietFlags(ch) & sAlternatives::kNotes) != 0) {
      nNoted = static_cast<uint8_t>(ch);
    }
    literal = next;
    mark = nextMark;
  }
  if (nNoted >= 0) c.s.vLastChar = static_cast<uint8_t>(nNoted);
  if (run.bLiteralsCollected) {
    c.vLiteral = literal;
    c.nLiteralNext = end;
    c.nLiteralMark = mark;
  }
  return end;
}

// Adds the n bytes of the text from r to the element buffer, as scanning
// them one by one without a find would.
void fCollectBytes(sRuleCall& c, int32_t r, int32_t n) {
  const char* p = c.in.data.data() + r;
  fGrowBuffer(c, static_cast<size_t>(c.nBufLen) + static_cast<size_t>(n) + 1);
  std::copy(p, p + n, c.szBuffer.begin() + c.nBufLen);
  c.nBufLen += n;
  c.bLineEnd = false;
}

// Whether the byte at r alone would end a quiet run at once; r is no line
// end (the caller tells those first). Its literal state is only looked at,
// not kept.
bool fFirstIsQuiet(sRuleCall& c, const sQuietRun& run, int32_t r) {
  const char ch = c.in.data[static_cast<size_t>(r)];
  uint8_t mark = 0;
  if (run.bLiteralsCollected) {
    c.fLiteralSyncTo(r);
    sLiteralScan probe = c.vLiteral;
    mark = probe.fInside(ch);
  }
  return !fActsAt(run, ch, mark, c.nBufLen + 1, fStopFlags(c.s.vPendingNameSet == 1)) ||
         fIsCounted(c, run, ch, mark);
}

// Most bytes (the body of a statement seen from its block, the letters of a
// name) only go into the element buffer. They are collected here in one go;
// the scan state a byte would consult cannot change inside such a run.
// Returns how many bytes from r on were collected.
// pChoice: on entry, a list still valid from a quiet run just before (a run
// changes nothing that decides the list), or null; on return, the list
// chosen on the way, for the scan of r when no byte was collected.
int32_t fCollectQuietRun(sRuleCall& c, int32_t r, int32_t nEnd, const sScanChoice*& pChoice,
                         sScanChoice& choice) {
  const bool bStillValid = pChoice != nullptr;
  pChoice = nullptr;
  if (fIsIn(kEndsAtOnceTable, c.vFlag2)) return 0;
  // A line end is never quiet (the line-end path takes it), and lines end
  // often: told before a list is chosen.
  if (fIsLineEndByte(c.in.data[static_cast<size_t>(r)])) return 0;
  sQuietRun run;
  if (fScannerRuns(c)) {
    if (!bStillValid) choice = fChooseAlternatives(c);
    pChoice = &choice;
    run = fQuietRunOf(c, choice);
    // Most attempts end at their first byte: that is told before the rest.
    if (run.list != nullptr && (!fFirstIsQuiet(c, run, r) || !fAfterIsIdle(c, choice.after))) {
      return 0;
    }
  }
  const int32_t n = fQuietEnd(c, run, r, nEnd) - r;
  if (n == 0) return 0;
  fCollectBytes(c, r, n);
  return n;
}

ePass fScanPosition(sRuleCall& c, int32_t r, const sScanChoice* pChoice) {
  const uint8_t bSplit = c.in.bCommaSplit;
  fCheckCommaSplit(c, r);
  if (c.in.bCommaSplit != bSplit) pChoice = nullptr;  // the split chooses another list
  const char ch = c.in.data[static_cast<size_t>(r)];
  fStoreByte(c, ch);
  fTrackLineEnd(c, ch);
  return c.bLineEnd ? fLineEndPath(c, r) : fScanningPath(c, r, pChoice);
}

// What the scanner's name classes do at pos: a name begins there unless
// one is pending.
void fBeginPendingName(sState& s, int32_t pos) {
  if (s.vPendingNameSet == 0) {
    s.vPendingNameStart = pos;
    s.vPendingNameSet = 1;
  }
}

// A final element of no kind is plain; unless an assignment waits for it,
// the name the scan began is no longer pending.
KindCode fPlainFinalKind(sState& s) {
  if (s.vAssignPending == 0) {
    s.vPendingNameSet = 0;
    s.vPendingName.fClear();
  }
  return K_PLAIN;
}

KindCode fFinalKind(sRuleCall& c) {
  if (c.bSplitsAtCommas) return K_ARGUMENT;
  if (c.vFlag2 != -1) return c.vFlag2;
  return fPlainFinalKind(c.s);
}

// In the globals block a blank leaves the name before it pending; at the end
// of a group ('(a <= g )') that name is the group's last operand and is
// written inside it, not after its closer.
void fFlushNameLeftInGroup(sRuleCall& c) {
  const bool group = c.rule == K_LPAREN || c.rule == K_LBRACKET || c.rule == K_ARGUMENT;
  if (!group || c.s.vInGlobals == 0 || c.s.vPendingName.fEmpty()) return;
  sText flushInput(c.s.vPendingName.str());
  c.s.vPendingNameSet = 0;
  c.s.vPendingName.fClear();
  sText flushOutput;
  if (fTranslateOperand(c.s, &flushInput, flushOutput) && !flushOutput.fEmpty()) {
    c.vPieces.push_back(std::move(flushOutput.data));
  }
}

// The rest of the buffer is the final element; once it is translated the
// text is complete and gets its closing pieces.
void fEndOfText(sRuleCall& c, int32_t r) {
  const bool complete =
      c.nBufLen == 0 || fIsLineEndByte(c.szBuffer[static_cast<size_t>(c.nBufLen) - 1]);
  if (complete) fFlushNameLeftInGroup(c);
  if (!complete) {
    const KindCode kind = fFinalKind(c);
    c.vIndex1 = r - c.nBufLen;
    c.vIndex2 = r - 1;
    if (fTranslateAndRestart(c, kind) == ePass::kStop) return;
  }
  fAddClosingPieces(c);
}

// Most lines of a function or block begin with a statement keyword, which
// the scan would cut at its last byte after looking at its first (see
// fLineKeywordOf). Where a line starts in code with nothing cut, that is done
// here without the scan; the rest of the line is collected as before. The
// bytes taken, or 0.
int32_t fCutLineKeyword(sRuleCall& c, int32_t r, int32_t nEnd) {
  if (c.nBufLen != 0 || c.vFlag1 != -1 || c.vFlag2 != -1 || c.vIndex1 != -1 ||
      c.vIndex2 != -1 || r == 0) {
    return 0;
  }
  const char* p = c.in.data.data();
  if (!fIsLineEndByte(p[r - 1])) return 0;
  if (c.s.pLineMarks != nullptr && c.rule == K_FUNCTION) fNoteLineMark(c, r);
  const sLineKeyword word = fLineKeywordOf(c, p + r, nEnd - r);
  if (word.nLen == 0) return 0;
  // Synced, not read at r: reading would carry the state past r, and the
  // scan's own sync to r would then start again from the text's start.
  c.fLiteralSyncTo(r);
  if (!c.vLiteral.fInCode()) return 0;
  if (word.bBeginsName) fBeginPendingName(c.s, r);
  c.vIndex1 = r;
  c.vFlag2 = word.kind;
  fCollectBytes(c, r, word.nLen);
  return word.nLen;
}

// A whole script is mostly the lines of its functions and its globals
// block, which its scan only collects: its list tests nothing but the block
// keywords, each at one count of the buffer and only against the whole
// buffer, and the buffer starts again at every line end. At a line start
// with an empty buffer, the lines from r on are collected up to the first
// byte the scan could act on (left to the scan, with its line's bytes
// before it in the buffer), as scanning them one by one would: each line
// end pair empties the buffer and does nothing else while no element is
// cut. Any other line-end byte, and a single one, end the stretch too. The
// bytes taken, or 0.
int32_t fCollectScriptLines(sRuleCall& c, int32_t r, int32_t nEnd) {
  if (c.rule != K_SCRIPT || c.nBufLen != 0 || !c.bLineEnd || c.vFlag2 != -1 ||
      c.vIndex2 != -1 || c.s.vElseCount != 0 || c.s.vElsePending != 0) {
    return 0;
  }
  const sScanChoice choice = fChooseAlternatives(c);
  const sQuietRun run = fQuietRunOf(c, choice);
  if (run.list == nullptr || run.pGroup != nullptr || run.list->fNotesAny() ||
      !run.bLiteralsCollected || !fAfterIsIdle(c, choice.after)) {
    return 0;
  }
  const char* p = c.in.data.data();
  const uint8_t nStops = fStopFlags(c.s.vPendingNameSet == 1);
  c.fLiteralSyncTo(r);
  sLiteralScan literal = c.vLiteral;
  uint8_t mark = c.nLiteralMark;
  int32_t lineStart = r;  // the buffer holds the bytes from here to i
  int32_t i = r;
  const sAlternatives& list = *run.list;
  const uint8_t nEnds = nStops | sAlternatives::kEndsStretch;
  bool bActs = false;
  while (i < nEnd) {
    // In code, a byte needs only its flags, as in a quiet run.
    if (literal.fInCode()) {
      const int32_t start = i;
      for (; i < nEnd; ++i) {
        const uint8_t f = list.fQuietFlags(p[i]);
        if ((f & (nEnds | sAlternatives::kActsAtCounts)) == 0) continue;
        if ((f & nEnds) != 0) break;
        // Its keywords hit only where the line is exactly one of them.
        if (list.fQuiet(p[i]).fHitsAt(i - lineStart + 1) &&
            fMayActOnBuffer(list, p + lineStart, i - lineStart + 1)) {
          bActs = true;
          break;
        }
      }
      if (i > start) mark = 0;
      if (bActs || i >= nEnd) break;
    }
    const char ch = p[i];
    if (ch == '\r' || ch == '\n') {
      // Only a pair or more empties the buffer.
      const bool bPair = i + 1 < nEnd && (p[i + 1] == '\r' || p[i + 1] == '\n');
      if (!bPair) break;
      int32_t j = i;
      while (j < nEnd && (p[j] == '\r' || p[j] == '\n')) mark = literal.fInside(p[j++]);
      i = lineStart = j;
      continue;
    }
    if (fIsLineEndByte(ch)) break;
    sLiteralScan next = literal;
    const uint8_t nextMark = next.fInside(ch);
    if (fActsAt(run, ch, nextMark, i - lineStart + 1, nStops)) break;
    literal = next;
    mark = nextMark;
    ++i;
  }
  if (i == r) return 0;
  c.vLiteral = literal;
  c.nLiteralNext = i;
  c.nLiteralMark = mark;
  if (i > lineStart) fCollectBytes(c, lineStart, i - lineStart);  // clears bLineEnd
  return i - r;
}

// The globals block pads its declarations with runs of blanks, and each
// blank is cut as an element of its own. From the third of a run on, such
// an element does nothing: the blank is the whole buffer and the first code
// the list tries for it, which cuts it at once; its handler writes nothing
// in the globals block while no number is read; and the kinds it notes as
// the last ones were noted by the blank before. Such blanks are passed
// over. The bytes taken, or 0.
int32_t fPassRepeatedBlanks(sRuleCall& c, int32_t r, int32_t nEnd) {
  const char* p = c.in.data.data();
  const sState& s = c.s;
  if (p[r] != ' ' || r == 0 || p[r - 1] != ' ' || c.nLastKind != K_SPACE ||
      s.vPrevElementKind != K_SPACE || s.vNumericMode != 0 ||
      s.vInTakes != 0 || s.fTestDispatch || c.bSplitsAtCommas || c.bLineEnd) {
    return 0;
  }
  if (c.nBufLen != 0 || c.vFlag1 != -1 || c.vFlag2 != -1 || c.vIndex1 != -1 || c.vIndex2 != -1) {
    return 0;
  }
  const sScanChoice choice = fChooseAlternatives(c);
  if (choice.list == nullptr || *choice.list->fFor(' ') != K_SPACE ||
      (choice.after != eAfter::kNone && choice.after != eAfter::kGroupOpen) ||
      c.fLiteralAt(r) != 0) {
    return 0;
  }
  int32_t n = 1;
  while (r + n < nEnd && p[r + n] == ' ') ++n;
  return n;
}

// The scan from r on; r is where the text's scan begins, or a byte right
// after a restart.
void fScanText(sRuleCall& c, int32_t r) {
  const int32_t nEnd = c.in.len() - std::max(0, c.in.nTailLen);
  sScanChoice choice{};
  const sScanChoice* pChoice = nullptr;
  // Set for the whole scan of a text inside the globals block.
  const bool bInGlobals = c.s.vInGlobals == 1;
  while (r < nEnd) {
    const int32_t nLines = fCollectScriptLines(c, r, nEnd);
    if (nLines > 0) {
      r += nLines;
      pChoice = nullptr;
      continue;
    }
    const int32_t nWord = fCutLineKeyword(c, r, nEnd);
    if (nWord > 0) {
      r += nWord;
      pChoice = nullptr;
      continue;
    }
    const int32_t nQuiet = fCollectQuietRun(c, r, nEnd, pChoice, choice);
    if (nQuiet > 0) {
      r += nQuiet;
      continue;
    }
    const ePass pass = fScanPosition(c, r, pChoice);
    pChoice = nullptr;  // the scan may have changed what decides the list
    if (pass == ePass::kStop) return;
    if (pass == ePass::kCount) ++c.nBufLen;
    ++r;
    if (bInGlobals && pass == ePass::kNoCount && r < nEnd) r += fPassRepeatedBlanks(c, r, nEnd);
  }
  fEndOfText(c, r);
}

// Joined as the engine joins pieces: outside the globals block a blank as
// the last piece is left out.
void fJoinLoneOutput(sState& s, sText& in, sText& output, sText& out) {
  const bool bEnd = fTakesStatementEnd(in);
  const bool bKeep = !output.fEmpty() && (bEnd || s.vInGlobals == 1 || output.data != " ");
  if (bKeep) out.data = std::move(output.data);
  if (bEnd) out.data += kStatementEnd;
}

// A lone operand's plain element goes to the plain handler. Outside a
// running expression rule the handler runs that rule on the element, and
// since the bytes and the state the list depends on are the same, the run is
// this lone case again: its pending name, its own plain element and the
// handler's operand flush. An argument's operand takes that second run (some
// 140 thousand in a large map); it is made here without the second dispatch,
// engine call, lone test and element copy. Where the handler would do
// anything else, or a test watches the dispatches, the element is dispatched.
bool fDispatchLonePlain(sState& s, sText& element, sText& output) {
  if (s.fTestDispatch || s.vReturnsSeen != 0 || s.vArrayDecl != 0 ||
      s.vInExpressionRule != 0) {
    return fRunRule(s, K_PLAIN, element, output);
  }
  s.vInExpressionRule = 1;
  element.bTerminated = 1;
  // The expression rule's call would be refused here, failing the handler.
  if (s.vDepth >= CONST_MAX_DEPTH) {
    s.vDepthRefused = 1;
    return false;
  }
  // The second run: its text is the element, from its first byte.
  fBeginPendingName(s, 0);
  fPlainFinalKind(s);
  s.vPrevElementKind = -1;
  // Its own plain element, a copy of the element, is flushed by the handler,
  // now inside the expression rule. The element is flushed in its place: the
  // copy's flags are clear and carry nothing back, and the bytes the flush
  // may prefix are not read again.
  sText flushed;
  fTranslateOperand(s, &element, flushed);
  fResetConstruct(s);
  fJoinLoneOutput(s, element, flushed, output);
  return fResetConstruct(s);
}

// Most texts of the expression and argument rules are one name, number or
// rawcode ('x', 'udg_Hero', '42', 'A00B'): a quarter of a million in a large
// map, each run once as an argument and once as its expression. Their scan
// is known without running it (fIsLoneOperand): the first byte begins the
// pending name, the last one is noted, and the whole text is one final
// element of no kind. Such a call is made here, step for step as the engine
// would make it, without the piece table, the element buffer and the cut
// values that a text with more than one element needs.
bool fApplyLoneOperand(sState& s, sText& in, sText& out, KindCode rule) {
  if (rule != K_EXPRESSION && rule != K_ARGUMENT) return false;
  const int32_t r = std::max(0, in.nHeadLen);
  const int32_t nEnd = in.len() - std::max(0, in.nTailLen);
  if (r >= nEnd) return false;
  const char* p = in.data.data() + r;
  const int32_t n = nEnd - r;
  // With this list neither rule has an opening piece.
  if (!fIsLoneOperand(fChooseExpression(s, in), p, n)) return false;
  out.fRelease();
  fBeginPendingName(s, r);
  s.vLastChar = static_cast<uint8_t>(p[n - 1]);
  const KindCode kind = fPlainFinalKind(s);
  sText element(std::string(p, static_cast<size_t>(n)));
  sText output;
  s.vPrevElementKind = -1;  // the call's first element
  if (!fDispatchLonePlain(s, element, output)) return true;  // stopped: nothing to assemble
  fCarryBack(s, in, kind, element);
  fJoinLoneOutput(s, in, output, out);
  return true;
}

// The bytes of an argument list whose arguments are all lone operands
// ('(u,id,4)', '()'): the group is split at every comma and each argument
// but the last may even spell a keyword, because the split list only acts on
// quotes, openers and commas. The last argument is scanned with the group
// list, so it must be lone.
bool fIsLoneArgumentList(const sText& in) {
  const int32_t n = in.len();
  if (in.nHeadLen != 1 || in.nTailLen != 1 || n < 2) return false;
  const char* p = in.data.data();
  if (p[0] != '(' || p[n - 1] != ')') return false;
  int32_t start = 1;
  for (int32_t i = 1; i < n - 1; ++i) {
    if (p[i] != ',') continue;
    if (!fIsOperandWord(p + start, i - start, true)) return false;
    start = i + 1;
  }
  return start == n - 1 ? start == 1 : fIsOperandWord(p + start, n - 1 - start, false);
}

// Whether the group rule's text is such a list in a state in which its
// scan goes as fCutLoneArguments has it: no literal, quote or split
// counting under way, no bracket open, outside the globals block.
bool fTakesLoneArguments(const sState& s, const sText& in, KindCode rule) {
  if (rule != K_LPAREN || in.bCommaSplit != 0 || in.bInBracket != 0) return false;
  if (s.vStringMode != 0 || s.vInQuotes != 0 || s.vInGlobals != 0 ||
      s.vOpenParenCount != s.vCloseParenCount) {
    return false;
  }
  return fIsLoneArgumentList(in);
}

// A group's argument list of lone operands, cut where its scan would cut it
// and with what that scan leaves in the state, without running it: about 37
// thousand lists in a large map, each a comma split with a restart per
// argument. The group list, chosen for the first byte of each argument,
// gives way to the split list at once wherever a comma lies ahead; the split
// list finds nothing in an argument's bytes, and its comma cuts the argument
// as the pending name for the comma handler, and a pending number when a
// number is being read. The last argument's scan can only begin a name or a
// number, and preparing it as the final element clears both. The elements
// themselves go through the engine's element step.
void fCutLoneArguments(sRuleCall& c) {
  sState& s = c.s;
  sText& in = c.in;
  const char* p = in.data.data();
  const int32_t nEnd = in.len() - 1;
  int32_t start = 1;
  for (int32_t r = 1; r < nEnd; ++r) {
    if (p[r] != ',') continue;
    in.bCommaSplit = 1;
    const size_t n = static_cast<size_t>(r - start);
    if (s.vPendingNameSet == 0 && s.vNumericMode == 1) {
      s.vPendingNumberSet = 1;
      s.vPendingNumber.fCopy(p + start, n);
    }
    c.vIndex1 = r;
    c.vIndex2 = r;
    c.vFlag2 = K_COMMA;
    fAfterScanner(c, eAfter::kCommaSplit, r);
    if (fTranslateAndRestart(c, K_COMMA) == ePass::kStop) return;
    start = r + 1;
  }
  fCollectBytes(c, start, nEnd - start);
  fEndOfText(c, nEnd);
}

// 'call NAME(...)' and 'set NAME=...', the commonest statements of a map,
// begin alike: one blank after the keyword, then a name that the expression
// list cannot read as a keyword, ended by the group's opener or the "=".
// The offset of that byte, or -1.
int32_t fNameEnd(const sText& in, KindCode rule, char delimiter) {
  const int32_t h = in.nHeadLen;
  const int32_t n = in.len();
  if (h != fKeywordLength(rule) || in.nTailLen > 0 || n < h + 4) return -1;
  const char* p = in.data.data();
  const char first = p[h + 1];
  if (p[h] != ' ' || !((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) {
    return -1;
  }
  const void* end = std::memchr(p + h + 1, delimiter, static_cast<size_t>(n - h - 1));
  if (end == nullptr) return -1;
  const int32_t q = static_cast<int32_t>(static_cast<const char*>(end) - p);
  return fIsOperandWord(p + h + 1, q - h - 1, false) ? q : -1;
}

// The scan of such a head, as it would go, without running it. With the
// expression list the any-character class begins the pending name at the
// blank and notes every byte; the blank is an element of its own; the
// name's bytes act on nothing else. Should the list be another, at the start
// or after the blank's handler, the scan takes over. True when the head is
// cut and the byte at nEnd comes next; false when the text is done.
bool fCutStatementHead(sRuleCall& c, int32_t nEnd) {
  sState& s = c.s;
  const int32_t h = c.in.nHeadLen;
  if (!fChoosesExpressionList(s, c.in)) {
    fScanText(c, h);
    return false;
  }
  fBeginPendingName(s, h);
  s.vLastChar = ' ';
  c.vIndex1 = h;
  c.vIndex2 = h;
  if (fTranslateAndRestart(c, K_SPACE) == ePass::kStop) return false;
  if (!fChoosesExpressionList(s, c.in)) {
    fScanText(c, h + 1);
    return false;
  }
  fBeginPendingName(s, h + 1);
  s.vLastChar = c.in.data[static_cast<size_t>(nEnd) - 1];
  fCollectBytes(c, h + 1, nEnd - h - 1);
  return true;
}

// A call statement's group: where it opens and what lies inside it.
struct sCallGroup {
  int32_t nOpener = -1;  // offset of the group's "(", or -1: no such statement
  int32_t nInner = 0;    // groups inside it, outside literals
};

// A call statement whose one group its tracking closes at the last byte,
// with no line-end byte anywhere.
sCallGroup fCallGroupOf(const sText& in, KindCode rule) {
  sCallGroup call;
  // The tracking closes the group where as many closers as openers are
  // counted: only from equal counts is that the last byte.
  if (rule != K_CALL || in.nParenOpen != in.nParenClose) return call;
  const int32_t q = fNameEnd(in, rule, '(');
  if (q < 0) return call;
  const char* p = in.data.data();
  const int32_t n = in.len();
  sLiteralScan literal;  // the name before the group is code
  int32_t depth = 0;
  for (int32_t i = q; i < n; ++i) {
    if (fIsLineEndByte(p[i])) return call;
    if (literal.fInside(p[i]) != 0) continue;
    if (p[i] == '(' && ++depth > 1) ++call.nInner;
    if (p[i] == ')' && --depth == 0) {
      if (i == n - 1) call.nOpener = q;
      return call;
    }
  }
  return call;
}

// After the head, the opener is noted and opens the group with the name as
// the called one; inside, the tracking only counts openers and closers, and
// the last byte closes the group, the statement's second element.
void fCutCallStatement(sRuleCall& c, const sCallGroup& call) {
  sText& in = c.in;
  const int32_t n = in.len();
  const int32_t q = call.nOpener;
  if (!fCutStatementHead(c, q)) return;
  c.s.vLastChar = '(';
  c.vIndex1 = q;
  c.vFlag1 = K_LPAREN;
  fAfterScanner(c, eAfter::kGroupOpen, q);
  in.nParenOpen += call.nInner;
  in.nParenClose += call.nInner;
  c.vIndex2 = n - 1;
  c.vFlag2 = K_RPAREN;
  fAfterScanner(c, eAfter::kParenTracking, n - 1);
  if (fTranslateAndRestart(c, K_RPAREN) == ePass::kStop) return;
  fEndOfText(c, n);
}

// After the head, the "=" is noted and cuts the name before it as the
// pending name; it is an element of its own, and the scan goes on after it.
void fCutSetStatement(sRuleCall& c, int32_t q) {
  if (!fCutStatementHead(c, q)) return;
  sState& s = c.s;
  s.vLastChar = '=';
  s.vPendingName.fCopy(c.szBuffer.data(), static_cast<size_t>(c.nBufLen));
  c.vIndex1 = q;
  c.vIndex2 = q;
  if (fTranslateAndRestart(c, K_ASSIGN) == ePass::kStop) return;
  fScanText(c, q + 1);
}

}  // namespace

sScratchLease::sScratchLease(sState& s, size_t nBufferStart) {
  if (s.vDepth >= 0) {
    const size_t depth = static_cast<size_t>(s.vDepth);
    if (s.vEngineScratch.size() <= depth) s.vEngineScratch.resize(depth + 1);
    std::unique_ptr<sEngineScratch>& slot = s.vEngineScratch[depth];
    if (!slot) slot = std::make_unique<sEngineScratch>();
    if (!slot->bInUse) p_ = slot.get();
  }
  if (p_ == nullptr) {
    own_ = std::make_unique<sEngineScratch>();
    p_ = own_.get();
  }
  p_->bInUse = true;
  p_->vPieces.clear();
  if (p_->szBuffer.size() < nBufferStart) p_->szBuffer.resize(nBufferStart, '\0');
  p_->vCommaAhead.clear();
}

bool fApplyRule(sState& s, sText& in, sText& out, KindCode rule) {
  // Each nested group or block is one more call; past the bound the call is
  // refused like a failed sub-rule instead of exhausting the stack.
  if (s.vDepth >= CONST_MAX_DEPTH) {
    s.vDepthRefused = 1;  // the output lacks a piece: the conversion run makes it an error
    return false;
  }
  sDepthScope depth(s);
  if (fApplyLoneOperand(s, in, out, rule)) return true;
  sRuleCall c(s, in, out, rule);
  const bool bLoneArguments = fTakesLoneArguments(s, in, rule);
  if (c.bSplitsAtCommas && !bLoneArguments) {
    fMarkCommasAhead(in.data, c.vCommaAhead, c.vCommaLevels);
  }
  out.fRelease();
  fAddOpeningPieces(c);
  const sCallGroup call = fCallGroupOf(in, rule);
  const int32_t nAssign = rule == K_SET ? fNameEnd(in, rule, '=') : -1;
  if (bLoneArguments) {
    fCutLoneArguments(c);
  } else if (call.nOpener >= 0) {
    fCutCallStatement(c, call);
  } else if (nAssign >= 0) {
    fCutSetStatement(c, nAssign);
  } else {
    fScanText(c, std::max(0, in.nHeadLen));
  }
  fAssemble(c);
  fFileResult(c);
  return true;
}

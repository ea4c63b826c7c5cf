// The state of one engine call and the steps that the engine's files share
// (rules <-> handlers). Each fApplyRule call owns one sRuleCall for its whole
// run; nothing here outlives the call, because the engine re-enters itself
// through the dispatcher.
#ifndef JASSCRIBE_RULES_CALL_H_
#define JASSCRIBE_RULES_CALL_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "text/literals.h"
#include "scan/kinds.h"
#include "scan/scanner.h"
#include "text/state.h"
#include "text/text.h"

/// The scratch storage of one engine call: its depth's slot in the state,
/// or storage of its own when that slot is taken.
class sScratchLease {
 public:
  sScratchLease(sState& s, size_t nBufferStart);
  ~sScratchLease() { p_->bInUse = false; }
  sScratchLease(const sScratchLease&) = delete;
  sScratchLease& operator=(const sScratchLease&) = delete;
  sEngineScratch& operator*() const { return *p_; }

 private:
  std::unique_ptr<sEngineScratch> own_;
  sEngineScratch* p_ = nullptr;
};

/// One engine call: the rule, its texts, the piece table, the element buffer
/// and the four cut values. Kept small: the pieces and the buffer live on the
/// heap, so deep nesting costs little stack.
struct sRuleCall {
  sState& s;
  sText& in;
  sText& out;
  KindCode rule;
  // Groups and parameter lists split at their top-level commas.
  bool bSplitsAtCommas;

 private:
  sScratchLease lease_;  // before the references into it

 public:
  std::vector<std::string>& vPieces;  // translated pieces in output order
  std::string& szBuffer;              // element buffer; only its first nBufLen bytes count
  int32_t nBufLen = 0;               // characters collected in szBuffer
  int32_t vIndex1 = -1;              // start offset of the element being cut
  int32_t vIndex2 = -1;              // end offset (inclusive) of that element
  int32_t vFlag1 = -1;               // kind of the opener the scanner found
  int32_t vFlag2 = -1;               // kind of the element the scanner found
  bool bLineEnd = false;             // inside a run of line-end characters
  KindCode nLastKind = -1;           // kind of the element this call dispatched last
  sLiteralScan vLiteral;              // follows in from its first byte up to the scan
  int32_t nLiteralNext = 0;           // next byte of in that vLiteral reads
  uint8_t nLiteralMark = 0;           // what the byte before nLiteralNext is
  std::vector<uint8_t>& vCommaAhead;  // per byte of in: a top-level comma lies at or after it
  std::vector<uint8_t>& vCommaLevels; // working space of fMarkCommasAhead

  /// What the byte at r is: 0 for code, else the kind of literal content.
  /// The scan asks for rising positions, so the literal state is carried
  /// along instead of being stored for every byte of the text.
  uint8_t fLiteralAt(int32_t r) {
    if (r < 0 || r >= in.len()) return 0;
    if (r < nLiteralNext - 1) {
      vLiteral = sLiteralScan();
      nLiteralNext = 0;
    }
    fLiteralStep(r + 1);
    return nLiteralMark;
  }

  /// Brings the literal state to just before byte r.
  void fLiteralSyncTo(int32_t r) {
    if (r < nLiteralNext) {
      vLiteral = sLiteralScan();
      nLiteralNext = 0;
      nLiteralMark = 0;
    }
    fLiteralStep(std::min(r, in.len()));
  }

  /// Steps the literal state over the bytes before end, in locals: the
  /// engine catches up over long collected runs here.
  void fLiteralStep(int32_t end) {
    if (nLiteralNext >= end) return;
    const char* p = in.data.data();
    sLiteralScan literal = vLiteral;
    uint8_t mark = nLiteralMark;
    for (int32_t i = nLiteralNext; i < end; ++i) mark = literal.fInside(p[i]);
    vLiteral = literal;
    nLiteralMark = mark;
    nLiteralNext = end;
  }

  // Most elements are short: starting with room for them saves growing the
  // buffer byte by byte in every call.
  sRuleCall(sState& state, sText& input, sText& output, KindCode r)
      : s(state),
        in(input),
        out(output),
        rule(r),
        bSplitsAtCommas(r == K_LPAREN || r == K_PARAM_LIST),
        lease_(state, CONST_BUFFER_START),
        vPieces((*lease_).vPieces),
        szBuffer((*lease_).szBuffer),
        vCommaAhead((*lease_).vCommaAhead),
        vCommaLevels((*lease_).vCommaLevels) {}

  ~sRuleCall() = default;
  sRuleCall(const sRuleCall&) = delete;
  sRuleCall& operator=(const sRuleCall&) = delete;

  static constexpr size_t CONST_BUFFER_START = 64;
};

/// Outcome of translating one element.
enum class eTranslate {
  kDone,     // the element went through the dispatcher and its output was kept
  kSkipped,  // a cut value was still unset: nothing to translate
  kStop      // empty element or failed sub-rule: the scan of the text ends
};

// Membership in a K_END_OF_LIST-terminated list of kinds, as a table indexed
// by kind, for the tests made for
// every byte or element.
using sKindTable = std::array<bool, K_MAX_CODE + 1>;

constexpr sKindTable fTableOf(const KindCode* list) {
  sKindTable table{};
  for (; *list != K_END_OF_LIST; ++list) table[static_cast<size_t>(*list)] = true;
  return table;
}

inline bool fIsIn(const sKindTable& table, KindCode code) {
  return code >= K_MIN_CODE && code <= K_MAX_CODE && table[static_cast<size_t>(code)];
}

// Per byte of text: 1 where a comma outside literals lies at or after the
// byte with as many "(" as ")" in between (toplevel.cpp). levels is working
// space, kept by the caller for the next text.
void fMarkCommasAhead(const std::string& text, std::vector<uint8_t>& ahead,
                      std::vector<uint8_t>& levels);

// What runs after the scanner (alternatives.cpp).
enum class eAfter : uint8_t {
  kNone,
  kFunctionOpeners,   // an if or loop opener starts a nested block
  kEndifClosesIf,     // the outermost endif ends the nested if block
  kEndloopClosesLoop, // the outermost endloop ends the nested loop block
  kGroupOpen,         // "(" or "[" opens a group
  kGroupOpenInBlock,  // as kGroupOpen, then the if/loop/elseif openers
  kParenTracking,
  kBracketTracking,
  kCommaSplit
};

// The list of alternatives that the rule and the text's state select; a null
// list only collects bytes.
struct sScanChoice {
  const sAlternatives* list;
  eAfter after;
  bool bCutsLiteral = false;  // the list cuts a string literal: its bytes are scanned too
};

sScanChoice fChooseAlternatives(const sRuleCall& c);
// The list of the statement, expression and argument rules.
sScanChoice fChooseExpression(const sState& s, const sText& in);

// A statement keyword that the line at p starts with, as the rule's list at
// the line start would scan it: its kind and length (0 for none), and
// whether its first byte begins the pending name.
struct sLineKeyword {
  KindCode kind = -1;
  int32_t nLen = 0;
  bool bBeginsName = false;
};
sLineKeyword fLineKeywordOf(const sRuleCall& c, const char* p, int32_t n);

// Whether the expression list, with the any-character class first, is the
// list of those rules for the text in this state.
bool fChoosesExpressionList(const sState& s, const sText& in);

// Scanning (alternatives.cpp): runs the scanner with the chosen list, then
// the rule's follow-up actions. False when the scanner refused a code.
bool fRunScanner(sRuleCall& c, int32_t r, const sScanChoice& choice);
// The follow-up alone, for a scan at r whose outcome is known.
void fAfterScanner(sRuleCall& c, eAfter after, int32_t r);

// A group whose closer is being looked for: inside it a scan only counts
// its inner openers and closers, which a quiet run can count itself.
struct sTrackedGroup {
  char cOpen;                // "(" or "["
  char cClose;               // ")" or "]"
  int32_t sText::*nOpen;     // openers counted
  int32_t sText::*nClose;    // closers counted
  int32_t sText::*nStart;    // offset of the outer opener
};

// The tracked group for the follow-up of a tracking list, or null.
const sTrackedGroup* fTrackedGroupOf(eAfter after);

// A run of bytes that the scan only collects: what decides, for each byte,
// whether scanning it would do anything. Valid until the next byte that is
// scanned.
struct sQuietRun {
  const sAlternatives* list = nullptr;  // null: the scanner does not run
  bool bLiteralsCollected = false;      // literal content skips the scanner
  bool bRawcodeBeginsName = false;      // ... except that it begins a name
  const sTrackedGroup* pGroup = nullptr;  // inner openers and closers are counted
};

// What decides the quiet bytes for a position where the scanner runs with
// choice.
inline sQuietRun fQuietRunOf(const sRuleCall& c, const sScanChoice& choice) {
  sQuietRun run;
  if (choice.list == nullptr) return run;
  run.list = choice.list;
  run.bLiteralsCollected = !choice.bCutsLiteral;
  run.bRawcodeBeginsName = choice.list->fHasLetter() && c.s.vPendingNameSet == 0;
  if (choice.after == eAfter::kParenTracking || choice.after == eAfter::kBracketTracking) {
    run.pGroup = fTrackedGroupOf(choice.after);
  }
  return run;
}

// Whether the n bytes at p are one name, number or rawcode alone that the
// chosen list only begins a pending name with and notes byte by byte:
// scanning them changes nothing else (alternatives.cpp, beside the lists).
bool fIsLoneOperand(const sScanChoice& choice, const char* p, int32_t n);
// The bytes of such a text: one name, number or rawcode; with bKeywords, a
// name may also spell a keyword.
bool fIsOperandWord(const char* p, int32_t n, bool bKeywords);

// Whether the rule's follow-up does nothing after a scan that found nothing
// (alternatives.cpp, beside the follow-up itself).
bool fAfterIsIdle(const sRuleCall& c, eAfter after);

// Elements (assemble.cpp).
eTranslate fTranslateElement(sRuleCall& c, KindCode kind);
// Carries what a translated element left in its flags back to the text it
// was cut from.
void fCarryBack(sState& s, sText& in, KindCode kind, const sText& element);
void fAssemble(sRuleCall& c);
// For the learner of line templates: a mark at the line start r of its
// function's body, with nothing of the line scanned yet.
void fNoteLineMark(sRuleCall& c, int32_t r);

// Filing into the section lists (filing.cpp).
void fFileResult(sRuleCall& c);

// Fixed pieces (framing.cpp).
void fAddOpeningPieces(sRuleCall& c);
void fAddElseBrace(sRuleCall& c);
void fAddClosingPieces(sRuleCall& c);
// A statement cut at its line end gets ";" CR LF once; texts that carry their
// own end, or whose group or body is open or just closed, do not. True when
// the piece is due; the text is then marked as terminated.
bool fTakesStatementEnd(sText& in);
extern const char kStatementEnd[];

#endif  // JASSCRIBE_RULES_CALL_H_

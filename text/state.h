// The state of one translation: every pending buffer, flag, counter, working
// text and section list that outlives a single rule call. One record is made
// per conversion and passed first to every step, so conversions never share
// state and every test starts from the start values.
#ifndef JASSCRIBE_TEXT_STATE_H_
#define JASSCRIBE_TEXT_STATE_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "text/charbuf.h"
#include "text/diagnostic.h"
#include "text/text.h"

struct sState;
struct sLineTemplates;

/// What the learner of line templates notes at each line start of its
/// function's body where nothing is cut: where the line begins in the
/// function's text, how many bytes of output the body had by then, and the
/// state.
struct sLineMark {
  int32_t nStart = 0;
  size_t nOutputBytes = 0;
  std::string vState;
};

struct sLineMarks {
  std::vector<sLineMark> vMarks;
  size_t nPiecesCounted = 0;  // the body's pieces whose bytes are counted
  size_t nBytesCounted = 0;
};

/// What the learner of function heads notes of each function it has the
/// engine translate: the state the translation begins in, and what the
/// header made of the function's head, parameters, names and registration.
struct sFunctionNote {
  std::string vStartState;
  std::string vHeadText;
  std::string vParams;
  std::string vName;
  std::string vJassName;
  std::string vRegistration;
  int32_t nRegistrations = 0;
};

/// Storage that one engine call uses and the next call at its depth reuses,
/// so the nested calls made for every element do not allocate afresh.
struct sEngineScratch {
  std::vector<std::string> vPieces;
  std::string szBuffer;
  std::vector<uint8_t> vCommaAhead;
  std::vector<uint8_t> vCommaLevels;
  bool bInUse = false;
};

/// Test seam of the dispatcher: when set, fRunRule asks it first; returning
/// true means "handled" and its bool result in *pResult is used.
using fDispatchHook = std::function<bool(sState& s, int32_t code, sText& in,
                                         sText& out, bool* pResult)>;

struct sState {
  // Output line lists.
  sTextList vHeaderLines;  // lines of war3map.h, filled by the header emitter
  sTextList vCppLines;     // lines of war3map.cpp, filled by the frame emitter

  // Section lists.
  sTextList vGlobalsVarList;             // translated globals blocks
  sTextList vInitVarsInConstructorList;  // constructor initialiser fragments
  sTextList vFuncsForHeaderList;         // prototypes, each followed by ";" CR LF
  sTextList vFuncsCppList;               // translated functions, each plus CR LF
  sTextList vBodyFuncsInitList;          // registration lines of fFuncsInit

  // Registry of global names; searched on every flush, hence indexed.
  sTextList vGlobalNames{true};

  // Working texts.
  sText vPendingType;     // declared type waiting for the next operand
  sText vFuncHeadText;    // head of the function being defined, with "{"
  sText vFuncPrototype;   // that head without its last five bytes
  sText vTakesText;       // parameter text between "takes" and "returns"
  sText vCondText;        // condition text before "then"
  sText vFuncParams;      // translated parameter list "(...)"

  // Character buffers.
  sCharBuf vPendingName;    // name cut by the scanner, not yet written
  sCharBuf vPendingNumber;  // numeric literal, or left operand of and/or/not
  sCharBuf vLeftOperand;    // left operand of a comparison or assignment
  sCharBuf vCallName;       // called function or indexed array
  sCharBuf vFuncName;       // mapped name of the function being defined
  sCharBuf vFuncJassName;   // that name as the script spells it
  sCharBuf vStringLiteral;  // text of the string literal being cut
  sCharBuf vFormatBuffer;   // formatting scratch
  sCharBuf vWorkBuffer;     // scratch for splitting global initialisers

  // Counters.
  int32_t vDepth = 0;             // engine depth and indentation level
  int32_t vIfCount = 0;           // if openers counted by the scanner
  int32_t vEndifCount = 0;        // endif closers counted
  int32_t vElseCount = 0;         // else keywords not yet consumed by an if
  int32_t vLoopCount = 0;         // loop openers counted
  int32_t vEndloopCount = 0;      // endloop closers counted
  int32_t vOpenParenCount = 0;    // "(" counted while splitting at commas
  int32_t vCloseParenCount = 0;   // ")" counted while splitting at commas
  int32_t vQuoteStart = 0;        // offset just after an opening quote
  int32_t vPendingNameStart = 0;  // offset where the pending name began

  uint8_t vLastChar = 0;  // last byte passed by the any-character class

  // Flags.
  uint8_t vPendingNameSet = 0;    // vPendingName holds, or is reading, a name
  uint8_t vPendingNumberSet = 0;  // vPendingNumber holds a value
  uint8_t vNumericMode = 0;       // a numeric literal is being scanned
  uint8_t vStringMode = 0;        // inside a string literal
  uint8_t vInQuotes = 0;          // the scanner's quote toggle
  uint8_t vLeftOperandSet = 0;    // vLeftOperand holds an operand
  uint8_t vCallNameSet = 0;       // vCallName holds a name
  uint8_t vAssignPending = 0;     // a single "=" is pending
  uint8_t vEqualityPending = 0;   // "==" is pending
  uint8_t vAssignEmitted = 0;     // the flush wrote the "=" of an assignment
  uint8_t vLessPending = 0;       // "<" is pending
  uint8_t vGreaterPending = 0;    // ">" is pending
  uint8_t vBangPending = 0;       // "!" is pending
  uint8_t vPlusPending = 0;       // "+" element is being flushed
  uint8_t vMinusPending = 0;      // "-" element is being flushed
  uint8_t vStarPending = 0;       // "*" element is being flushed
  uint8_t vSlashPending = 0;      // "/" element is being flushed
  uint8_t vCommaPending = 0;      // "," is written at the end of the flush
  uint8_t vHexPending = 0;        // "$" seen: the next flush writes "0x"
  uint8_t vNullPending = 0;       // "null" is being flushed as "NULL"
  uint8_t vElsePending = 0;       // the else branch's brace is still to come
  uint8_t vInGlobals = 0;         // the globals block is being translated
  uint8_t vInLocalDecl = 0;       // a local declaration is being translated
  uint8_t vArrayDecl = 0;         // "array" seen in the current declaration
  uint8_t vInExpressionRule = 0;  // a remainder runs its expression rule
  uint8_t vInFunctionBody = 0;    // a function header has started
  uint8_t vInTakes = 0;           // the parameter list is being translated
  uint8_t vReturnsSeen = 0;       // "returns" of the header was translated
  uint8_t vReturnsNothing = 0;    // the function returns nothing

  sCharBuf vEscapedQuotes;  // literal text up to its last escaped quote
  int32_t vPrevElementKind = -1;  // element dispatched just before, same rule call
  std::unordered_set<std::string> vLocalNames;  // parameters and locals of the function
  std::unordered_set<std::string> vParamNames;  // its parameters alone
  uint8_t vRedeclaresParam = 0;  // the local being declared is a parameter

  std::vector<sDiagnostic> vDiagnostics;  // faults of the script, in line order
  uint8_t vDepthRefused = 0;              // an engine call was refused at CONST_MAX_DEPTH

  // Translations of function lines learnt from the engine, shared by every
  // function of the script; made on first use.
  std::shared_ptr<sLineTemplates> pLineTemplates;
  const std::string* pScript = nullptr;  // the whole script, while it is translated
  // Set by the learner: each marker call's text and the state before it.
  std::vector<std::pair<std::string, std::string>>* pMarkerStates = nullptr;
  // Set by the learner: a mark at each line start of its function's body.
  sLineMarks* pLineMarks = nullptr;
  // Set by the learner of function heads: a note of each function.
  std::vector<sFunctionNote>* pFunctionNotes = nullptr;
  int32_t vFunctionsFromTemplates = 0;  // functions written from the templates
  // Set while the engine translates the learner's own functions: they are
  // filed without the token and grouping passes, which run on whole functions.
  uint8_t vRawFunctions = 0;
  // Every function goes through the engine: set by the learner for its own
  // conversions, and by tests that compare the two ways.
  uint8_t vEngineOnly = 0;

  // One slot per engine depth (index vDepth), made on first use.
  std::vector<std::unique_ptr<sEngineScratch>> vEngineScratch;

  // Test seam only; never set by the translator itself.
  fDispatchHook fTestDispatch;
};

#endif  // JASSCRIBE_TEXT_STATE_H_

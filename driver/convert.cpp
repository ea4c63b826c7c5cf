// The conversion run (driver -> rules): the raw script checked for faults
// that would lose code without a sign, brought into the unindented CR LF form
// the rules are written for, then through the dispatcher as K_SCRIPT, then
// the two emitters, header first, only when that succeeded and found no error.
#include "driver/convert.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "check/script_check.h"
#include "output/emit.h"
#include "rules/direct.h"
#include "rules/rules.h"
#include "scan/kinds.h"
#include "text/normalize.h"

namespace {

// Only the engine knows when nesting is too deep; the pre-pass knows where.
void fAddDepthError(sState& s, int32_t nLine) {
  const sDiagnostic error = {nLine, eProblem::kTooDeep,
                             "nesting deeper than the translator's " +
                                 std::to_string(CONST_MAX_DEPTH) + " levels"};
  const auto at = std::upper_bound(
      s.vDiagnostics.begin(), s.vDiagnostics.end(), error,
      [](const sDiagnostic& a, const sDiagnostic& b) { return a.nLine < b.nLine; });
  s.vDiagnostics.insert(at, error);
}

}  // namespace

bool fConvertScript(sState& s, const char* pScript, size_t length) {
  if (pScript == nullptr && length > 0) return true;
  return fConvertScript(s, std::string(pScript, length));
}

bool fConvertScript(sState& s, std::string&& raw) {
  // A script with an error would translate into outputs that lack whole
  // blocks; better none at all, so the previous ones stay.
  sScriptCheck check = fCheckScript(raw.data(), raw.size());
  s.vDiagnostics = std::move(check.vDiagnostics);
  if (fFirstError(s.vDiagnostics) != nullptr) return true;
  // Indentation, comments, tabs and lone LF or CR would make the rules drop
  // whole blocks without a sign, so every script is normalised first.
  std::string script = fNormalizeScript(raw.data(), raw.size());
  std::string().swap(raw);
  // Offsets into a text are 32-bit; a longer script (normalising can make it
  // longer) is treated like one the whole-script rule rejects: no output at
  // all rather than a wrapped length.
  if (script.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return true;
  s.vDepth = -1;
  sText szBuffer2(std::move(script));
  sText szBuffer3;
  s.pScript = &szBuffer2.data;
  const bool bTranslated = fRunRule(s, K_SCRIPT, szBuffer2, szBuffer3);
  s.pScript = nullptr;
  fEndTemplates(s);
  // The emitters work from the section lists alone; the script and the rule's
  // joined result go first, so they never coexist with the output lines.
  szBuffer2.fRelease();
  szBuffer3.fRelease();
  if (s.vDepthRefused != 0) {
    fAddDepthError(s, check.nDeepestLine);
  } else if (bTranslated) {
    fEmitHeader(s);
    fEmitCppFrame(s);
  }
  return true;
}

void fReleaseSections(sState& s) {
  s.vGlobalsVarList = sTextList();
  s.vInitVarsInConstructorList = sTextList();
  s.vFuncsForHeaderList = sTextList();
  s.vFuncsCppList = sTextList();
  s.vBodyFuncsInitList = sTextList();
  s.vGlobalNames = sTextList(true);
}

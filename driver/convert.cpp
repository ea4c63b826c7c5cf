// The conversion run (driver -> rules): the script brought into the
// unindented CR LF form the rules are written for, then through the
// dispatcher as K_SCRIPT, then the two emitters, header first, only when that
// succeeded.
#include "driver/convert.h"

#include <cstdint>
#include <limits>
#include <string>

#include "output/emit.h"
#include "rules/rules.h"
#include "scan/kinds.h"
#include "text/normalize.h"

namespace {

bool fConvertNormalized(sState& s, std::string script) {
  // Offsets into a text are 32-bit; a longer script (normalising can make it
  // longer) is treated like one the whole-script rule rejects: no output at
  // all rather than a wrapped length.
  if (script.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return true;
  s.vDepth = -1;
  sText szBuffer2(std::move(script));
  sText szBuffer3;
  const bool ok = fRunRule(s, K_SCRIPT, szBuffer2, szBuffer3);
  // The emitters work from the section lists alone; the script and the rule's
  // joined result go first, so they never coexist with the output lines.
  szBuffer2.fRelease();
  szBuffer3.fRelease();
  if (ok) {
    fEmitHeader(s);
    fEmitCppFrame(s);
  }
  return true;
}

}  // namespace

bool fConvertScript(sState& s, const char* pScript, size_t length) {
  if (pScript == nullptr && length > 0) return true;
  // Indentation, comments, tabs and lone LF or CR would make the rules drop
  // whole blocks without a sign, so every script is normalised first.
  return fConvertNormalized(s, fNormalizeScript(pScript, length));
}

bool fConvertOwnedScript(sState& s, std::string&& script) {
  std::string normalized = fNormalizeScript(script.data(), script.size());
  std::string().swap(script);
  return fConvertNormalized(s, std::move(normalized));
}

void fReleaseSections(sState& s) {
  s.vGlobalsVarList = sTextList();
  s.vInitVarsInConstructorList = sTextList();
  s.vFuncsForHeaderList = sTextList();
  s.vFuncsCppList = sTextList();
  s.vBodyFuncsInitList = sTextList();
  s.vGlobalNames = sTextList(true);
}

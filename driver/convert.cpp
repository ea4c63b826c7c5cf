// The conversion run (driver -> rules): the whole script through the
// dispatcher as K_SCRIPT, then the two emitters, header first, only when that
// succeeded.
#include "driver/convert.h"

#include <cstdint>
#include <limits>
#include <string>

#include "output/emit.h"
#include "rules/rules.h"
#include "scan/kinds.h"

bool fConvertScript(sState& s, const char* pScript, size_t length) {
  // Offsets into a text are 32-bit; a longer script is treated like one the
  // whole-script rule rejects: no output at all rather than a wrapped length.
  if (length > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return true;
  if (pScript == nullptr && length > 0) return true;
  s.vDepth = -1;
  sText szBuffer2(std::string(pScript == nullptr ? "" : pScript, length));
  sText szBuffer3;
  if (fRunRule(s, K_SCRIPT, szBuffer2, szBuffer3)) {
    fEmitHeader(s);
    fEmitCppFrame(s);
  }
  return true;
}

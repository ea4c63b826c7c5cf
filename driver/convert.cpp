// The conversion run.
#include "driver/convert.h"

#include "output/emit.h"
#include "rules/rules.h"
#include "scan/kinds.h"

bool fConvertScript(sState& s, const char* pScript, size_t length) {
  s.vDepth = -1;
  sText szBuffer2(std::string(pScript, length));
  sText szBuffer3;
  if (fRunRule(s, K_SCRIPT, szBuffer2, szBuffer3)) {
    fEmitHeader(s);
    fEmitCppFrame(s);
  }
  return true;
}

// The generic rule engine. (Work in progress: filled in by the rule engine change.)
#include "rules/rules.h"

bool fApplyRule(sState&, sText&, sText& out, KindCode) {
  out.fRelease();
  return true;
}

bool fHasTopLevelChar(const sText&, char, int32_t) { return false; }

// The dispatcher. (Work in progress: filled in by the rule engine change.)
#include "rules/rules.h"

bool fRunRule(sState& s, KindCode code, sText& in, sText& out) {
  bool result = false;
  if (s.fTestDispatch && s.fTestDispatch(s, code, in, out, &result)) return result;
  return false;
}

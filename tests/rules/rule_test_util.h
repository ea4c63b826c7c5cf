// Helpers for the rule-engine tests: a recorder installed in the dispatcher's
// test seam that notes every element a rule dispatches (and can stand in for
// handlers), and texts with head and tail lengths to run rules on.
#ifndef JASSCRIBE_TESTS_RULES_RULE_TEST_UTIL_H_
#define JASSCRIBE_TESTS_RULES_RULE_TEST_UTIL_H_

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "rules/rules.h"
#include "scan/kinds.h"
#include "support/bytes.h"
#include "text/state.h"
#include "text/text.h"

/// One dispatched element as the engine cut it.
struct sSeen {
  KindCode kind;
  std::string text;
  int32_t nHeadLen;
  int32_t nTailLen;
  std::string pending;  // vPendingName at dispatch time

  bool operator==(const sSeen& o) const {
    return kind == o.kind && text == o.text && nHeadLen == o.nHeadLen && nTailLen == o.nTailLen;
  }
};

/// A stand-in handler: may write into out and touch the state; returns the
/// dispatch result.
using fStandIn = std::function<bool(sState& s, sText& in, sText& out)>;

/// Records every dispatched element. Kinds with a stand-in run it; all
/// others are answered true with nothing written, so no real handler runs.
inline void fRecordElements(sState& s, std::vector<sSeen>& seen,
                            std::map<KindCode, fStandIn> standIns = {}) {
  s.fTestDispatch = [&seen, standIns](sState& st, int32_t code, sText& in, sText& out,
                                      bool* pResult) {
    seen.push_back({code, in.data, in.nHeadLen, in.nTailLen, st.vPendingName.str()});
    auto it = standIns.find(code);
    *pResult = it == standIns.end() ? true : it->second(st, in, out);
    return true;
  };
}

/// A stand-in that writes the element's bytes between its head and tail.
inline bool fWriteBody(sState&, sText& in, sText& out) {
  const int32_t n = in.len() - in.nHeadLen - in.nTailLen;
  out.data = n > 0 ? in.data.substr(static_cast<size_t>(in.nHeadLen), static_cast<size_t>(n)) : "";
  return true;
}

/// A text with head and tail lengths, as the engine hands it on.
inline sText fMakeText(const std::string& bytes, int32_t head = 0, int32_t tail = 0) {
  sText t(bytes);
  t.nHeadLen = head;
  t.nTailLen = tail;
  return t;
}

/// Runs rule on the text at the given depth (the depth the call runs at).
inline std::string fRun(sState& s, sText& in, KindCode rule, int32_t depth = 0) {
  s.vDepth = depth - 1;
  sText out;
  fApplyRule(s, in, out, rule);
  return out.data;
}

#endif  // JASSCRIBE_TESTS_RULES_RULE_TEST_UTIL_H_

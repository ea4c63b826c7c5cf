// What the scanner reports and may change, for the tests that hold a claim
// about a scan (nothing acts at a byte, a text scans to a name) to the
// scanner itself.
#ifndef JASSCRIBE_TESTS_SCAN_SCAN_STATE_H_
#define JASSCRIBE_TESTS_SCAN_SCAN_STATE_H_

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "text/state.h"

// The engine's four cut values.
struct Cut {
  int32_t start = -1;
  int32_t end = -1;
  int32_t opener = -1;
  int32_t element = -1;
};

inline bool operator==(const Cut& a, const Cut& b) {
  return a.start == b.start && a.end == b.end && a.opener == b.opener && a.element == b.element;
}

inline std::ostream& operator<<(std::ostream& os, const Cut& c) {
  return os << "{start " << c.start << ", end " << c.end << ", opener " << c.opener
            << ", element " << c.element << "}";
}

// What a scan may change; a byte that the compiled list calls quiet must
// leave all of it as it was, vLastChar aside.
struct ScanState {
  Cut cut;
  std::array<int32_t, 13> counts;
  std::string name, number, literal;

  ScanState(const sState& s, const Cut& c)
      : cut(c),
        counts{s.vIfCount, s.vEndifCount, s.vElseCount, s.vLoopCount, s.vEndloopCount,
               s.vOpenParenCount, s.vCloseParenCount, s.vQuoteStart, s.vPendingNameStart,
               s.vPendingNameSet, s.vPendingNumberSet, s.vNumericMode, s.vInQuotes},
        name(s.vPendingName.str()),
        number(s.vPendingNumber.str()),
        literal(s.vStringLiteral.str()) {}
  bool operator==(const ScanState& o) const {
    return cut == o.cut && counts == o.counts && name == o.name && number == o.number &&
           literal == o.literal;
  }
};

#endif  // JASSCRIBE_TESTS_SCAN_SCAN_STATE_H_

// Character scanner. (Work in progress: filled in by the scanner change.)
#include "scan/scanner.h"

int fScanStep(sState&, const char*, int32_t, int32_t, int32_t&, int32_t&, int32_t&, int32_t&,
              KindCode code) {
  return (code < K_MIN_CODE || code > K_MAX_CODE) ? kScanInvalid : kScanMiss;
}

bool fScanAlternatives(sState&, const char*, int32_t, int32_t, int32_t&, int32_t&, int32_t&,
                       int32_t&, const KindCode*) {
  return true;
}

// The two emitters, last step of a conversion: each writes its fixed frame
// (output/frames.cpp) line by line into an output line list and inserts the
// section lists that the engine filled at their marked places.
#include "output/emit.h"

#include "output/frames.h"

namespace {

// A section is one item of its joined text, with no line end of its own; an
// empty section adds an empty item, so the surrounding lines meet directly.
// The joined text itself becomes the item: the functions of a large map
// would otherwise be held three times over for a moment.
bool fEmitSection(sState& s, sTextList& out, sTextList sState::*pSection) {
  sText joined;
  (s.*pSection).fJoin(&joined);  // false only for an empty list: joined stays empty
  return out.fTake(std::move(joined));
}

bool fEmitFrame(sState& s, sTextList& out, const sFrame& frame) {
  for (size_t i = 0; i < frame.nRows; ++i) {
    const sFrameRow& row = frame.pRows[i];
    bool bAppended = row.pLine != nullptr ? fAppendLine(&out, row.pLine)
                                          : fEmitSection(s, out, row.pSection);
    if (!bAppended) return false;
  }
  return true;
}

}  // namespace

bool fEmitHeader(sState& s) { return fEmitFrame(s, s.vHeaderLines, fHeaderFrame()); }

bool fEmitCppFrame(sState& s) { return fEmitFrame(s, s.vCppLines, fCppFrame()); }

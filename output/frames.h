// The fixed frames of war3map.h and war3map.cpp as tables of lines, with the
// places where the emitters insert the section lists marked in the table.
// Read only by the emitters (output/emit.cpp).
#ifndef JASSCRIBE_OUTPUT_FRAMES_H_
#define JASSCRIBE_OUTPUT_FRAMES_H_

#include <cstddef>

#include "text/state.h"

/// One row of a frame: a fixed line (written with CR LF), or, when pLine is
/// null, the section list inserted at that place (joined, no line end added).
struct sFrameRow {
  const char* pLine;
  sTextList sState::*pSection;
};

struct sFrame {
  const sFrameRow* pRows;
  size_t nRows;
};

/// The frame of war3map.h: 35 lines and 3 sections.
sFrame fHeaderFrame();
/// The frame of war3map.cpp: 161 lines and 2 sections.
sFrame fCppFrame();

#endif  // JASSCRIBE_OUTPUT_FRAMES_H_

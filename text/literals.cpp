// Literal content of a text: the engine's scan and top-level tests skip it,
// and the output's token check leaves it alone.
#include "text/literals.h"

std::vector<uint8_t> fMarkLiterals(const std::string& text) {
  std::vector<uint8_t> marks(text.size());
  sLiteralScan scan;
  for (size_t i = 0; i < text.size(); ++i) marks[i] = scan.fInside(text[i]);
  return marks;
}

// Literal content of a text, shared by the engine's scan and its top-level
// tests (rules).
#include "rules/literals.h"

std::vector<uint8_t> fMarkLiterals(const std::string& text) {
  std::vector<uint8_t> marks(text.size());
  sLiteralScan scan;
  for (size_t i = 0; i < text.size(); ++i) marks[i] = scan.fInside(text[i]);
  return marks;
}

// Literal content of a text: the engine's scan and top-level tests skip it,
// and the output's token check leaves it alone.
#include "text/literals.h"

uint8_t sLiteralScan::fInside(char ch) {
  switch (state_) {
    case eState::kCode:
      if (ch == '"') state_ = eState::kString;
      if (ch == '\'') state_ = eState::kRawcode;
      return 0;
    case eState::kString:
      if (ch == '"') {
        state_ = eState::kCode;
        return 0;
      }
      if (ch == '\\') state_ = eState::kStringEscape;
      return kStringContent;
    case eState::kStringEscape:
      state_ = eState::kString;
      return kStringContent;
    case eState::kRawcode:
      if (ch == '\'' || ch == '\r' || ch == '\n') {
        state_ = eState::kCode;
        return 0;
      }
      return kRawcodeContent;
  }
  return 0;
}

std::vector<uint8_t> fMarkLiterals(const std::string& text) {
  std::vector<uint8_t> marks(text.size());
  sLiteralScan scan;
  for (size_t i = 0; i < text.size(); ++i) marks[i] = scan.fInside(text[i]);
  return marks;
}

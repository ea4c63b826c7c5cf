// Literal content of a text, shared by the engine's scan and its top-level
// tests (rules).
#include "rules/literals.h"

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

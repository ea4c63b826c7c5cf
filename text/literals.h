// Where string literals and rawcodes lie in a text, JASS or the C++ written
// from it. Their bytes are data: no group, comma, keyword or operator test may read "a)" in
// F("a)") or "+" in '+' as code.
#ifndef JASSCRIBE_TEXT_LITERALS_H_
#define JASSCRIBE_TEXT_LITERALS_H_

#include <cstdint>
#include <string>
#include <vector>

/// Follows a text byte by byte from a position outside any literal.
class sLiteralScan {
 public:
  /// What ch, the next byte, is: code (0), the content of a string literal
  /// (kStringContent) or of a rawcode (kRawcodeContent). Delimiters are code.
  /// A backslash escapes the next byte of a string; a line end ends a rawcode.
  /// Inline: the engine asks once for every byte it scans.
  uint8_t fInside(char ch) {
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

  static constexpr uint8_t kStringContent = 1;
  static constexpr uint8_t kRawcodeContent = 2;

 private:
  enum class eState : uint8_t { kCode, kString, kStringEscape, kRawcode };
  eState state_ = eState::kCode;
};

#endif  // JASSCRIBE_TEXT_LITERALS_H_

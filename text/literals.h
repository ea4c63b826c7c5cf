// Where string literals and rawcodes lie in a text, JASS or the C++ written
// from it. Their bytes are data: no group, comma, keyword or operator test may read "a)" in
// F("a)") or "+" in '+' as code.
#ifndef JASSCRIBE_TEXT_LITERALS_H_
#define JASSCRIBE_TEXT_LITERALS_H_

#include <cstdint>

namespace literal_detail {

enum eState : uint8_t { kCode, kString, kStringEscape, kRawcode, kStates };
constexpr uint8_t kStringContent = 1;
constexpr uint8_t kRawcodeContent = 2;
constexpr uint8_t kStateMask = 3;
constexpr int kMarkShift = 2;

constexpr uint8_t fStep(uint8_t state, uint8_t mark) {
  return static_cast<uint8_t>(state | (mark << kMarkShift));
}

// The next state and the mark of byte ch read in state.
constexpr uint8_t fStepFor(int state, char ch) {
  switch (state) {
    case kCode:
      if (ch == '"') return fStep(kString, 0);
      if (ch == '\'') return fStep(kRawcode, 0);
      return fStep(kCode, 0);
    case kString:
      if (ch == '"') return fStep(kCode, 0);
      if (ch == '\\') return fStep(kStringEscape, kStringContent);
      return fStep(kString, kStringContent);
    case kStringEscape: return fStep(kString, kStringContent);
    default:  // kRawcode
      if (ch == '\'' || ch == '\r' || ch == '\n') return fStep(kCode, 0);
      return fStep(kRawcode, kRawcodeContent);
  }
}

struct sSteps {
  uint8_t v[kStates][256];
};

constexpr sSteps fBuildSteps() {
  sSteps steps{};
  for (int state = 0; state < kStates; ++state) {
    for (int b = 0; b < 256; ++b) steps.v[state][b] = fStepFor(state, static_cast<char>(b));
  }
  return steps;
}

inline constexpr sSteps kSteps = fBuildSteps();

}  // namespace literal_detail

/// Follows a text byte by byte from a position outside any literal.
class sLiteralScan {
 public:
  /// What ch, the next byte, is: code (0), the content of a string literal
  /// (kStringContent) or of a rawcode (kRawcodeContent). Delimiters are code.
  /// A backslash escapes the next byte of a string; a line end ends a rawcode.
  /// One table look-up: the engine asks for every byte it scans.
  uint8_t fInside(char ch) {
    const uint8_t step = literal_detail::kSteps.v[state_][static_cast<uint8_t>(ch)];
    state_ = step & literal_detail::kStateMask;
    return static_cast<uint8_t>(step >> literal_detail::kMarkShift);
  }

  /// Whether the next byte is read outside every literal.
  bool fInCode() const { return state_ == literal_detail::kCode; }

  static constexpr uint8_t kStringContent = literal_detail::kStringContent;
  static constexpr uint8_t kRawcodeContent = literal_detail::kRawcodeContent;

 private:
  uint8_t state_ = literal_detail::kCode;
};

#endif  // JASSCRIBE_TEXT_LITERALS_H_

// Keeps written tokens apart where C++ would join them (output).
#include "output/tokens.h"

#include "text/literals.h"

namespace {

bool fIsWordByte(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
         ch == '_';
}

bool fIsExponentLetter(char ch) { return ch == 'e' || ch == 'E' || ch == 'p' || ch == 'P'; }

}  // namespace

std::string fSeparateTokens(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  sLiteralScan literal;
  bool bNumber = false;  // a C++ number (pp-number) runs up to here
  char prev = 0;         // the byte written last, if it was code
  for (const char ch : text) {
    if (literal.fInside(ch) != 0) {
      out += ch;
      prev = 0;
      bNumber = false;
      continue;
    }
    const bool sign = ch == '+' || ch == '-';
    if ((sign && prev == ch) || (sign && bNumber && fIsExponentLetter(prev))) out += ' ';
    if (ch >= '0' && ch <= '9' && !fIsWordByte(prev) && prev != '.') bNumber = true;
    if (!fIsWordByte(ch) && ch != '.') bNumber = false;
    out += ch;
    prev = ch;
  }
  return out;
}

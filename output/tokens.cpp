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

std::string fWriteRealsAsFloats(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 16);
  sLiteralScan literal;
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const char ch = text[i];
    const char prev = i > 0 ? text[i - 1] : 0;
    const bool inside = literal.fInside(ch) != 0;
    const bool digit = ch >= '0' && ch <= '9';
    const bool pointDigit = ch == '.' && i + 1 < n && text[i + 1] >= '0' && text[i + 1] <= '9';
    if (inside || !(digit || pointDigit) || fIsWordByte(prev) || prev == '.') {
      out += ch;
      ++i;
      continue;
    }
    // A number starts here: it runs over word bytes and points.
    size_t end = i + 1;
    while (end < n && (fIsWordByte(text[end]) || text[end] == '.')) ++end;
    const std::string number = text.substr(i, end - i);
    out += number;
    const bool hex = number.size() > 1 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
    if (!hex && number.find('.') != std::string::npos && number.back() != 'f') out += 'f';
    // The number's bytes are code: the literal scan has nothing to track in them.
    for (size_t j = i + 1; j < end; ++j) literal.fInside(text[j]);
    i = end;
  }
  return out;
}

// Keeps written tokens apart where C++ would join them, and gives real
// literals the float type (output).
#include "output/tokens.h"

#include <string_view>

#include "text/byteset.h"
#include "text/literals.h"

namespace {

bool fIsWordByte(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
         ch == '_';
}

bool fIsDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool fIsExponentLetter(char ch) { return ch == 'e' || ch == 'E' || ch == 'p' || ch == 'P'; }

// A number runs over word bytes and points from its first byte on.
size_t fNumberEnd(const std::string& text, size_t i) {
  size_t end = i + 1;
  while (end < text.size() && (fIsWordByte(text[end]) || text[end] == '.')) ++end;
  return end;
}

// Bytes that need a look of their own: quotes (literals), signs (a blank may
// go before them) and the first bytes of numbers. Every other byte is copied
// as it stands and only becomes the byte written last.
constexpr sByteSet kNeedsLook = fByteSetOf("0123456789\"'+-.");

bool fIsRealLiteral(std::string_view number) {
  const bool hex = number.size() > 1 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
  return !hex && number.find('.') != std::string_view::npos && number.back() != 'f';
}

}  // namespace

std::string fFinishTokens(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 16);
  // Bytes go over in runs; only an added blank or "f" ends a run.
  size_t nCopied = 0;
  const auto fCopyUpTo = [&](size_t end) {
    out.append(text, nCopied, end - nCopied);
    nCopied = end;
  };
  sLiteralScan literal;
  char prev = 0;              // the byte written last, if it was code
  bool bAfterNumber = false;  // prev ends a number
  for (size_t i = 0; i < text.size();) {
    if (literal.fInCode() && !fHasByte(kNeedsLook, text[i])) {
      while (i < text.size() && !fHasByte(kNeedsLook, text[i])) ++i;
      // Outside literals these bytes pass the literal scan unchanged.
      prev = text[i - 1];
      bAfterNumber = false;
      continue;
    }
    const char ch = text[i];
    if (literal.fInside(ch) != 0) {
      prev = 0;
      bAfterNumber = false;
      ++i;
      continue;
    }
    const bool sign = ch == '+' || ch == '-';
    if (sign && (prev == ch || (bAfterNumber && fIsExponentLetter(prev)))) {
      fCopyUpTo(i);
      out += ' ';
    }
    const bool start =
        fIsDigit(ch) || (ch == '.' && i + 1 < text.size() && fIsDigit(text[i + 1]));
    if (start && !fIsWordByte(prev) && prev != '.') {
      // A number's bytes are never quotes, so the literal scan has nothing
      // to follow in them.
      const size_t end = fNumberEnd(text, i);
      const std::string_view number(text.data() + i, end - i);
      if (fIsRealLiteral(number)) {
        fCopyUpTo(end);
        out += 'f';
      }
      prev = number.back();
      bAfterNumber = true;
      i = end;
      continue;
    }
    prev = ch;
    bAfterNumber = false;
    ++i;
  }
  fCopyUpTo(text.size());
  return out;
}

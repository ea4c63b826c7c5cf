// String literals: the quote handler that the dispatcher calls for every
// double quote the engine cuts (rules -> handlers). The scanner has already
// parked the literal's text in vStringLiteral; this writes it as an sMyString.
#include "handlers/handlers.h"

#include <string>

namespace {

// The C++ class of a JASS string.
const char* const kStringClass = "sMyString";

// The escapes of JASS mean in C++ what they mean in JASS.
bool fIsEscapeLetter(char c) {
  switch (c) {
    case 'n': case 't': case 'r': case 'b': case 'f': case '"': case '\\': return true;
    default: return false;
  }
}

// Writes every escape sequence unchanged and doubles a backslash that starts
// none, so the C++ literal holds the same characters as the JASS one.
std::string fRebuildLiteral(const std::string& text) {
  const size_t n = text.size();
  std::string rebuilt;
  rebuilt.reserve(2 * n);
  for (size_t j = 0; j < n; ++j) {
    rebuilt += text[j];
    if (text[j] != '\\') continue;
    if (j + 1 < n && fIsEscapeLetter(text[j + 1])) {
      rebuilt += text[++j];
    } else {
      rebuilt += '\\';
    }
  }
  return rebuilt;
}

// The value of the escape sequence backslash + c.
unsigned char fEscapeValue(unsigned char c) {
  switch (c) {
    case 't': return 9;
    case 'n': return 10;
    case 'r': return 13;
    case 'b': return 8;
    case 'f': return 12;
    default: return c;  // '"' is 34 and '\\' is 92 already
  }
}

// Outside the globals block a literal of at most one character is written by
// its code; *pCode receives it. False when the text form is needed instead.
bool fCharacterCode(const sState& s, const std::string& text, unsigned char* pCode) {
  if (s.vInGlobals != 0) return false;
  if (text.empty()) {
    *pCode = 2;
    return true;
  }
  if (text.size() == 1) {
    *pCode = static_cast<unsigned char>(text[0]);
    return true;
  }
  if (text.size() == 2 && text[0] == '\\' && fIsEscapeLetter(text[1])) {
    *pCode = fEscapeValue(static_cast<unsigned char>(text[1]));
    return true;
  }
  return false;
}

std::string fCharacterForm(unsigned char code) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string form = std::string(kStringClass) + "(0x";
  form += kHex[code >> 4];
  form += kHex[code & 0x0F];
  return form + ")";
}

// A quote after an odd run of backslashes is escaped: each pair before it is
// one escaped backslash, and the last backslash escapes the quote.
bool fEndsInEscape(const std::string& text) {
  size_t run = 0;
  for (auto it = text.rbegin(); it != text.rend() && *it == '\\'; ++it) ++run;
  return run % 2 == 1;
}

std::string fTextForm(const std::string& text) {
  return std::string(kStringClass) + "(\"" + text + "\")";
}

}  // namespace

bool fOnQuote(sState& s, sText& /*in*/, sText& out) {
  if (s.vStringMode == 0) {
    s.vStringMode = 1;
    // The scanner stores nothing for an empty literal; without this an empty
    // literal would repeat the previous one.
    s.vStringLiteral.fClear();
    s.vEscapedQuotes.fClear();
    return true;
  }
  if (fEndsInEscape(s.vStringLiteral.str())) {
    // An escaped quote, wherever it stands: the literal stays open. The engine
    // starts collecting afresh after this quote, so the text so far and the
    // quote are kept here and put in front of the rest at the closing quote.
    s.vEscapedQuotes.fAppend(s.vStringLiteral.str());
    s.vEscapedQuotes.fAppend("\"");
    s.vStringLiteral.fClear();
    s.vLastChar = '"';
    return true;
  }
  s.vFormatBuffer.fCopy(s.vEscapedQuotes.str());
  s.vFormatBuffer.fAppend(s.vStringLiteral.str());
  s.vEscapedQuotes.fClear();
  s.vStringLiteral.fClear();
  // The buffers grow, so an overlong rebuilt literal is kept whole.
  s.vStringLiteral.fCopy(fRebuildLiteral(s.vFormatBuffer.str()));
  s.vStringMode = 0;
  const std::string& text = s.vStringLiteral.str();
  unsigned char code = 0;
  out.data = fCharacterCode(s, text, &code) ? fCharacterForm(code) : fTextForm(text);
  return true;
}

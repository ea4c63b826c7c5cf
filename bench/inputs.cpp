// Generated benchmark inputs. The scaled script keeps the map's own globals
// and natives once and repeats only its functions, renamed per copy, so a
// copy never redefines a function of another and the output grows like a
// real map sixteen times the size.
#include "bench/inputs.h"

#include <cstddef>
#include <unordered_set>

namespace {

const char kHead[] = "function f takes nothing returns nothing\r\n";
const char kFoot[] = "endfunction\r\n";

bool fIsWordByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool fIsBlank(char c) { return c == ' ' || c == '\t'; }

// The name a line defines ("function NAME takes", "constant function NAME
// takes", after any blanks), or "" when it defines none.
std::string fDefinedName(const std::string& text, size_t pos, size_t end) {
  const auto skipWord = [&](const char* word) {
    const std::string w(word);
    if (text.compare(pos, w.size(), w) != 0 || pos + w.size() >= end) return false;
    if (!fIsBlank(text[pos + w.size()])) return false;
    pos += w.size();
    while (pos < end && fIsBlank(text[pos])) ++pos;
    return true;
  };
  while (pos < end && fIsBlank(text[pos])) ++pos;
  skipWord("constant");
  if (!skipWord("function")) return "";
  const size_t start = pos;
  while (pos < end && fIsWordByte(text[pos])) ++pos;
  return std::string(text, start, pos - start);
}

size_t fLineEnd(const std::string& text, size_t pos) {
  const size_t end = text.find_first_of("\r\n", pos);
  return end == std::string::npos ? text.size() : end;
}

size_t fNextLine(const std::string& text, size_t end) {
  const size_t next = text.find('\n', end);
  return next == std::string::npos ? text.size() : next + 1;
}

// Where the function section starts, and the names it defines.
size_t fFunctionSection(const std::string& script, std::unordered_set<std::string>& names) {
  size_t first = std::string::npos;
  for (size_t pos = 0; pos < script.size();) {
    const size_t end = fLineEnd(script, pos);
    const std::string name = fDefinedName(script, pos, end);
    if (!name.empty()) {
      if (first == std::string::npos) first = pos;
      names.insert(name);
    }
    pos = fNextLine(script, end);
  }
  return first == std::string::npos ? script.size() : first;
}

// Appends the section with every defined name, as a whole word, renamed.
void fAppendRenamed(std::string& out, const std::string& section,
                    const std::unordered_set<std::string>& names, const std::string& suffix) {
  size_t pos = 0;
  while (pos < section.size()) {
    if (!fIsWordByte(section[pos])) {
      out += section[pos++];
      continue;
    }
    const size_t start = pos;
    while (pos < section.size() && fIsWordByte(section[pos])) ++pos;
    out.append(section, start, pos - start);
    if (names.count(section.substr(start, pos - start)) != 0) out += suffix;
  }
}

std::string fInFunction(const std::string& body) { return kHead + body + kFoot; }

}  // namespace

std::string fScaledScript(const std::string& script, int nCopies) {
  std::unordered_set<std::string> names;
  const size_t first = fFunctionSection(script, names);
  const std::string section = script.substr(first);
  std::string out = script.substr(0, first);
  out.reserve(first + section.size() * static_cast<size_t>(nCopies) * 11 / 10);
  for (int k = 0; k < nCopies; ++k) fAppendRenamed(out, section, names, "_R" + std::to_string(k));
  return out;
}

std::string fNestedParentheses(int nLevels) {
  const size_t n = static_cast<size_t>(nLevels);
  return fInFunction("call f(" + std::string(n, '(') + "x" + std::string(n, ')') + ")\r\n");
}

std::string fLongArgument(int nBytes) {
  std::string argument = "a";
  while (argument.size() < static_cast<size_t>(nBytes)) argument += "+a";
  return fInFunction("call f(" + argument + ")\r\n");
}

std::string fNestedIfs(int nLevels) {
  std::string body;
  for (int i = 0; i < nLevels; ++i) body += "if x then\r\n";
  body += "call f()\r\n";
  for (int i = 0; i < nLevels; ++i) body += "endif\r\n";
  return fInFunction(body);
}

// Words that C++ reserves, and the renaming suffix shared by the operand flush
// and the function-name tables (output end of the pipeline).
#include "output/reserved.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

constexpr const char* kReservedSuffix = "_2";

// Sorted by byte value, for the binary search; checked when compiled.
constexpr const char* kCppKeywords[] = {
    "alignas", "alignof", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break", "case",
    "catch", "char", "char16_t", "char32_t", "char8_t", "class", "co_await", "co_return",
    "co_yield", "compl", "concept", "const", "const_cast", "consteval", "constexpr",
    "constinit", "continue", "decltype", "default", "delete", "do", "double", "dynamic_cast", "else",
    "enum", "explicit", "export", "extern", "float", "for", "friend", "goto", "if", "inline",
    "int", "long", "mutable", "namespace", "new", "noexcept", "not_eq", "nullptr", "operator",
    "or_eq", "private", "protected", "public", "register", "reinterpret_cast", "requires",
    "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct",
    "switch", "template", "this", "thread_local", "throw", "try", "typedef", "typeid", "typename",
    "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor",
    "xor_eq",
};

constexpr bool fPrecedes(const char* a, const char* b) {
  for (; *a != '\0' && *a == *b; ++a, ++b) {
  }
  return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b);
}

constexpr bool fIsSorted() {
  for (size_t i = 1; i < std::size(kCppKeywords); ++i) {
    if (!fPrecedes(kCppKeywords[i - 1], kCppKeywords[i])) return false;
  }
  return true;
}
static_assert(fIsSorted(), "the keyword table must stay sorted");

// The framework's headers define these as macros, which would replace the
// name wherever it stands.
constexpr const char* kFrameworkMacros[] = {"FALSE", "IN", "NULL", "OPTIONAL", "OUT", "TRUE"};

// Every operand is asked about, and nearly all have a first byte and a
// length that no reserved word has: those are answered at once.
struct sQuickReject {
  size_t nLongest = 0;
  uint32_t nLengths[256] = {};  // per first byte: bit n set when a word of n bytes begins with it
};

constexpr size_t fLength(const char* p) {
  size_t n = 0;
  while (p[n] != '\0') ++n;
  return n;
}

constexpr void fNote(sQuickReject& q, const char* word) {
  const size_t n = fLength(word);
  q.nLongest = std::max(q.nLongest, n);
  q.nLengths[static_cast<unsigned char>(word[0])] |= uint32_t{1} << n;
}

constexpr sQuickReject fBuildQuickReject() {
  sQuickReject q;
  for (const char* word : kCppKeywords) fNote(q, word);
  for (const char* word : kFrameworkMacros) fNote(q, word);
  return q;
}

constexpr sQuickReject kQuickReject = fBuildQuickReject();
static_assert(kQuickReject.nLongest < 32, "a length must fit the bit set");

}  // namespace

bool fIsReservedName(std::string_view name) {
  if (name.empty() || name.size() > kQuickReject.nLongest ||
      (kQuickReject.nLengths[static_cast<unsigned char>(name[0])] >> name.size() & 1) == 0) {
    return false;
  }
  const auto byBytes = [](std::string_view a, std::string_view b) { return a < b; };
  return std::binary_search(std::begin(kCppKeywords), std::end(kCppKeywords), name, byBytes) ||
         std::binary_search(std::begin(kFrameworkMacros), std::end(kFrameworkMacros), name,
                            byBytes);
}

void fAppendReservedSuffix(sCharBuf& name) {
  const std::string& text = name.str();
  const size_t n = std::strlen(kReservedSuffix);
  if (text.size() >= n && text.compare(text.size() - n, n, kReservedSuffix) == 0) return;
  name.fAppend(kReservedSuffix);
}

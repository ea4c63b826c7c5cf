// Test support shared by every test folder: bytes shown readably and compared
// with the first differing line named, for failure messages.
#ifndef JASSCRIBE_TESTS_SUPPORT_BYTES_H_
#define JASSCRIBE_TESTS_SUPPORT_BYTES_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

/// Bytes with tab, CR, LF, backslash and other control bytes escaped. The
/// backslash is escaped too, so two texts show alike only when they are alike
/// and comparing shown forms is as strict as comparing the bytes.
inline std::string fShow(const std::string& bytes, bool breakLines = false) {
  std::string shown;
  for (const unsigned char c : bytes) {
    if (c == '\\') {
      shown += "\\\\";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += breakLines ? "\\n\n" : "\\n";
    } else if (c < 32 || c == 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      shown += hex;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown;
}

/// fShow with a line break after each LF, for multi-line texts.
inline std::string fShowLines(const std::string& bytes) { return fShow(bytes, true); }

/// Where two texts first differ: the 1-based line and byte offset, the sizes,
/// and a few lines of each from that line on.
inline std::string fFirstDifference(const std::string& actual, const std::string& expected) {
  size_t at = 0;
  size_t lineStart = 0;
  int line = 1;
  for (; at < actual.size() && at < expected.size() && actual[at] == expected[at]; ++at) {
    if (actual[at] == '\n') {
      lineStart = at + 1;
      ++line;
    }
  }
  const auto linesFrom = [lineStart](const std::string& text) {
    if (lineStart >= text.size()) return std::string("(end of text)\n");
    size_t end = lineStart;
    for (int n = 0; n < 4 && end < text.size(); ++n) {
      const size_t lf = text.find('\n', end);
      end = lf == std::string::npos ? text.size() : lf + 1;
    }
    const std::string shown = fShowLines(text.substr(lineStart, end - lineStart));
    return shown.back() == '\n' ? shown : shown + "\n";
  };
  return "first difference at line " + std::to_string(line) + ", byte " + std::to_string(at) +
         " (sizes: actual " + std::to_string(actual.size()) + ", expected " +
         std::to_string(expected.size()) + ")\n--- expected from that line:\n" +
         linesFrom(expected) + "--- actual from that line:\n" + linesFrom(actual);
}

/// Byte-exact comparison whose failure names the first differing line.
inline ::testing::AssertionResult fSameBytes(const std::string& actual,
                                             const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << fFirstDifference(actual, expected);
}

#endif  // JASSCRIBE_TESTS_SUPPORT_BYTES_H_

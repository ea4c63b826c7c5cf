// The translator's name, number and literal buffers. They keep the semantics
// of a zero-filled, zero-terminated character array (a copy replaces the whole
// content and ends at the first 0 byte; "empty" means the first byte is 0;
// reading past the end yields 0) but grow, so no text is ever cut or written
// past its storage.
#ifndef JASSCRIBE_TEXT_CHARBUF_H_
#define JASSCRIBE_TEXT_CHARBUF_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class sCharBuf {
 public:
  /// Zero-fills the buffer: it becomes empty. Its storage is kept for the
  /// next copy: the buffers are refilled for nearly every element.
  void fClear() { s_.clear(); }
  /// Replaces the content by up to n bytes, stopping at the first 0 byte.
  /// The source may lie inside this buffer (copying a suffix onto itself):
  /// assign copies overlapping bytes correctly.
  void fCopy(const char* p, size_t n) {
    if (p == nullptr) {
      s_.clear();
      return;
    }
    const void* zero = std::memchr(p, 0, n);
    if (zero != nullptr) n = static_cast<size_t>(static_cast<const char*>(zero) - p);
    s_.assign(p, n);
  }
  void fCopy(const std::string& text) { fCopy(text.data(), text.size()); }
  void fCopy(const char* p) { fCopy(p, p ? std::strlen(p) : 0); }
  /// Appends up to n bytes, stopping at the first 0 byte.
  void fAppend(const char* p, size_t n) {
    if (p == nullptr) return;
    const void* zero = std::memchr(p, 0, n);
    if (zero != nullptr) n = static_cast<size_t>(static_cast<const char*>(zero) - p);
    s_.append(p, n);
  }
  void fAppend(const std::string& text) { fAppend(text.data(), text.size()); }
  void fAppend(const char* p) { fAppend(p, p ? std::strlen(p) : 0); }

  bool fEmpty() const { return s_.empty(); }
  int32_t fLength() const { return static_cast<int32_t>(s_.size()); }
  /// The byte at i, or 0 at and past the terminator.
  char operator[](size_t i) const { return i < s_.size() ? s_[i] : '\0'; }
  const char* c_str() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  bool operator==(const char* other) const { return s_ == other; }
  bool operator!=(const char* other) const { return s_ != other; }

 private:
  std::string s_;  // never holds a 0 byte
};

#endif  // JASSCRIBE_TEXT_CHARBUF_H_

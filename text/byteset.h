// Sets of byte values, for the passes that look at every byte of a text and
// can afford only one table look-up for each.
#ifndef JASSCRIBE_TEXT_BYTESET_H_
#define JASSCRIBE_TEXT_BYTESET_H_

#include <array>
#include <cstddef>
#include <cstdint>

using sByteSet = std::array<bool, 256>;

/// The set of every byte of the literal, a 0 inside it included.
template <size_t N>
constexpr sByteSet fByteSetOf(const char (&bytes)[N]) {
  sByteSet set{};
  for (size_t i = 0; i + 1 < N; ++i) set[static_cast<uint8_t>(bytes[i])] = true;
  return set;
}

inline bool fHasByte(const sByteSet& set, char c) { return set[static_cast<uint8_t>(c)]; }

#endif  // JASSCRIBE_TEXT_BYTESET_H_

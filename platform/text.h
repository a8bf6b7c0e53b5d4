#pragma once
// Texts of the program: GBK (code page 936) byte strings. Positions are
// 1-based byte positions, -1 for "not found"; every scan steps by characters,
// a byte of 0x80 or more being the lead of a two-byte character.
#include <string>
#include <string_view>
#include <vector>

using Text = std::string;
using TextArray = std::vector<Text>;

namespace text {

// Whether a character starts at byte b (a lead byte of a two-byte character).
constexpr bool IsLeadByte(unsigned char b) { return b >= 0x80; }

// Length in bytes of the character at text[i]: 1 or 2, 0 where the scan ends
// (the end of the text, a NUL, or a lead byte with nothing or NUL after it).
inline std::size_t CharLength(std::string_view text, std::size_t i) {
  if (i >= text.size() || text[i] == '\0') return 0;
  if (!IsLeadByte(static_cast<unsigned char>(text[i]))) return 1;
  if (i + 1 >= text.size() || text[i + 1] == '\0') return 0;
  return 2;
}

// Cut at every separator. Empty text: no pieces. A piece that ends at a
// separator counts even when empty; the piece after the last one only when not.
TextArray Split(std::string_view text, std::string_view separator);

// Position of the first match at or after start (below 1 counts as 1), or -1.
// ignoreCase folds single-byte ASCII letters only. An empty sought text is
// found at 1 when the searched part is not empty.
int Find(std::string_view text, std::string_view sought, int start = 1, bool ignoreCase = false);

// At most length bytes from position on; empty outside the text.
Text Cut(std::string_view text, int position, int length);

// Every occurrence of old, left to right without overlap, case-sensitive.
Text Replace(std::string_view text, std::string_view old, std::string_view replacement);

}  // namespace text

// A length and that many bytes; may hold NUL bytes.
using ByteArray = std::string;

#include "platform/unicode_test.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr bool IsTextAscii(unsigned b) { return b == 0x09 || b == 0x0A || b == 0x0D || (b >= 0x20 && b <= 0x7E); }

// Bytes that 8-bit text (ASCII, GBK, UTF-8) does not carry.
constexpr bool IsControlByte(unsigned b) { return !IsTextAscii(b) && (b < 0x20 || b == 0x7F); }

constexpr bool IsSurrogate(unsigned u) { return u >= 0xD800 && u <= 0xDFFF; }

// Code units that make up ordinary text: ASCII and Latin-1, the European
// scripts, punctuation and symbols, CJK, kana, Hangul, full-width forms.
constexpr bool IsTextUnit(unsigned u) {
  if (u < 0x100) return IsTextAscii(u) || u >= 0xA0;
  return (u <= 0x052F) || (u >= 0x2000 && u <= 0x27BF) || (u >= 0x3000 && u <= 0x30FF) ||
         (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7A3) ||
         (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFFEF);
}

// What one byte order makes of the buffer.
struct Reading {
  std::size_t textUnits = 0;  // IsTextUnit, or part of a surrogate pair
  std::size_t asciiUnits = 0;
  std::size_t highZero = 0;   // high byte 0, low byte not: an ASCII-range character
  std::size_t lowZero = 0;    // the other way round: rare in text
  bool controls = false;
  bool illegal = false;
  unsigned pendingHigh = 0;   // a high surrogate waiting for its partner

  void Add(unsigned u, bool last) {
    if (pendingHigh) {
      pendingHigh = 0;
      if (u >= 0xDC00 && u <= 0xDFFF) {
        textUnits += 2;
        return;
      }
      illegal = true;
    }
    if (u >= 0xD800 && u <= 0xDBFF && !last) {
      pendingHigh = u;
      return;
    }
    if (IsSurrogate(u) || u == 0xFFFE || u == 0xFFFF || u == 0x0A0D || u == 0x0D0A || (u == 0 && !last)) {
      illegal = true;
    }
    if (IsTextUnit(u)) ++textUnits;
    if (u < 0x80 && IsTextAscii(u)) ++asciiUnits;
    if (u == 0x0D || u == 0x0A || u == 0x09 || u == 0x20) controls = true;
    if ((u >> 8) == 0 && (u & 0xFF) != 0) ++highZero;
    if ((u >> 8) != 0 && (u & 0xFF) == 0) ++lowZero;
  }

  // UTF-16 in this byte order: at least 90% text units, zero bytes where
  // ASCII characters put them, nothing illegal, and enough control bytes
  // that the data cannot be 8-bit text.
  bool LooksLikeText(std::size_t units, std::size_t controlBytes, std::size_t size) const {
    const std::size_t neededControls = size / 64 > 0 ? size / 64 : 1;
    return !illegal && textUnits * 10 >= units * 9 && highZero >= lowZero && controlBytes >= neededControls;
  }
};

int Analyse(const unsigned char* b, std::size_t size) {
  int result = 0;
  if (size % 2) result |= IS_TEXT_UNICODE_ODD_LENGTH;
  if (b[0] == 0xFF && b[1] == 0xFE) result |= IS_TEXT_UNICODE_SIGNATURE;
  if (b[0] == 0xFE && b[1] == 0xFF) result |= IS_TEXT_UNICODE_REVERSE_SIGNATURE;

  const std::size_t units = size / 2;
  Reading le, be;
  std::size_t controlBytes = 0, zeroBytes = 0;
  for (std::size_t k = 0; k < units; ++k) {
    const unsigned lo = b[2 * k], hi = b[2 * k + 1];
    controlBytes += IsControlByte(lo) + IsControlByte(hi);
    zeroBytes += (lo == 0) + (hi == 0);
    const bool last = k + 1 == units;
    le.Add(hi << 8 | lo, last);
    be.Add(lo << 8 | hi, last);
  }
  if (size % 2 && b[size - 1] == 0) ++zeroBytes;

  if (zeroBytes) result |= IS_TEXT_UNICODE_NULL_BYTES;
  if (le.illegal) result |= IS_TEXT_UNICODE_ILLEGAL_CHARS;
  if (le.asciiUnits == units) result |= IS_TEXT_UNICODE_ASCII16;
  if (be.asciiUnits == units) result |= IS_TEXT_UNICODE_REVERSE_ASCII16;
  if (le.controls) result |= IS_TEXT_UNICODE_CONTROLS;
  if (be.controls) result |= IS_TEXT_UNICODE_REVERSE_CONTROLS;
  if (le.LooksLikeText(units, controlBytes, size)) result |= IS_TEXT_UNICODE_STATISTICS;
  if (be.LooksLikeText(units, controlBytes, size)) result |= IS_TEXT_UNICODE_REVERSE_STATISTICS;
  return result;
}

}  // namespace

BOOL IsTextUnicode(const void* buffer, int size, int* mask) {
  const int selected = mask ? *mask : -1;
  if (!buffer || size < 2) {
    if (mask) *mask = size == 1 && buffer ? selected & IS_TEXT_UNICODE_ODD_LENGTH : 0;
    return FALSE;
  }
  const int found = Analyse(static_cast<const unsigned char*>(buffer), static_cast<std::size_t>(size)) & selected;
  if (mask) *mask = found;

  if (found & IS_TEXT_UNICODE_SIGNATURE) return TRUE;
  constexpr int against = IS_TEXT_UNICODE_ODD_LENGTH | IS_TEXT_UNICODE_ILLEGAL_CHARS |
                          IS_TEXT_UNICODE_REVERSE_SIGNATURE | IS_TEXT_UNICODE_REVERSE_STATISTICS |
                          IS_TEXT_UNICODE_REVERSE_ASCII16;
  constexpr int supporting = IS_TEXT_UNICODE_ASCII16 | IS_TEXT_UNICODE_STATISTICS;
  return (found & supporting) && !(found & against) ? TRUE : FALSE;
}

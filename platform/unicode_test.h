#pragma once
// Whether a buffer holds UTF-16 little-endian text: our own statistical test
// in the place of the Windows one, with the same in/out mask convention. On
// entry the mask selects tests (null or -1: all of them); on return it holds
// the selected tests that came out positive.
//
// Unlike Windows, 8-bit text is never taken for UTF-16: such text carries
// no NUL or control bytes, while UTF-16 text almost always does (the high
// byte of every ASCII character, and the low bytes of CJK characters spread
// over all 256 values). So short ASCII texts such as "Bush hid the facts"
// are not UTF-16 here.
#include "platform/win_types.h"

constexpr int IS_TEXT_UNICODE_ASCII16 = 0x0001;             // every unit is ASCII, high byte 0
constexpr int IS_TEXT_UNICODE_STATISTICS = 0x0002;          // looks like UTF-16LE text
constexpr int IS_TEXT_UNICODE_CONTROLS = 0x0004;            // holds UTF-16LE CR, LF, TAB or space
constexpr int IS_TEXT_UNICODE_SIGNATURE = 0x0008;           // starts with FF FE
constexpr int IS_TEXT_UNICODE_REVERSE_ASCII16 = 0x0010;     // the same, byte-swapped
constexpr int IS_TEXT_UNICODE_REVERSE_STATISTICS = 0x0020;
constexpr int IS_TEXT_UNICODE_REVERSE_CONTROLS = 0x0040;
constexpr int IS_TEXT_UNICODE_REVERSE_SIGNATURE = 0x0080;   // starts with FE FF
constexpr int IS_TEXT_UNICODE_ILLEGAL_CHARS = 0x0100;       // U+FFFE, U+FFFF, packed CR LF, NUL, lone surrogate
constexpr int IS_TEXT_UNICODE_ODD_LENGTH = 0x0200;
constexpr int IS_TEXT_UNICODE_NULL_BYTES = 0x1000;          // holds a zero byte: not 8-bit text

constexpr int IS_TEXT_UNICODE_UNICODE_MASK = 0x000F;
constexpr int IS_TEXT_UNICODE_REVERSE_MASK = 0x00F0;
constexpr int IS_TEXT_UNICODE_NOT_UNICODE_MASK = 0x0F00;
constexpr int IS_TEXT_UNICODE_NOT_ASCII_MASK = 0xF000;

// Nonzero when the selected tests find UTF-16LE and none of them rules it
// out. Fewer than 2 bytes, or no buffer, is never UTF-16.
BOOL IsTextUnicode(const void* buffer, int size, int* mask);

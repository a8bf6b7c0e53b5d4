#pragma once
// Texts across the engine boundary. Duktape keeps strings as extended UTF-8
// in which every UTF-16 code unit of ECMAScript's view is one code point
// (CESU-8), so a surrogate, paired or lone, is encoded on its own.
#include <string>
#include <string_view>

#include "platform/text.h"

namespace duk_text {

// Each code unit as one 1-, 2- or 3-byte sequence.
std::string Utf16ToCesu8(std::u16string_view utf16);

// Code points of up to 16 bits become one code unit, larger ones a surrogate
// pair; a malformed sequence or a code point past U+10FFFF gives U+FFFD.
std::u16string DukStringToUtf16(std::string_view bytes);

// GBK text (up to its first NUL) to engine bytes, and engine bytes back to
// GBK, where a character without a GBK form becomes "?" and a NUL ends it.
std::string ToEngine(const Text& gbk);
Text FromEngine(std::string_view bytes);

}  // namespace duk_text

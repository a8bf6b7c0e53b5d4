#include "platform/duk_text.h"

#include "platform/codepage.h"

namespace duk_text {

std::string Utf16ToCesu8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (char16_t unit : utf16) {
    const unsigned u = unit;
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

namespace {

// Number of continuation bytes after a lead byte; -1 for a byte that cannot
// start a sequence. Extended UTF-8 has forms of up to 7 bytes (32 bits).
int ContinuationCount(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead < 0xC0) return -1;
  if (lead < 0xE0) return 1;
  if (lead < 0xF0) return 2;
  if (lead < 0xF8) return 3;
  if (lead < 0xFC) return 4;
  if (lead < 0xFE) return 5;
  if (lead == 0xFE) return 6;
  return -1;
}

}  // namespace

std::u16string DukStringToUtf16(std::string_view bytes) {
  constexpr char16_t kReplacement = u'\uFFFD';
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const int extra = ContinuationCount(lead);
    if (extra == 0) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    bool valid = extra > 0 && bytes.size() - i > static_cast<std::size_t>(extra);
    unsigned long long cp = extra == 6 ? 0 : (lead & (0x7Fu >> (extra + 1)));
    for (int k = 1; valid && k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      valid = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!valid) {  // skip the one bad byte and resynchronise
      out += kReplacement;
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (cp <= 0xFFFF) {
      out += static_cast<char16_t>(cp);
    } else if (cp <= 0x10FFFF) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += kReplacement;
    }
  }
  return out;
}

std::string ToEngine(const Text& gbk) {
  const std::string_view untilNul(gbk.c_str());
  return Utf16ToCesu8(GbkToUtf16(untilNul));
}

Text FromEngine(std::string_view bytes) {
  Text gbk = Utf16ToGbk(DukStringToUtf16(bytes));
  const std::size_t nul = gbk.find('\0');
  if (nul != Text::npos) gbk.resize(nul);
  return gbk;
}

}  // namespace duk_text

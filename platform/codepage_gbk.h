#pragma once
// Lookup tables of code page 936, built once per process from ICU's
// "windows-936-2000" converter and corrected where ICU and Windows differ.
#include <array>
#include <cstdint>

namespace gbk {

constexpr bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Encoding table value of a code unit that has no GBK form.
constexpr std::uint16_t kNoMapping = 0xFFFF;

struct Tables {
  std::array<char16_t, 256> single{};             // non-lead bytes
  std::array<char16_t, 126 * 256> pair{};         // [(lead - 0x81) * 256 + trail]; invalid -> '?'
  std::array<std::uint16_t, 65536> encode{};      // < 0x100: one byte; else lead << 8 | trail
};

// Null when ICU lacks the converter.
const Tables* GetTables();

}  // namespace gbk

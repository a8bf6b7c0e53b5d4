#pragma once
// Code-page conversion as Windows does it, for the two code pages the
// program uses: 65001 (UTF-8) and 936 (GBK). Same arguments and results as
// the Windows calls: a source length of -1 means "up to and including the
// NUL"; a destination size of 0 asks for the size needed; too small a
// destination, a zero source length, a missing pointer, flags other than 0
// or an unsupported code page give 0.
//
// 936: Windows' table including its private-use and best-fit mappings. A
// lead byte (0x81..0xFE) takes the next byte with it: an invalid pair, or a
// lead byte at the end, becomes U+003F. Characters without a GBK form become
// the default character ("?" unless one is given), one per UTF-16 code unit.
// 65001: malformed UTF-8 becomes U+FFFD per maximal subpart; a lone
// surrogate is written as U+FFFD.
#include <string>
#include <string_view>

#include "platform/win_types.h"

constexpr UINT CP_UTF8 = 65001;
constexpr UINT CP_GBK = 936;

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteLength,
                        WCHAR* wide, int wideLength);

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLength,
                        char* multiByte, int multiByteLength, const char* defaultChar,
                        BOOL* usedDefaultChar);

// The edges of the program (engine, screen, file names) convert through these.
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

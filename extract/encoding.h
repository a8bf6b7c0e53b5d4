#pragma once
// Which encoding a data file is in, and UTF-8 to GBK conversion.
#include "platform/text.h"

// Encoding codes.
constexpr int kEncodingUtf8 = 1;
constexpr int kEncodingUtf16Le = 2;
constexpr int kEncodingUtf16Be = 3;
constexpr int kEncodingAnsi = 4;

// Reads the whole file by its path (a missing or unreadable one counts as
// empty) and detects its encoding: one of the codes above.
int DetectFileEncoding(const Text& path);

// The same on bytes already in memory.
int DetectEncoding(const ByteArray& data);

// A UTF-8 mark, or the first byte of 0x80 or more outside a well-formed
// two-byte sequence starts a well-formed three- or four-byte sequence.
bool IsUtf8(const ByteArray& data);

// The GBK form of UTF-8 data, up to its first NUL; characters without a GBK
// form become "?". The empty text for empty data.
Text Utf8ToGbk(const ByteArray& data);

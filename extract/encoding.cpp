#include "extract/encoding.h"

#include <climits>
#include <cstring>
#include <string_view>

#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/unicode_test.h"

namespace {

// The UTF-8 mark is compared in two steps: its first two bytes, then the third.
constexpr std::string_view kUtf8MarkStart = "\xEF\xBB";
constexpr std::string_view kUtf8MarkEnd = "\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(const ByteArray& data, std::string_view mark) {
  return data.size() >= mark.size() && std::string_view(data).substr(0, mark.size()) == mark;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Whether the n bytes after position i are all continuation bytes.
bool ContinuationsFollow(const ByteArray& data, std::size_t i, std::size_t n) {
  if (data.size() - i - 1 < n) return false;  // cut off by the end
  for (std::size_t k = 1; k <= n; ++k)
    if (!IsContinuation(static_cast<unsigned char>(data[i + k]))) return false;
  return true;
}

}  // namespace

int DetectEncoding(const ByteArray& data) {
  const std::size_t size = data.size();
  bool checkUtf16Marks = true;
  if (size >= 3 && StartsWith(data, kUtf8MarkStart)) {
    if (data.substr(2, 1) == kUtf8MarkEnd) return kEncodingUtf8;
    checkUtf16Marks = false;  // EF BB without BF: straight to the statistical test
  }
  if (checkUtf16Marks) {
    if (StartsWith(data, kUtf16LeMark)) return kEncodingUtf16Le;
    if (StartsWith(data, kUtf16BeMark)) return kEncodingUtf16Be;
  }
  int mask = -1;
  const int length = size > INT_MAX ? INT_MAX : static_cast<int>(size);
  if (IsTextUnicode(data.empty() ? nullptr : data.data(), length, &mask)) return kEncodingUtf16Le;
  if (IsUtf8(data)) return kEncodingUtf8;
  return kEncodingAnsi;
}

int DetectFileEncoding(const Text& path) { return DetectEncoding(ReadWholeFile(path)); }

bool IsUtf8(const ByteArray& data) {
  if (data.size() >= 3 && StartsWith(data, "\xEF\xBB\xBF")) return true;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto b = static_cast<unsigned char>(data[i]);
    if (b < 0x80) continue;
    if (b >= 0xC0 && b <= 0xDF) {
      if (!ContinuationsFollow(data, i, 1)) return false;
      ++i;  // the pair is passed over
      continue;
    }
    if (b >= 0xE0 && b <= 0xEF) return ContinuationsFollow(data, i, 2);
    if (b >= 0xF0 && b <= 0xF7) return ContinuationsFollow(data, i, 3);
    return false;
  }
  return false;  // no deciding sequence: ASCII or empty
}

Text Utf8ToGbk(const ByteArray& data) {
  if (data.empty() || data.size() > INT_MAX) return {};
  const int size = static_cast<int>(data.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, data.data(), size, nullptr, 0);
  if (n <= 0 || n == INT_MAX) return {};
  std::u16string wide(static_cast<std::size_t>(n) + 1, u'\0');  // the last unit stays zero
  if (MultiByteToWideChar(CP_UTF8, 0, data.data(), size, wide.data(), n) != n) return {};

  const int m = WideCharToMultiByte(CP_GBK, 0, wide.data(), n + 1, nullptr, 0, nullptr, nullptr);
  if (m <= 0) return {};
  Text gbk(static_cast<std::size_t>(m), '\0');
  if (WideCharToMultiByte(CP_GBK, 0, wide.data(), n + 1, gbk.data(), m, nullptr, nullptr) != m) return {};
  gbk.resize(std::strlen(gbk.c_str()));
  return gbk;
}

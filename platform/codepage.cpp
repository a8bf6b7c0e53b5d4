#include "platform/codepage.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU converters are not thread-safe: one per thread and code page.
UConverter* ConverterFor(UINT codePage) {
  thread_local Converter gbk, utf8;
  Converter* slot = codePage == CP_GBK ? &gbk : codePage == CP_UTF8 ? &utf8 : nullptr;
  if (!slot) return nullptr;
  if (!*slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot->reset(ucnv_open(codePage == CP_GBK ? "windows-936-2000" : "UTF-8", &status));
    if (U_FAILURE(status)) {
      slot->reset();
      return nullptr;
    }
    ucnv_setFallback(slot->get(), TRUE);
  }
  ucnv_reset(slot->get());
  return slot->get();
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD, const char* src, int srcLength, WCHAR* dst, int dstLength) {
  UConverter* cnv = ConverterFor(codePage);
  if (!cnv || !src || dstLength < 0) return 0;
  if (srcLength < 0) srcLength = static_cast<int>(std::char_traits<char>::length(src)) + 1;
  std::u16string out(static_cast<std::size_t>(srcLength) + 1, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int n = ucnv_toUChars(cnv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), src, srcLength, &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return 0;
  if (dstLength == 0) return n;
  if (n > dstLength) return 0;
  std::char_traits<char16_t>::copy(dst, out.data(), static_cast<std::size_t>(n));
  return n;
}

int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR* src, int srcLength, char* dst, int dstLength,
                        const char*, BOOL* usedDefault) {
  UConverter* cnv = ConverterFor(codePage);
  if (!cnv || !src || dstLength < 0) return 0;
  if (srcLength < 0) srcLength = static_cast<int>(std::char_traits<char16_t>::length(src)) + 1;
  if (usedDefault) *usedDefault = FALSE;
  std::string out(static_cast<std::size_t>(srcLength) * 4 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int n = ucnv_fromUChars(cnv, out.data(), static_cast<int32_t>(out.size()), reinterpret_cast<const UChar*>(src), srcLength, &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return 0;
  if (dstLength == 0) return n;
  if (n > dstLength) return 0;
  std::char_traits<char>::copy(dst, out.data(), static_cast<std::size_t>(n));
  return n;
}

namespace {

std::u16string ToWide(UINT codePage, std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::u16string_view s) {
  if (s.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) { return ToWide(CP_GBK, gbk); }
std::string Utf16ToGbk(std::u16string_view utf16) { return FromWide(CP_GBK, utf16); }
std::u16string Utf8ToUtf16(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf16ToUtf8(std::u16string_view utf16) { return FromWide(CP_UTF8, utf16); }

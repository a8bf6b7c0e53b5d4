#include "platform/codepage.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/codepage_gbk.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Where converted units go: counted only (size query), or written into a
// destination of fixed capacity. Put fails once the destination is full.
template <class Unit, bool kWrite>
class Sink {
 public:
  Sink(Unit* dst, std::size_t capacity) : dst_(dst), capacity_(capacity) {}

  bool Put(unsigned unit) {
    if constexpr (kWrite) {
      if (count_ == capacity_) return false;
      dst_[count_] = static_cast<Unit>(unit);
    }
    ++count_;
    return true;
  }

  // k ASCII bytes, copied (or widened) unchanged.
  template <class Src>
  bool PutAscii(const Src* src, std::size_t k) {
    if constexpr (kWrite) {
      if (capacity_ - count_ < k) return false;
      for (std::size_t i = 0; i < k; ++i) dst_[count_ + i] = static_cast<Unit>(src[i]);
    }
    count_ += k;
    return true;
  }

  std::size_t Count() const { return count_; }

 private:
  Unit* dst_;
  std::size_t capacity_;
  std::size_t count_ = 0;
};

// Length of the run of ASCII bytes starting at s, checked 8 bytes at a time.
std::size_t AsciiRun(const unsigned char* s, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, s + i, 8);
    if (w & 0x8080808080808080ull) break;
  }
  while (i < n && s[i] < 0x80) ++i;
  return i;
}

std::size_t AsciiRun(const char16_t* s, std::size_t n) {
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    std::uint64_t w;
    std::memcpy(&w, s + i, 8);
    if (w & 0xFF80FF80FF80FF80ull) break;
  }
  while (i < n && s[i] < 0x80) ++i;
  return i;
}

template <class S>
bool DecodeUtf8(const unsigned char* s, std::size_t n, S& out) {
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = AsciiRun(s + i, n - i);
    if (run && !out.PutAscii(s + i, run)) return false;
    i += run;
    if (i == n) break;

    const unsigned b = s[i];
    unsigned need = 0, lo = 0x80, hi = 0xBF;
    std::uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2;
      cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;  // no overlong forms
      if (b == 0xED) hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3;
      cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;  // no overlong forms
      if (b == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
      if (!out.Put(kReplacement)) return false;
      ++i;
      continue;
    }
    // A malformed sequence gives one U+FFFD for its longest valid prefix;
    // the byte that broke it starts afresh.
    std::size_t j = i + 1;
    bool complete = true;
    for (unsigned k = 0; k < need; ++k, ++j) {
      if (j == n || s[j] < lo || s[j] > hi) {
        complete = false;
        break;
      }
      cp = cp << 6 | (s[j] & 0x3Fu);
      lo = 0x80;
      hi = 0xBF;
    }
    i = j;
    if (!complete) {
      if (!out.Put(kReplacement)) return false;
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      if (!out.Put(0xD800 + (cp >> 10)) || !out.Put(0xDC00 + (cp & 0x3FF))) return false;
    } else if (!out.Put(cp)) {
      return false;
    }
  }
  return true;
}

template <class S>
bool EncodeUtf8(const char16_t* s, std::size_t n, S& out) {
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = AsciiRun(s + i, n - i);
    if (run && !out.PutAscii(s + i, run)) return false;
    i += run;
    if (i == n) break;

    std::uint32_t cp = s[i++];
    if (cp >= 0xD800 && cp <= 0xDBFF && i < n && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i++] - 0xDC00u);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;  // lone surrogate
    }
    bool ok;
    if (cp < 0x800) {
      ok = out.Put(0xC0 | cp >> 6) && out.Put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      ok = out.Put(0xE0 | cp >> 12) && out.Put(0x80 | (cp >> 6 & 0x3F)) && out.Put(0x80 | (cp & 0x3F));
    } else {
      ok = out.Put(0xF0 | cp >> 18) && out.Put(0x80 | (cp >> 12 & 0x3F)) && out.Put(0x80 | (cp >> 6 & 0x3F)) &&
           out.Put(0x80 | (cp & 0x3F));
    }
    if (!ok) return false;
  }
  return true;
}

template <class S>
bool DecodeGbk(const gbk::Tables& t, const unsigned char* s, std::size_t n, S& out) {
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = AsciiRun(s + i, n - i);
    if (run && !out.PutAscii(s + i, run)) return false;
    i += run;
    if (i == n) break;

    const unsigned char b = s[i];
    char16_t unit;
    if (!gbk::IsLead(b)) {
      unit = t.single[b];
      i += 1;
    } else if (i + 1 == n) {
      unit = u'?';  // lead byte cut off by the end
      i += 1;
    } else {
      unit = t.pair[(b - 0x81u) * 256u + s[i + 1]];  // an invalid pair is '?' for both bytes
      i += 2;
    }
    if (!out.Put(unit)) return false;
  }
  return true;
}

struct DefaultChar {
  unsigned char bytes[2] = {'?', 0};
  std::size_t length = 1;
  bool used = false;
};

template <class S>
bool EncodeGbk(const gbk::Tables& t, const char16_t* s, std::size_t n, DefaultChar& dc, S& out) {
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = AsciiRun(s + i, n - i);
    if (run && !out.PutAscii(s + i, run)) return false;
    i += run;
    if (i == n) break;

    const std::uint16_t v = t.encode[s[i++]];
    bool ok;
    if (v == gbk::kNoMapping) {
      dc.used = true;
      ok = out.Put(dc.bytes[0]) && (dc.length == 1 || out.Put(dc.bytes[1]));
    } else if (v < 0x100) {
      ok = out.Put(v);
    } else {
      ok = out.Put(v >> 8) && out.Put(v & 0xFF);
    }
    if (!ok) return false;
  }
  return true;
}

// Runs a conversion as a size query (capacity 0) or into the destination;
// the Windows result: the count, or 0 when it does not fit.
template <class Unit, class Convert>
int Run(Unit* dst, int capacity, Convert convert) {
  std::size_t count;
  if (capacity == 0) {
    Sink<Unit, false> sink(nullptr, 0);
    if (!convert(sink)) return 0;
    count = sink.Count();
  } else {
    Sink<Unit, true> sink(dst, static_cast<std::size_t>(capacity));
    if (!convert(sink)) return 0;
    count = sink.Count();
  }
  return count > INT_MAX ? 0 : static_cast<int>(count);
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int srcLength, WCHAR* dst, int dstLength) {
  if (!src || srcLength == 0 || srcLength < -1 || dstLength < 0 || (dstLength > 0 && !dst) || flags != 0) return 0;
  const std::size_t n = srcLength == -1 ? std::strlen(src) + 1 : static_cast<std::size_t>(srcLength);
  const auto* s = reinterpret_cast<const unsigned char*>(src);
  if (codePage == CP_UTF8) {
    return Run(dst, dstLength, [&](auto& sink) { return DecodeUtf8(s, n, sink); });
  }
  if (codePage == CP_GBK) {
    const gbk::Tables* t = gbk::GetTables();
    if (!t) return 0;
    return Run(dst, dstLength, [&](auto& sink) { return DecodeGbk(*t, s, n, sink); });
  }
  return 0;
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int srcLength, char* dst, int dstLength,
                        const char* defaultChar, BOOL* usedDefaultChar) {
  if (!src || srcLength == 0 || srcLength < -1 || dstLength < 0 || (dstLength > 0 && !dst) || flags != 0) return 0;
  const std::size_t n =
      srcLength == -1 ? std::char_traits<char16_t>::length(src) + 1 : static_cast<std::size_t>(srcLength);
  if (codePage == CP_UTF8) {
    if (defaultChar || usedDefaultChar) return 0;  // not allowed for UTF-8, as on Windows
    return Run(dst, dstLength, [&](auto& sink) { return EncodeUtf8(src, n, sink); });
  }
  if (codePage == CP_GBK) {
    const gbk::Tables* t = gbk::GetTables();
    if (!t) return 0;
    DefaultChar dc;
    if (defaultChar) {
      dc.bytes[0] = static_cast<unsigned char>(defaultChar[0]);
      dc.bytes[1] = static_cast<unsigned char>(defaultChar[0] ? defaultChar[1] : 0);
      dc.length = gbk::IsLead(dc.bytes[0]) && dc.bytes[1] ? 2 : 1;
    }
    int result = Run(dst, dstLength, [&](auto& sink) { return EncodeGbk(*t, src, n, dc, sink); });
    if (usedDefaultChar) *usedDefaultChar = dc.used ? TRUE : FALSE;
    return result;
  }
  return 0;
}

namespace {

std::u16string ToWide(UINT codePage, std::string_view s) {
  if (s.empty() || s.size() > INT_MAX) return {};
  const int length = static_cast<int>(s.size());
  int n = MultiByteToWideChar(codePage, 0, s.data(), length, nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), length, out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::u16string_view s) {
  if (s.empty() || s.size() > INT_MAX) return {};
  const int length = static_cast<int>(s.size());
  int n = WideCharToMultiByte(codePage, 0, s.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, s.data(), length, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) { return ToWide(CP_GBK, gbk); }
std::string Utf16ToGbk(std::u16string_view utf16) { return FromWide(CP_GBK, utf16); }
std::u16string Utf8ToUtf16(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf16ToUtf8(std::u16string_view utf16) { return FromWide(CP_UTF8, utf16); }

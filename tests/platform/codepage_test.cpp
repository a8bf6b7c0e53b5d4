#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/codepage.h"
#include "sample_pages.h"

namespace {

// Microsoft's published behaviour of code page 936.
struct Cp936Table {
  std::vector<std::pair<std::string, char16_t>> decode;  // bytes -> unit
  std::map<char16_t, std::string> encode;                 // unit -> bytes
};

Cp936Table LoadBestFit936() {
  std::ifstream in(EXAMTEXT_TEST_DATA "/cp936/bestfit936.txt", std::ios::binary);
  Cp936Table table;
  std::string line, section;
  unsigned nextLead = 0;
  unsigned lead = 0;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find(';'));
    std::istringstream fields(line);
    std::string first, second;
    if (!(fields >> first)) continue;
    if (first.rfind("0x", 0) != 0) {
      section = first;
      if (section == "DBCSTABLE") lead = nextLead++;
      continue;
    }
    fields >> second;
    const unsigned a = std::stoul(first, nullptr, 16), b = std::stoul(second, nullptr, 16);
    if (section == "MBTABLE") {
      table.decode.emplace_back(std::string(1, static_cast<char>(a)), static_cast<char16_t>(b));
    } else if (section == "DBCSRANGE") {
      nextLead = a;
    } else if (section == "DBCSTABLE") {
      table.decode.emplace_back(std::string{static_cast<char>(lead), static_cast<char>(a)}, static_cast<char16_t>(b));
    } else if (section == "WCTABLE") {
      table.encode[static_cast<char16_t>(a)] =
          b > 0xFF ? std::string{static_cast<char>(b >> 8), static_cast<char>(b & 0xFF)}
                   : std::string(1, static_cast<char>(b));
    }
  }
  return table;
}

const Cp936Table& BestFit936() {
  static const Cp936Table table = LoadBestFit936();
  return table;
}

std::string Hex(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  return out;
}

TEST(Cp936Table, FileIsComplete) {
  EXPECT_EQ(BestFit936().decode.size(), 24070u);
  EXPECT_EQ(BestFit936().encode.size(), 24482u);
}

TEST(Cp936Table, EveryByteSequenceDecodesAsWindows) {
  int mismatches = 0;
  for (const auto& [bytes, unit] : BestFit936().decode) {
    const std::u16string got = GbkToUtf16(bytes);
    if (got != std::u16string(1, unit) && ++mismatches <= 10) {
      ADD_FAILURE() << Hex(bytes) << "-> expected U+" << std::hex << int(unit);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(Cp936Table, EveryBmpCodeUnitEncodesAsWindowsOrAsQuestionMark) {
  const auto& encode = BestFit936().encode;
  int mismatches = 0, mapped = 0;
  for (unsigned u = 0; u < 0x10000; ++u) {
    const std::u16string unit(1, static_cast<char16_t>(u));
    auto it = encode.find(static_cast<char16_t>(u));
    const std::string expected = it != encode.end() ? it->second : "?";
    mapped += it != encode.end();
    const std::string got = Utf16ToGbk(unit);
    if (got != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "U+" << std::hex << u << ": got " << Hex(got) << "expected " << Hex(expected);
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(mapped, 24482);
}

TEST(Cp936Table, SupplementaryCharactersGiveOneQuestionMarkPerCodeUnit) {
  EXPECT_EQ(Utf16ToGbk(u"a\U0001F600b"), "a??b");
  EXPECT_EQ(Utf16ToGbk(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}), "a?b?");
}

struct GbkCase {
  const char* name;
  std::string bytes;
  std::u16string expected;
};

TEST(GbkDecoding, InvalidAndSpecialBytesAsWindows) {
  const GbkCase cases[] = {
      {"valid pair", "\xD6\xD0", u"\u4E2D"},
      {"euro sign", "\x80", u"\u20AC"},
      {"0xFF is private use", "\xFF", u"\uF8F5"},
      {"private-use area", "\xAA\xA1", u"\uE000"},
      {"lead + digit is one ?", "\x81\x30z", u"?z"},
      {"lead + 0x7F", "\x81\x7F", u"?"},
      {"lead + 0xFF", "\x81\xFF", u"?"},
      {"lead + NUL takes the NUL", std::string("\x81\0a", 3), u"?a"},
      {"lone lead at the end", "ab\xD6", u"ab?"},
      {"embedded NUL kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(GbkToUtf16(c.bytes), c.expected) << c.name;
}

TEST(Utf8Decoding, MalformedSequencesBecomeOneReplacementPerMaximalSubpart) {
  const GbkCase cases[] = {
      {"well-formed mix", "a\xE4\xB8\xAD\xC2\xA9z", u"a\u4E2D\u00A9z"},
      {"astral to surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"lone continuation", "\x80", u"\uFFFD"},
      {"overlong two-byte", "\xC0\x80", u"\uFFFD\uFFFD"},
      {"overlong three-byte", "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"truncated three-byte at end", "\xE4\xB8", u"\uFFFD"},
      {"truncated three-byte before ASCII", "\xE4\xB8" "A", u"\uFFFDA"},
      {"truncated four-byte", "\xF0\x9F\x98" "a", u"\uFFFDa"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"F5..FF never start", "\xF5\xFF", u"\uFFFD\uFFFD"},
      {"lead then new lead", "\xC3\xE4\xB8\xAD", u"\uFFFD\u4E2D"},
      {"embedded NUL kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {"long ASCII run then Chinese", "0123456789abcdefg\xE4\xB8\xAD", u"0123456789abcdefg\u4E2D"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.bytes), c.expected) << c.name;
}

TEST(Utf8Encoding, PairsAndLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"a\u00A9\u4E2D\U0001F600"), "a\xC2\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD83D), u'x'}), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDE00)}), "\xEF\xBF\xBD");
}

TEST(MultiByteToWideChar, SizeQueryThenConversion) {
  for (UINT cp : {CP_UTF8, CP_GBK}) {
    SCOPED_TRACE(cp);
    const std::string src = cp == CP_UTF8 ? "a\xE4\xB8\xAD" : "a\xD6\xD0";
    const int n = static_cast<int>(src.size());
    ASSERT_EQ(MultiByteToWideChar(cp, 0, src.data(), n, nullptr, 0), 2);
    WCHAR buf[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(MultiByteToWideChar(cp, 0, src.data(), n, buf, 1), 0) << "too small";
    ASSERT_EQ(MultiByteToWideChar(cp, 0, src.data(), n, buf, 2), 2);
    EXPECT_EQ(std::u16string(buf, 3), u"a\u4E2Dx") << "nothing written past the count";
    // -1: up to and including the NUL
    EXPECT_EQ(MultiByteToWideChar(cp, 0, src.c_str(), -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(cp, 0, src.c_str(), -1, buf, 2), 0);
    ASSERT_EQ(MultiByteToWideChar(cp, 0, src.c_str(), -1, buf, 3), 3);
    EXPECT_EQ(buf[2], u'\0');
  }
}

TEST(MultiByteToWideChar, InvalidArgumentsGiveZero) {
  WCHAR buf[4];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a", 0, buf, 4), 0) << "empty source";
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, nullptr, 1, buf, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a", -2, buf, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a", 1, nullptr, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a", 1, buf, -1), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 8, "a", 1, buf, 4), 0) << "flags";
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", 1, buf, 4), 0) << "code page";
}

TEST(WideCharToMultiByte, SizeQueryThenConversion) {
  const std::u16string src = u"a\u4E2D\u00A9\U0001F600";  // GBK: a, D6 D0, ? (no GBK form), ??
  const int n = static_cast<int>(src.size());
  ASSERT_EQ(WideCharToMultiByte(CP_GBK, 0, src.data(), n, nullptr, 0, nullptr, nullptr), 6);
  char buf[8] = "xxxxxxx";
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, src.data(), n, buf, 5, nullptr, nullptr), 0);
  ASSERT_EQ(WideCharToMultiByte(CP_GBK, 0, src.data(), n, buf, 6, nullptr, nullptr), 6);
  EXPECT_EQ(std::string(buf, 7), "a\xD6\xD0???x");
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, src.c_str(), -1, nullptr, 0, nullptr, nullptr), 7);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, src.c_str(), -1, nullptr, 0, nullptr, nullptr), 1 + 3 + 2 + 4 + 1);
}

TEST(WideCharToMultiByte, DefaultCharacterAndItsFlag) {
  const std::u16string mapped = u"a\u4E2D", unmapped = u"a\u00A9";
  char buf[8] = {};
  BOOL used = TRUE;
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, mapped.data(), 2, buf, 8, nullptr, &used), 3);
  EXPECT_EQ(used, FALSE);
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, unmapped.data(), 2, buf, 8, "*", &used), 2);
  EXPECT_EQ(used, TRUE);
  EXPECT_EQ(std::string(buf, 2), "a*");
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, unmapped.data(), 2, buf, 8, "\xA1\xF5", &used), 3) << "double-byte default";
  EXPECT_EQ(std::string(buf, 3), "a\xA1\xF5");
  // Best fit is not the default character.
  const std::u16string bestFit = u"\u00B2";
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, bestFit.data(), 1, buf, 8, nullptr, &used), 1);
  EXPECT_EQ(buf[0], '2');
  EXPECT_EQ(used, FALSE);
  // UTF-8 accepts neither.
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, mapped.data(), 2, buf, 8, "*", nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, mapped.data(), 2, buf, 8, nullptr, &used), 0);
}

TEST(WideCharToMultiByte, InvalidArgumentsGiveZero) {
  char buf[4];
  const WCHAR a[] = u"a";
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, a, 0, buf, 4, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, nullptr, 1, buf, 4, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, a, 1, nullptr, 4, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0x400, a, 1, buf, 4, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, a, 1, buf, 4, nullptr, nullptr), 0);
}

TEST(EdgeConversions, RoundTripsAndEmptyTexts) {
  const std::string gbk = "\xB5\xDA" "1\xCC\xE2 \xA3\xA8\xB6\xE0\xD1\xA1\xA3\xA9";  // 第1题 （多选）
  EXPECT_EQ(Utf16ToGbk(GbkToUtf16(gbk)), gbk);
  EXPECT_EQ(Utf16ToUtf8(GbkToUtf16(gbk)), "\xE7\xAC\xAC" "1\xE9\xA2\x98 \xEF\xBC\x88\xE5\xA4\x9A\xE9\x80\x89\xEF\xBC\x89");
  EXPECT_EQ(GbkToUtf16(""), u"");
  EXPECT_EQ(Utf16ToGbk(u""), "");
  EXPECT_EQ(Utf8ToUtf16(""), u"");
  EXPECT_EQ(Utf16ToUtf8(u""), "");
}

TEST(EdgeConversions, SeveralThreadsConvertAtOnce) {
  const std::string utf8 = sample::Repeat(sample::ChineseUtf8() + sample::HtmlUtf8(), 20000);
  const std::string gbk = sample::Gbk(utf8);
  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        failures[t] += Utf16ToGbk(Utf8ToUtf16(utf8)) != gbk;
        failures[t] += Utf16ToUtf8(GbkToUtf16(gbk)) != utf8;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace

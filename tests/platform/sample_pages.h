#pragma once
// One realistic exam page in every form a data file comes in.
#include <string>

#include "platform/codepage.h"

namespace sample {

// Mostly ASCII markup with some Chinese, lines ending in CR LF.
inline std::string HtmlUtf8() {
  return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>"
         "\xE6\xB3\x95\xE8\x80\x83\xE7\xBB\x83\xE4\xB9\xA0</title></head>\r\n"  // 法考练习
         "<body class=\"exam\">\r\n<div id=\"app\" data-x='{\"depTypeCode\":\"root_xuefks_xy_wsjs\"}'>\r\n"
         "<input type='hidden' value = '[{\"question\":\"\xE4\xB8\x8B\xE5\x88\x97\xE8\xAF\xB4\xE6\xB3\x95"
         "\xE6\xAD\xA3\xE7\xA1\xAE\xE7\x9A\x84\xE6\x98\xAF\xEF\xBC\x9F\","  // 下列说法正确的是？
         "\"lpQuestionAnswerList\":[{\"optionNum\":\"A\",\"contentType\":\"\xE5\x90\x88\xE5\x90\x8C\"}],"
         "\"num\":1}]' id='questoinList'/>\r\n</div></body></html>\r\n";
}

// Mostly Chinese running text with a little markup.
inline std::string ChineseUtf8() {
  std::string page = "<p>";
  for (int i = 0; i < 40; ++i) {
    // 根据民法典的规定，下列关于合同效力的说法正确的是：
    page += "\xE6\xA0\xB9\xE6\x8D\xAE\xE6\xB0\x91\xE6\xB3\x95\xE5\x85\xB8\xE7\x9A\x84\xE8\xA7\x84\xE5\xAE\x9A"
            "\xEF\xBC\x8C\xE4\xB8\x8B\xE5\x88\x97\xE5\x85\xB3\xE4\xBA\x8E\xE5\x90\x88\xE5\x90\x8C\xE6\x95\x88"
            "\xE5\x8A\x9B\xE7\x9A\x84\xE8\xAF\xB4\xE6\xB3\x95\xE6\xAD\xA3\xE7\xA1\xAE\xE7\x9A\x84\xE6\x98\xAF"
            "\xEF\xBC\x9A";
  }
  return page + "</p>\r\n";
}

inline std::string Repeat(const std::string& s, std::size_t atLeast) {
  std::string out;
  while (out.size() < atLeast) out += s;
  return out;
}

inline std::string Utf16Le(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::string bytes;
  for (char16_t u : units) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

inline std::string Utf16Be(const std::string& utf8) {
  std::string bytes = Utf16Le(utf8);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
  return bytes;
}

inline std::string Gbk(const std::string& utf8) { return Utf16ToGbk(Utf8ToUtf16(utf8)); }

inline std::string AsciiPage() {
  return "<!DOCTYPE html>\r\n<html><head><title>Practice</title></head>\r\n"
         "<body><input type='hidden' value = '[]' id='questoinList'/></body></html>\r\n";
}

}  // namespace sample

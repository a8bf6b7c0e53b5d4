#include "platform/text.h"

namespace text {
namespace {

// Bytes of the text that a scan can reach.
std::string_view Scannable(std::string_view text) {
  std::size_t i = 0;
  while (std::size_t n = CharLength(text, i)) i += n;
  return text.substr(0, i);
}

unsigned char FoldAscii(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Whether sought stands at byte i of text (a character start). Case folding
// touches single-byte characters only: the second byte of a two-byte
// character may look like an ASCII letter and must still match exactly.
bool MatchesAt(std::string_view text, std::size_t i, std::string_view sought, bool ignoreCase) {
  if (text.size() - i < sought.size()) return false;
  if (!ignoreCase) return text.compare(i, sought.size(), sought) == 0;
  for (std::size_t k = 0; k < sought.size(); ++k) {
    const auto a = static_cast<unsigned char>(text[i + k]);
    const auto b = static_cast<unsigned char>(sought[k]);
    if (IsLeadByte(a)) {
      if (a != b || (k + 1 < sought.size() && text[i + k + 1] != sought[k + 1])) return false;
      ++k;
    } else if (FoldAscii(a) != FoldAscii(b)) {
      return false;
    }
  }
  return true;
}

// 0-based offset of the first match at or after from (a character start), or npos.
std::size_t FindFrom(std::string_view text, std::string_view sought, std::size_t from, bool ignoreCase) {
  for (std::size_t i = from; i < text.size(); i += CharLength(text, i)) {
    if (MatchesAt(text, i, sought, ignoreCase)) return i;
  }
  return std::string_view::npos;
}

// The first character start at or after byte offset from.
std::size_t CharStartAtOrAfter(std::string_view text, std::size_t from) {
  std::size_t i = 0;
  while (i < from && i < text.size()) i += CharLength(text, i);
  return i;
}

}  // namespace

TextArray Split(std::string_view whole, std::string_view separator) {
  std::string_view s = Scannable(whole);
  TextArray pieces;
  if (s.empty()) return pieces;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (!separator.empty() && MatchesAt(s, i, separator, false)) {
      pieces.emplace_back(s.substr(begin, i - begin));
      i += separator.size();
      begin = i;
    } else {
      i += CharLength(s, i);
    }
  }
  if (begin < s.size()) pieces.emplace_back(s.substr(begin));
  return pieces;
}

int Find(std::string_view whole, std::string_view sought, int start, bool ignoreCase) {
  std::string_view s = Scannable(whole);
  std::size_t from = CharStartAtOrAfter(s, start < 1 ? 0 : static_cast<std::size_t>(start - 1));
  if (from >= s.size()) return -1;
  if (sought.empty()) return 1;  // found "at the start" whatever the start position
  std::size_t at = FindFrom(s, sought, from, ignoreCase);
  return at == std::string_view::npos ? -1 : static_cast<int>(at + 1);
}

Text Cut(std::string_view text, int position, int length) {
  if (position < 1 || length <= 0 || static_cast<std::size_t>(position) > text.size()) return {};
  return Text(text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length)));
}

Text Replace(std::string_view whole, std::string_view old, std::string_view replacement) {
  std::string_view s = Scannable(whole);
  if (old.empty()) return Text(s);
  Text out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (MatchesAt(s, i, old, false)) {
      out += replacement;
      i += old.size();
    } else {
      std::size_t n = CharLength(s, i);
      out.append(s.substr(i, n));
      i += n;
    }
  }
  return out;
}

}  // namespace text

#include "platform/text.h"

#include <cstdint>
#include <cstring>

namespace text {
namespace {

// Length of the run of single-byte characters (0x01..0x7F) at p, checked
// eight bytes at a time: inside it every byte starts a character.
std::size_t SingleByteRun(const char* p, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    const std::uint64_t zeroBytes = (w - 0x0101010101010101ull) & ~w & 0x8080808080808080ull;
    if ((w & 0x8080808080808080ull) || zeroBytes) break;
  }
  while (i < n && static_cast<unsigned char>(p[i]) - 1u < 0x7Fu) ++i;
  return i;
}

// Bytes of the text that a scan can reach: up to a NUL, or to a lead byte
// that has nothing or NUL after it.
std::string_view Scannable(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  for (;;) {
    i += SingleByteRun(text.data() + i, n - i);
    if (i >= n || text[i] == '\0' || i + 1 >= n || text[i + 1] == '\0') break;
    i += 2;  // a lead byte and its second byte
  }
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

// First match in [begin, end), all of whose bytes are character starts.
std::size_t FindInRun(std::string_view text, std::size_t begin, std::size_t end, std::string_view sought,
                      bool ignoreCase) {
  const auto first = static_cast<unsigned char>(sought[0]);
  if (!ignoreCase || FoldAscii(first) == first) {
    const unsigned char other = ignoreCase && first >= 'a' && first <= 'z' ? first - 'a' + 'A' : first;
    for (std::size_t i = begin; i < end; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (other == first) {
        const void* hit = std::memchr(text.data() + i, first, end - i);
        if (!hit) return std::string_view::npos;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
      } else if (c != first && c != other) {
        continue;
      }
      if (MatchesAt(text, i, sought, ignoreCase)) return i;
    }
    return std::string_view::npos;
  }
  for (std::size_t i = begin; i < end; ++i) {
    if (FoldAscii(static_cast<unsigned char>(text[i])) == FoldAscii(first) && MatchesAt(text, i, sought, ignoreCase))
      return i;
  }
  return std::string_view::npos;
}

// 0-based offset of the first match at or after from (a character start) in
// a scannable text, or npos. sought is not empty.
std::size_t FindFrom(std::string_view text, std::string_view sought, std::size_t from, bool ignoreCase) {
  if (sought.size() > text.size()) return std::string_view::npos;
  const std::size_t last = text.size() - sought.size();  // the last start that leaves room
  std::size_t i = from;
  while (i <= last) {
    const std::size_t run = SingleByteRun(text.data() + i, text.size() - i);
    if (run) {
      const std::size_t end = i + run < last + 1 ? i + run : last + 1;
      const std::size_t at = FindInRun(text, i, end, sought, ignoreCase);
      if (at != std::string_view::npos) return at;
      i = end;
      continue;
    }
    // At a two-byte character, whose bytes match only exactly.
    if (text[i] == sought[0] && MatchesAt(text, i, sought, ignoreCase)) return i;
    i += 2;
  }
  return std::string_view::npos;
}

// The first character start at or after byte offset from, in a scannable text.
std::size_t CharStartAtOrAfter(std::string_view text, std::size_t from) {
  std::size_t i = 0;
  while (i < from && i < text.size()) {
    const std::size_t run = SingleByteRun(text.data() + i, text.size() - i);
    if (i + run >= from) return from;
    i += run ? run : 2;
  }
  return i;
}

}  // namespace

TextArray Split(std::string_view whole, std::string_view separator) {
  const std::string_view s = Scannable(whole);
  TextArray pieces;
  if (s.empty()) return pieces;
  std::size_t begin = 0;
  if (!separator.empty()) {
    for (std::size_t at; (at = FindFrom(s, separator, begin, false)) != std::string_view::npos;) {
      pieces.emplace_back(s.substr(begin, at - begin));
      begin = at + separator.size();
    }
  }
  if (begin < s.size()) pieces.emplace_back(s.substr(begin));
  return pieces;
}

int Find(std::string_view whole, std::string_view sought, int start, bool ignoreCase) {
  const std::string_view s = Scannable(whole);
  const std::size_t from = CharStartAtOrAfter(s, start < 1 ? 0 : static_cast<std::size_t>(start - 1));
  if (from >= s.size()) return -1;
  if (sought.empty()) return 1;  // found "at the start" whatever the start position
  const std::size_t at = FindFrom(s, sought, from, ignoreCase);
  return at == std::string_view::npos ? -1 : static_cast<int>(at + 1);
}

Text Cut(std::string_view text, int position, int length) {
  if (position < 1 || length <= 0 || static_cast<std::size_t>(position) > text.size()) return {};
  return Text(text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length)));
}

Text Replace(std::string_view whole, std::string_view old, std::string_view replacement) {
  const std::string_view s = Scannable(whole);
  if (old.empty()) return Text(s);
  Text out;
  out.reserve(s.size());
  std::size_t begin = 0;
  for (std::size_t at; (at = FindFrom(s, old, begin, false)) != std::string_view::npos;) {
    out.append(s.substr(begin, at - begin));
    out.append(replacement);
    begin = at + old.size();
  }
  out.append(s.substr(begin));
  return out;
}

}  // namespace text

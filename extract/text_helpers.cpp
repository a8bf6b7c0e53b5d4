#include "extract/text_helpers.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kQuoteName = "#\xD2\xFD\xBA\xC5";  // "#引号" in GBK

}  // namespace

int FindLineContaining(const Text& text, const Text& needle, bool caseSensitive) {
  const TextArray lines = text::Split(text, kLineBreak);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (text::Find(lines[i], needle, 1, !caseSensitive) != -1) return static_cast<int>(i + 1);
  }
  return 0;
}

Text GetLine(const Text& text, int lineNumber) {
  const TextArray lines = text::Split(text, kLineBreak);
  if (lineNumber < 1 || static_cast<std::size_t>(lineNumber) > lines.size()) return {};
  return lines[static_cast<std::size_t>(lineNumber - 1)];
}

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, int startPosition,
                 bool ignoreCase) {
  const Text start = text::Replace(startMarker, kQuoteName, "\"");
  const Text end = text::Replace(endMarker, kQuoteName, "\"");
  int p = text::Find(text, start, startPosition, ignoreCase);
  if (p == -1) return {};
  p += static_cast<int>(start.size());
  const int q = text::Find(text, end, p, ignoreCase);
  if (q == -1) return {};
  return text::Cut(text, p, q - p);
}

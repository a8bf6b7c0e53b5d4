// Throughput of encoding detection, UTF-8 to GBK conversion and the page
// helpers on a 5 MB exam page. Prints MB/s per operation.
#include <time.h>

#include <cstdio>
#include <functional>
#include <string>

#include "../tests/platform/sample_pages.h"
#include "extract/encoding.h"
#include "extract/text_helpers.h"
#include "platform/codepage.h"

namespace {

constexpr std::size_t kPageSize = 5 * 1024 * 1024;
const Text kMarker = "\"depTypeCode\":\"root_xuefks_xy_wsjs\"";
const Text kInputStart = "<input type='hidden' value = '";
const Text kInputEnd = "' id='questoinList'/>";

// Body lines first, the marker line with the question list last: the worst
// case for the searches.
std::string PageUtf8(const std::string& body) {
  std::string page = sample::Repeat(body, kPageSize - 4096);
  page += "<div " + kMarker + ">" + kInputStart + "[{\"num\":1}]" + kInputEnd + "</div>\r\n";
  return page;
}

// CPU time of this thread, so that other work on a shared machine does not
// count against the figures.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Runs op for half a second of CPU time; prints MB/s over bytes per run.
void Measure(const char* name, std::size_t bytes, const std::function<std::size_t()>& op) {
  std::size_t sink = 0, runs = 0;
  const double start = ThreadSeconds();
  double seconds = 0;
  do {
    sink += op();
    ++runs;
    seconds = ThreadSeconds() - start;
  } while (seconds < 0.5);
  const double mbPerSecond = static_cast<double>(bytes) * static_cast<double>(runs) / seconds / 1e6;
  std::printf("%-44s %9.1f MB/s  (%zu runs, check %zu)\n", name, mbPerSecond, runs, sink % 1000);
}

}  // namespace

int main() {
  const std::string html = PageUtf8(sample::HtmlUtf8());
  const std::string chinese = PageUtf8(sample::ChineseUtf8());
  const std::string htmlGbk = sample::Gbk(html);
  const std::string chineseGbk = sample::Gbk(chinese);
  const std::string htmlLe = sample::Utf16Le(html);
  std::printf("page: %zu bytes UTF-8 (markup), %zu bytes UTF-8 (Chinese)\n", html.size(), chinese.size());

  Measure("DetectEncoding, GBK markup page", htmlGbk.size(), [&] { return std::size_t(DetectEncoding(htmlGbk)); });
  Measure("DetectEncoding, GBK Chinese page", chineseGbk.size(),
          [&] { return std::size_t(DetectEncoding(chineseGbk)); });
  Measure("DetectEncoding, UTF-8 markup page", html.size(), [&] { return std::size_t(DetectEncoding(html)); });
  Measure("DetectEncoding, UTF-16LE page without mark", htmlLe.size(),
          [&] { return std::size_t(DetectEncoding(htmlLe)); });
  Measure("Utf8ToGbk, markup page", html.size(), [&] { return Utf8ToGbk(html).size(); });
  Measure("Utf8ToGbk, Chinese page", chinese.size(), [&] { return Utf8ToGbk(chinese).size(); });
  Measure("GbkToUtf16, Chinese page", chineseGbk.size(), [&] { return GbkToUtf16(chineseGbk).size(); });
  Measure("FindLineContaining, marker on last line", htmlGbk.size(),
          [&] { return std::size_t(FindLineContaining(htmlGbk, kMarker)); });
  Measure("TextBetween, question list at the end", htmlGbk.size(),
          [&] { return TextBetween(htmlGbk, kInputStart + "[{", kInputEnd).size(); });
  Measure("TextBetween, Chinese page", chineseGbk.size(),
          [&] { return TextBetween(chineseGbk, kInputStart, kInputEnd).size(); });
  return 0;
}

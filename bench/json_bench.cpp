// Figures for JsonObject: construction, parsing a question list of about
// 1 MB, reading each element, and reading one member of a small object.
#include <chrono>
#include <cstdio>
#include <string>

#include "json/json_object.h"

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A question list shaped like the exam pages': GBK Chinese wording, four
// options each, "num" after "lpQuestionAnswerList".
Text QuestionList(std::size_t targetBytes, int& count) {
  const Text wording = "\xCF\xC2\xC1\xD0\xB9\xD8\xD3\xDA\xB7\xA8\xC2\xC9\xB5\xC4\xCB\xB5\xB7\xA8";  // 下列关于法律的说法
  const Text option = "\xD5\xFD\xC8\xB7\xB5\xC4\xD1\xA1\xCF\xEE";                                 // 正确的选项
  Text list = "[";
  count = 0;
  while (list.size() < targetBytes) {
    if (count > 0) list += ",";
    ++count;
    list += "{\"question\":\"" + std::to_string(count) + wording + wording + wording + "\",\"lpQuestionAnswerList\":[";
    for (char label = 'A'; label <= 'D'; ++label) {
      if (label != 'A') list += ",";
      list += "{\"optionNum\":\"" + Text(1, label) + "\",\"contentType\":\"" + option + wording + "\"}";
    }
    list += "],\"num\":" + std::to_string(count) + "}";
  }
  return list + "]";
}

}  // namespace

int main() {
  const int constructions = 200;
  auto start = Clock::now();
  for (int i = 0; i < constructions; ++i) JsonObject json;
  std::printf("construct+destroy JsonObject: %.1f us each (%d runs)\n", MicrosecondsSince(start) / constructions,
              constructions);

  int count = 0;
  const Text list = QuestionList(1 << 20, count);
  JsonObject json;
  const int parses = 5;
  start = Clock::now();
  bool parsed = true;
  for (int i = 0; i < parses; ++i) parsed = json.Parse(list) && parsed;
  std::printf("Parse of a %zu-byte list of %d questions: %.1f ms each (%d runs, %s)\n", list.size(), count,
              MicrosecondsSince(start) / 1000 / parses, parses, parsed ? "ok" : "FAILED");

  const int n = json.GetCount();
  start = Clock::now();
  std::size_t bytes = 0;
  for (int i = 0; i < n; ++i) bytes += json.GetItemText(i, {}, true).size();
  std::printf("GetItemText(i, {}, true) per element: %.1f us each (%d elements, %zu bytes)\n",
              MicrosecondsSince(start) / n, n, bytes);

  JsonObject small;
  small.Parse("{\"num\":7,\"question\":\"q\",\"lpQuestionAnswerList\":[]}");
  const int reads = 10000;
  start = Clock::now();
  for (int i = 0; i < reads; ++i) bytes += small.GetText(Text("num")).size();
  std::printf("GetText(\"num\") of a small object: %.1f us each (%d runs)\n", MicrosecondsSince(start) / reads,
              reads);
  return parsed && n == count ? 0 : 1;
}

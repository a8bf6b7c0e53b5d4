// Whole loads of large generated pages: the pipeline in-process (reading the
// page, then rendering into a box that only counts) and the examtext-cli
// program. Each measurement runs in a process of its own so that peak
// memory figures do not mix.
//
//   bench_load_bench [--sizes 100,1000,10000] [--cli PATH] [--keep DIR]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "extract/load_question_file.h"
#include "extract/render_question_list.h"
#include "json/json_object.h"
#include "platform/codepage.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class CountingBox : public OutputBox {
 public:
  void SetContent(const Text& text) override { bytes = text.size(); }
  void Append(const Text& text) override { bytes += text.size(); }
  std::size_t bytes = 0;
};

// A saved exam page (UTF-8, CR LF) with the question list in the hidden
// input on the long line that carries the marker.
std::string MakePage(int questions) {
  static const char* const kLabels[] = {"A", "B", "C", "D"};
  static const char* const kOptions[] = {"合同自成立时生效", "合同无效，但当事人可以追认",
                                         "当事人可以请求人民法院撤销", "合同效力待定，须经权利人同意"};
  std::string list = "[";
  for (int q = 1; q <= questions; ++q) {
    if (q > 1) list += ",";
    list += "{\"question\":\"第" + std::to_string(q) +
            "题：根据《民法典》的规定，下列关于限制民事行为能力人订立的合同的说法，正确的是？\","
            "\"lpQuestionAnswerList\":[";
    for (int o = 0; o < 4; ++o) {
      if (o > 0) list += ",";
      list += std::string("{\"optionNum\":\"") + kLabels[o] + "\",\"contentType\":\"" + kOptions[o] + "\"}";
    }
    list += "],\"num\":" + std::to_string(q) + "}";
  }
  list += "]";
  return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>法考练习</title></head>\r\n<body>\r\n"
         "<div id=\"app\"><script>var cfg = {\"depTypeCode\":\"root_xuefks_xy_wsjs\",\"paperId\":\"P1\"};</script>"
         "<input type='hidden' value = '" +
         list + "' id='questoinList'/><div class=\"paper\"></div></div>\r\n</body></html>\r\n";
}

struct Figures {
  bool ok = false;
  double seconds = 0;
  long peakKiB = 0;
  std::size_t outputBytes = 0;
};

// The in-process load in a forked child; it reports time and output size
// through a pipe, its peak memory comes from wait4.
Figures MeasureInProcess(const Text& page) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    auto start = Clock::now();
    CountingBox box;
    {
      PageReading reading = ReadQuestionPage(page, [] {});
      JsonObject json;
      RenderQuestionList(reading.questionList, json, box);
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::string report = std::to_string(seconds) + " " + std::to_string(box.bytes);
    ssize_t written = write(fds[1], report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string report;
  char buffer[128];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage usage{};
  Figures figures;
  if (pid > 0 && wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    figures.ok = std::sscanf(report.c_str(), "%lf %zu", &figures.seconds, &figures.outputBytes) == 2;
    figures.peakKiB = usage.ru_maxrss;
  }
  return figures;
}

// examtext-cli --gbk PAGE, its output into a file whose size is the output size.
Figures MeasureCli(const fs::path& program, const fs::path& page, const fs::path& output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string programText = program.string(), pageText = page.string();
  char gbkFlag[] = "--gbk";
  char* argv[] = {programText.data(), gbkFlag, pageText.data(), nullptr};
  auto start = Clock::now();
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, programText.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  Figures figures;
  int status = 0;
  rusage usage{};
  if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid) return figures;
  figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  figures.peakKiB = usage.ru_maxrss;
  figures.outputBytes = fs::file_size(output);
  return figures;
}

// A child that does nothing: the floor under every in-process peak.
long ForkFloorKiB() {
  pid_t pid = fork();
  if (pid == 0) _exit(0);
  int status = 0;
  rusage usage{};
  return pid > 0 && wait4(pid, &status, 0, &usage) == pid ? usage.ru_maxrss : 0;
}

std::vector<int> ParseSizes(const std::string& list) {
  std::vector<int> sizes;
  for (std::size_t from = 0; from <= list.size();) {
    std::size_t comma = list.find(',', from);
    if (comma == std::string::npos) comma = list.size();
    int size = std::atoi(list.substr(from, comma - from).c_str());
    if (size > 0) sizes.push_back(size);
    from = comma + 1;
  }
  return sizes;
}

void Print(const char* how, int size, const Figures& f) {
  if (!f.ok) {
    std::printf("%-10s %7d  FAILED\n", how, size);
    return;
  }
  std::printf("%-10s %7d  %10.2f s  %8.2f ms/question  %8ld KiB peak  %10zu bytes out\n", how, size, f.seconds,
              f.seconds * 1000 / size, f.peakKiB, f.outputBytes);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes = {100, 1000, 10000};
  fs::path cli = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app" / "examtext-cli";
  fs::path keep;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--sizes" && i + 1 < argc) {
      sizes = ParseSizes(argv[++i]);
    } else if (arg == "--cli" && i + 1 < argc) {
      cli = argv[++i];
    } else if (arg == "--keep" && i + 1 < argc) {
      keep = argv[++i];
    } else {
      std::fprintf(stderr, "usage: bench_load_bench [--sizes 100,1000,10000] [--cli PATH] [--keep DIR]\n");
      return 64;
    }
  }
  if (sizes.empty() || !fs::exists(cli)) {
    std::fprintf(stderr, "bench_load_bench: no sizes, or no program at %s\n", cli.c_str());
    return 64;
  }

  const fs::path dir = keep.empty() ? fs::temp_directory_path() / ("examtext-load-bench-" + std::to_string(getpid())) : keep;
  fs::create_directories(dir);
  std::printf("pages in %s; 4 options per question; peak = ru_maxrss of the measuring process\n", dir.c_str());
  std::printf("fork floor (a child that does nothing): %ld KiB\n", ForkFloorKiB());
  bool allOk = true;
  for (int size : sizes) {
    const fs::path page = dir / ("page-" + std::to_string(size) + ".html");
    {
      std::ofstream(page, std::ios::binary) << MakePage(size);
    }
    std::printf("page of %d questions: %ju bytes\n", size, static_cast<std::uintmax_t>(fs::file_size(page)));
    Figures inProcess = MeasureInProcess(Utf16ToGbk(Utf8ToUtf16(page.string())));
    Print("pipeline", size, inProcess);
    Figures program = MeasureCli(cli, page, dir / ("out-" + std::to_string(size) + ".txt"));
    Print("cli", size, program);
    bool same = inProcess.ok && program.ok && inProcess.outputBytes == program.outputBytes;
    if (!same) std::printf("  the two loads disagree\n");
    allOk = allOk && same;
  }
  if (keep.empty()) fs::remove_all(dir);
  return allOk ? 0 : 1;
}

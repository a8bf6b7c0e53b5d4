// examtext-cli: in-process through RunCli, and once as the real program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "extract/load_question_file.h"
#include "extract/render_question_list.h"
#include "pipeline/recording_box.h"
#include "pipeline/test_files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

using test_files::kPages;
using test_files::kSamples;
using test_files::ReadFile;

std::string Utf8(const Text& gbk) { return Utf16ToUtf8(GbkToUtf16(gbk)); }

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunInProcess(std::vector<std::string> args) {
  args.insert(args.begin(), "examtext-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  std::ostringstream out, err;
  int status = RunCli(static_cast<int>(args.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

// The box after loading the page the window's way (the path in UTF-8).
Text BoxAfterLoading(const fs::path& page) {
  PageReading reading = ReadQuestionPage(Gbk(page.string()), [] {});
  JsonObject json;
  RecordingBox box;
  RenderQuestionList(reading.questionList, json, box);
  return box.content;
}

std::vector<fs::path> FixturePages() {
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(kPages))
    if (entry.path().extension() == ".html") pages.push_back(entry.path());
  std::sort(pages.begin(), pages.end());
  return pages;
}

TEST(Cli, OutputIsTheBoxTextInUtf8OrGbk) {
  std::vector<fs::path> pages = FixturePages();
  ASSERT_GE(pages.size(), 20u);
  pages.push_back(kSamples / "示例试卷-utf8.html");
  for (const fs::path& page : pages) {
    SCOPED_TRACE(page.filename().string());
    const Text box = BoxAfterLoading(page);
    EXPECT_EQ(RunInProcess({page.string()}).out, Utf8(box));
    EXPECT_EQ(RunInProcess({"--gbk", page.string()}).out, box);
  }
}

TEST(Cli, KnownTextsByteForByte) {
  EXPECT_EQ(RunInProcess({(kPages / "basic-gbk.html").string()}).out, ReadFile(kPages / "basic-expected-utf8.txt"));
  EXPECT_EQ(RunInProcess({"--gbk", (kPages / "basic-utf8.html").string()}).out, ReadFile(kPages / "basic-expected-gbk.txt"));
  EXPECT_EQ(RunInProcess({(kSamples / "示例试卷-gbk.html").string()}).out, ReadFile(kSamples / "expected-output.txt"));
  EXPECT_EQ(RunInProcess({"--gbk", (kPages / "no-marker.html").string()}).out, kNoQuestions);
}

struct StatusCase {
  std::vector<std::string> args;  // page names are looked up in the fixture folder
  int status;
  const char* errPart;  // in standard error; "" for none expected
};

TEST(Cli, ExitStatusesAndDiagnostics) {
  const std::vector<StatusCase> cases = {
      {{"basic-utf8.html"}, kCliOk, ""},
      {{"empty-list.html"}, kCliOk, ""},
      {{"object-list.html"}, kCliOk, ""},
      {{"no-such-page.html"}, kCliUnreadable, "cannot be read"},
      {{"no-marker.html"}, kCliNoQuestionList, "no question list found"},
      {{"marker-without-input.html"}, kCliNoQuestionList, "no question list found"},
      {{"invalid-json.html"}, kCliNoQuestionList, "does not parse"},
      {{"utf16le-bom.html"}, kCliNoQuestionList, "暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。"},
      {{}, kCliUsage, "usage: examtext-cli"},
      {{"--gbk"}, kCliUsage, "usage: examtext-cli"},
      {{"--bogus", "basic-utf8.html"}, kCliUsage, "unknown option --bogus"},
      {{"basic-utf8.html", "-x"}, kCliUsage, "unknown option -x"},
      {{"basic-utf8.html", "no-such-page.html"}, kCliUnreadable, "cannot be read"},
      {{"no-such-page.html", "invalid-json.html", "basic-utf8.html"}, kCliNoQuestionList, "cannot be read"},
  };
  for (const StatusCase& c : cases) {
    std::vector<std::string> args;
    std::string shown;
    for (const std::string& a : c.args) {
      args.push_back(a.rfind("-", 0) == 0 ? a : (kPages / a).string());
      shown += a + " ";
    }
    SCOPED_TRACE(shown);
    CliRun run = RunInProcess(args);
    EXPECT_EQ(run.status, c.status);
    if (*c.errPart) {
      EXPECT_NE(run.err.find(c.errPart), std::string::npos) << run.err;
    } else {
      EXPECT_EQ(run.err, "");
    }
    if (c.status == kCliUsage) {
      EXPECT_EQ(run.out, "");
    }
  }
}

TEST(Cli, DiagnosticNamesThePage) {
  const std::string page = (kPages / "no-marker.html").string();
  EXPECT_EQ(RunInProcess({page}).err, page + ": no question list found\n");
}

TEST(Cli, HelpPrintsUsageToStandardOutput) {
  CliRun run = RunInProcess({"--help"});
  EXPECT_EQ(run.status, kCliOk);
  EXPECT_EQ(run.out.rfind("usage: examtext-cli", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(RunInProcess({(kPages / "basic-utf8.html").string(), "--help"}).out, run.out) << "--help wins over pages";
  // After "--" every argument is a page.
  CliRun page = RunInProcess({"--", "--help"});
  EXPECT_EQ(page.status, kCliUnreadable);
  EXPECT_EQ(page.out, Utf8(kNoQuestions));
}

TEST(Cli, PagesOneAfterAnother) {
  const std::vector<std::string> names = {"basic-utf8.html", "utf16be-bom.html", "escaped-crlf.html",
                                          "empty-list.html", "members-num-first.html"};
  std::vector<std::string> args = {"--gbk"};
  Text expected;
  for (const std::string& n : names) {
    args.push_back((kPages / n).string());
    expected += BoxAfterLoading(kPages / n);
  }
  CliRun run = RunInProcess(args);
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.status, kCliNoQuestionList);
}

// A stream that can take nothing, like a full disk.
class FullBuffer : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
};

TEST(Cli, OutputThatCannotBeWrittenIsAFailure) {
  FullBuffer full;
  std::ostream out(&full);
  std::ostringstream err;
  const std::string page = (kPages / "basic-utf8.html").string();
  const char* argv[] = {"examtext-cli", page.c_str(), page.c_str(), nullptr};
  EXPECT_EQ(RunCli(3, argv, out, err), kCliOutputFailed);
  EXPECT_EQ(err.str(), "examtext-cli: the output could not be written\n");
}

// A name without a GBK form would turn into "?" marks naming another file.
TEST(Cli, NameWithoutGbkFormIsNotReplacedByAnother) {
  const fs::path dir = fs::temp_directory_path() / ("examtext-cli-test-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::copy_file(kPages / "basic-utf8.html", dir / "??.html", fs::copy_options::overwrite_existing);
  const std::string page = (dir / "\xF0\x9F\x98\x80.html").string();  // an emoji
  CliRun run = RunInProcess({page});
  fs::remove_all(dir);
  EXPECT_EQ(run.status, kCliUnreadable);
  EXPECT_EQ(run.out, Utf8(kNoQuestions));
  EXPECT_EQ(run.err, page + ": cannot be read (the name has no GBK form)\n");
}

// The real program beside this test program's folder: build/tests/test_cli
// and build/app/examtext-cli.
fs::path CliProgram() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app" / "examtext-cli"; }

// stdoutPath: where standard output goes instead of the returned text.
CliRun RunProgram(const std::vector<std::string>& args, const char* stdoutPath = nullptr) {
  int outPipe[2], errPipe[2];
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return {-1, "", "pipe failed"};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdoutPath)
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath, O_WRONLY, 0);
  else
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) posix_spawn_file_actions_addclose(&actions, fd);
  const std::string program = CliProgram().string();
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  auto drain = [](int fd) {
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return bytes;
  };
  CliRun run{-1, drain(outPipe[0]), drain(errPipe[0])};
  int status = 0;
  if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

TEST(CliProgram, WritesTheBytesAndExitsWithTheStatus) {
  ASSERT_TRUE(fs::exists(CliProgram())) << CliProgram() << " is built with the tests";
  CliRun ok = RunProgram({(kSamples / "示例试卷-utf8-bom.html").string()});
  EXPECT_EQ(ok.status, kCliOk);
  EXPECT_EQ(ok.out, ReadFile(kSamples / "expected-output.txt"));
  EXPECT_EQ(ok.err, "");

  CliRun gbk = RunProgram({"--gbk", (kPages / "basic-utf8.html").string(), (kPages / "no-marker.html").string()});
  EXPECT_EQ(gbk.status, kCliNoQuestionList);
  EXPECT_EQ(gbk.out, ReadFile(kPages / "basic-expected-gbk.txt") + kNoQuestions);
  EXPECT_NE(gbk.err.find("no question list found"), std::string::npos);

  EXPECT_EQ(RunProgram({(kPages / "no-such-page.html").string()}).status, kCliUnreadable);
  EXPECT_EQ(RunProgram({}).status, kCliUsage);
  EXPECT_EQ(RunProgram({(kPages / "basic-utf8.html").string()}, "/dev/full").status, kCliOutputFailed);
}

}  // namespace

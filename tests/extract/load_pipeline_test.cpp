// The load pipeline without the window: a page is read, its question list cut
// out and rendered. The expected texts of the fixture pages come from the
// table in their folder's README, so a page and its outcome live side by side.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "extract/load_question_file.h"
#include "extract/render_question_list.h"
#include "pipeline/recording_box.h"
#include "pipeline/test_files.h"

namespace {

namespace fs = std::filesystem;

using test_files::kPages;
using test_files::kSamples;
using test_files::ReadFile;

// Paths are UTF-8 on this file system; the pipeline takes GBK paths.
Text GbkPath(const fs::path& path) { return Gbk(path.string()); }

struct PageOutcome {
  std::string page;
  Text boxText;  // GBK
  bool notice;
};

// Reads the C string literal that starts at s[0] == '"'.
std::string CString(const std::string& s) {
  std::string out;
  for (std::size_t i = 1; i < s.size() && s[i] != '"'; ++i) {
    if (s[i] != '\\' || i + 1 >= s.size()) {
      out += s[i];
      continue;
    }
    char e = s[++i];
    out += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
  }
  return out;
}

// One outcome per table row: "basic", "cancel" or a quoted box text, then prose.
std::vector<PageOutcome> OutcomesFromReadme() {
  const std::string basic = ReadFile(kPages / "basic-expected-gbk.txt");
  std::vector<PageOutcome> outcomes;
  std::istringstream readme(ReadFile(kPages / "README.md"));
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("| ", 0) != 0 || line.find(".html |") == std::string::npos) continue;
    std::size_t bar = line.find(" | ");
    std::string page = line.substr(2, bar - 2);
    std::string outcome = line.substr(bar + 3);
    Text text;
    if (outcome.rfind("basic", 0) == 0)
      text = basic;
    else if (outcome.rfind("cancel", 0) == 0)
      text = kNoQuestions;
    else if (outcome[0] == '"')
      text = Gbk(CString(outcome));
    else
      ADD_FAILURE() << "unreadable row: " << line;
    outcomes.push_back({page, text, outcome.find("notice") != std::string::npos});
  }
  return outcomes;
}

struct Loaded {
  PageReading reading;
  RecordingBox box;
  int notices = 0;
  bool parsed = false;
};

Loaded Load(const Text& gbkPath) {
  Loaded loaded;
  loaded.reading = ReadQuestionPage(gbkPath, [&] { ++loaded.notices; });
  JsonObject json;
  loaded.parsed = RenderQuestionList(loaded.reading.questionList, json, loaded.box);
  return loaded;
}

TEST(FixturePages, TableCoversEveryPage) {
  std::set<std::string> listed;
  for (const PageOutcome& o : OutcomesFromReadme()) listed.insert(o.page);
  std::set<std::string> present;
  for (const auto& entry : fs::directory_iterator(kPages))
    if (entry.path().extension() == ".html") present.insert(entry.path().filename().string());
  EXPECT_EQ(listed, present);
  EXPECT_GE(listed.size(), 20u);
}

TEST(FixturePages, EachPageGivesItsBoxText) {
  for (const PageOutcome& o : OutcomesFromReadme()) {
    SCOPED_TRACE(o.page);
    Loaded loaded = Load(GbkPath(kPages / o.page));
    EXPECT_TRUE(loaded.reading.opened);
    EXPECT_EQ(loaded.box.content, o.boxText);
    EXPECT_EQ(loaded.notices, o.notice ? 1 : 0);
  }
}

TEST(FixturePages, EncodingCodes) {
  const std::map<std::string, int> codes = {
      {"basic-utf8.html", 1}, {"basic-gbk.html", 4}, {"utf8-bom.html", 1},
      {"utf16le-bom.html", 2}, {"utf16be-bom.html", 3},
  };
  for (const auto& [page, code] : codes)
    EXPECT_EQ(ReadQuestionPage(GbkPath(kPages / page), [] {}).encoding, code) << page;
}

TEST(FixturePages, QuestionListIsTheHiddenInputValueByteForByte) {
  PageReading reading = ReadQuestionPage(GbkPath(kPages / "basic-gbk.html"), [] {});
  const std::string page = ReadFile(kPages / "basic-gbk.html");
  const std::string start = "value = '";
  std::size_t from = page.find(start) + start.size();
  EXPECT_EQ(reading.questionList, page.substr(from, page.find("' id='questoinList'") - from));
  EXPECT_EQ(reading.questionList.front(), '[');
}

TEST(ReadQuestionPage, FileThatCannotBeOpened) {
  for (const fs::path& path : {kPages / "no-such-page.html", kPages}) {
    SCOPED_TRACE(path.string());
    Loaded loaded = Load(GbkPath(path));
    EXPECT_FALSE(loaded.reading.opened);
    EXPECT_EQ(loaded.reading.questionList, "");
    EXPECT_EQ(loaded.notices, 0);
    EXPECT_EQ(loaded.box.content, kNoQuestions);
  }
}

class TempPage : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir_); }
  Text Write(const std::string& name, const std::string& bytes) {
    fs::create_directories(dir_);
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return GbkPath(dir_ / name);
  }
  fs::path dir_ = fs::temp_directory_path() /
                  ("examtext-pipeline-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

const std::string kMarkerLine =
    R"(<script>var c={"depTypeCode":"root_xuefks_xy_wsjs"};</script><input type='hidden' value = ')"
    R"([{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"x"}],"num":1}])"
    R"(' id='questoinList'/>)";

// A trail byte is part of its character, so a 1A there does not end the text;
// a lead byte before a NUL does.
TEST_F(TempPage, PageTextEndsByCharactersNotBytes) {
  const std::string line = "<p>\xB0\x1A</p>\r\n" + kMarkerLine + "\r\n";
  EXPECT_EQ(Load(Write("trail-1a.html", line)).box.content, Gbk("1、T1\r\n    A、x\r\n\r\n"));
  EXPECT_EQ(Load(Write("lead-nul.html", "<p>\xB0" + std::string(1, '\0') + "</p>\r\n" + kMarkerLine)).box.content,
            kNoQuestions);
}

TEST_F(TempPage, EmptyFileAndNameInChinese) {
  Loaded empty = Load(Write("空.html", ""));
  EXPECT_TRUE(empty.reading.opened);
  EXPECT_EQ(empty.box.content, kNoQuestions);
  Loaded named = Load(Write("试卷 一.html", kMarkerLine + "\r\n"));
  EXPECT_TRUE(named.reading.opened);
  EXPECT_TRUE(named.parsed);
  EXPECT_EQ(named.box.content, Gbk("1、T1\r\n    A、x\r\n\r\n"));
}

// The 50-question sample pages beside the program.
TEST(SamplePages, EightBitFormsGiveTheExpectedText) {
  const Text expected = Gbk(ReadFile(kSamples / "expected-output.txt"));
  ASSERT_GT(expected.size(), 1000u);
  for (const char* name : {"示例试卷-utf8.html", "示例试卷-gbk.html", "示例试卷-utf8-bom.html"}) {
    SCOPED_TRACE(name);
    Loaded loaded = Load(GbkPath(kSamples / name));
    EXPECT_TRUE(loaded.parsed);
    EXPECT_EQ(loaded.notices, 0);
    EXPECT_EQ(loaded.box.content, expected);
  }
}

TEST(SamplePages, Utf16FormGivesTheNoticeAndNoQuestions) {
  Loaded loaded = Load(GbkPath(kSamples / "示例试卷-utf16.html"));
  EXPECT_TRUE(loaded.reading.opened);
  EXPECT_EQ(loaded.reading.encoding, 2);
  EXPECT_EQ(loaded.notices, 1);
  EXPECT_EQ(loaded.box.content, kNoQuestions);
}

TEST(Utf16Notice, TextsInGbk) {
  EXPECT_EQ(Utf16NoticeText(), Gbk("暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。"));
  EXPECT_EQ(Utf16NoticeCaption(), "\xCC\xE1\xCA\xBE");  // 提示
}

}  // namespace

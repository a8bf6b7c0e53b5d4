// A whole load as the worker runs it, with stand-ins for the person in the
// open dialog and in the notice box.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "dialogs/common_dialog.h"
#include "extract/load_question_file.h"
#include "gui/session.h"
#include "pipeline/recording_box.h"
#include "platform/commdlg.h"
#include "platform/message_box.h"

namespace {

const std::string kPages = EXAMTEXT_TEST_DATA "/pages/";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// What the open dialog was asked, copied while the record was alive.
struct DialogSeen {
  commdlg::DialogKind kind;
  HWND owner;
  Text title;
  Text initialDir;
  DWORD flags;
  std::optional<std::string> filter;  // up to and with the double NUL
  std::thread::id thread;
  Text contentWhenAsked;
};

std::optional<std::string> FilterBytes(const char* filter) {
  if (!filter) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; !(filter[i] == '\0' && (i > 0 && filter[i - 1] == '\0')); ++i) bytes += filter[i];
  return bytes + '\0';
}

// One load on a thread of its own, as the worker runs it, while this (the
// window) thread keeps handling events.
class LoadTest : public ::testing::Test {
 protected:
  // answer: the chosen page, or nothing for cancel.
  void Load(std::optional<Text> answer) {
    commdlg::ScopedFileAnswerer dialogAnswer([&](const OPENFILENAMEA& r, commdlg::DialogKind kind) {
      dialogs_.push_back({kind, r.hwndOwner, r.lpstrTitle ? r.lpstrTitle : "", r.lpstrInitialDir ? r.lpstrInitialDir : "",
                          r.Flags, FilterBytes(r.lpstrFilter), std::this_thread::get_id(), box_.content});
      return answer ? std::optional<std::vector<Text>>({*answer}) : std::nullopt;
    });
    message_box::ScopedAnswerer noticeAnswer([&](const message_box::Request& r) {
      notices_.push_back(r);
      return IDOK;
    });
    std::atomic<bool> done = false;
    std::thread worker([&] {
      workerId_ = std::this_thread::get_id();
      LoadQuestionFile(dialog_, json_, box_);
      done = true;
    });
    for (int waited = 0; !done && waited < 60000; waited += 5) gui::WaitWithMessagePump(5);
    worker.join();
  }

  CommonDialog dialog_;
  JsonObject json_;
  RecordingBox box_{"old content\r\n"};
  std::vector<DialogSeen> dialogs_;
  std::vector<message_box::Request> notices_;
  std::thread::id workerId_;
};

TEST_F(LoadTest, DialogIsAskedForTheDataFileInTheProgramFolder) {
  Load(std::nullopt);
  ASSERT_EQ(dialogs_.size(), 1u);
  const DialogSeen& seen = dialogs_[0];
  EXPECT_EQ(seen.kind, commdlg::DialogKind::Open);
  EXPECT_EQ(seen.title, Gbk("打开数据文件"));
  EXPECT_EQ(seen.initialDir, gui::ProgramFolder());
  EXPECT_FALSE(seen.initialDir.empty());
  EXPECT_EQ(seen.flags, 0x80000u);
  EXPECT_EQ(seen.filter, std::optional<std::string>(std::string(2, '\0')));
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_EQ(seen.thread, workerId_);
  EXPECT_EQ(seen.contentWhenAsked, "") << "the box is emptied before the dialog";
}

TEST_F(LoadTest, CancelEmptiesTheBoxThenWritesTheEmptyEntry) {
  Load(std::nullopt);
  EXPECT_EQ(box_.setContentCalls, 1);
  EXPECT_EQ(box_.content, kNoQuestions);
  EXPECT_EQ(box_.pieces, (std::vector<Text>{"\xA1\xA2\r\n", "\r\n\r\n"}));
  EXPECT_TRUE(notices_.empty());
}

TEST_F(LoadTest, ChosenPageFillsTheBox) {
  Load(Text(kPages + "basic-utf8.html"));
  EXPECT_EQ(box_.setContentCalls, 1);
  EXPECT_EQ(box_.content, ReadFile(kPages + "basic-expected-gbk.txt"));
  EXPECT_EQ(json_.GetCount(), 2) << "the global object keeps the list";
  EXPECT_TRUE(notices_.empty());

  // The next load starts from an empty box again, also when cancelled.
  Load(std::nullopt);
  EXPECT_EQ(box_.setContentCalls, 2);
  EXPECT_EQ(dialogs_.at(1).contentWhenAsked, "");
  EXPECT_EQ(box_.content, kNoQuestions);
  EXPECT_EQ(json_.GetCount(), 0);
}

TEST_F(LoadTest, MissingFileEndsAsACancel) {
  Load(Text(kPages + "no-such-page.html"));
  EXPECT_EQ(box_.content, kNoQuestions);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(LoadTest, Utf16PagesShowTheNoticeOnceFromTheWorker) {
  for (const char* page : {"utf16le-bom.html", "utf16be-bom.html"}) {
    SCOPED_TRACE(page);
    notices_.clear();
    Load(Text(kPages + page));
    ASSERT_EQ(notices_.size(), 1u);
    const message_box::Request& notice = notices_[0];
    EXPECT_EQ(notice.text, Gbk("暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。"));
    EXPECT_EQ(notice.caption, Gbk("提示"));
    EXPECT_EQ(notice.type, 0x40u | 0x2000u);
    EXPECT_EQ(notice.owner, nullptr);
    EXPECT_EQ(notice.thread, workerId_);
    EXPECT_EQ(box_.content, kNoQuestions);
  }
}

TEST_F(LoadTest, GbkPathFromTheDialogReachesTheFile) {
  Text samples = Gbk(EXAMTEXT_TEST_DATA "/../../samples/");
  Load(samples + Gbk("示例试卷-gbk.html"));
  EXPECT_EQ(box_.content, Gbk(ReadFile(EXAMTEXT_TEST_DATA "/../../samples/expected-output.txt")));
}

}  // namespace

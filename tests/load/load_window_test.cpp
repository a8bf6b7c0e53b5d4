// Loads through the real window: QTest clicks on the buttons, the real
// worker thread and timer; only the person in the dialogs is a stand-in.
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "app/load_control.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "extract/load_question_file.h"
#include "gui/session.h"
#include "pipeline/test_files.h"
#include "json/json_object.h"
#include "platform/codepage.h"
#include "platform/commdlg.h"
#include "platform/gui_handle.h"
#include "platform/message_box.h"
#include "platform/thread.h"

namespace {

const std::string kPages = EXAMTEXT_TEST_DATA "/pages/";
const std::string kCancelled = "\xA1\xA2\r\n\r\n\r\n";

using test_files::ReadFile;

// The 50-question sample page and the box text it gives, in GBK.
Text SamplePage() { return Utf16ToGbk(u"" EXAMTEXT_TEST_DATA "/../../samples/示例试卷-utf8.html"); }
Text SampleExpected() {
  return Utf16ToGbk(Utf8ToUtf16(ReadFile(EXAMTEXT_TEST_DATA "/../../samples/expected-output.txt")));
}

// Dispatches the window thread's events until done() or a generous limit.
template <typename Done>
bool PumpUntil(Done done, int limitMs = 60000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    gui::WaitWithMessagePump(5);
  }
  return true;
}

// A stand-in person who picks files in the open dialog, one answer a call.
class Picker {
 public:
  explicit Picker(std::vector<std::optional<Text>> answers)
      : answers_(std::move(answers)),
        guard_([this](const OPENFILENAMEA& record, commdlg::DialogKind kind) {
          std::lock_guard lock(mutex_);
          records_.push_back({record.Flags, record.hwndOwner, Text(record.lpstrTitle ? record.lpstrTitle : ""),
                              Text(record.lpstrInitialDir ? record.lpstrInitialDir : ""), kind,
                              std::this_thread::get_id()});
          std::optional<Text> answer = calls_ < answers_.size() ? answers_[calls_] : std::nullopt;
          ++calls_;
          return answer ? std::optional<std::vector<Text>>({*answer}) : std::nullopt;
        }) {}

  struct Seen {
    DWORD flags;
    HWND owner;
    Text title;
    Text initialDir;
    commdlg::DialogKind kind;
    std::thread::id thread;
  };
  std::vector<Seen> Records() {
    std::lock_guard lock(mutex_);
    return records_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::optional<Text>> answers_;
  std::size_t calls_ = 0;
  std::vector<Seen> records_;
  commdlg::ScopedFileAnswerer guard_;
};

class LoadWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitGlobals();
    ASSERT_TRUE(window_.Load());
    frame_ = gui::WidgetOf(window_.Handle());
    ASSERT_NE(frame_, nullptr);
  }

  void TearDown() override {
    StopWorkerForExit();
    ReleaseGlobals();
    NewSession();
    thread_layer::EndProcessExitForTests();
  }

  QPushButton* Button(const char* name) {
    return frame_->findChild<QPushButton*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
  }
  void ClickLoad() { QTest::mouseClick(Button("按钮1"), Qt::LeftButton); }
  Text Box() { return window_.编辑框2.Content(); }
  Text PauseCaption() { return window_.按钮2.Caption(); }

  // One whole load of the given answer, until the timer has tidied up.
  void LoadAndTidy() {
    ClickLoad();
    ASSERT_TRUE(PumpUntil([] { return g_workerThread == nullptr; }));
  }

  MainWindow window_;
  QWidget* frame_ = nullptr;
};

TEST_F(LoadWindowTest, LoadFillsTheBoxAndTheTimerTidiesUp) {
  Picker picker({kPages + "basic-utf8.html"});
  window_.编辑框2.SetContent("old text");
  ClickLoad();
  EXPECT_NE(g_workerThread, nullptr);
  EXPECT_EQ(g_isRunning, 1);
  ASSERT_TRUE(PumpUntil([] { return g_workerThread == nullptr; }));
  EXPECT_EQ(Box(), ReadFile(kPages + "basic-expected-gbk.txt"));
  EXPECT_EQ(PauseCaption(), Utf16ToGbk(u"暂停"));

  auto records = picker.Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, commdlg::DialogKind::Open);
  EXPECT_EQ(records[0].flags, 0x80000u);
  EXPECT_EQ(records[0].owner, nullptr) << "the worker has no window";
  EXPECT_EQ(records[0].title, Utf16ToGbk(u"打开数据文件"));
  EXPECT_EQ(records[0].initialDir, gui::ProgramFolder());
  EXPECT_NE(records[0].thread, std::this_thread::get_id()) << "the dialog is asked for by the worker";
}

TEST_F(LoadWindowTest, CancelLeavesOnlyTheEmptyEntry) {
  Picker picker({std::nullopt});
  window_.编辑框2.SetContent("old text");
  LoadAndTidy();
  EXPECT_EQ(Box(), kCancelled);
}

TEST_F(LoadWindowTest, SecondLoadEmptiesTheBoxFirst) {
  Picker picker({kPages + "basic-gbk.html", kPages + "basic-gbk.html", std::nullopt});
  LoadAndTidy();
  LoadAndTidy();
  EXPECT_EQ(Box(), ReadFile(kPages + "basic-expected-gbk.txt"));
  LoadAndTidy();
  EXPECT_EQ(Box(), kCancelled);
}

TEST_F(LoadWindowTest, Utf16PageShowsTheNoticeOnceAndEndsAsCancelled) {
  for (const char* page : {"utf16le-bom.html", "utf16be-bom.html"}) {
    Picker picker({kPages + page});
    std::vector<message_box::Request> notices;
    std::mutex mutex;
    message_box::ScopedAnswerer answerer([&](const message_box::Request& r) {
      std::lock_guard lock(mutex);
      notices.push_back(r);
      return IDOK;
    });
    LoadAndTidy();
    EXPECT_EQ(Box(), kCancelled) << page;
    std::lock_guard lock(mutex);
    ASSERT_EQ(notices.size(), 1u) << page;
    EXPECT_EQ(notices[0].text, Utf16ToGbk(u"暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。"));
    EXPECT_EQ(notices[0].caption, Utf16ToGbk(u"提示"));
    EXPECT_EQ(notices[0].type, 0x40u | 0x2000u);
    EXPECT_EQ(notices[0].owner, nullptr);
    EXPECT_NE(notices[0].thread, std::this_thread::get_id());
  }
}

// A dialog that stays open until the test lets it close.
class HeldPicker {
 public:
  explicit HeldPicker(Text answer)
      : answer_(std::move(answer)),
        guard_([this](const OPENFILENAMEA&, commdlg::DialogKind) {
          std::unique_lock lock(mutex_);
          ++opened_;
          changed_.notify_all();
          changed_.wait(lock, [&] { return released_ > closed_; });
          ++closed_;
          events_.push_back("closed " + std::to_string(closed_));
          return std::optional<std::vector<Text>>({answer_});
        }) {}
  ~HeldPicker() { ReleaseAll(); }

  void Release() {
    std::lock_guard lock(mutex_);
    ++released_;
    changed_.notify_all();
  }
  void ReleaseAll() {
    std::lock_guard lock(mutex_);
    released_ = 1000;
    changed_.notify_all();
  }
  int Opened() {
    std::lock_guard lock(mutex_);
    return opened_;
  }
  int Closed() {
    std::lock_guard lock(mutex_);
    return closed_;
  }

 private:
  Text answer_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int opened_ = 0, released_ = 0, closed_ = 0;
  std::vector<std::string> events_;
  commdlg::ScopedFileAnswerer guard_;
};

// While a worker lives every tick waits for it, nested in whatever the test
// is waiting in; so the test acts from timers, which run inside those waits.

TEST_F(LoadWindowTest, PressWhileAWorkerRunsStartsTheNextLoadAfterIt) {
  HeldPicker picker(kPages + "basic-utf8.html");
  ClickLoad();
  HANDLE first = g_workerThread;
  bool releasedDuringWait = false;
  QTimer::singleShot(200, [&] {
    releasedDuringWait = true;
    EXPECT_LE(picker.Opened(), 1) << "no second load while the first runs";
    picker.Release();
  });
  // The second press waits, dispatching, until the first worker has ended.
  ClickLoad();
  EXPECT_TRUE(releasedDuringWait);
  EXPECT_EQ(picker.Closed(), 1);
  EXPECT_NE(g_workerThread, first);
  picker.Release();
  ASSERT_TRUE(PumpUntil([] { return g_workerThread == nullptr; }));
  EXPECT_EQ(picker.Opened(), 2);
  EXPECT_EQ(Box(), ReadFile(kPages + "basic-expected-gbk.txt"));
}

TEST_F(LoadWindowTest, WindowStaysResponsiveDuringALoad) {
  Picker picker({SamplePage()});
  int ticks = 0;
  bool sawPartialBox = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    ++ticks;
    if (g_workerThread && IsThreadRunning(g_workerThread) == 1 && !Box().empty()) sawPartialBox = true;
  });
  probe.start(20);
  ClickLoad();
  ASSERT_TRUE(PumpUntil([] { return g_workerThread == nullptr; }));
  probe.stop();
  EXPECT_TRUE(sawPartialBox) << "events were dispatched while the worker filled the box";
  EXPECT_GT(ticks, 5);
  EXPECT_EQ(Box(), SampleExpected());
}

TEST_F(LoadWindowTest, TwoPausePressesSuspendAndResume) {
  Picker picker({SamplePage()});
  enum { kStarting, kPaused, kFrozen, kResumed } step = kStarting;
  Text frozen;
  QTimer probe;
  QElapsedTimer sincePause;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    switch (step) {
      case kStarting:
        if (Box().empty() || IsThreadRunning(g_workerThread) != 1) return;
        Button("按钮2")->click();  // hidden: no mouse can reach it
        EXPECT_EQ(g_isRunning, 0);
        EXPECT_EQ(PauseCaption(), Utf16ToGbk(u"恢复"));
        sincePause.start();
        step = kPaused;
        return;
      case kPaused:  // the worker stops at its next window call
        if (sincePause.elapsed() < 100) return;
        frozen = Box();
        step = kFrozen;
        return;
      case kFrozen:
        if (sincePause.elapsed() < 500) return;
        EXPECT_EQ(Box(), frozen) << "the box does not grow while the worker is suspended";
        EXPECT_EQ(IsThreadRunning(g_workerThread), 1);
        Button("按钮2")->click();
        EXPECT_EQ(g_isRunning, 1);
        EXPECT_EQ(PauseCaption(), Utf16ToGbk(u"暂停"));
        step = kResumed;
        return;
      case kResumed:
        return;
    }
  });
  probe.start(10);
  ClickLoad();
  ASSERT_TRUE(PumpUntil([&] { return step == kResumed && g_workerThread == nullptr; }));
  EXPECT_EQ(Box(), SampleExpected());
}

TEST_F(LoadWindowTest, PausePressAfterTheWorkerEndedFlipsTheCaptionUntilTheTick) {
  HeldPicker picker(kPages + "basic-utf8.html");
  ClickLoad();
  bool pressed = false;
  QTimer::singleShot(50, [&] {
    // This runs inside a waiting tick, so later ticks return at once and
    // nothing tidies up before the press.
    picker.Release();
    while (IsThreadRunning(g_workerThread) == 1) gui::ProcessPendingMessages();
    ASSERT_NE(g_workerThread, nullptr);
    Button("按钮2")->click();
    EXPECT_EQ(g_isRunning, 0);
    EXPECT_EQ(PauseCaption(), Utf16ToGbk(u"恢复"));
    pressed = true;
  });
  OnTimerTick();  // waits for the held worker, unless a tick waits already
  ASSERT_TRUE(PumpUntil([&] { return pressed && g_workerThread == nullptr; }));
  EXPECT_EQ(PauseCaption(), Utf16ToGbk(u"暂停"));
  EXPECT_EQ(g_isRunning, 0) << "the tick leaves the flag as the press left it";
}

TEST_F(LoadWindowTest, TicksWhileATickWaitsReturnAtOnce) {
  HeldPicker picker(kPages + "basic-utf8.html");
  ClickLoad();
  int nestedReturned = 0;
  QTimer::singleShot(50, [&] {
    for (int i = 0; i < 3; ++i) {
      OnTimerTick();  // would otherwise wait here for the held worker
      ++nestedReturned;
    }
    EXPECT_NE(g_workerThread, nullptr) << "only the waiting tick tidies up";
    picker.Release();
  });
  OnTimerTick();
  EXPECT_EQ(nestedReturned, 3);
  EXPECT_EQ(g_workerThread, nullptr);
  EXPECT_EQ(PauseCaption(), Utf16ToGbk(u"暂停"));
}

TEST_F(LoadWindowTest, PausePressWithoutWorkerDoesNothing) {
  Text before = PauseCaption();
  Button("按钮2")->click();
  EXPECT_EQ(PauseCaption(), before);
  EXPECT_EQ(g_isRunning, 1);
}

TEST(LoadControl, ThreadStateOfBadHandles) {
  EXPECT_EQ(IsThreadRunning(nullptr), -1);
  HANDLE h = nullptr;
  DWORD id = 0;
  EXPECT_EQ(StartThread([](void*) -> DWORD { return 0; }, 0, h, 0, id), 1);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(IsThreadRunning(h), -1) << "not kept: the handle was closed at once";
}

TEST(LoadControl, NoEngineStartsWhileTheProcessExits) {
  thread_layer::BeginProcessExit();
  JsonObject during;
  EXPECT_FALSE(during.Parse("[1]"));
  thread_layer::EndProcessExitForTests();
  JsonObject after;
  EXPECT_TRUE(after.Parse("[1]"));
}

// Closing the window during a load: the session ends, the worker with it,
// and nothing is released under the worker.
class CloseDuringLoadTest : public ::testing::Test {
 protected:
  void TearDown() override {
    NewSession();
    thread_layer::EndProcessExitForTests();
  }
};

TEST_F(CloseDuringLoadTest, RunningWorker) {
  Picker picker({SamplePage()});
  QTimer::singleShot(0, [] {
    MainWindow* main = TheMainWindow();
    ASSERT_NE(main, nullptr);
    OnLoadClicked();
    ASSERT_TRUE(PumpUntil([&] { return !main->编辑框2.Content().empty(); }));
    main->Frame().Close();
  });
  EXPECT_EQ(RunSession(TestRuntime()), 0);
  EXPECT_EQ(g_workerThread, nullptr);
  EXPECT_EQ(g_json, nullptr);
}

TEST_F(CloseDuringLoadTest, SuspendedWorker) {
  Picker picker({SamplePage()});
  QTimer::singleShot(0, [] {
    MainWindow* main = TheMainWindow();
    ASSERT_NE(main, nullptr);
    OnLoadClicked();
    ASSERT_TRUE(PumpUntil([&] { return !main->编辑框2.Content().empty(); }));
    OnPauseClicked();
    main->Frame().Close();
  });
  EXPECT_EQ(RunSession(TestRuntime()), 0);
  EXPECT_EQ(g_workerThread, nullptr);
  EXPECT_EQ(g_json, nullptr);
}

TEST_F(CloseDuringLoadTest, WhileALoadPressWaits) {
  HeldPicker picker(kPages + "basic-utf8.html");
  QTimer::singleShot(0, [&] {
    OnLoadClicked();
    ASSERT_TRUE(PumpUntil([&] { return picker.Opened() == 1; }));
    QTimer::singleShot(100, [&] {
      TheMainWindow()->Frame().Close();
      picker.Release();  // the person answers only after the window closed
    });
    OnLoadClicked();  // waits for the held worker until the window closes
  });
  EXPECT_EQ(RunSession(TestRuntime()), 0);
  EXPECT_EQ(picker.Opened(), 1) << "no load starts after the window closed";
  EXPECT_EQ(g_workerThread, nullptr);
}

}  // namespace

// The message box: through its seam, and once for real from a worker.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

#include "dialog_driver.h"
#include "platform/codepage.h"
#include "platform/message_box.h"
#include "platform/window_thread.h"

namespace {

// The load's notice, in GBK.
const Text kNotice = Utf16ToGbk(u"暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。");
const Text kCaption = Utf16ToGbk(u"提示");

TEST(MessageBoxSeam, SeesTheRequestOnTheCallingThread) {
  std::vector<message_box::Request> seen;
  message_box::ScopedAnswerer answerer([&](const message_box::Request& request) {
    seen.push_back(request);
    return IDOK;
  });
  int result = 0;
  std::thread::id workerId;
  std::thread worker([&] {
    workerId = std::this_thread::get_id();
    result = MessageBoxA(nullptr, kNotice.c_str(), kCaption.c_str(), MB_ICONINFORMATION | MB_TASKMODAL);
  });
  worker.join();

  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, kNotice);
  EXPECT_EQ(seen[0].caption, kCaption);
  EXPECT_EQ(seen[0].type, 0x2040u);
  EXPECT_EQ(seen[0].owner, nullptr);
  EXPECT_EQ(seen[0].thread, workerId);
}

TEST(MessageBoxSeam, NullTextsReadAsEmptyTextAndTheDefaultCaption) {
  message_box::Request seen;
  message_box::ScopedAnswerer answerer([&](const message_box::Request& request) {
    seen = request;
    return IDCANCEL;
  });
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(seen.text, "");
  EXPECT_EQ(GbkToUtf16(seen.caption), u"错误");
}

TEST(MessageBoxWithoutRuntime, GivesZero) {
  window_thread::Shutdown();
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_OK), 0);
  window_thread::Restart();
}

struct Shown {
  QString text, caption;
  QMessageBox::Icon icon{};
  Qt::WindowModality modality{};
  bool hasParent = true;
  int buttons = 0;
};

Shown Describe(const QMessageBox& box) {
  return {box.text(), box.windowTitle(), box.icon(), box.windowModality(), box.parentWidget() != nullptr,
          static_cast<int>(box.buttons().size())};
}

TEST(RealMessageBox, FromAWorkerBlocksOnlyTheWorker) {
  QWidget mainWindow;
  mainWindow.show();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(10);

  std::atomic<int> result = -1;
  std::optional<Shown> shown;
  int ticksAtShow = 0;
  bool workerWaited = false;
  bool modalWidget = true;
  WorkerCall call([&] {
    result = MessageBoxA(nullptr, kNotice.c_str(), kCaption.c_str(), MB_ICONINFORMATION | MB_TASKMODAL);
  });
  Steps person([&] {
    QMessageBox* box = VisibleTopLevel<QMessageBox>();
    if (!box) return false;
    if (!shown) {
      shown = Describe(*box);
      modalWidget = QApplication::activeModalWidget() != nullptr;
      ticksAtShow = ticks;
    }
    // The window thread goes on while the worker waits for the person.
    if (ticks < ticksAtShow + 5) return false;
    workerWaited = !call.Done();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    return true;
  });
  ASSERT_TRUE(call.WaitDone());
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->text, QString::fromUtf16(u"暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。"));
  EXPECT_EQ(shown->caption, QString::fromUtf16(u"提示"));
  EXPECT_EQ(shown->icon, QMessageBox::Information);
  EXPECT_EQ(shown->modality, Qt::NonModal);
  EXPECT_FALSE(shown->hasParent);
  EXPECT_EQ(shown->buttons, 1);
  EXPECT_FALSE(modalWidget);
  EXPECT_TRUE(workerWaited);
  EXPECT_EQ(result, IDOK);
}

TEST(RealMessageBox, TaskModalOnTheWindowThreadBlocksItsWindows) {
  Shown shown;
  QTimer::singleShot(0, [&] {
    if (QMessageBox* box = WaitForTopLevel<QMessageBox>()) {
      shown = Describe(*box);
      QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    }
  });
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL), IDNO);
  EXPECT_EQ(shown.modality, Qt::ApplicationModal);
  EXPECT_EQ(shown.icon, QMessageBox::Question);
  EXPECT_EQ(shown.buttons, 2);
}

}  // namespace

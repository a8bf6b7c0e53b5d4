// The main window as built from its form, read back from the live widgets.
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/globals.h"
#include "app/main_window.h"
#include "gui/session.h"
#include "platform/gui_handle.h"
#include "platform/gui_metrics.h"

namespace {

class MainWindowTest : public SessionTest {
 protected:
  void SetUp() override {
    gui::ScopedScreenSize screen(1920, 1080);
    ASSERT_TRUE(main.Load());
    window = gui::WidgetOf(main.Handle());
    ASSERT_NE(window, nullptr);
  }
  template <typename T>
  T* Part(const char* name) {
    return window->findChild<T*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
  }

  MainWindow main;
  QWidget* window = nullptr;
};

TEST_F(MainWindowTest, WindowSettings) {
  EXPECT_EQ(TheMainWindow(), &main);
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("获取砚衡网题目"));
  EXPECT_EQ(main.Frame().Caption(), "\xBB\xF1\xC8\xA1\xD1\xE2\xBA\xE2\xCD\xF8\xCC\xE2\xC4\xBF");
  EXPECT_EQ(window->frameGeometry(), QRect(612, 252, 695, 576));
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed frame";
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window->autoFillBackground());
  EXPECT_EQ(window->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
  EXPECT_EQ(window->font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

TEST_F(MainWindowTest, ComponentSettings) {
  struct Expected {
    const char* name;
    QRect geometry;
    bool visible;
    const char* caption;
  };
  const Expected controls[] = {
      {"按钮2", QRect(4, 48, 64, 32), false, "暂停"},
      {"编辑框2", QRect(72, 0, 616, 544), true, ""},
      {"按钮1", QRect(4, 5, 64, 32), true, "读入"},
  };
  for (const Expected& e : controls) {
    SCOPED_TRACE(e.name);
    QWidget* w = Part<QWidget>(e.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), e.geometry);
    EXPECT_EQ(w->isVisibleTo(window), e.visible);
    EXPECT_EQ(w->focusPolicy(), Qt::StrongFocus) << "a keyboard focus stop";
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      EXPECT_EQ(button->text(), QString::fromUtf8(e.caption));
      EXPECT_FALSE(button->isDefault());
      EXPECT_FALSE(button->autoDefault());
      EXPECT_FALSE(button->isFlat());
      EXPECT_TRUE(button->icon().isNull());
    }
  }
  EXPECT_EQ(main.按钮1.Caption(), "\xB6\xC1\xC8\xEB");
  EXPECT_EQ(main.按钮2.Caption(), "\xD4\xDD\xCD\xA3");

  QTimer* timer = Part<QTimer>("时钟1");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isSingleShot() == false);

  ASSERT_NE(Part<QObject>("拖放对象1"), nullptr);
  EXPECT_EQ(main.拖放对象1.BoundWindow(), main.Handle()) << "bound by OnWindowCreated";
  EXPECT_TRUE(window->acceptDrops());
  EXPECT_EQ(g_isRunning, 1);
}

TEST_F(MainWindowTest, OutputBoxSettings) {
  auto* edit = Part<QPlainTextEdit>("编辑框2");
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isReadOnly());
  EXPECT_TRUE(edit->textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_TRUE(edit->textInteractionFlags() & Qt::TextSelectableByKeyboard);
  EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(edit->frameShadow(), QFrame::Sunken);
  EXPECT_NE(edit->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(edit->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(Qt::white))
      << "selection hidden without focus";
  EXPECT_EQ(edit->maximumBlockCount(), 0) << "no text limit";
  EXPECT_TRUE(edit->document()->isEmpty());
  EXPECT_EQ(edit->textCursor().position(), 0);
  EXPECT_FALSE(edit->textCursor().hasSelection());
  EXPECT_EQ(edit->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignLeft);
}

TEST_F(MainWindowTest, StackingOrderIsTheFormsFirstOnTop) {
  QStringList bottomFirst;
  for (QObject* child : window->children()) {
    if (!child->objectName().isEmpty()) bottomFirst << child->objectName();
  }
  EXPECT_EQ(bottomFirst, (QStringList{"按钮1", "编辑框2", "按钮2", "时钟1", "拖放对象1"}));
}

TEST_F(MainWindowTest, PauseButtonCannotBeReachedButItsCaptionChanges) {
  // Where 按钮2 lies there is only the window.
  EXPECT_EQ(window->childAt(20, 60), nullptr);
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), Part<QWidget>("按钮2"));
  const Text resume = "\xBB\xD6\xB8\xB4";
  main.按钮2.SetCaption(resume);
  EXPECT_EQ(main.按钮2.Caption(), resume);
  EXPECT_FALSE(Part<QWidget>("按钮2")->isVisibleTo(window));
}

TEST_F(MainWindowTest, TypingIntoTheOutputBoxChangesNothingAndCopyWorks) {
  main.编辑框2.SetContent("1\xA1\xA2q\r\n");
  auto* edit = Part<QPlainTextEdit>("编辑框2");
  QTest::keyClicks(edit, "abc");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(main.编辑框2.Content(), "1\xA1\xA2q\r\n");
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("1、q\n"));
}

TEST(MainWindowObject, NoWindowObjectNoPointer) {
  EXPECT_EQ(TheMainWindow(), nullptr);
  {
    MainWindow main;
    EXPECT_EQ(TheMainWindow(), &main);
  }
  EXPECT_EQ(TheMainWindow(), nullptr);
}

}  // namespace

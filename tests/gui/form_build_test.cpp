// Building windows from forms: place, event hold-back, timers, order.
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <thread>

#include "gui/session.h"
#include "gui/test_form.h"
#include "platform/gui_handle.h"
#include "platform/gui_metrics.h"

namespace {

using FormBuildTest = SessionTest;

struct CentringCase {
  int screenWidth, screenHeight, left, top;
};

TEST_F(FormBuildTest, WindowIsCentredWithQuotientsTruncatedTowardZero) {
  const CentringCase cases[] = {
      {1920, 1080, 612, 252},
      {640, 480, -27, -48},  // narrower than the window: -55 / 2 is -27
      {1366, 768, 335, 96},
      {695, 576, 0, 0},
      {696, 577, 0, 0},
  };
  for (const CentringCase& c : cases) {
    gui::ScopedScreenSize screen(c.screenWidth, c.screenHeight);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), c.screenWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), c.screenHeight);
    gui::WindowForm form = TestForm();
    form.width = 695;
    form.height = 576;
    TestWindow w;
    ASSERT_TRUE(w.Load(form));
    QWidget* widget = gui::WidgetOf(w.window.Handle());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->frameGeometry().topLeft(), QPoint(c.left, c.top)) << c.screenWidth;
    EXPECT_EQ(widget->frameGeometry().size(), QSize(695, 576));
    NewSession();
  }
}

TEST(SystemMetrics, WithoutTheSeamGivesThePrimaryScreen) {
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(12345), 0);
}

// Records what the handlers of a form saw.
struct Seen {
  int ticks = 0;
  int ticksDuringCreation = 0;
  bool created = false;
  bool visibleAtCreation = true;
  DWORD createdAt = 0;
  DWORD firstTickAt = 0;
  gui::Window* window = nullptr;
} g_seen;

void CountTick() {
  if (g_seen.ticks++ == 0) g_seen.firstTickAt = GetTickCount();
}

void CreatedSlowly() {
  g_seen.created = true;
  g_seen.createdAt = GetTickCount();
  g_seen.visibleAtCreation = gui::WidgetOf(g_seen.window->Handle())->isVisible();
  // Ticks fall due meanwhile; a dispatch here must not hand them on.
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  gui::ProcessPendingMessages();
  g_seen.ticksDuringCreation = g_seen.ticks;
}

TEST_F(FormBuildTest, NoEventReachesAHandlerWhileTheWindowIsBuilt) {
  g_seen = {};
  TestWindow w;
  g_seen.window = &w.window;
  gui::WindowForm form = TestForm();
  form.onCreated = CreatedSlowly;
  form.components[1].interval = 10;
  form.components[1].onTick = CountTick;
  ASSERT_TRUE(w.Load(form));
  EXPECT_TRUE(g_seen.created);
  EXPECT_FALSE(g_seen.visibleAtCreation) << "shown only after the creation handler";
  EXPECT_EQ(g_seen.ticksDuringCreation, 0);
  EXPECT_TRUE(gui::WidgetOf(w.window.Handle())->isVisible());
  gui::WaitWithMessagePump(200);
  EXPECT_GT(g_seen.ticks, 0) << "ticks flow once the window is built";
}

TEST_F(FormBuildTest, FirstTickComesAboutOneIntervalAfterCreation) {
  g_seen = {};
  TestWindow w;
  g_seen.window = &w.window;
  gui::WindowForm form = TestForm();
  form.onCreated = [] { g_seen.createdAt = GetTickCount(); };
  form.components[1].interval = 1000;
  form.components[1].onTick = CountTick;
  ASSERT_TRUE(w.Load(form));
  for (int i = 0; i < 100 && g_seen.ticks == 0; ++i) gui::WaitWithMessagePump(50);
  ASSERT_GT(g_seen.ticks, 0);
  const DWORD delay = g_seen.firstTickAt - g_seen.createdAt;
  EXPECT_GE(delay, 900u);
  EXPECT_LT(delay, 4000u);
}

TEST_F(FormBuildTest, TimersStopWhenTheirWindowIsDestroyed) {
  g_seen = {};
  TestWindow w;
  gui::WindowForm form = TestForm();
  form.components[1].interval = 5;
  form.components[1].onTick = CountTick;
  ASSERT_TRUE(w.Load(form));
  gui::WaitWithMessagePump(50);
  ASSERT_GT(g_seen.ticks, 0);
  w.window.Close();
  const int ticks = g_seen.ticks;
  NewSession();  // so that the wait below is not cut short
  gui::WaitWithMessagePump(50);
  EXPECT_EQ(g_seen.ticks, ticks);
}

TEST_F(FormBuildTest, StackingAndKeyboardOrderFollowTheForm) {
  TestWindow w;
  gui::WindowForm form = TestForm();
  form.components.push_back(form.components[2]);  // a second button below the box
  form.components.back().name = "lowest";
  gui::Button lowest;
  ASSERT_TRUE(gui::LoadWindow(form, w.window, {&w.drop, &w.timer, &w.button, &w.box, &lowest}));
  QWidget* window = gui::WidgetOf(w.window.Handle());
  // Qt lists children bottom first.
  QStringList bottomFirst;
  for (QObject* child : window->children()) {
    if (child->isWidgetType()) bottomFirst << child->objectName();
  }
  EXPECT_EQ(bottomFirst, (QStringList{"lowest", "box", "button"}));
  EXPECT_EQ(window->findChild<QWidget*>("button")->nextInFocusChain(), window->findChild<QWidget*>("box"));
}

TEST_F(FormBuildTest, HandlesNameNothingOnceTheWindowIsDestroyed) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  ASSERT_NE(gui::ObjectOf(w.button.Handle()), nullptr);
  ASSERT_NE(gui::ObjectOf(w.timer.Handle()), nullptr);
  w.window.Close();
  EXPECT_EQ(gui::ObjectOf(w.window.Handle()), nullptr);
  EXPECT_EQ(gui::ObjectOf(w.button.Handle()), nullptr);
  EXPECT_EQ(gui::ObjectOf(w.timer.Handle()), nullptr);
  w.button.SetCaption("x");  // does nothing, and does not crash
  EXPECT_EQ(w.button.Caption(), "");
  EXPECT_EQ(w.window.Caption(), "");
}

TEST_F(FormBuildTest, CaptionsRoundTripAsGbk) {
  TestWindow w;
  ASSERT_TRUE(w.Load(TestForm()));
  const Text resume = "\xBB\xD6\xB8\xB4";  // 恢复
  w.button.SetCaption(resume);
  EXPECT_EQ(w.button.Caption(), resume);
  EXPECT_EQ(gui::WidgetOf(w.button.Handle())->property("text").toString(), QString::fromUtf8("恢复"));
  w.window.SetCaption(resume);
  EXPECT_EQ(gui::WidgetOf(w.window.Handle())->windowTitle(), QString::fromUtf8("恢复"));
}

}  // namespace

namespace {

int g_clicks = 0;
void Clicked() { ++g_clicks; }

TEST_F(FormBuildTest, ClicksReachTheHandlerOfEnabledVisibleButtonsOnly) {
  struct Case {
    DWORD style;
    int clicks;
  };
  const Case cases[] = {
      {WS_VISIBLE | WS_TABSTOP, 1},
      {WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0},
      {WS_TABSTOP, 0},  // hidden
  };
  for (const Case& c : cases) {
    g_clicks = 0;
    gui::WindowForm form = TestForm();
    form.components[2].style = c.style;
    form.components[2].onClick = Clicked;
    TestWindow w;
    ASSERT_TRUE(w.Load(form));
    QWidget* window = gui::WidgetOf(w.window.Handle());
    // Where a person would click: the button's place in the window.
    QTest::mouseClick(window->childAt(20, 20) ? window->childAt(20, 20) : window, Qt::LeftButton);
    EXPECT_EQ(g_clicks, c.clicks) << std::hex << c.style;
    NewSession();
  }
}

}  // namespace

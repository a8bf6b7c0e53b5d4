// The program's session from start-up to shut-down.
#include <QTimer>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "dialogs/common_dialog.h"
#include "gui/session.h"
#include "json/json_object.h"

namespace {

std::vector<std::string> g_trace;

void BeforeReleaseProbe() {
  g_trace.push_back(std::string("before release: dialog ") + (g_dialog ? "alive" : "gone") +
                    ", json " + (g_json ? "alive" : "gone"));
}

void AfterReleaseProbe() {
  g_trace.push_back(std::string("after release: dialog ") + (g_dialog ? "alive" : "gone") +
                    ", json " + (g_json ? "alive" : "gone"));
}

using StartupTest = SessionTest;

TEST_F(StartupTest, SessionRunsFromGlobalsToReleaseExactlyOnce) {
  g_trace.clear();
  g_isRunning = 0;
  RegisterBeforeRelease(BeforeReleaseProbe);
  RegisterBeforeRelease(BeforeReleaseProbe);  // listed already
  QTimer::singleShot(0, [] {
    MainWindow* main = TheMainWindow();
    ASSERT_NE(main, nullptr);
    g_trace.push_back(std::string("running: dialog ") + (g_dialog ? "alive" : "gone") + ", json " +
                      (g_json ? "alive" : "gone") + ", flag " + std::to_string(g_isRunning) +
                      ", drops " + (main->拖放对象1.BoundWindow() == main->Handle() ? "bound" : "free"));
    gui::AtExit(AfterReleaseProbe);  // after ReleaseGlobals, which start-up registered
    main->Frame().Close();
  });
  EXPECT_EQ(RunSession(TestRuntime()), 0);
  EXPECT_EQ(g_trace, (std::vector<std::string>{
                         "running: dialog alive, json alive, flag 1, drops bound",
                         "before release: dialog alive, json alive",
                         "after release: dialog gone, json gone",
                     }));
  EXPECT_EQ(TheMainWindow(), nullptr);
  EXPECT_EQ(g_dialog, nullptr);
  EXPECT_EQ(g_json, nullptr);
}

TEST(Startup, InitGlobalsCreatesBothAndReleaseGlobalsFreesBoth) {
  InitGlobals();
  EXPECT_NE(g_dialog, nullptr);
  EXPECT_NE(g_json, nullptr);
  ReleaseGlobals();
  EXPECT_EQ(g_dialog, nullptr);
  EXPECT_EQ(g_json, nullptr);
  ReleaseGlobals();  // nothing left to release
  EXPECT_EQ(g_dialog, nullptr);
}

TEST(Startup, DropHandlersChangeNothing) {
  g_isRunning = 1;
  OnFilesDropped("/tmp/a.html\r\n/tmp/b.html\r\n");
  OnTextDropped("text");
  EXPECT_EQ(g_isRunning, 1);
  EXPECT_EQ(g_dialog, nullptr);
}

}  // namespace

// The drop target: files accepted and handed on as text, all else refused.
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include <memory>
#include <vector>

#include "gui/session.h"
#include "gui/test_form.h"
#include "platform/gui_drop.h"
#include "platform/gui_handle.h"

namespace {

std::vector<Text> g_filesDropped;
std::vector<Text> g_textDropped;
void FilesDropped(const Text& text) { g_filesDropped.push_back(text); }
void TextDropped(const Text& text) { g_textDropped.push_back(text); }

std::unique_ptr<QMimeData> Files(const QStringList& paths) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
  data->setUrls(urls);
  return data;
}

class DropTargetTest : public SessionTest {
 protected:
  void SetUp() override {
    g_filesDropped.clear();
    g_textDropped.clear();
    gui::WindowForm form = TestForm();
    form.components[0].onFilesDropped = FilesDropped;
    form.components[0].onTextDropped = TextDropped;
    ASSERT_TRUE(w.Load(form));
    window = gui::WidgetOf(w.window.Handle());
  }

  // Whether the window takes the drag, and then the drop.
  std::pair<bool, bool> Drag(const QMimeData* data) {
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
  }

  TestWindow w;
  QWidget* window = nullptr;
};

TEST_F(DropTargetTest, FilesGiveTheirPathsInDropOrder) {
  ASSERT_TRUE(w.drop.RegisterDropTarget(w.window.Handle()));
  struct Case {
    QStringList paths;
    Text expected;
  };
  const Case cases[] = {
      {{"/tmp/page.html"}, "/tmp/page.html"},
      {{"/tmp/b.html", "/tmp/a b.html"}, "/tmp/b.html\r\n/tmp/a b.html\r\n"},
      {{QString::fromUtf8("/tmp/题目.html")}, "/tmp/\xCC\xE2\xC4\xBF.html"},
  };
  for (const Case& c : cases) {
    auto data = Files(c.paths);
    EXPECT_EQ(Drag(data.get()), std::make_pair(true, true));
  }
  ASSERT_EQ(g_filesDropped.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(g_filesDropped[i], cases[i].expected);
  EXPECT_TRUE(g_textDropped.empty());
}

TEST_F(DropTargetTest, TextHtmlAndWebAddressesAreRefused) {
  ASSERT_TRUE(w.drop.RegisterDropTarget(w.window.Handle()));
  auto text = std::make_unique<QMimeData>();
  text->setText("dropped words");
  auto html = std::make_unique<QMimeData>();
  html->setHtml("<b>bold</b>");
  auto web = std::make_unique<QMimeData>();
  web->setUrls({QUrl("https://example.org/page.html")});
  auto mixed = Files({"/tmp/a.html"});
  mixed->setUrls({QUrl::fromLocalFile("/tmp/a.html"), QUrl("https://example.org/")});
  for (const QMimeData* data : {text.get(), html.get(), web.get(), mixed.get()}) {
    EXPECT_EQ(Drag(data), std::make_pair(false, false)) << data->formats().join(",").toStdString();
  }
  EXPECT_TRUE(g_filesDropped.empty());
  EXPECT_TRUE(g_textDropped.empty());
}

TEST_F(DropTargetTest, NothingIsTakenBeforeBinding) {
  auto data = Files({"/tmp/a.html"});
  EXPECT_FALSE(window->acceptDrops());
  EXPECT_EQ(Drag(data.get()).second, false);
  EXPECT_TRUE(g_filesDropped.empty());
}

TEST_F(DropTargetTest, ASecondBindGivesFalseAndChangesNothing) {
  EXPECT_TRUE(w.drop.RegisterDropTarget(w.window.Handle()));
  EXPECT_FALSE(w.drop.RegisterDropTarget(w.window.Handle()));
  TestWindow other;
  ASSERT_TRUE(other.Load(TestForm()));
  EXPECT_FALSE(w.drop.RegisterDropTarget(other.window.Handle()));
  EXPECT_EQ(w.drop.BoundWindow(), w.window.Handle());
  EXPECT_FALSE(gui::WidgetOf(other.window.Handle())->acceptDrops());
}

TEST_F(DropTargetTest, AWindowTakesOneTargetAndNeedsOle) {
  TestWindow other;
  ASSERT_TRUE(other.Load(TestForm()));
  ASSERT_TRUE(w.drop.RegisterDropTarget(w.window.Handle()));
  // A second component for the same window: the window is taken already.
  EXPECT_FALSE(other.drop.RegisterDropTarget(w.window.Handle()));
  auto* sink = dynamic_cast<gui::DropSink*>(gui::ObjectOf(other.drop.Handle()));
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(gui::RegisterDragDrop(nullptr, sink), gui::DRAGDROP_E_INVALIDHWND);
  OleUninitialize();
  EXPECT_EQ(gui::RegisterDragDrop(other.window.Handle(), sink), gui::E_OUTOFMEMORY);
  OleInitialize(nullptr);
  EXPECT_EQ(gui::RegisterDragDrop(other.window.Handle(), sink), S_OK);
}

TEST_F(DropTargetTest, DropsOverTheBoxReachTheWindow) {
  auto* edit = qobject_cast<QPlainTextEdit*>(gui::WidgetOf(w.box.Handle()));
  ASSERT_NE(edit, nullptr);
  // A widget that takes no drops lets them fall through to its window.
  EXPECT_FALSE(edit->acceptDrops());
  EXPECT_FALSE(edit->viewport()->acceptDrops());
}

}  // namespace

// The read-only output box: appending, typing, selecting and copying.
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "gui/session.h"
#include "gui/test_form.h"
#include "platform/gui_handle.h"

namespace {

class EditBoxTest : public SessionTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.Load(TestForm()));
    edit = qobject_cast<QPlainTextEdit*>(gui::WidgetOf(w.box.Handle()));
    ASSERT_NE(edit, nullptr);
  }
  TestWindow w;
  QPlainTextEdit* edit = nullptr;
};

TEST_F(EditBoxTest, ContentKeepsCrLfAndGbk) {
  const Text cases[] = {
      "",
      "one line",
      "\xA1\xA2\r\n",                   // a double-byte character, then CR LF
      "\xA1\xA2\r\n\r\n\r\n",
      "1\xA1\xA2question\r\n    A\xA1\xA2yes    B\xA1\xA2no\r\n\r\n",
  };
  for (const Text& text : cases) {
    w.box.SetContent(text);
    EXPECT_EQ(w.box.Content(), text);
    EXPECT_EQ(edit->textCursor().position(), 0) << "setting the content puts the caret at 0";
  }
}

TEST_F(EditBoxTest, AppendGoesToTheEndWhereverTheCaretWasAndIsNotUndoable) {
  w.box.SetContent("abc\r\ndef");
  QTextCursor cursor = edit->textCursor();
  cursor.setPosition(1);
  cursor.setPosition(2, QTextCursor::KeepAnchor);
  edit->setTextCursor(cursor);  // a selection in the middle
  w.box.Append("\r\nghi");
  w.box.Append("");
  w.box.Append("jk");
  EXPECT_EQ(w.box.Content(), "abc\r\ndef\r\nghijk");
  EXPECT_FALSE(edit->textCursor().hasSelection());
  EXPECT_EQ(edit->textCursor().position(), edit->document()->characterCount() - 1);
  EXPECT_FALSE(edit->document()->isUndoAvailable());
}

TEST_F(EditBoxTest, AppendScrollsTheEndIntoView) {
  for (int i = 0; i < 300; ++i) w.box.Append("line\r\n");
  QScrollBar* bar = edit->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(EditBoxTest, LongLinesWrapWithoutHorizontalScrolling) {
  w.box.SetContent(Text(2000, 'x') + " " + Text(50, 'y'));
  edit->show();
  EXPECT_EQ(edit->horizontalScrollBar()->maximum(), 0);
  EXPECT_GT(edit->document()->lastBlock().layout()->lineCount(), 1);
}

TEST_F(EditBoxTest, TypingChangesNothing) {
  w.box.SetContent("keep");
  edit->setFocus();
  QTest::keyClicks(edit, "typed");
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(w.box.Content(), "keep");
}

TEST_F(EditBoxTest, SelectAllAndCopyReachTheClipboard) {
  const Text content = "\xA1\xA2 first\r\nsecond";
  w.box.SetContent(content);
  QGuiApplication::clipboard()->setText("before");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit->textCursor().selectedText().size(), edit->document()->characterCount() - 1);
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("、 first\nsecond"));
}

TEST_F(EditBoxTest, SelectionIsHiddenWithoutFocus) {
  const QPalette palette = edit->palette();
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
            palette.color(QPalette::Inactive, QPalette::Base));
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::HighlightedText),
            palette.color(QPalette::Inactive, QPalette::Text));
  EXPECT_NE(palette.color(QPalette::Active, QPalette::Highlight),
            palette.color(QPalette::Active, QPalette::Base));
}

TEST_F(EditBoxTest, CallsAfterTheWindowIsDestroyedDoNothing) {
  w.box.SetContent("x");
  w.window.Close();
  w.box.Append("y");
  w.box.SetContent("z");
  EXPECT_EQ(w.box.Content(), "");
}

}  // namespace

#include "platform/gui_components.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/codepage.h"
#include "platform/gui_drop.h"
#include "platform/gui_form_window.h"
#include "platform/gui_handle.h"
#include "platform/window_thread.h"

namespace gui {
namespace {

QString ToScreen(const Text& text) { return QString::fromStdU16String(GbkToUtf16(text)); }
Text FromScreen(const QString& text) { return Utf16ToGbk(text.toStdU16String()); }

template <typename Widget>
Widget* Live(HWND handle) {
  return qobject_cast<Widget*>(ObjectOf(handle));
}

}  // namespace

bool Window::Exists() const {
  bool exists = false;
  window_thread::Call([&] { exists = Live<QWidget>(m_handle) != nullptr; });
  return exists;
}

void Window::SetCaption(const Text& caption) {
  window_thread::Call([&] {
    if (auto* w = Live<QWidget>(m_handle)) w->setWindowTitle(ToScreen(caption));
  });
}

Text Window::Caption() const {
  Text caption;
  window_thread::Call([&] {
    if (auto* w = Live<QWidget>(m_handle)) caption = FromScreen(w->windowTitle());
  });
  return caption;
}

void Window::Close() {
  window_thread::Call([&] {
    if (auto* w = Live<QWidget>(m_handle)) w->close();
  });
}

void Button::SetCaption(const Text& caption) {
  window_thread::Call([&] {
    if (auto* b = Live<QPushButton>(Handle())) b->setText(ToScreen(caption));
  });
}

Text Button::Caption() const {
  Text caption;
  window_thread::Call([&] {
    if (auto* b = Live<QPushButton>(Handle())) caption = FromScreen(b->text());
  });
  return caption;
}

void EditBox::SetContent(const Text& text) {
  window_thread::Call([&] {
    if (auto* e = Live<QPlainTextEdit>(Handle())) e->setPlainText(ToScreen(text));
  });
}

void EditBox::Append(const Text& text) {
  window_thread::Call([&] {
    auto* e = Live<QPlainTextEdit>(Handle());
    if (!e) return;
    e->moveCursor(QTextCursor::End);
    e->ensureCursorVisible();
    e->insertPlainText(ToScreen(text));
    e->ensureCursorVisible();
  });
}

Text EditBox::Content() const {
  Text content;
  window_thread::Call([&] {
    auto* e = Live<QPlainTextEdit>(Handle());
    if (!e) return;
    // Raw text keeps every character; blocks are divided by U+2029.
    QString raw = e->document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    content = FromScreen(raw);
  });
  return content;
}

bool DropTarget::RegisterDropTarget(HWND window) {
  bool registered = false;
  window_thread::Call([&] {
    if (m_boundWindow) return;
    m_boundWindow = window;
    auto* sink = dynamic_cast<DropSink*>(ObjectOf(Handle()));
    registered = RegisterDragDrop(window, sink) == S_OK;
  });
  return registered;
}

}  // namespace gui

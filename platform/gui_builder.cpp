#include "platform/gui_builder.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <memory>
#include <vector>

#include "platform/codepage.h"
#include "platform/gui_drop.h"
#include "platform/gui_form_window.h"
#include "platform/gui_handle.h"
#include "platform/gui_metrics.h"
#include "platform/gui_runtime.h"
#include "platform/window_thread.h"

namespace gui {

struct ComponentBinder {
  static void Bind(Window& window, HWND handle) { window.m_handle = handle; }
  static void Bind(Component& component, HWND handle) { component.m_handle = handle; }
};

namespace {

QString ToScreen(const Text& text) { return QString::fromStdU16String(GbkToUtf16(text)); }

QColor FromColorRef(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QColor SystemColor(int index) {
  const QPalette palette = QApplication::palette();
  switch (index) {
    case COLOR_WINDOW: return palette.color(QPalette::Base);
    case COLOR_WINDOWTEXT: return palette.color(QPalette::Text);
    default: return palette.color(QPalette::Button);  // COLOR_BTNFACE
  }
}

// DEFAULT_GUI_FONT is the only stock font a form names.
QFont StockFont(int) { return QFontDatabase::systemFont(QFontDatabase::GeneralFont); }

Qt::WindowFlags WindowFlagsOf(DWORD style, DWORD exStyle) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if ((style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
  if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  if (style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  if (exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void PlaceControl(QWidget* widget, const ComponentForm& form) {
  widget->setObjectName(QString::fromUtf8(form.name));
  widget->setGeometry(form.left, form.top, form.width, form.height);
  widget->setFocusPolicy((form.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
  widget->setEnabled(!(form.style & WS_DISABLED));
  // Explicitly hidden children stay hidden when the window is shown.
  if (!(form.style & WS_VISIBLE)) widget->setVisible(false);
}

QObject* MakeButton(FormWindow* parent, const ComponentForm& form) {
  auto* button = std::make_unique<QPushButton>(ToScreen(form.caption), parent).release();
  PlaceControl(button, form);
  // A push button's caption is centred both ways already.
  button->setAutoDefault(false);
  button->setDefault((form.style & 0x000F) == BS_DEFPUSHBUTTON);
  if (Procedure onClick = form.onClick) {
    QObject::connect(button, &QPushButton::clicked, button, [button, onClick] {
      if (EventsAllowedFor(button)) onClick();
    });
  }
  return button;
}

QObject* MakeEditBox(FormWindow* parent, const ComponentForm& form) {
  auto* edit = std::make_unique<QPlainTextEdit>(parent).release();
  PlaceControl(edit, form);
  const DWORD style = form.style;
  const bool multiLine = style & ES_MULTILINE;
  if (style & ES_READONLY) {
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  // Without horizontal scrolling a multi-line box wraps at its right edge.
  const bool wraps = multiLine && !(style & ES_AUTOHSCROLL) && !(style & WS_HSCROLL);
  edit->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
  edit->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
  edit->setFrameStyle((form.exStyle & WS_EX_CLIENTEDGE) ? (QFrame::StyledPanel | QFrame::Sunken)
                                                         : QFrame::NoFrame);
  // Only the program changes the box; there is nothing to undo.
  edit->setUndoRedoEnabled(false);
  // A text limit of 0 is the system's maximum, and a plain-text edit has
  // no limit below that; other limits are not asked for by any form.
  QPalette palette = edit->palette();
  const QColor text = FromColorRef(form.textColor);
  const QColor back = FromColorRef(form.backColor);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, back);
  if (!(style & ES_NOHIDESEL)) {
    // The selection vanishes while the box does not have the focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, back);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
  }
  edit->setPalette(palette);
  // Drops go to the window's drop target, not into the box.
  edit->setAcceptDrops(false);
  edit->viewport()->setAcceptDrops(false);
  return edit;
}

QObject* MakeTimer(FormWindow* parent, const ComponentForm& form) {
  auto* timer = std::make_unique<QTimer>(parent).release();
  timer->setObjectName(QString::fromUtf8(form.name));
  timer->setInterval(form.interval);
  if (Procedure onTick = form.onTick) {
    QObject::connect(timer, &QTimer::timeout, timer, [timer, onTick] {
      if (EventsAllowedFor(timer)) onTick();
    });
  }
  if (form.interval > 0) timer->start();
  return timer;
}

QObject* MakeDropTarget(FormWindow* parent, const ComponentForm& form) {
  auto* sink =
      std::make_unique<DropSink>(parent, form.onTextDropped, form.onFilesDropped).release();
  sink->setObjectName(QString::fromUtf8(form.name));
  return sink;
}

QObject* MakeComponent(FormWindow* parent, const ComponentForm& form) {
  switch (form.kind) {
    case ComponentKind::Button: return MakeButton(parent, form);
    case ComponentKind::EditBox: return MakeEditBox(parent, form);
    case ComponentKind::Timer: return MakeTimer(parent, form);
    case ComponentKind::DropTarget: return MakeDropTarget(parent, form);
  }
  return nullptr;
}

std::unique_ptr<FormWindow> MakeWindow(const WindowForm& form) {
  const Origin origin = form.centreOnScreen ? CentredOrigin(form.width, form.height)
                                            : Origin{form.left, form.top};
  auto window = std::make_unique<FormWindow>(QSize(form.width, form.height),
                                             QPoint(origin.left, origin.top),
                                             (form.style & WS_THICKFRAME) != 0);
  window->setObjectName(QString::fromUtf8(form.name));
  window->setWindowFlags(WindowFlagsOf(form.style, form.exStyle));
  window->setWindowTitle(ToScreen(form.caption));
  window->setFont(StockFont(form.font));
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, SystemColor(form.background));
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  return window;
}

}  // namespace

bool LoadWindow(const WindowForm& form, Window& window,
                std::initializer_list<Component*> components) {
  if (!window_thread::IsWindowThread() || IsQuitting()) return false;
  if (components.size() != form.components.size()) return false;
  auto target = components.begin();
  for (const ComponentForm& part : form.components) {
    if (!*target || (*target)->Kind() != part.kind) return false;
    ++target;
  }

  std::unique_ptr<FormWindow> owned = MakeWindow(form);
  FormWindow* built = owned.get();
  // Later siblings lie above earlier ones, so the last is made first.
  const std::size_t count = form.components.size();
  std::vector<QObject*> made(count);
  for (std::size_t i = count; i-- > 0;) made[i] = MakeComponent(built, form.components[i]);
  // Keyboard order follows the stacking order, top first.
  QWidget* previous = nullptr;
  for (QObject* object : made) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget->focusPolicy() != Qt::StrongFocus) continue;
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }

  ComponentBinder::Bind(window, HandleOf(built));
  target = components.begin();
  for (QObject* object : made) ComponentBinder::Bind(**target++, HandleOf(object));

  // From here the runtime owns the window: it goes when it is destroyed or
  // at shut-down.
  detail::AddLoadedWindow(owned.release());
  if (form.onCreated) form.onCreated();
  if (built->IsDestroyed()) return true;
  built->show();
  built->SetReady();
  return true;
}

}  // namespace gui

#include "platform/gui_form_window.h"

#include <QCloseEvent>
#include <QTimer>
#include <QWindow>

#include "platform/gui_handle.h"

namespace gui {

FormWindow::FormWindow(QSize outerSize, QPoint outerOrigin, bool resizable)
    : m_outerSize(outerSize), m_outerOrigin(outerOrigin), m_resizable(resizable) {
  // Until a frame exists the whole outer size is client area.
  SetClientSize(outerSize);
  move(outerOrigin);
}

void FormWindow::SetClientSize(QSize size) {
  if (m_resizable) {
    resize(size);
  } else {
    setFixedSize(size);
  }
}

void FormWindow::Destroy() {
  if (m_destroyed) return;
  m_destroyed = true;
  for (QTimer* timer : findChildren<QTimer*>()) timer->stop();
  ForgetHandles(this);
  hide();
  deleteLater();
  detail::RemoveLoadedWindow(this);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  Destroy();
}

bool FormWindow::event(QEvent* event) {
  bool handled = QWidget::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WinIdChange:
      FitFrame();
      break;
    default:
      break;
  }
  return handled;
}

void FormWindow::FitFrame() {
  if (!isWindow() || m_destroyed) return;
  QWindow* native = windowHandle();
  if (!native) return;
  QMargins margins = native->frameMargins();
  if (margins == m_fittedMargins) return;
  m_fittedMargins = margins;
  QSize client(m_outerSize.width() - margins.left() - margins.right(),
               m_outerSize.height() - margins.top() - margins.bottom());
  SetClientSize(client.expandedTo(QSize(1, 1)));
  move(m_outerOrigin);  // a top-level move places the frame
}

FormWindow* FormWindowOf(QObject* object) {
  for (QObject* o = object; o; o = o->parent()) {
    if (auto* window = dynamic_cast<FormWindow*>(o)) return window;
  }
  return nullptr;
}

bool EventsAllowedFor(QObject* component) {
  FormWindow* window = FormWindowOf(component);
  return window && window->EventsAllowed();
}

}  // namespace gui

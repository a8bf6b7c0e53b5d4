#pragma once
// Inside the runtime: the top-level widget that a form becomes, and the
// bookkeeping of loaded windows.
#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QWidget>

namespace gui {

class FormWindow : public QWidget {
 public:
  FormWindow(QSize outerSize, QPoint outerOrigin, bool resizable);

  // Events reach the form's handlers only once the window is built and
  // until it is destroyed.
  bool EventsAllowed() const { return m_ready && !m_destroyed; }
  void SetReady() { m_ready = true; }
  bool IsDestroyed() const { return m_destroyed; }

  // For our side: the window counts as destroyed; its handles name nothing,
  // its timers stop, and the widget itself goes at the next chance.
  void Destroy();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Keeps the outer size and place once the frame's size is known.
  void FitFrame();
  void SetClientSize(QSize size);

  QSize m_outerSize;
  QPoint m_outerOrigin;
  QMargins m_fittedMargins;
  bool m_resizable;
  bool m_ready = false;
  bool m_destroyed = false;
};

// The form window that a component belongs to, or null.
FormWindow* FormWindowOf(QObject* object);

// Whether events of the component's window may be dispatched now.
bool EventsAllowedFor(QObject* component);

namespace detail {
void AddLoadedWindow(FormWindow* window);
void RemoveLoadedWindow(FormWindow* window);  // the last one ends the loop
}  // namespace detail

}  // namespace gui

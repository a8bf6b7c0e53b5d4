#include "platform/gui_drop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "platform/codepage.h"
#include "platform/gui_form_window.h"
#include "platform/gui_handle.h"

namespace gui {
namespace {

constexpr char kSinkProperty[] = "examtextDropSink";

}  // namespace

DropSink::DropSink(QObject* parent, TextProcedure onTextDropped, TextProcedure onFilesDropped)
    : QObject(parent), m_onTextDropped(onTextDropped), m_onFilesDropped(onFilesDropped) {}

Text DroppedFilesText(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  Text text;
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) return {};  // a web address is not a file
    Text path = Utf16ToGbk(url.toLocalFile().toStdU16String());
    if (path.empty()) return {};
    text += path;
    if (urls.size() > 1) text += "\r\n";
  }
  return text;
}

bool DropSink::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFilesText(drag->mimeData()).empty()) {
        drag->ignore();
      } else {
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      Text files = DroppedFilesText(drop->mimeData());
      if (files.empty()) {
        drop->ignore();
        return true;
      }
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      if (m_onFilesDropped && EventsAllowedFor(this)) m_onFilesDropped(files);
      return true;
    }
    default:
      return false;
  }
}

HRESULT RegisterDragDrop(HWND window, DropSink* sink) {
  if (!IsOleInitialized()) return E_OUTOFMEMORY;
  QWidget* widget = WidgetOf(window);
  if (!widget || !sink) return DRAGDROP_E_INVALIDHWND;
  if (widget->property(kSinkProperty).isValid()) return DRAGDROP_E_ALREADYREGISTERED;
  widget->setProperty(kSinkProperty, true);
  widget->setAcceptDrops(true);
  widget->installEventFilter(sink);
  return S_OK;
}

}  // namespace gui

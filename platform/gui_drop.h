#pragma once
// Inside the runtime: what takes drops for a window once a drop-target
// component is registered for it. Only files are accepted.
#include <QObject>

#include "platform/gui_form.h"
#include "platform/gui_runtime.h"

class QMimeData;

namespace gui {

class DropSink : public QObject {
 public:
  DropSink(QObject* parent, TextProcedure onTextDropped, TextProcedure onFilesDropped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TextProcedure m_onTextDropped;
  TextProcedure m_onFilesDropped;
};

// The text a drop of files hands on: the path, or with several files every
// path followed by "\r\n", in the drop's order; empty when the data holds no
// files (text, HTML, web addresses).
Text DroppedFilesText(const QMimeData* data);

// Errors of RegisterDragDrop, with Windows' values.
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);

// Lets the window with this handle take drops through the sink. Needs OLE on
// the calling thread; a window takes one sink only.
HRESULT RegisterDragDrop(HWND window, DropSink* sink);

}  // namespace gui

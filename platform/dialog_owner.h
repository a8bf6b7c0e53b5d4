#pragma once
// How the dialogs find their owner and wait for the person: on the window
// thread, with a local event loop, so that the calling thread alone waits.
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

#include "platform/win_types.h"

class QDialog;

namespace dialog_owner {

// Whether a QApplication (widgets) runs, which every dialog needs.
bool HasWidgets();

// The live top-level widget behind a window handle, or nullptr for none or a
// handle of a window that no longer exists.
QWidget* FromHandle(HWND window);

// Shows the dialog with the given modality and waits in a local event loop
// until it is finished. Gives its result code, or nothing when the dialog was
// destroyed meanwhile (its owner went away).
std::optional<int> RunDialog(QDialog& dialog, Qt::WindowModality modality);

// Runs a dialog owned here; one destroyed by its owner meanwhile is let go.
template <class Dialog>
std::optional<int> RunOwnedDialog(std::unique_ptr<Dialog>& dialog, Qt::WindowModality modality) {
  QPointer<Dialog> alive(dialog.get());
  std::optional<int> code = RunDialog(*dialog, modality);
  if (!alive) static_cast<void>(dialog.release());
  return code;
}

}  // namespace dialog_owner

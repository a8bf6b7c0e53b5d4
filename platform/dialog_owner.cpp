#include "platform/dialog_owner.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>

#include "platform/gui_handle.h"

namespace dialog_owner {

bool HasWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QWidget* FromHandle(HWND window) {
  if (!window || !HasWidgets()) return nullptr;
  QWidget* widget = gui::WidgetOf(window);
  return widget && widget->isWindow() ? widget : nullptr;
}

std::optional<int> RunDialog(QDialog& dialog, Qt::WindowModality modality) {
  QPointer<QDialog> alive(&dialog);
  QEventLoop loop;
  int code = QDialog::Rejected;
  QObject::connect(&dialog, &QDialog::finished, &loop, [&](int result) {
    code = result;
    loop.quit();
  });
  QObject::connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
  dialog.setWindowModality(modality);
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  loop.exec();
  if (!alive) return std::nullopt;
  return code;
}

}  // namespace dialog_owner

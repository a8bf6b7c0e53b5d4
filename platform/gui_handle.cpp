#include "platform/gui_handle.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <unordered_map>

namespace gui {
namespace {

constexpr char kHandleProperty[] = "examtextHandle";

std::unordered_map<HWND, QPointer<QObject>>& Handles() {
  static std::unordered_map<HWND, QPointer<QObject>> handles;
  return handles;
}

}  // namespace

HWND HandleOf(QObject* object) {
  if (!object) return nullptr;
  QVariant stored = object->property(kHandleProperty);
  if (stored.isValid()) return reinterpret_cast<HWND>(stored.value<quintptr>());
  // Handles are never reused, so a stale one cannot name a newer object.
  static std::uintptr_t last = 0x100;
  last += 4;
  HWND handle = reinterpret_cast<HWND>(last);
  object->setProperty(kHandleProperty, QVariant::fromValue<quintptr>(last));
  Handles()[handle] = object;
  return handle;
}

QObject* ObjectOf(HWND handle) {
  auto found = Handles().find(handle);
  if (found == Handles().end()) return nullptr;
  if (!found->second) {
    Handles().erase(found);
    return nullptr;
  }
  return found->second.data();
}

QWidget* WidgetOf(HWND handle) { return qobject_cast<QWidget*>(ObjectOf(handle)); }

void ForgetHandle(HWND handle) { Handles().erase(handle); }

void ForgetHandles(QObject* root) {
  if (!root) return;
  for (QObject* child : root->findChildren<QObject*>()) {
    if (child->property(kHandleProperty).isValid()) ForgetHandle(HandleOf(child));
  }
  if (root->property(kHandleProperty).isValid()) ForgetHandle(HandleOf(root));
}

}  // namespace gui

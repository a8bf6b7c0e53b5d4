#include "platform/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/codepage.h"
#include "platform/dialog_owner.h"
#include "platform/window_thread.h"

namespace {

// Windows' caption for a box given none.
constexpr char kDefaultCaption[] = "\xB4\xED\xCE\xF3";  // 错误 in GBK

std::mutex g_answererMutex;
message_box::Answerer g_answerer;

message_box::Answerer CurrentAnswerer() {
  std::lock_guard lock(g_answererMutex);
  return g_answerer;
}

struct ButtonSet {
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton escape;  // also what closing the box answers
};

ButtonSet ButtonsFor(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
    case MB_ABORTRETRYIGNORE:
      return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::NoButton};
    case MB_YESNOCANCEL: return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
    case MB_YESNO: return {QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton};
    case MB_RETRYCANCEL: return {QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel};
    default: return {QMessageBox::Ok, QMessageBox::Ok};
  }
}

QMessageBox::Icon IconFor(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int ResultOf(QMessageBox::StandardButton button) {
  static constexpr std::array<std::pair<QMessageBox::StandardButton, int>, 7> kResults{{
      {QMessageBox::Ok, IDOK},
      {QMessageBox::Cancel, IDCANCEL},
      {QMessageBox::Abort, IDABORT},
      {QMessageBox::Retry, IDRETRY},
      {QMessageBox::Ignore, IDIGNORE},
      {QMessageBox::Yes, IDYES},
      {QMessageBox::No, IDNO},
  }};
  for (const auto& [standard, result] : kResults) {
    if (standard == button) return result;
  }
  return 0;
}

Qt::WindowModality ModalityFor(QWidget* owner, UINT type, bool callerIsWindowThread) {
  if (owner) return Qt::WindowModal;
  // Task-modal blocks the calling thread's windows; only the window thread has any.
  if ((type & MB_TASKMODAL) && callerIsWindowThread) return Qt::ApplicationModal;
  return Qt::NonModal;
}

int ShowBox(const message_box::Request& request, bool callerIsWindowThread) {
  if (!dialog_owner::HasWidgets()) return 0;
  QWidget* owner = dialog_owner::FromHandle(request.owner);
  ButtonSet set = ButtonsFor(request.type);
  auto box = std::make_unique<QMessageBox>(IconFor(request.type),
                                           QString::fromStdU16String(GbkToUtf16(request.caption)),
                                           QString::fromStdU16String(GbkToUtf16(request.text)), set.buttons, owner);
  if (set.escape != QMessageBox::NoButton) box->setEscapeButton(set.escape);
  if (!dialog_owner::RunOwnedDialog(box, ModalityFor(owner, request.type, callerIsWindowThread))) return 0;
  QMessageBox::StandardButton pressed = box->standardButton(box->clickedButton());
  return ResultOf(pressed != QMessageBox::NoButton ? pressed : set.escape);
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  message_box::Request request;
  request.owner = owner;
  request.text = text ? text : "";
  request.caption = caption ? caption : kDefaultCaption;
  request.type = type;
  request.thread = std::this_thread::get_id();
  if (message_box::Answerer answerer = CurrentAnswerer()) return answerer(request);

  bool callerIsWindowThread = window_thread::IsWindowThread();
  int result = 0;
  if (!window_thread::Call([&] { result = ShowBox(request, callerIsWindowThread); })) return 0;
  return result;
}

namespace message_box {

ScopedAnswerer::ScopedAnswerer(Answerer answerer) {
  std::lock_guard lock(g_answererMutex);
  previous_ = std::exchange(g_answerer, std::move(answerer));
}

ScopedAnswerer::~ScopedAnswerer() {
  std::lock_guard lock(g_answererMutex);
  g_answerer = std::move(previous_);
}

}  // namespace message_box

#pragma once
// The Windows message box, shown with Qt. Texts are GBK.
#include <functional>
#include <thread>

#include "platform/text.h"
#include "platform/win_types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_TASKMODAL = 0x2000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows the box and waits for the person; gives the button pressed, or 0
// when there is no GUI runtime. From a thread without windows it has no
// owner: the window thread shows it, only the calling thread waits, and the
// other windows stay usable. On the window thread, MB_TASKMODAL without an
// owner blocks that thread's windows; an owner is blocked in any case.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

namespace message_box {

// What the box was asked to show, for a stand-in for the person.
struct Request {
  HWND owner = nullptr;
  Text text;
  Text caption;  // null comes as the default caption
  UINT type = 0;
  std::thread::id thread;  // the calling thread
};

// While one lives, its answerer is asked on the calling thread instead of
// showing the box, and its answer is the result. Guards nest.
using Answerer = std::function<int(const Request& request)>;

class ScopedAnswerer {
 public:
  explicit ScopedAnswerer(Answerer answerer);
  ~ScopedAnswerer();
  ScopedAnswerer(const ScopedAnswerer&) = delete;
  ScopedAnswerer& operator=(const ScopedAnswerer&) = delete;

 private:
  Answerer previous_;
};

}  // namespace message_box

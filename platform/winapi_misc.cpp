#include "platform/winapi_misc.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/gui_handle.h"
#include "platform/window_thread.h"

namespace {

// The one screen device context: only its address matters.
struct ScreenDc {
} g_screenDc;

HDC ScreenDcHandle() { return reinterpret_cast<HDC>(&g_screenDc); }

std::mutex g_seamMutex;
std::optional<int> g_logPixelsOverride;

std::optional<int> LogPixelsOverride() {
  std::lock_guard lock(g_seamMutex);
  return g_logPixelsOverride;
}

bool HasScreen() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace

HWND GetActiveWindow() {
  if (!window_thread::IsWindowThread() || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
    return nullptr;
  }
  return gui::HandleOf(QApplication::activeWindow());
}

HDC GetDC(HWND) {
  if (!LogPixelsOverride() && !HasScreen()) return nullptr;
  return ScreenDcHandle();
}

int ReleaseDC(HWND, HDC dc) { return dc == ScreenDcHandle() ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
  if (dc != ScreenDcHandle() || (index != LOGPIXELSX && index != LOGPIXELSY)) return 0;
  if (std::optional<int> dpi = LogPixelsOverride()) return *dpi;
  // Screens belong to the window thread.
  int dpi = 0;
  window_thread::Call([&] {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      qreal value = index == LOGPIXELSY ? screen->logicalDotsPerInchY() : screen->logicalDotsPerInchX();
      dpi = static_cast<int>(std::lround(value));
    }
  });
  return dpi;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  long long magnitude = (std::llabs(product) + std::llabs(static_cast<long long>(denominator)) / 2) /
                        std::llabs(static_cast<long long>(denominator));
  long long result = ((product < 0) != (denominator < 0)) ? -magnitude : magnitude;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  if ((flags & ~GMEM_ZEROINIT) != GMEM_FIXED) return nullptr;
  // Never a null block for a request of 0 bytes, as a fixed block always exists.
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

HGLOBAL GlobalFree(HGLOBAL block) {
  std::free(block);
  return nullptr;
}

void RtlMoveMemory(void* destination, const void* source, std::size_t length) {
  if (length != 0) std::memmove(destination, source, length);
}

char* lstrcpyA(char* destination, const char* source) {
  if (!destination || !source) return nullptr;
  return std::strcpy(destination, source);
}

namespace screen_seam {

ScopedLogPixels::ScopedLogPixels(int dotsPerInch) {
  std::lock_guard lock(g_seamMutex);
  previous_ = g_logPixelsOverride;
  g_logPixelsOverride = dotsPerInch;
}

ScopedLogPixels::~ScopedLogPixels() {
  std::lock_guard lock(g_seamMutex);
  g_logPixelsOverride = previous_;
}

}  // namespace screen_seam

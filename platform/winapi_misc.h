#pragma once
// Small Windows calls the dialogs need: the active window, the screen's
// device context and its resolution, arithmetic, memory blocks and copying.
#include <cstddef>
#include <optional>

#include "platform/win_types.h"

constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr UINT GMEM_FIXED = 0x0;
constexpr UINT GMEM_ZEROINIT = 0x40;

// The active top-level window of the calling thread; none (nullptr) on a
// thread that has no windows, which is every thread but the window thread.
HWND GetActiveWindow();

// The screen's device context (for any window: they all share the screen);
// nullptr when there is no screen.
HDC GetDC(HWND window);
// 1 when dc came from GetDC, else 0.
int ReleaseDC(HWND window, HDC dc);
// LOGPIXELSX / LOGPIXELSY of the primary screen, whole dots per inch; 0 for
// any other index or a device context that GetDC did not give.
int GetDeviceCaps(HDC dc, int index);

// number * numerator / denominator rounded half away from zero, without
// intermediate overflow; -1 when the denominator is 0 or the result does not
// fit in 32 bits.
int MulDiv(int number, int numerator, int denominator);

// A fixed block (GMEM_FIXED, optionally GMEM_ZEROINIT): the handle is the
// block's address. Other flags are refused with nullptr.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// nullptr on success (as Windows answers), the handle itself otherwise.
HGLOBAL GlobalFree(HGLOBAL block);
void RtlMoveMemory(void* destination, const void* source, std::size_t length);
// Copies source with its NUL; gives destination, or nullptr when either is null.
char* lstrcpyA(char* destination, const char* source);

namespace screen_seam {

// Replaces the primary screen's vertical (and horizontal) dots per inch for
// as long as it lives, so that sizes can be checked at any resolution.
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(int dotsPerInch);
  ~ScopedLogPixels();
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

 private:
  std::optional<int> previous_;
};

}  // namespace screen_seam

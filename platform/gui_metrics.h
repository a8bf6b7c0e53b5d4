#pragma once
// Screen measures, as GetSystemMetrics gives them: the primary screen.

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

int GetSystemMetrics(int index);

namespace gui {

// Where a window of the given outer size starts when centred on the primary
// screen; each quotient truncated toward zero.
struct Origin {
  int left;
  int top;
};
Origin CentredOrigin(int outerWidth, int outerHeight);

// For tests: while alive, GetSystemMetrics reports this screen size.
class ScopedScreenSize {
 public:
  ScopedScreenSize(int width, int height);
  ~ScopedScreenSize();
  ScopedScreenSize(const ScopedScreenSize&) = delete;
  ScopedScreenSize& operator=(const ScopedScreenSize&) = delete;

 private:
  bool m_hadPrevious;
  int m_previousWidth;
  int m_previousHeight;
};

}  // namespace gui

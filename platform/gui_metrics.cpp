#include "platform/gui_metrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

bool g_overridden = false;
int g_width = 0;
int g_height = 0;

}  // namespace

int GetSystemMetrics(int index) {
  if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
  if (g_overridden) return index == SM_CXSCREEN ? g_width : g_height;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 0;
  QSize size = screen->geometry().size();
  return index == SM_CXSCREEN ? size.width() : size.height();
}

namespace gui {

Origin CentredOrigin(int outerWidth, int outerHeight) {
  // Integer division in C++ truncates toward zero, as the placement wants.
  return {(GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2};
}

ScopedScreenSize::ScopedScreenSize(int width, int height)
    : m_hadPrevious(g_overridden), m_previousWidth(g_width), m_previousHeight(g_height) {
  g_overridden = true;
  g_width = width;
  g_height = height;
}

ScopedScreenSize::~ScopedScreenSize() {
  g_overridden = m_hadPrevious;
  g_width = m_previousWidth;
  g_height = m_previousHeight;
}

}  // namespace gui

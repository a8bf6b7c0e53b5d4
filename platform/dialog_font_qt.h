#pragma once
// The font dialog itself, over QFontDialog; called on the window thread.
#include <optional>
#include <string>

#include "platform/win_types.h"

namespace dialog_font_qt {

struct Setup {
  HWND owner = nullptr;
  std::optional<std::u16string> faceName;  // from the record, when it asks to start there
  std::optional<double> pointSize;
  LONG weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int minSize = 0;  // points; 0: no limit
  int maxSize = 0;
};

struct Answer {
  std::u16string faceName;
  double pointSize = 0;
  LONG weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// Nothing on cancel, or when there is no QApplication.
std::optional<Answer> Show(const Setup& setup);

}  // namespace dialog_font_qt

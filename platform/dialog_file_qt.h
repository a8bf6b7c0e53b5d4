#pragma once
// The file dialog itself, over QFileDialog; called on the window thread.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win_types.h"

namespace dialog_file_qt {

struct Setup {
  HWND owner = nullptr;
  bool save = false;
  bool preview = false;
  DWORD flags = 0;
  std::optional<std::u16string> title;
  std::optional<std::u16string> initialFolder;
  std::u16string defaultName;
  // Description and patterns separated by ";", as the record lists them.
  std::vector<std::pair<std::u16string, std::u16string>> filters;
  std::size_t filterIndex = 0;  // 0-based
  std::u16string defaultExtension;
};

struct Answer {
  std::vector<std::u16string> paths;  // absolute
  std::size_t filterIndex = 0;
};

// Nothing on cancel, or when there is no QApplication.
std::optional<Answer> Show(const Setup& setup);

}  // namespace dialog_file_qt

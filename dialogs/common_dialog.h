#pragma once
// The common dialogs behind one object with plain text arguments and
// results: open one file, save a file, open several files, pick a font.
// Every argument may be omitted; a flag counts only when given as true.
// Cancelling gives the empty text (PickFont: a FontInfo at its start).
// A filter reads description "|" pattern "|" description "|" pattern ...;
// a pattern may list several, separated by ";".
#include <memory>
#include <optional>

#include "dialogs/font_info.h"
#include "platform/text.h"

class CommonDialog {
 public:
  CommonDialog() = default;
  ~CommonDialog() = default;  // holds nothing

  // A new, independent object.
  std::unique_ptr<CommonDialog> Copy() const;

  // The chosen file's full path.
  Text OpenFile(std::optional<bool> preview = {}, std::optional<Text> title = {},
                std::optional<Text> defaultFileName = {}, std::optional<Text> filter = {},
                std::optional<Text> initialFolder = {}, std::optional<Text> defaultExtension = {},
                std::optional<bool> createPrompt = {}, std::optional<bool> fileMustExist = {},
                std::optional<bool> pathMustExist = {}, std::optional<bool> noChangeDir = {}) const;

  // The full path to save under.
  Text SaveFile(std::optional<bool> preview = {}, std::optional<Text> title = {},
                std::optional<Text> defaultFileName = {}, std::optional<Text> filter = {},
                std::optional<Text> initialFolder = {}, std::optional<Text> defaultExtension = {},
                std::optional<bool> overwritePrompt = {}, std::optional<bool> pathMustExist = {},
                std::optional<bool> noChangeDir = {}) const;

  // The chosen files' full paths, CR LF between them, none after the last.
  Text OpenFiles(std::optional<bool> preview = {}, std::optional<Text> title = {},
                 std::optional<Text> filter = {}, std::optional<Text> initialFolder = {}) const;

  // size in points; color 0x00BBGGRR presets the dialog and is not returned.
  FontInfo PickFont(std::optional<Text> faceName = {}, std::optional<int> size = {},
                    std::optional<int> color = {}, std::optional<bool> bold = {},
                    std::optional<bool> italic = {}, std::optional<bool> strikeOut = {},
                    std::optional<bool> underline = {}) const;
};

#pragma once
// One whole load: the user picks a saved exam page, its question list is cut
// out and rendered into the output box.
#include <functional>

#include "dialogs/common_dialog.h"
#include "json/json_object.h"
#include "platform/output_box.h"
#include "platform/text.h"

// What reading one page gave.
struct PageReading {
  bool opened = false;  // the file could be opened for reading
  int encoding = 4;     // DetectFileEncoding's code
  Text questionList;    // the list's JSON text; empty when none was found
};

// The steps between the dialog and the rendering: open the page, detect its
// encoding, read and convert its text (or show the notice for UTF-16), find
// the marker line, cut the hidden input's value, close the file.
PageReading ReadQuestionPage(const Text& path, const std::function<void()>& showUtf16Notice);

// The load as the window's worker runs it: the box is emptied, the dialog
// asks for the page, and its question list (or nothing) is rendered.
void LoadQuestionFile(CommonDialog& dialog, JsonObject& json, OutputBox& box);

// The notice for UTF-16 pages, as GBK texts.
const Text& Utf16NoticeText();
const Text& Utf16NoticeCaption();

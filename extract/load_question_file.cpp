#include "extract/load_question_file.h"

#include <optional>

#include "extract/encoding.h"
#include "extract/render_question_list.h"
#include "extract/text_helpers.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/gui_runtime.h"
#include "platform/message_box.h"

namespace {

const Text kLineMarker = "\"depTypeCode\":\"root_xuefks_xy_wsjs\"";
const Text kListStart = "<input type='hidden' value = '";
const Text kListEnd = "' id='questoinList'/>";

// The page's text: its bytes up to the first NUL or 0x1A character, or up to
// a lead byte that a NUL follows.
Text PageText(const ByteArray& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b == 0x00 || b == 0x1A) break;
    if (text::IsLeadByte(b)) {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\0') break;
      i += 2;
    } else {
      ++i;
    }
  }
  return bytes.substr(0, std::min(i, bytes.size()));
}

void ShowUtf16Notice() {
  MessageBoxA(nullptr, Utf16NoticeText().c_str(), Utf16NoticeCaption().c_str(), MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace

const Text& Utf16NoticeText() {
  static const Text notice = Utf16ToGbk(u"暂不支持的编码，请打开文件，另存为uft8或者Ansi编码。");
  return notice;
}

const Text& Utf16NoticeCaption() {
  static const Text caption = Utf16ToGbk(u"提示");
  return caption;
}

PageReading ReadQuestionPage(const Text& path, const std::function<void()>& showUtf16Notice) {
  PageReading reading;
  ReadOnlyFile file(path);
  reading.opened = file.IsOpen();
  reading.encoding = DetectFileEncoding(path);
  Text page = file.IsOpen() ? PageText(file.ReadAll()) : Text();
  switch (reading.encoding) {
    case 1:
      page = Utf8ToGbk(page);
      break;
    case 2:
    case 3:
      showUtf16Notice();
      break;
    default:
      break;
  }
  Text markerLine = GetLine(page, FindLineContaining(page, kLineMarker));
  reading.questionList = TextBetween(markerLine, kListStart, kListEnd);
  return reading;  // the file closes here, before anything is rendered
}

void LoadQuestionFile(CommonDialog& dialog, JsonObject& json, OutputBox& box) {
  static const Text title = Utf16ToGbk(u"打开数据文件");
  box.SetContent(Text());
  Text path = dialog.OpenFile(std::nullopt, title, std::nullopt, std::nullopt, gui::ProgramFolder());
  Text questionList;
  if (!path.empty()) questionList = ReadQuestionPage(path, ShowUtf16Notice).questionList;
  RenderQuestionList(questionList, json, box);
}

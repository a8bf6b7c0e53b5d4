#include "app/load_control.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "platform/codepage.h"

namespace {

using gui::ComponentForm;
using gui::ComponentKind;

constexpr DWORD kPushButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
                              BS_MULTILINE;

gui::WindowForm BuildForm() {
  gui::WindowForm form{
      .name = "MainWindow",
      .caption = Utf16ToGbk(u"获取砚衡网题目"),
      .width = 695,
      .height = 576,
      .centreOnScreen = true,
      .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      .background = COLOR_BTNFACE,
      .font = DEFAULT_GUI_FONT,
      .onCreated = OnWindowCreated,
  };
  form.components = {
      ComponentForm{.name = "拖放对象1",
                    .kind = ComponentKind::DropTarget,
                    .onTextDropped = OnTextDropped,
                    .onFilesDropped = OnFilesDropped},
      ComponentForm{.name = "时钟1", .kind = ComponentKind::Timer, .interval = 1000, .onTick = OnTimerTick},
      ComponentForm{.name = "按钮2",
                    .kind = ComponentKind::Button,
                    .caption = Utf16ToGbk(u"暂停"),
                    .left = 4, .top = 48, .width = 64, .height = 32,
                    .style = kPushButton & ~WS_VISIBLE,
                    .onClick = OnPauseClicked},
      ComponentForm{.name = "编辑框2",
                    .kind = ComponentKind::EditBox,
                    .left = 72, .top = 0, .width = 616, .height = 544,
                    .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE |
                             ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY,
                    .exStyle = WS_EX_CLIENTEDGE,
                    .textColor = 0x000000,
                    .backColor = 0xFFFFFF,
                    .textLimit = 0},
      ComponentForm{.name = "按钮1",
                    .kind = ComponentKind::Button,
                    .caption = Utf16ToGbk(u"读入"),
                    .left = 4, .top = 5, .width = 64, .height = 32,
                    .style = kPushButton,
                    .onClick = OnLoadClicked},
  };
  return form;
}

}  // namespace

const gui::WindowForm& MainWindowForm() {
  static const gui::WindowForm form = BuildForm();
  return form;
}

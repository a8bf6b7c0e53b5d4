#pragma once
// A window described as plain data: the window itself, then its components
// in stacking order (the first on top). The runtime builds windows from such
// a description, so the same table serves every backend.
#include <vector>

#include "platform/text.h"
#include "platform/win_types.h"

using COLORREF = DWORD;  // 0x00BBGGRR

// Window and control styles, with the values a native backend passes on.
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_TABSTOP = 0x00010000;  // on controls
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;

constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CENTER = 0x0300;
constexpr DWORD BS_VCENTER = 0x0C00;
constexpr DWORD BS_MULTILINE = 0x2000;

// System colour indexes and stock fonts.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int DEFAULT_GUI_FONT = 17;

namespace gui {

using Procedure = void (*)();
using TextProcedure = void (*)(const Text& text);

enum class ComponentKind { DropTarget, Timer, Button, EditBox };

struct ComponentForm {
  const char* name = nullptr;  // UTF-8; also the object's name on screen
  ComponentKind kind = ComponentKind::Button;
  Text caption{};    // GBK
  int left = 0, top = 0, width = 0, height = 0;  // client coordinates
  DWORD style = 0;
  DWORD exStyle = 0;
  int interval = 0;  // timer period, ms
  COLORREF textColor = 0x000000;
  COLORREF backColor = 0xFFFFFF;
  int textLimit = 0;  // edit box limit after creation; 0: the system's maximum
  Procedure onClick = nullptr;
  Procedure onTick = nullptr;
  TextProcedure onTextDropped = nullptr;
  TextProcedure onFilesDropped = nullptr;
};

struct WindowForm {
  const char* name = nullptr;  // UTF-8
  Text caption{};    // GBK
  int width = 0, height = 0;  // outer size, frame and title bar included
  bool centreOnScreen = true;
  int left = 0, top = 0;      // when not centred
  DWORD style = 0;
  DWORD exStyle = 0;
  int background = COLOR_BTNFACE;
  int font = DEFAULT_GUI_FONT;
  Procedure onCreated = nullptr;
  std::vector<ComponentForm> components{};  // stacking order, first on top
};

}  // namespace gui

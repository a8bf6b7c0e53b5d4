#pragma once
// The common dialogs as Windows offers them (file open/save, with or without
// a preview pane, and font), shown with Qt. Texts and paths in the records
// are GBK; this platform's path separator is "/".
//
// A dialog called on a thread without windows (any but the window thread) is
// shown by the window thread without an owner and blocks only the calling
// thread; the other windows stay usable meanwhile.
#include <functional>
#include <optional>
#include <vector>

#include "platform/text.h"
#include "platform/win_types.h"

// The short (version 4) form of the record, the size Windows checks for.
constexpr DWORD OPENFILENAME_SIZE_VERSION_400A = 76;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_CREATEPROMPT = 0x2000;
constexpr DWORD OFN_EXPLORER = 0x80000;

struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  const char* lpstrFilter;  // description NUL pattern NUL ... NUL NUL
  char* lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1-based; 0 picks the first
  char* lpstrFile;     // in: name for the name box; out: the choice
  DWORD nMaxFile;
  char* lpstrFileTitle;
  DWORD nMaxFileTitle;
  const char* lpstrInitialDir;
  const char* lpstrTitle;  // null: the dialog's own caption
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  const char* lpstrDefExt;
  LPARAM lCustData;
  void* lpfnHook;
  const char* lpTemplateName;
};

constexpr DWORD CF_SCREENFONTS = 0x1;
constexpr DWORD CF_PRINTERFONTS = 0x2;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x40;
constexpr DWORD CF_EFFECTS = 0x100;
constexpr DWORD CF_LIMITSIZE = 0x2000;
constexpr DWORD CF_FORCEFONTEXIST = 0x10000;

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
  LONG lfHeight;  // negative: character height in pixels
  LONG lfWidth;
  LONG lfEscapement;  // tenths of a degree
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONTA) == 60);

constexpr DWORD CHOOSEFONT_SIZE = 60;  // the record's size on 32-bit Windows

struct CHOOSEFONTA {
  DWORD lStructSize;
  HWND hwndOwner;
  HDC hDC;
  LOGFONTA* lpLogFont;
  int iPointSize;  // out: tenths of a point
  DWORD Flags;
  COLORREF rgbColors;
  LPARAM lCustData;
  void* lpfnHook;
  const char* lpTemplateName;
  HINSTANCE hInstance;
  char* lpszStyle;
  WORD nFontType;
  WORD reserved;
  int nSizeMin;  // points, with CF_LIMITSIZE
  int nSizeMax;
};

// Nonzero when the user confirmed a choice that fits the record; 0 on cancel
// or failure (a bad record, no GUI runtime, a choice too long for nMaxFile).
BOOL GetOpenFileNameA(OPENFILENAMEA* record);
BOOL GetSaveFileNameA(OPENFILENAMEA* record);
// The same with a preview pane beside the file list.
BOOL GetOpenFileNamePreview(OPENFILENAMEA* record);
BOOL GetSaveFileNamePreviewA(OPENFILENAMEA* record);
BOOL ChooseFontA(CHOOSEFONTA* record);

namespace commdlg {

enum class DialogKind { Open, Save, OpenPreview, SavePreview };

// What a person answers in a file dialog: the chosen files' full paths
// (GBK), after the dialog's own checks; nothing for cancel.
using FileAnswerer =
    std::function<std::optional<std::vector<Text>>(const OPENFILENAMEA& record, DialogKind kind)>;

// What a person answers in the font dialog.
struct FontChoice {
  Text faceName;
  int pointSize = 90;  // tenths of a point
  LONG weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  LONG escapement = 0;
  COLORREF color = 0;
};
using FontAnswerer = std::function<std::optional<FontChoice>(const CHOOSEFONTA& record)>;

// While one lives, its answerer is asked instead of showing the dialog, on
// the calling thread; the record is then filled from the answer as from the
// dialog's. Guards nest: the previous answerer comes back.
class ScopedFileAnswerer {
 public:
  explicit ScopedFileAnswerer(FileAnswerer answerer);
  ~ScopedFileAnswerer();
  ScopedFileAnswerer(const ScopedFileAnswerer&) = delete;
  ScopedFileAnswerer& operator=(const ScopedFileAnswerer&) = delete;

 private:
  FileAnswerer previous_;
};

class ScopedFontAnswerer {
 public:
  explicit ScopedFontAnswerer(FontAnswerer answerer);
  ~ScopedFontAnswerer();
  ScopedFontAnswerer(const ScopedFontAnswerer&) = delete;
  ScopedFontAnswerer& operator=(const ScopedFontAnswerer&) = delete;

 private:
  FontAnswerer previous_;
};

// The calling thread's waiting window messages are handled (nothing on a
// thread without a queue of its own).
void ProcessWaitingMessages();

}  // namespace commdlg

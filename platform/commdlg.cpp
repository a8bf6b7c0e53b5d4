#include "platform/commdlg.h"

#include <QCoreApplication>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>

#include "platform/codepage.h"
#include "platform/dialog_file_qt.h"
#include "platform/dialog_font_qt.h"
#include "platform/winapi_misc.h"
#include "platform/window_thread.h"

namespace {

std::mutex g_answerersMutex;
commdlg::FileAnswerer g_fileAnswerer;
commdlg::FontAnswerer g_fontAnswerer;

template <class Answerer>
Answerer CurrentAnswerer(const Answerer& answerer) {
  std::lock_guard lock(g_answerersMutex);
  return answerer;
}

// ---- file dialogs ----

// The record's texts: up to their NUL, a buffer read no further than its size.
Text BoundedText(const char* buffer, std::size_t size) {
  if (!buffer) return {};
  const void* nul = std::memchr(buffer, '\0', size);
  return Text(buffer, nul ? static_cast<const char*>(nul) - buffer : size);
}

// "description NUL pattern NUL ... NUL NUL" as its pieces.
std::vector<Text> DoubleNulList(const char* list) {
  std::vector<Text> pieces;
  if (!list) return pieces;
  while (*list) {
    pieces.emplace_back(list);
    list += pieces.back().size() + 1;
  }
  return pieces;
}

// Offset of the last "/" of a path, stepping by characters; npos for none.
std::size_t LastSeparator(const Text& path) {
  std::size_t last = Text::npos;
  for (std::size_t i = 0; std::size_t n = text::CharLength(path, i); i += n) {
    if (path[i] == '/') last = i;
  }
  return last;
}

Text FolderOf(const Text& path) {
  std::size_t at = LastSeparator(path);
  if (at == Text::npos) return {};
  return at == 0 ? Text("/") : path.substr(0, at);
}

Text NameOf(const Text& path) {
  std::size_t at = LastSeparator(path);
  return at == Text::npos ? path : path.substr(at + 1);
}

bool IsWholePath(const Text& path) {
  return path.find('\0') == Text::npos && !NameOf(path).empty();
}

WORD ExtensionOffset(const Text& path, std::size_t nameOffset) {
  std::size_t dot = Text::npos;
  for (std::size_t i = nameOffset; std::size_t n = text::CharLength(path, i); i += n) {
    if (path[i] == '.') dot = i;
  }
  return static_cast<WORD>(dot == Text::npos ? path.size() : dot + 1);
}

// One file: its path and NUL (a second NUL in a multi-select answer).
bool WriteOnePath(OPENFILENAMEA& record, const Text& path, bool multiSelect) {
  std::size_t needed = path.size() + (multiSelect ? 2 : 1);
  if (needed > record.nMaxFile || needed > 0xFFFF) return false;
  std::memcpy(record.lpstrFile, path.data(), path.size());
  std::memset(record.lpstrFile + path.size(), 0, needed - path.size());
  std::size_t nameOffset = path.size() - NameOf(path).size();
  record.nFileOffset = static_cast<WORD>(nameOffset);
  record.nFileExtension = ExtensionOffset(path, nameOffset);
  Text name = NameOf(path);
  if (record.lpstrFileTitle && name.size() < record.nMaxFileTitle) {
    std::memcpy(record.lpstrFileTitle, name.c_str(), name.size() + 1);
  }
  return true;
}

// Several files of one folder: folder NUL name NUL ... NUL NUL.
bool WriteSeveralPaths(OPENFILENAMEA& record, const std::vector<Text>& paths) {
  Text folder = FolderOf(paths.front());
  if (folder.empty()) return false;
  Text list = folder;
  list += '\0';
  for (const Text& path : paths) {
    if (FolderOf(path) != folder) return false;  // a dialog lists one folder
    list += NameOf(path);
    list += '\0';
  }
  list += '\0';
  if (list.size() > record.nMaxFile || list.size() > 0xFFFF) return false;
  std::memcpy(record.lpstrFile, list.data(), list.size());
  record.nFileOffset = static_cast<WORD>(folder.size() + 1);
  record.nFileExtension = 0;
  return true;
}

void ChangeDirectoryTo(const Text& folder) {
  if (folder.empty()) return;
  std::error_code ignored;
  std::filesystem::current_path(std::filesystem::path(Utf16ToUtf8(GbkToUtf16(folder))), ignored);
}

bool IsMultiSelect(const OPENFILENAMEA& record, commdlg::DialogKind kind) {
  bool open = kind == commdlg::DialogKind::Open || kind == commdlg::DialogKind::OpenPreview;
  return open && (record.Flags & OFN_ALLOWMULTISELECT);
}

dialog_file_qt::Setup FileSetup(const OPENFILENAMEA& record, commdlg::DialogKind kind) {
  dialog_file_qt::Setup setup;
  setup.owner = record.hwndOwner;
  setup.save = kind == commdlg::DialogKind::Save || kind == commdlg::DialogKind::SavePreview;
  setup.preview = kind == commdlg::DialogKind::OpenPreview || kind == commdlg::DialogKind::SavePreview;
  setup.flags = record.Flags;
  if (record.lpstrTitle) setup.title = GbkToUtf16(record.lpstrTitle);
  if (record.lpstrInitialDir) setup.initialFolder = GbkToUtf16(record.lpstrInitialDir);
  setup.defaultName = GbkToUtf16(BoundedText(record.lpstrFile, record.nMaxFile));
  std::vector<Text> pieces = DoubleNulList(record.lpstrFilter);
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {  // a description without patterns is dropped
    setup.filters.emplace_back(GbkToUtf16(pieces[i]), GbkToUtf16(pieces[i + 1]));
  }
  setup.filterIndex = record.nFilterIndex > 0 ? record.nFilterIndex - 1 : 0;
  if (record.lpstrDefExt) setup.defaultExtension = GbkToUtf16(record.lpstrDefExt);
  return setup;
}

std::optional<std::vector<Text>> ShowFileDialog(OPENFILENAMEA& record, commdlg::DialogKind kind) {
  dialog_file_qt::Setup setup = FileSetup(record, kind);
  std::optional<dialog_file_qt::Answer> answer;
  if (!window_thread::Call([&] { answer = dialog_file_qt::Show(setup); }) || !answer) return std::nullopt;
  if (!setup.filters.empty()) record.nFilterIndex = static_cast<DWORD>(answer->filterIndex + 1);
  std::vector<Text> paths;
  for (const std::u16string& path : answer->paths) paths.push_back(Utf16ToGbk(path));
  return paths;
}

BOOL RunFileDialog(OPENFILENAMEA* record, commdlg::DialogKind kind) {
  if (!record || record->lStructSize != OPENFILENAME_SIZE_VERSION_400A || !record->lpstrFile ||
      record->nMaxFile == 0) {
    return FALSE;
  }
  std::optional<std::vector<Text>> paths;
  if (commdlg::FileAnswerer answerer = CurrentAnswerer(g_fileAnswerer)) {
    paths = answerer(*record, kind);
  } else {
    paths = ShowFileDialog(*record, kind);
  }
  if (!paths || paths->empty()) return FALSE;
  for (const Text& path : *paths) {
    if (!IsWholePath(path)) return FALSE;
  }
  bool multiSelect = IsMultiSelect(*record, kind);
  if (!multiSelect && paths->size() != 1) return FALSE;
  bool written = paths->size() == 1 ? WriteOnePath(*record, paths->front(), multiSelect)
                                    : WriteSeveralPaths(*record, *paths);
  if (!written) return FALSE;
  if (!(record->Flags & OFN_NOCHANGEDIR)) ChangeDirectoryTo(FolderOf(paths->front()));
  return TRUE;
}

// ---- font dialog ----

// At most LF_FACESIZE - 1 bytes, never half a character.
void StoreFaceName(LOGFONTA& font, const Text& name) {
  std::size_t length = 0;
  while (std::size_t n = text::CharLength(name, length)) {
    if (length + n > LF_FACESIZE - 1) break;
    length += n;
  }
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::memcpy(font.lfFaceName, name.data(), length);
}

int ScreenLogPixelsY() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::optional<commdlg::FontChoice> ShowFontDialog(const CHOOSEFONTA& record) {
  dialog_font_qt::Setup setup;
  setup.owner = record.hwndOwner;
  if (record.Flags & CF_INITTOLOGFONTSTRUCT) {
    const LOGFONTA& font = *record.lpLogFont;
    setup.faceName = GbkToUtf16(BoundedText(font.lfFaceName, sizeof font.lfFaceName));
    int dpi = ScreenLogPixelsY();
    if (font.lfHeight != 0 && dpi > 0) setup.pointSize = std::abs(font.lfHeight) * 72.0 / dpi;
    setup.weight = font.lfWeight;
    setup.italic = font.lfItalic != 0;
    setup.underline = font.lfUnderline != 0;
    setup.strikeOut = font.lfStrikeOut != 0;
  }
  if (record.Flags & CF_LIMITSIZE) {
    setup.minSize = record.nSizeMin;
    setup.maxSize = record.nSizeMax;
  }
  std::optional<dialog_font_qt::Answer> answer;
  if (!window_thread::Call([&] { answer = dialog_font_qt::Show(setup); }) || !answer) return std::nullopt;
  commdlg::FontChoice choice;
  choice.faceName = Utf16ToGbk(answer->faceName);
  choice.pointSize = static_cast<int>(std::lround(answer->pointSize * 10));
  choice.weight = answer->weight;
  choice.italic = answer->italic;
  choice.underline = answer->underline;
  choice.strikeOut = answer->strikeOut;
  choice.color = record.rgbColors;  // the dialog has no colour box to change it
  return choice;
}

bool FitsLimits(const CHOOSEFONTA& record, int pointSize) {
  if (!(record.Flags & CF_LIMITSIZE)) return true;
  return pointSize >= record.nSizeMin * 10 && (record.nSizeMax <= 0 || pointSize <= record.nSizeMax * 10);
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* record) { return RunFileDialog(record, commdlg::DialogKind::Open); }
BOOL GetSaveFileNameA(OPENFILENAMEA* record) { return RunFileDialog(record, commdlg::DialogKind::Save); }
BOOL GetOpenFileNamePreview(OPENFILENAMEA* record) {
  return RunFileDialog(record, commdlg::DialogKind::OpenPreview);
}
BOOL GetSaveFileNamePreviewA(OPENFILENAMEA* record) {
  return RunFileDialog(record, commdlg::DialogKind::SavePreview);
}

BOOL ChooseFontA(CHOOSEFONTA* record) {
  if (!record || record->lStructSize != CHOOSEFONT_SIZE || !record->lpLogFont) return FALSE;
  std::optional<commdlg::FontChoice> choice;
  if (commdlg::FontAnswerer answerer = CurrentAnswerer(g_fontAnswerer)) {
    choice = answerer(*record);
  } else {
    choice = ShowFontDialog(*record);
  }
  if (!choice || choice->pointSize <= 0 || !FitsLimits(*record, choice->pointSize)) return FALSE;

  LOGFONTA& font = *record->lpLogFont;
  StoreFaceName(font, choice->faceName);
  font.lfHeight = -MulDiv(choice->pointSize, ScreenLogPixelsY(), 720);
  font.lfWidth = 0;
  font.lfWeight = choice->weight;
  font.lfItalic = choice->italic ? 1 : 0;
  font.lfUnderline = choice->underline ? 1 : 0;
  font.lfStrikeOut = choice->strikeOut ? 1 : 0;
  record->iPointSize = choice->pointSize;
  if (record->Flags & CF_EFFECTS) record->rgbColors = choice->color;
  return TRUE;
}

namespace commdlg {

ScopedFileAnswerer::ScopedFileAnswerer(FileAnswerer answerer) {
  std::lock_guard lock(g_answerersMutex);
  previous_ = std::exchange(g_fileAnswerer, std::move(answerer));
}

ScopedFileAnswerer::~ScopedFileAnswerer() {
  std::lock_guard lock(g_answerersMutex);
  g_fileAnswerer = std::move(previous_);
}

ScopedFontAnswerer::ScopedFontAnswerer(FontAnswerer answerer) {
  std::lock_guard lock(g_answerersMutex);
  previous_ = std::exchange(g_fontAnswerer, std::move(answerer));
}

ScopedFontAnswerer::~ScopedFontAnswerer() {
  std::lock_guard lock(g_answerersMutex);
  g_fontAnswerer = std::move(previous_);
}

void ProcessWaitingMessages() { QCoreApplication::processEvents(); }

}  // namespace commdlg

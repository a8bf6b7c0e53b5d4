#include "dialogs/common_dialog.h"

#include <cstring>
#include <vector>

#include "platform/commdlg.h"
#include "platform/winapi_misc.h"

namespace {

constexpr DWORD kFileBufferSize = 255;
constexpr DWORD kFilesBufferSize = 4096;
constexpr DWORD kOpenFilesFlags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR;
constexpr DWORD kPickFontFlags =
    CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_LIMITSIZE | CF_FORCEFONTEXIST;
constexpr int kSmallestSize = 8;
constexpr int kLargestSize = 72;

bool IsTrue(const std::optional<bool>& flag) { return flag.value_or(false); }

// The text as far as a scan reaches: up to its NUL, whole characters only.
Text Scanned(const Text& text, std::size_t limit = Text::npos) {
  std::size_t end = 0;
  while (std::size_t n = text::CharLength(text, end)) {
    if (end + n > limit) break;
    end += n;
  }
  return text.substr(0, end);
}

// "A|P|B|Q" -> A NUL P NUL B NUL Q NUL NUL. Steps by characters, so the
// second byte of a two-byte character is never taken for a "|".
Text FilterBuffer(const std::optional<Text>& filter) {
  Text buffer = Scanned(filter.value_or(Text()));
  for (std::size_t i = 0; std::size_t n = text::CharLength(buffer, i); i += n) {
    if (buffer[i] == '|') buffer[i] = '\0';
  }
  buffer.append(2, '\0');
  return buffer;
}

Text UpToNul(const char* buffer, std::size_t size) {
  const void* nul = std::memchr(buffer, '\0', size);
  return Text(buffer, nul ? static_cast<const char*>(nul) - buffer : size);
}

const char* OrNull(const std::optional<Text>& text) { return text ? text->c_str() : nullptr; }

using DialogFunction = BOOL (*)(OPENFILENAMEA*);

DialogFunction OpenFunction(const std::optional<bool>& preview) {
  return IsTrue(preview) ? GetOpenFileNamePreview : GetOpenFileNameA;
}

DialogFunction SaveFunction(const std::optional<bool>& preview) {
  return IsTrue(preview) ? GetSaveFileNamePreviewA : GetSaveFileNameA;
}

// OpenFile and SaveFile: one name, in the 255-byte buffer.
Text AskForOneFile(DialogFunction show, const char* ownCaption, const std::optional<Text>& title,
                   const std::optional<Text>& defaultFileName, const std::optional<Text>& filter,
                   const std::optional<Text>& initialFolder, const std::optional<Text>& defaultExtension,
                   DWORD optionBits) {
  Text filterBuffer = FilterBuffer(filter);
  std::vector<char> file(kFileBufferSize, '\0');
  // A default name that cannot fit with its NUL is left out: the name box
  // starts empty rather than with a cut, different name.
  Text name = Scanned(defaultFileName.value_or(Text()));
  if (name.size() < kFileBufferSize) lstrcpyA(file.data(), name.c_str());
  // Kept in the file-title member, which with no size is neither shown nor written.
  Text caption = ownCaption;

  OPENFILENAMEA record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = GetActiveWindow();
  record.lpstrFilter = filterBuffer.data();
  record.lpstrFile = file.data();
  record.nMaxFile = kFileBufferSize;
  record.lpstrFileTitle = caption.data();
  record.nMaxFileTitle = 0;
  record.lpstrInitialDir = OrNull(initialFolder);
  record.lpstrTitle = OrNull(title);
  record.lpstrDefExt = OrNull(defaultExtension);
  record.Flags = OFN_EXPLORER | optionBits;

  if (!show(&record)) return {};
  return UpToNul(file.data(), file.size());
}

// Folder and names, as the multi-select dialog lists them, split at NULs.
std::vector<Text> SplitAtNuls(const Text& selection) {
  std::vector<Text> pieces(1);
  for (std::size_t i = 0; i < selection.size();) {
    if (selection[i] == '\0') {
      pieces.emplace_back();
      ++i;
      continue;
    }
    std::size_t n = text::IsLeadByte(static_cast<unsigned char>(selection[i])) && i + 1 < selection.size() &&
                            selection[i + 1] != '\0'
                        ? 2
                        : 1;
    pieces.back().append(selection, i, n);
    i += n;
  }
  return pieces;
}

struct GlobalFreer {
  void operator()(void* block) const { GlobalFree(block); }
};
using GlobalBlock = std::unique_ptr<void, GlobalFreer>;

}  // namespace

std::unique_ptr<CommonDialog> CommonDialog::Copy() const { return std::make_unique<CommonDialog>(); }

Text CommonDialog::OpenFile(std::optional<bool> preview, std::optional<Text> title,
                            std::optional<Text> defaultFileName, std::optional<Text> filter,
                            std::optional<Text> initialFolder, std::optional<Text> defaultExtension,
                            std::optional<bool> createPrompt, std::optional<bool> fileMustExist,
                            std::optional<bool> pathMustExist, std::optional<bool> noChangeDir) const {
  DWORD bits = (IsTrue(createPrompt) ? OFN_CREATEPROMPT : 0) | (IsTrue(fileMustExist) ? OFN_FILEMUSTEXIST : 0) |
               (IsTrue(pathMustExist) ? OFN_PATHMUSTEXIST : 0) | (IsTrue(noChangeDir) ? OFN_NOCHANGEDIR : 0);
  return AskForOneFile(OpenFunction(preview), "Open a file", title, defaultFileName, filter, initialFolder,
                       defaultExtension, bits);
}

Text CommonDialog::SaveFile(std::optional<bool> preview, std::optional<Text> title,
                            std::optional<Text> defaultFileName, std::optional<Text> filter,
                            std::optional<Text> initialFolder, std::optional<Text> defaultExtension,
                            std::optional<bool> overwritePrompt, std::optional<bool> pathMustExist,
                            std::optional<bool> noChangeDir) const {
  DWORD bits = (IsTrue(overwritePrompt) ? OFN_OVERWRITEPROMPT : 0) |
               (IsTrue(pathMustExist) ? OFN_PATHMUSTEXIST : 0) | (IsTrue(noChangeDir) ? OFN_NOCHANGEDIR : 0);
  return AskForOneFile(SaveFunction(preview), "Save a file", title, defaultFileName, filter, initialFolder,
                       defaultExtension, bits);
}

Text CommonDialog::OpenFiles(std::optional<bool> preview, std::optional<Text> title, std::optional<Text> filter,
                             std::optional<Text> initialFolder) const {
  commdlg::ProcessWaitingMessages();
  Text filterBuffer = FilterBuffer(filter);
  std::vector<char> files(kFilesBufferSize, '\0');

  OPENFILENAMEA record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = GetActiveWindow();
  record.lpstrFilter = filterBuffer.data();
  record.lpstrFile = files.data();
  record.nMaxFile = kFilesBufferSize;
  record.lpstrInitialDir = OrNull(initialFolder);
  record.lpstrTitle = OrNull(title);
  record.Flags = kOpenFilesFlags;
  if (!OpenFunction(preview)(&record)) return {};

  Text buffer(files.data(), files.size());
  std::size_t end = buffer.find(Text(2, '\0'));
  Text selection = end == Text::npos ? Text() : buffer.substr(0, end);
  if (selection.find('\0') == Text::npos) return selection;

  // Split at the NULs themselves: on this platform a name may hold a "|".
  std::vector<Text> pieces = SplitAtNuls(selection);
  Text folder = pieces.front();
  if (folder.empty() || folder.back() != '/') folder += '/';
  Text paths;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    paths += folder;
    paths += pieces[i];
    if (i + 1 < pieces.size()) paths += "\r\n";
    commdlg::ProcessWaitingMessages();
  }
  return paths;
}

FontInfo CommonDialog::PickFont(std::optional<Text> faceName, std::optional<int> size, std::optional<int> color,
                                std::optional<bool> bold, std::optional<bool> italic,
                                std::optional<bool> strikeOut, std::optional<bool> underline) const {
  FontInfo result;

  LOGFONTA font{};
  // A longer face name is cut to what the record holds, at a character's end.
  Text face = Scanned(faceName.value_or(Text()), LF_FACESIZE - 1);
  lstrcpyA(font.lfFaceName, face.c_str());
  HDC screen = GetDC(nullptr);
  int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font.lfHeight = -MulDiv(size.value_or(0), dotsPerInch, 72);
  font.lfWeight = IsTrue(bold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = IsTrue(italic) ? 1 : 0;
  font.lfStrikeOut = IsTrue(strikeOut) ? 1 : 0;
  font.lfUnderline = IsTrue(underline) ? 1 : 0;
  font.lfCharSet = DEFAULT_CHARSET;

  GlobalBlock block(GlobalAlloc(GMEM_ZEROINIT, sizeof(LOGFONTA)));
  if (!block) return result;
  RtlMoveMemory(block.get(), &font, sizeof font);

  CHOOSEFONTA choose{};
  choose.lStructSize = CHOOSEFONT_SIZE;
  choose.hwndOwner = GetActiveWindow();
  choose.lpLogFont = static_cast<LOGFONTA*>(block.get());
  choose.Flags = kPickFontFlags;
  choose.rgbColors = static_cast<COLORREF>(color.value_or(0));
  choose.nSizeMin = kSmallestSize;
  choose.nSizeMax = kLargestSize;

  if (ChooseFontA(&choose)) {
    RtlMoveMemory(&font, block.get(), sizeof font);
    result.m_faceName = UpToNul(font.lfFaceName, sizeof font.lfFaceName);
    result.m_size = choose.iPointSize / 10;
    result.m_italic = font.lfItalic == 1;
    result.m_underline = font.lfUnderline == 1;
    result.m_strikeOut = font.lfStrikeOut == 1;
    result.m_bold = font.lfWeight == FW_BOLD;
    result.m_angle = font.lfEscapement;
  }
  return result;
}

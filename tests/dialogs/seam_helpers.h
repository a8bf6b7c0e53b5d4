#pragma once
// What a test answers in a file dialog, and what it saw of the record.
#include <optional>
#include <string>
#include <vector>

#include "platform/commdlg.h"

// A copy of what the dialog function was given; the record's buffers die
// with the call.
struct SeenRecord {
  OPENFILENAMEA record{};
  commdlg::DialogKind kind{};
  std::string filter;                     // up to and including the closing NUL NUL
  std::string file;                       // the whole file buffer
  std::optional<std::string> title;       // null stays nothing
  std::optional<std::string> initialDir;
  std::optional<std::string> defaultExtension;
  std::optional<std::string> fileTitle;
};

inline std::string DoubleNulBytes(const char* list) {
  std::string bytes;
  if (!list) return bytes;
  for (std::size_t i = 0;; ++i) {
    bytes += list[i];
    if (i > 0 && list[i] == '\0' && list[i - 1] == '\0') return bytes;
  }
}

inline std::optional<std::string> Copied(const char* text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

// Records the call and answers with the given paths (nothing: cancel).
class FileAnswer {
 public:
  explicit FileAnswer(std::optional<std::vector<Text>> paths = std::nullopt)
      : guard_([this, paths](const OPENFILENAMEA& record, commdlg::DialogKind kind) {
          SeenRecord& seen = seen_.emplace_back();
          seen.record = record;
          seen.kind = kind;
          seen.filter = DoubleNulBytes(record.lpstrFilter);
          seen.file.assign(record.lpstrFile, record.nMaxFile);
          seen.title = Copied(record.lpstrTitle);
          seen.initialDir = Copied(record.lpstrInitialDir);
          seen.defaultExtension = Copied(record.lpstrDefExt);
          seen.fileTitle = Copied(record.lpstrFileTitle);
          return paths;
        }) {}

  const std::vector<SeenRecord>& Seen() const { return seen_; }
  const SeenRecord& Last() const { return seen_.back(); }

 private:
  std::vector<SeenRecord> seen_;
  commdlg::ScopedFileAnswerer guard_;
};

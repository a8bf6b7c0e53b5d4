#pragma once
// The pane beside the file list of the preview dialogs: the first lines of a
// text file, or a picture scaled to fit.
#include <QLabel>

class FilePreviewPane : public QLabel {
 public:
  explicit FilePreviewPane(QWidget* parent);
  void ShowFile(const QString& path);
};

#include "platform/dialog_file_qt.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

#include <algorithm>
#include <memory>

#include "platform/commdlg.h"
#include "platform/dialog_owner.h"
#include "platform/dialog_preview.h"

namespace dialog_file_qt {
namespace {

QString ToQString(const std::u16string& s) { return QString::fromStdU16String(s); }

// The checks that QFileDialog leaves out: the folder must exist, and a new
// file is created only when the person agrees.
class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* parent, DWORD flags, bool save) : QFileDialog(parent), flags_(flags), save_(save) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && !QFileInfo(files.first()).isDir() && !Confirmed(files.first())) return;
    QFileDialog::accept();
  }

 private:
  bool Confirmed(const QString& file) {
    QFileInfo info(file);
    bool pathMustExist = flags_ & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (pathMustExist && !info.absoluteDir().exists()) {
      QMessageBox::warning(this, windowTitle(),
                           tr("%1\nThe folder does not exist.\nCheck that the path is right.")
                               .arg(QDir::toNativeSeparators(info.absolutePath())));
      return false;
    }
    bool createPrompt = !save_ && (flags_ & OFN_CREATEPROMPT) && !(flags_ & OFN_FILEMUSTEXIST);
    if (createPrompt && !info.exists()) {
      return QMessageBox::question(this, windowTitle(),
                                   tr("%1\nThis file does not exist.\nCreate the file?").arg(info.fileName()),
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    }
    return true;
  }

  DWORD flags_;
  bool save_;
};

QFileDialog::FileMode ModeFor(const Setup& setup) {
  if (setup.save) return QFileDialog::AnyFile;
  if (setup.flags & OFN_ALLOWMULTISELECT) return QFileDialog::ExistingFiles;
  if (setup.flags & OFN_FILEMUSTEXIST) return QFileDialog::ExistingFile;
  return QFileDialog::AnyFile;
}

// "Text (*.txt;*.log)" shows as its description alone, as Windows lists it.
QStringList NameFilters(const Setup& setup) {
  QStringList filters;
  for (const auto& [description, patterns] : setup.filters) {
    QString qtPatterns = ToQString(patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    filters << ToQString(description) + QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
  }
  return filters;
}

void AddPreviewPane(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  auto pane = std::make_unique<FilePreviewPane>(&dialog);
  FilePreviewPane* shown = pane.get();
  grid->addWidget(pane.release(), 0, grid->columnCount(), grid->rowCount(), 1);  // the layout's widget now
  QObject::connect(&dialog, &QFileDialog::currentChanged, shown, &FilePreviewPane::ShowFile);
}

void Configure(FileDialog& dialog, const Setup& setup) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(setup.save && (setup.flags & OFN_OVERWRITEPROMPT)));
  dialog.setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(ModeFor(setup));
  if (setup.title) dialog.setWindowTitle(ToQString(*setup.title));
  if (setup.initialFolder && !setup.initialFolder->empty()) dialog.setDirectory(ToQString(*setup.initialFolder));
  QStringList filters = NameFilters(setup);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(static_cast<qsizetype>(setup.filterIndex), filters.first()));
  }
  if (!setup.defaultExtension.empty()) dialog.setDefaultSuffix(ToQString(setup.defaultExtension));
  if (!setup.defaultName.empty()) dialog.selectFile(ToQString(setup.defaultName));
  if (setup.preview) AddPreviewPane(dialog);
}

}  // namespace

std::optional<Answer> Show(const Setup& setup) {
  if (!dialog_owner::HasWidgets()) return std::nullopt;
  QWidget* owner = dialog_owner::FromHandle(setup.owner);
  auto dialog = std::make_unique<FileDialog>(owner, setup.flags, setup.save);
  Configure(*dialog, setup);

  std::optional<int> code =
      dialog_owner::RunOwnedDialog(dialog, owner ? Qt::WindowModal : Qt::NonModal);
  if (!code || *code != QDialog::Accepted) return std::nullopt;

  Answer answer;
  for (const QString& path : dialog->selectedFiles()) answer.paths.push_back(path.toStdU16String());
  answer.filterIndex = static_cast<std::size_t>(std::max<qsizetype>(0, dialog->nameFilters().indexOf(dialog->selectedNameFilter())));
  return answer;
}

}  // namespace dialog_file_qt

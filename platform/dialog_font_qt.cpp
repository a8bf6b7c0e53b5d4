#include "platform/dialog_font_qt.h"

#include <QAbstractItemModel>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QValidator>

#include <algorithm>
#include <memory>

#include "platform/dialog_owner.h"

namespace dialog_font_qt {
namespace {

// QFontDialog has no size limits of its own: the size list hides what lies
// outside them, the size box refuses it, and a choice outside is not taken.
class FontDialog : public QFontDialog {
 public:
  FontDialog(QWidget* parent, int minSize, int maxSize) : QFontDialog(parent), min_(minSize), max_(maxSize) {
    setOption(QFontDialog::DontUseNativeDialog);
    if (Limited()) LimitSizeWidgets();
  }

  void accept() override {
    double size = currentFont().pointSizeF();
    if (Limited() && (size < min_ || size > max_)) {
      QMessageBox::warning(this, windowTitle(), tr("Size must be between %1 and %2 points.").arg(min_).arg(max_));
      return;
    }
    QFontDialog::accept();
  }

 private:
  bool Limited() const { return min_ > 0 || max_ > 0; }
  bool InRange(int size) const { return size >= min_ && (max_ <= 0 || size <= max_); }

  void LimitSizeWidgets() {
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
      if (auto* sizes = qobject_cast<QIntValidator*>(const_cast<QValidator*>(edit->validator()))) {
        sizes->setRange(min_, max_ > 0 ? max_ : sizes->top());
      }
    }
    for (QListView* list : findChildren<QListView*>()) {
      QAbstractItemModel* model = list->model();
      if (!model || !IsSizeList(*model)) continue;
      // Connected after the view's own reset, so the hiding outlasts it.
      auto hide = [this, list, model] {
        for (int row = 0; row < model->rowCount(); ++row) {
          bool isNumber = false;
          int size = model->index(row, 0).data().toString().toInt(&isNumber);
          list->setRowHidden(row, isNumber && !InRange(size));
        }
      };
      connect(model, &QAbstractItemModel::modelReset, list, hide);
      connect(model, &QAbstractItemModel::rowsInserted, list, hide);
      hide();
    }
  }

  static bool IsSizeList(const QAbstractItemModel& model) {
    if (model.rowCount() == 0) return false;
    bool isNumber = false;
    model.index(0, 0).data().toString().toInt(&isNumber);
    return isNumber;
  }

  int min_;
  int max_;
};

QFont StartFont(const Setup& setup) {
  QFont font;
  if (setup.faceName && !setup.faceName->empty()) font.setFamily(QString::fromStdU16String(*setup.faceName));
  if (setup.pointSize && *setup.pointSize > 0) font.setPointSizeF(*setup.pointSize);
  font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(setup.weight > 0 ? setup.weight : 400, 1, 1000)));
  font.setItalic(setup.italic);
  font.setUnderline(setup.underline);
  font.setStrikeOut(setup.strikeOut);
  return font;
}

}  // namespace

std::optional<Answer> Show(const Setup& setup) {
  if (!dialog_owner::HasWidgets()) return std::nullopt;
  QWidget* owner = dialog_owner::FromHandle(setup.owner);
  auto dialog = std::make_unique<FontDialog>(owner, setup.minSize, setup.maxSize);
  dialog->setCurrentFont(StartFont(setup));

  std::optional<int> code = dialog_owner::RunOwnedDialog(dialog, owner ? Qt::WindowModal : Qt::NonModal);
  if (!code || *code != QDialog::Accepted) return std::nullopt;

  QFont chosen = dialog->selectedFont();
  Answer answer;
  answer.faceName = chosen.family().toStdU16String();
  answer.pointSize = chosen.pointSizeF();
  answer.weight = chosen.weight();
  answer.italic = chosen.italic();
  answer.underline = chosen.underline();
  answer.strikeOut = chosen.strikeOut();
  return answer;
}

}  // namespace dialog_font_qt

// The real Qt dialogs, driven as a person would under the offscreen platform.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include <unistd.h>

#include "dialog_driver.h"
#include "dialogs/common_dialog.h"
#include "platform/codepage.h"
#include "platform/commdlg.h"
#include "platform/dialog_preview.h"
#include "platform/winapi_misc.h"

namespace {

namespace fs = std::filesystem;

// A folder with a Chinese name, so that paths cross the GBK edge.
class DataFolder : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("examtext-dlg-" + std::to_string(::getpid())) / u8"题库";
    fs::create_directories(folder_);
    std::ofstream(folder_ / "data.htm") << "line one\r\nline two\r\n";
  }
  void TearDown() override { fs::remove_all(folder_.parent_path()); }

  QString QtFolder() const { return QString::fromStdString(folder_.string()); }
  Text GbkFolder() const { return Utf16ToGbk(QtFolder().toStdU16String()); }

  fs::path folder_;
};

QPushButton* AcceptButton(QDialog& dialog) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  if (!buttons) return nullptr;
  for (auto role : {QDialogButtonBox::Open, QDialogButtonBox::Save, QDialogButtonBox::Ok}) {
    if (QPushButton* button = buttons->button(static_cast<QDialogButtonBox::StandardButton>(role))) return button;
  }
  return nullptr;
}

TEST_F(DataFolder, OpenFileFromAWorkerIsShownByTheWindowThreadWhichStaysResponsive) {
  QWidget mainWindow;
  mainWindow.show();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(10);

  Text chosen = "unset";
  const Text title = Utf16ToGbk(u"打开数据文件");
  Text folder = GbkFolder();
  struct Seen {
    QString title;
    fs::path directory;
    Qt::WindowModality modality;
    bool hasParent;
    bool modalWidget;
  };
  std::optional<Seen> seen;
  int ticksAtShow = 0;
  bool workerWaited = false;
  WorkerCall call([&] { chosen = CommonDialog().OpenFile(std::nullopt, Text(title), std::nullopt, std::nullopt, folder); });
  Steps person([&] {
    QFileDialog* dialog = VisibleTopLevel<QFileDialog>();
    if (!dialog) return false;
    if (!seen) {
      seen = Seen{dialog->windowTitle(), fs::path(dialog->directory().absolutePath().toStdString()),
                  dialog->windowModality(), dialog->parentWidget() != nullptr,
                  QApplication::activeModalWidget() != nullptr};
      ticksAtShow = ticks;
    }
    if (ticks < ticksAtShow + 5) return false;
    workerWaited = !call.Done();
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name) return true;
    QTest::keyClicks(name, QStringLiteral("data.htm"));
    QTest::mouseClick(AcceptButton(*dialog), Qt::LeftButton);
    return true;
  });
  ASSERT_TRUE(call.WaitDone());
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->title, QString::fromUtf16(u"打开数据文件"));
  EXPECT_EQ(seen->directory, folder_);
  EXPECT_EQ(seen->modality, Qt::NonModal);
  EXPECT_FALSE(seen->hasParent);
  EXPECT_FALSE(seen->modalWidget);
  EXPECT_TRUE(workerWaited);
  EXPECT_EQ(chosen, folder + "/data.htm");
}

TEST_F(DataFolder, CancelOfTheRealDialogGivesTheEmptyText) {
  Text chosen = "unset";
  Text folder = GbkFolder();
  QFileDialog::AcceptMode mode{};
  QString title;
  WorkerCall call([&] { chosen = CommonDialog().SaveFile({}, {}, Text("new.txt"), {}, folder); });
  Steps person([&] {
    QFileDialog* dialog = VisibleTopLevel<QFileDialog>();
    if (!dialog) return false;
    mode = dialog->acceptMode();
    title = dialog->windowTitle();
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    return true;
  });
  ASSERT_TRUE(call.WaitDone());
  EXPECT_EQ(mode, QFileDialog::AcceptSave);
  EXPECT_EQ(title, QFileDialog::tr("Save As"));  // the dialog's own caption
  EXPECT_EQ(chosen, "");
}

TEST_F(DataFolder, OnTheWindowThreadTheActiveWindowOwnsTheDialog) {
  QWidget mainWindow;
  mainWindow.show();
  QApplication::setActiveWindow(&mainWindow);
  ASSERT_TRUE(PumpUntil([&] { return QApplication::activeWindow() == &mainWindow; }, 2000));

  QWidget* parent = nullptr;
  Qt::WindowModality modality{};
  QStringList filters;
  QTimer::singleShot(0, [&] {
    QFileDialog* dialog = WaitForTopLevel<QFileDialog>();
    if (!dialog) return;
    parent = dialog->parentWidget();
    modality = dialog->windowModality();
    filters = dialog->nameFilters();
    dialog->reject();
  });
  Text chosen = CommonDialog().OpenFile({}, {}, {}, Text("Pages|*.htm;*.html|All|*"), GbkFolder());
  EXPECT_EQ(chosen, "");
  EXPECT_EQ(parent, &mainWindow);
  EXPECT_EQ(modality, Qt::WindowModal);
  EXPECT_EQ(filters, QStringList({"Pages (*.htm *.html)", "All (*)"}));
}

TEST_F(DataFolder, PathMustExistKeepsTheDialogOpenForAMissingFolder) {
  Text chosen = "unset";
  Text folder = GbkFolder();
  bool warned = false;
  bool stayedOpen = false;
  WorkerCall call([&] { chosen = CommonDialog().SaveFile({}, {}, {}, {}, folder, {}, {}, true); });
  Steps person([&] {
    QFileDialog* dialog = VisibleTopLevel<QFileDialog>();
    if (!dialog) return false;
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), QStringLiteral("missing/new.txt"));
    // The refusal comes in a box of its own, inside the click.
    QTimer::singleShot(0, [&] {
      if (QMessageBox* box = WaitForTopLevel<QMessageBox>()) {
        warned = true;
        box->accept();
      }
    });
    QTest::mouseClick(AcceptButton(*dialog), Qt::LeftButton);
    stayedOpen = dialog->isVisible();
    dialog->reject();
    return true;
  });
  ASSERT_TRUE(call.WaitDone());
  EXPECT_TRUE(warned);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(chosen, "");
}

TEST_F(DataFolder, PreviewDialogShowsTheFirstLinesOfTheCurrentFile) {
  QString previewText;
  QTimer::singleShot(0, [&] {
    QFileDialog* dialog = WaitForTopLevel<QFileDialog>();
    if (!dialog) return;
    auto* pane = dialog->findChild<QLabel*>(QStringLiteral("previewPane"));
    auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (!pane || !list) return;
    // The folder's listing arrives in the background; then the person clicks the file.
    QModelIndex item;
    PumpUntil([&] {
      QModelIndexList found = list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole,
                                                   QStringLiteral("data.htm"), 1, Qt::MatchExactly);
      if (!found.isEmpty()) item = found.first();
      return item.isValid();
    });
    if (!item.isValid()) return;
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    previewText = pane->text();
    dialog->reject();
  });
  CommonDialog().OpenFile(true, {}, {}, {}, GbkFolder());
  EXPECT_EQ(previewText, QStringLiteral("line one\nline two\n"));
}

TEST_F(DataFolder, PreviewPaneShowsPicturesAndGbkText) {
  FilePreviewPane pane(nullptr);
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QString picturePath = QtFolder() + QStringLiteral("/p.png");
  ASSERT_TRUE(picture.save(picturePath));
  pane.ShowFile(picturePath);
  EXPECT_FALSE(pane.pixmap().isNull());

  std::ofstream(folder_ / "gbk.txt") << Utf16ToGbk(u"第一行\r\n第二行");
  pane.ShowFile(QtFolder() + QStringLiteral("/gbk.txt"));
  EXPECT_TRUE(pane.pixmap().isNull());
  EXPECT_EQ(pane.text(), QString::fromUtf16(u"第一行\n第二行"));

  std::ofstream(folder_ / "binary.bin") << std::string("ab\0cd", 5);
  pane.ShowFile(QtFolder() + QStringLiteral("/binary.bin"));
  EXPECT_EQ(pane.text(), QString());
}

// The size list of the real font dialog, as shown.
QStringList VisibleSizes(QFontDialog& dialog) {
  for (QListView* list : dialog.findChildren<QListView*>()) {
    QAbstractItemModel* model = list->model();
    bool isNumber = false;
    if (!model || model->rowCount() == 0) continue;
    model->index(0, 0).data().toString().toInt(&isNumber);
    if (!isNumber) continue;
    QStringList sizes;
    for (int row = 0; row < model->rowCount(); ++row) {
      if (!list->isRowHidden(row)) sizes << model->index(row, 0).data().toString();
    }
    return sizes;
  }
  return {};
}

// A family that has a bold face, so that a bold start can show.
QString FamilyWithBold() {
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::styles(family).contains(QStringLiteral("Bold"))) return family;
  }
  return {};
}

TEST(RealFontDialog, OffersEightToSeventyTwoPointsAndGivesTheChoice) {
  QString family = FamilyWithBold();
  if (family.isEmpty()) GTEST_SKIP() << "no font family with a bold face installed";
  QStringList sizes;
  bool hasEffects = false;
  QTimer::singleShot(0, [&] {
    QFontDialog* dialog = WaitForTopLevel<QFontDialog>();
    if (!dialog) return;
    sizes = VisibleSizes(*dialog);
    hasEffects = dialog->findChildren<QCheckBox*>().size() == 2;
    QFont font = dialog->currentFont();
    font.setPointSize(14);
    font.setUnderline(true);
    dialog->setCurrentFont(font);
    QTest::mouseClick(AcceptButton(*dialog), Qt::LeftButton);
  });
  FontInfo font = CommonDialog().PickFont(Utf16ToGbk(family.toStdU16String()), 12, {}, true);

  ASSERT_FALSE(sizes.isEmpty());
  EXPECT_EQ(sizes.first(), "8");
  EXPECT_EQ(sizes.last(), "72");
  EXPECT_TRUE(hasEffects);
  EXPECT_EQ(font.m_size, 14);
  EXPECT_EQ(font.m_bold, 1);  // started bold from the arguments
  EXPECT_EQ(font.m_underline, 1);
  EXPECT_EQ(font.m_faceName, Utf16ToGbk(family.toStdU16String()));
}

TEST(RealFontDialog, ASizeBelowTheLimitIsNotTaken) {
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    QFontDialog* dialog = WaitForTopLevel<QFontDialog>();
    if (!dialog) return;
    QFont font = dialog->currentFont();
    font.setPointSize(6);
    dialog->setCurrentFont(font);
    QTimer::singleShot(0, [] {
      if (QMessageBox* box = WaitForTopLevel<QMessageBox>()) box->accept();
    });
    QTest::mouseClick(AcceptButton(*dialog), Qt::LeftButton);
    PumpUntil([] { return VisibleTopLevel<QMessageBox>() == nullptr; });
    stayedOpen = dialog->isVisible();
    dialog->reject();
  });
  FontInfo font = CommonDialog().PickFont(Text("Serif"), 20);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(font.m_size, 9);  // cancelled
}

}  // namespace

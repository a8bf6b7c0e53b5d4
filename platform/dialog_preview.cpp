#include "platform/dialog_preview.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStringDecoder>

#include "platform/codepage.h"

namespace {

constexpr int kPaneWidth = 240;
constexpr qint64 kTextBytes = 4096;
constexpr int kTextLines = 16;

// UTF-8 when the bytes are valid UTF-8, else GBK, the program's code page.
QString DecodeText(const QByteArray& bytes) {
  // Stateful, so that a character cut at the end of the sample is no error.
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  std::u16string gbk = GbkToUtf16(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return QString::fromStdU16String(gbk);
}

QString FirstLines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.size() > kTextLines) lines.resize(kTextLines);
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

FilePreviewPane::FilePreviewPane(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("previewPane"));
  setFixedWidth(kPaneWidth);
  setMinimumHeight(kPaneWidth);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFrameShape(QFrame::StyledPanel);
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
}

void FilePreviewPane::ShowFile(const QString& path) {
  clear();
  QFileInfo info(path);
  if (!info.isFile()) return;

  QImageReader reader(path);
  if (reader.canRead()) {
    QImage picture = reader.read();
    if (!picture.isNull()) {
      QSize box = contentsRect().size().boundedTo(QSize(kPaneWidth, kPaneWidth));
      setPixmap(QPixmap::fromImage(picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
      return;
    }
  }

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  QByteArray sample = file.read(kTextBytes);
  if (sample.contains('\0')) return;  // not text
  setText(FirstLines(DecodeText(sample)));
}

// Opening, saving and printing the control's text. Files go straight between the disk and
// Scintilla's buffer in UTF-8 pieces: no whole-document QString on either way.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "platform/edit_control_impl.h"
#include "platform/line_number_margin.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

QString cannotRead(const QString& path, const QString& reason) {
  return QStringLiteral("Не удалось прочитать файл «%1»: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

// An upper bound of the UTF-8 size of the file's text, so the buffer is allocated once: a
// Windows-1251 byte above 127 takes up to three bytes, and a lone LF or CR gains a partner.
qsizetype decodedSizeBound(QByteArrayView bytes, const TextFormat& format) {
  const bool widens = format.encoding == Encoding::Windows1251;
  const bool gainsCr = format.lineEnd != LineEnd::CrLf;
  if (!widens && !gainsCr) return bytes.size();
  qsizetype extra = 0;
  for (const char byte : bytes) {
    if (widens && static_cast<unsigned char>(byte) >= 0x80) extra += 2;
    if (gainsCr && (byte == '\n' || byte == '\r')) extra += 1;
  }
  return bytes.size() + extra;
}

}  // namespace

void EditControl::Impl::loadBytes(QByteArrayView bytes, const TextFormat& fileFormat) {
  const QsciScintilla* view = primary();
  // Neither the pieces nor the emptying of the old text are edits the user could undo, and
  // nobody needs to hear of each piece: one change event follows at the end.
  loading = true;
  for (auto* each : views) sci(each, Sci::SCI_SETMODEVENTMASK, 0);
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 0);
  clearLineMarks();
  sci(view, Sci::SCI_CLEARALL);
  sci(view, Sci::SCI_ALLOCATE, long(decodedSizeBound(bytes, fileFormat)));
  TextFile::decodeToUtf8(bytes, fileFormat, [view](QByteArrayView piece) {
    view->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(piece.size()), piece.data());
  });
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 1);
  sci(view, Sci::SCI_EMPTYUNDOBUFFER);
  sci(view, Sci::SCI_SETSAVEPOINT);
  for (auto* each : views) {
    sci(each, Sci::SCI_SETMODEVENTMASK, Sci::SC_MODEVENTMASKALL);
    sci(each, Sci::SCI_GOTOPOS, 0);
  }
  format = fileFormat;
  loading = false;
  if (lineNumbers) applyLineNumbers();
  noteSelection(active);
  Q_EMIT q->changed();
}

std::optional<QString> EditControl::openFile(const QString& path) {
  if (QFileInfo(path).isDir()) return cannotRead(path, QStringLiteral("это папка"));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return cannotRead(path, file.errorString());
  QByteArray copy;
  QByteArrayView bytes;
  if (file.size() > 0) {
    // Mapping the file spares a copy of it; a file that cannot be mapped is read instead.
    if (const uchar* mapped = file.map(0, file.size())) {
      bytes = QByteArrayView(mapped, file.size());
    } else {
      copy = file.readAll();
      if (file.error() != QFileDevice::NoError) return cannotRead(path, file.errorString());
      bytes = copy;
    }
  }
  d->loadBytes(bytes, TextFile::detect(bytes));
  return std::nullopt;
}

std::optional<QString> EditControl::saveFile(const QString& path) {
  const QByteArrayView utf8 = d->documentBytes();
  TextFormat written;
  QString error;
  if (!TextFile::writeUtf8(path, utf8, d->format, &error, &written)) {
    if (error.isEmpty()) error = QStringLiteral("Не удалось записать файл «%1»").arg(path);
    return error;
  }
  // A Windows-1251 document that had to widen is a UTF-8 file from now on.
  d->format = written;
  return std::nullopt;
}

bool EditControl::print(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QsciScintilla* view = d->primary();
  const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
  sci(view, Sci::SCI_SETPRINTCOLOURMODE, Sci::SC_PRINT_COLOURONWHITE);
  const long length = sci(view, Sci::SCI_GETLENGTH);
  long from = 0;
  for (bool first = true;; first = false) {
    if (!first && !printer.newPage()) return false;
    const long next = view->SendScintilla(Sci::SCI_FORMATRANGE, 1UL, &painter, page, from, length);
    // A page that takes nothing (an empty text, a page too small for a line) ends the job.
    if (next <= from || next >= length) break;
    from = next;
  }
  return painter.end();
}

}  // namespace platform

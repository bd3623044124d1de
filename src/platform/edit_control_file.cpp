// Opening, saving and printing the control's text. Files go straight between the disk and
// Scintilla's buffer in UTF-8 pieces: no whole-document QString on either way.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "platform/edit_accessibility.h"
#include "platform/edit_control_impl.h"
#include "platform/file_reader.h"
#include "platform/line_number_margin.h"
#include "platform/paper_copy.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

}  // namespace

void EditControl::Impl::beginLoad(qsizetype size) {
  const QsciScintilla* view = primary();
  // Neither the pieces nor the emptying of the old text are edits the user could undo, and
  // nobody needs to hear of each piece: one change event follows at the end.
  loading = true;
  sci(view, Sci::SCI_SETREADONLY, 0);
  for (auto* each : made()) sci(each, Sci::SCI_SETMODEVENTMASK, 0);
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 0);
  clearLineMarks();
  // Keeping the length index up to date through every piece costs more than making it again
  // when the length is next asked for.
  if (lengthIndex) {
    sci(view, Sci::SCI_RELEASELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
    lengthIndex = false;
  }
  sci(view, Sci::SCI_CLEARALL);
  knownLength.reset();
  pendingInsert.reset();
  breaks.reset({});
  sci(view, Sci::SCI_ALLOCATE, long(size));
}

void EditControl::Impl::appendLoaded(QByteArrayView utf8, const std::vector<long>& breakOffsets) {
  const QsciScintilla* view = primary();
  const long at = sci(view, Sci::SCI_GETLENGTH);
  if (piecewise) sci(view, Sci::SCI_SETREADONLY, 0);
  view->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(utf8.size()), utf8.data());
  if (piecewise) sci(view, Sci::SCI_SETREADONLY, 1);
  breaks.append(at, breakOffsets);
}

void EditControl::Impl::endLoad(const TextFormat& fileFormat, std::optional<long> utf16Length) {
  const QsciScintilla* view = primary();
  piecewise = false;
  sci(view, Sci::SCI_SETREADONLY, 0);
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 1);
  sci(view, Sci::SCI_EMPTYUNDOBUFFER);
  sci(view, Sci::SCI_SETSAVEPOINT);
  for (auto* each : made()) {
    sci(each, Sci::SCI_SETMODEVENTMASK, edit_accessibility::ModificationEvents());
    sci(each, Sci::SCI_GOTOPOS, 0);
  }
  format = fileFormat;
  knownLength = utf16Length;
  pendingInsert.reset();
  loading = false;
  noteSelection(active);
  noteWholeTextChanged();
  reportChange();
}

std::optional<QString> EditControl::openFile(const QString& path, ReadReport* report) {
  QString error;
  std::optional<FileContents> contents = ReadRegularFile(path, &error);
  if (!contents) return error;
  const QByteArrayView bytes = contents->bytes;
  if (d->plainDocument) d->newDocument(true);
  ReadFidelity fidelity;
  const TextFormat format = TextFile::detect(bytes, &fidelity);
  if (report) *report = {contents->partial, fidelity};
  // Scintilla grows its buffer when an insertion would fill it exactly, hence the one extra byte.
  d->beginLoad(TextFile::decodedSize(bytes, format) + 1);
  BreakInserter inserter([this](QByteArrayView piece) {
    d->primary()->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(piece.size()), piece.data());
  });
  // Counted on the way in, the length spares the status bar building Scintilla's length index.
  long units = 0;
  TextFile::decodeToUtf8(
      bytes, format,
      [&inserter, &units](QByteArrayView piece) {
        units += TextFile::utf16Length(piece);
        inserter.feed(piece);
      },
      {}, &fidelity);
  d->breaks.reset(inserter.breaks());
  d->endLoad(format, units);
  return std::nullopt;
}

qsizetype EditControl::loadBufferBytes(qint64 expectedBytes) {
  // Scintilla grows its buffer when an insertion would fill it exactly, hence the one extra byte.
  return qsizetype(expectedBytes + expectedBytes / kDisplayLineLength) + 1;
}

void EditControl::beginLoad(qint64 expectedBytes) {
  // A document of its own: the old text's buffers go before the new ones are made.
  d->newDocument(d->coloursExpected);
  d->coloursExpected = true;
  d->beginLoad(loadBufferBytes(expectedBytes));
  d->piecewise = true;
  sci(d->primary(), Sci::SCI_SETREADONLY, 1);
}

void EditControl::appendLoaded(QByteArrayView utf8, const std::vector<long>& breakOffsets) {
  if (d->piecewise) d->appendLoaded(utf8, breakOffsets);
}

void EditControl::endLoad(const TextFormat& format, std::optional<long> utf16Length) {
  if (d->piecewise) d->endLoad(format, utf16Length);
}

bool EditControl::isLoading() const { return d->piecewise; }

std::optional<QString> EditControl::saveFile(const QString& path) {
  const QByteArray utf8 = d->realBytes();
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
  sci(d->primary(), Sci::SCI_SETPRINTCOLOURMODE, Sci::SC_PRINT_COLOURONWHITE);
  // A long line is printed whole, wrapped by the page alone, not cut at each display break.
  std::unique_ptr<QsciScintilla> paper;
  if (!d->breaks.empty()) paper = PaperCopy(*d->primary(), d->breaks);
  const QsciScintilla* view = paper ? paper.get() : d->primary();
  const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
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

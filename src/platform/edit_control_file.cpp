// Opening, saving and printing the control's text. Files go straight between the disk and
// Scintilla's buffer in UTF-8 pieces: no whole-document QString on either way.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "platform/edit_accessibility.h"
#include "platform/edit_control_impl.h"
#include "platform/line_number_margin.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

QString cannotRead(const QString& path, const QString& reason) {
  return QStringLiteral("Не удалось прочитать файл «%1»: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

qsizetype pageSize() {
#ifdef Q_OS_UNIX
  static const qsizetype page = ::sysconf(_SC_PAGESIZE);
  return page;
#else
  return 4096;
#endif
}

// The pages of a mapped file, handed back to the system as reading goes on. They stay in the
// system's file cache, so reading them again costs no disk access.
class MappedPages {
 public:
  MappedPages() = default;
  explicit MappedPages(QByteArrayView bytes) : bytes_(bytes) {}
  // Gives back every page read so far; they come back when read again.
  void releaseAll() { release(0, bytes_.size()); }
  // Gives back the whole pages before `consumed`, for reading that goes from start to end.
  void releaseUpTo(qsizetype consumed) {
    const qsizetype end = consumed / pageSize() * pageSize();
    if (end > released_) release(released_, end);
    released_ = std::max(released_, end);
  }

 private:
  void release(qsizetype from, qsizetype to) {
#ifdef Q_OS_UNIX
    // A file read rather than mapped has no pages to give back.
    if (!bytes_.isEmpty() && to > from)
      ::madvise(const_cast<char*>(bytes_.data() + from), size_t(to - from), MADV_DONTNEED);
#else
    Q_UNUSED(from);
    Q_UNUSED(to);
#endif
  }

  QByteArrayView bytes_;
  qsizetype released_ = 0;
};

}  // namespace

void EditControl::Impl::loadBytes(QByteArrayView bytes, const TextFormat& fileFormat,
                                  qsizetype size, const InputProgress& progress) {
  const QsciScintilla* view = primary();
  // Neither the pieces nor the emptying of the old text are edits the user could undo, and
  // nobody needs to hear of each piece: one change event follows at the end.
  loading = true;
  for (auto* each : views) sci(each, Sci::SCI_SETMODEVENTMASK, 0);
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 0);
  clearLineMarks();
  sci(view, Sci::SCI_CLEARALL);
  // Scintilla grows its buffer when an insertion would fill it exactly, hence the one extra byte.
  sci(view, Sci::SCI_ALLOCATE, long(size + 1));
  TextFile::decodeToUtf8(
      bytes, fileFormat,
      [view](QByteArrayView piece) {
        view->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(piece.size()), piece.data());
      },
      progress);
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 1);
  sci(view, Sci::SCI_EMPTYUNDOBUFFER);
  sci(view, Sci::SCI_SETSAVEPOINT);
  for (auto* each : views) {
    sci(each, Sci::SCI_SETMODEVENTMASK, edit_accessibility::ModificationEvents());
    sci(each, Sci::SCI_GOTOPOS, 0);
  }
  format = fileFormat;
  loading = false;
  noteSelection(active);
  noteWholeTextChanged();
  reportChange();
}

std::optional<QString> EditControl::openFile(const QString& path) {
  if (QFileInfo(path).isDir()) return cannotRead(path, QStringLiteral("это папка"));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return cannotRead(path, file.errorString());
  QByteArray copy;
  QByteArrayView bytes;
  MappedPages pages;
  if (file.size() > 0) {
    // Mapping the file spares a copy of it; a file that cannot be mapped is read instead.
    if (const uchar* mapped = file.map(0, file.size())) {
      bytes = QByteArrayView(mapped, file.size());
      pages = MappedPages(bytes);
    } else {
      copy = file.readAll();
      if (file.error() != QFileDevice::NoError) return cannotRead(path, file.errorString());
      bytes = copy;
    }
  }
  const TextFormat format = TextFile::detect(bytes);
  const qsizetype size = TextFile::decodedSize(bytes, format);
  // The pages read so far go back before the editor's buffer is allocated, and each piece goes
  // back once decoded, so the file and its text are never both held whole.
  pages.releaseAll();
  d->loadBytes(bytes, format, size, [&pages](qsizetype consumed) { pages.releaseUpTo(consumed); });
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

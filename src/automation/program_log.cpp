#include "automation/program_log.h"

#include <QFileInfo>

#include "platform/cp1251.h"
#include "platform/file_reader.h"
#include "platform/text_file.h"
#include "shell/date_format.h"

namespace automation {
namespace {

QString stamp(const QDateTime& when) {
  return shell::FormatDateTime(when, QStringLiteral("mm dd yy, hh:mm:ss"));
}

}  // namespace

QString ProgramLogStart(const QDateTime& when, const QString& caption) {
  return stamp(when) + QStringLiteral(" - Обработка выделенного блока программой ") + caption +
         QStringLiteral("\r\n");
}

QString ProgramLogEnd(const QDateTime& when, bool changed) {
  return stamp(when) +
         (changed ? QStringLiteral(" - Обработка закончена. Текст изменен.")
                  : QStringLiteral(" - Обработка закончена. Текст не изменен.")) +
         QStringLiteral("\r\n\r\n");
}

void AppendProgramLog(const QString& path, const QString& lines) {
  using platform::Encoding;
  platform::TextFormat format{cp1251::fits(lines) ? Encoding::Windows1251 : Encoding::Utf8, false,
                              platform::LineEnd::CrLf};
  if (QFileInfo::exists(path)) {
    const auto old = platform::ReadRegularFile(path);
    if (!old) return;
    const Encoding found = platform::TextFile::detect(old->bytes).encoding;
    if (found != Encoding::Windows1251) {
      format.encoding = found;  // a log someone turned into UTF-16 stays UTF-16
    } else if (format.encoding == Encoding::Utf8 && !old->bytes.isEmpty()) {
      // The old lines go over to UTF-8 with the new ones, unchanged otherwise.
      const QByteArray converted = cp1251::decode(old->bytes).toUtf8() + lines.toUtf8();
      platform::TextFile::writeBytes(path, converted);
      return;
    }
  }
  QByteArray bytes;
  platform::TextFile::encodeFromUtf8(lines.toUtf8(), format,
                                     [&bytes](QByteArrayView piece) { bytes += piece; });
  platform::TextFile::appendBytes(path, bytes);
}

}  // namespace automation

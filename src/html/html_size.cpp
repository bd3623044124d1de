#include "html/html_size.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

#include "html/html_scan.h"

namespace html {
namespace {

const QString kBytes = QStringLiteral(" байт(а)");

// The size of a readable regular file; nullopt for anything else.
std::optional<qint64> regularFileSize(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  const QFileInfo info(path);
  if (!info.exists() || !info.isFile() || !info.isReadable()) return std::nullopt;
  return info.size();
}

// Where a name in the page points: absolute names as they are, relative ones from the page's
// folder; "" when a relative name has no folder to start from.
QString resolved(const QString& name, const QString& documentPath) {
  if (name.isEmpty()) return QString();
  if (QDir::isAbsolutePath(name)) return name;
  if (documentPath.isEmpty()) return QString();
  return QFileInfo(documentPath).absoluteDir().filePath(name);
}

}  // namespace

QStringList SizeReport(QStringView page, const QString& documentPath) {
  QStringList lines{QStringLiteral("Размер HTML-документа")};
  int count = 0;
  qint64 total = 0;
  for (const QString& name : SourceNames(page)) {
    ++count;
    if (const auto size = regularFileSize(resolved(name, documentPath))) {
      lines << name + QStringLiteral(" - ") + QString::number(*size) + kBytes;
      total += *size;
    }
  }
  if (documentPath.isEmpty()) {
    lines << QStringLiteral("Текущий HTML-документ не сохранен");
  } else {
    ++count;
    if (const auto size = regularFileSize(documentPath)) {
      lines << documentPath + QStringLiteral(" - ") + QString::number(*size) + kBytes;
      total += *size;
    }
  }
  lines << QStringLiteral("Всего документов: ") + QString::number(count);
  lines << QStringLiteral("Общий размер: ") + QString::number(total) + kBytes;
  return lines;
}

}  // namespace html

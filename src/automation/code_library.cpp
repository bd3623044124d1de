#include "automation/code_library.h"

#include <QFileInfo>

#include "platform/app_paths.h"

namespace automation {
namespace {

const QString kHeader = QStringLiteral(">>");
const QString kCrLf = QStringLiteral("\r\n");

// The file's lines as a line reader gives them: a final line break opens no empty last line.
QStringList linesOf(const QString& text) {
  QString normal = text;
  normal.replace(kCrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = normal.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

QList<CodeEntry> ParseCodeLibrary(const QString& fileText) {
  QList<CodeEntry> entries;
  QStringList body;
  const auto finish = [&] {
    if (!entries.isEmpty()) entries.last().text = body.join(kCrLf);
    body.clear();
  };
  for (const QString& line : linesOf(fileText)) {
    if (line.startsWith(kHeader)) {
      finish();
      entries.append({line.mid(kHeader.size()), QString()});
    } else if (!entries.isEmpty()) {
      body.append(line);
    }
  }
  finish();
  return entries;
}

QString FormatCodeLibrary(const QList<CodeEntry>& entries) {
  QString text;
  for (const CodeEntry& entry : entries) text += kHeader + entry.name + kCrLf + entry.text + kCrLf;
  return text;
}

std::optional<QString> FindCodeItem(const QList<CodeEntry>& entries, const QString& name,
                                    int occurrence) {
  for (const CodeEntry& entry : entries) {
    if (entry.name != name) continue;
    if (occurrence-- == 0) return entry.text;
  }
  return std::nullopt;
}

std::optional<int> CodeTextHeaderLine(const QString& text) {
  // Split as the reader splits, so a lone CR counts as the line end it becomes there.
  const QStringList lines = linesOf(text);
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (lines[i].startsWith(kHeader)) return int(i + 1);
  return std::nullopt;
}

bool IsCodeItemName(const QString& name) {
  return !name.isEmpty() && !name.startsWith(kHeader) && !name.contains(QLatin1Char('\r')) &&
         !name.contains(QLatin1Char('\n'));
}

QString DroppedItemName(const QString& path) {
  const auto headerSafe = [](QString name) {
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    while (name.startsWith(kHeader)) name.remove(0, 1);
    return name;
  };
  const QString file = QFileInfo(path).fileName();
  const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
  QString name = headerSafe(dot > 0 ? file.left(dot) : file);
  if (name.isEmpty()) name = headerSafe(file);
  return name.isEmpty() ? QStringLiteral("Новая вкладка") : name;
}

QString CodeLibraryFile::path() const { return m_paths.file(QStringLiteral("Main.ocl")); }

std::optional<CodeLibraryFile::Contents> CodeLibraryFile::load(QString* error) const {
  const QString file = path();
  if (!QFileInfo::exists(file)) return Contents{};
  const auto read = platform::TextFile::read(file, error);
  if (!read) return std::nullopt;
  return Contents{ParseCodeLibrary(read->text), read->format};
}

bool CodeLibraryFile::save(const QList<CodeEntry>& entries, const platform::TextFormat& format,
                           QString* error) const {
  return platform::TextFile::write(path(), FormatCodeLibrary(entries), format, error);
}

}  // namespace automation

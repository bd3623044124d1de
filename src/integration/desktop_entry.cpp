#include "integration/desktop_entry.h"

#include <QDir>

#include "integration/key_file_lines.h"

namespace integration::DesktopEntry {

QString quoteArgument(const QString& argument) {
  QString quoted = QStringLiteral("\"");
  for (const QChar c : argument) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
      quoted += u'\\';
    else if (c == u'%')
      quoted += u'%';
    quoted += c;
  }
  return quoted + u'"';
}

QString escapeValue(const QString& value) {
  QString escaped = value;
  return escaped.replace(u'\\', QStringLiteral("\\\\"));
}

std::optional<QString> execValue(const QString& programPath) {
  if (programPath.isEmpty() || !QDir::isAbsolutePath(programPath)) return std::nullopt;
  for (const QChar c : programPath)
    if (c.category() == QChar::Other_Control) return std::nullopt;
  return escapeValue(quoteArgument(programPath)) + QStringLiteral(" %f");
}

std::optional<QString> content(const QString& programPath, const QStringList& mimeTypes) {
  const auto exec = execValue(programPath);
  if (!exec) return std::nullopt;
  QString text = QStringLiteral(
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Ostrel XP\n"
      "GenericName=Text Editor\n"
      "GenericName[ru]=Текстовый редактор\n"
      "Icon=accessories-text-editor\n"
      "Terminal=false\n"
      "Categories=Utility;TextEditor;\n");
  text += QStringLiteral("Exec=") + *exec + u'\n';
  text += QStringLiteral("MimeType=") + KeyFileLines::joinList(mimeTypes) + u'\n';
  text += QLatin1String(kOwnerKey) + QStringLiteral("=true\n");
  return text;
}

}  // namespace integration::DesktopEntry

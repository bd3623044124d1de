#include "html/html_tags.h"

#include <QStringList>

#include "html/html_colour.h"
#include "shell/version.h"

namespace html {
namespace {

QString quoted(const QString& value) { return QLatin1Char('"') + value + QLatin1Char('"'); }

QString wrapped(const QString& text, const char* tag) {
  const QString name = QString::fromLatin1(tag);
  return QLatin1Char('<') + name + QLatin1Char('>') + text + QLatin1String("</") + name +
         QLatin1Char('>');
}

}  // namespace

QString PageSkeleton() {
  const QString generator = QStringLiteral("%1 %2").arg(QString::fromUtf8(shell::kProgramName),
                                                        QString::fromUtf8(shell::kVersion));
  const QStringList lines = {
      QStringLiteral("<HTML>"),
      QStringLiteral("<HEAD>"),
      QStringLiteral("   <META NAME=\"Author\" CONTENT=\"\">"),
      QStringLiteral("   <META NAME=\"GENERATOR\" CONTENT=") + quoted(generator) + u'>',
      QStringLiteral("<TITLE>Новый HTML-документ</TITLE>"),
      QStringLiteral("</HEAD>"),
      QStringLiteral("<BODY>"),
      QString(),
      QString(),
      QStringLiteral("</BODY>"),
      QStringLiteral("</HTML>"),
  };
  return lines.join(QStringLiteral("\r\n"));
}

QString LinkTag(const QString& url, const QString& name) {
  return QStringLiteral("<a href=") + quoted(url) + u'>' + name + QStringLiteral("</a>");
}

QString ImageTag(const QString& path) { return QStringLiteral("<img src=") + quoted(path) + u'>'; }

QString SoundTag(const QString& path) {
  return QStringLiteral("<BGSOUND src=") + quoted(path) + u'>';
}

QString FontTag(const QString& text, const FontChoice& font) {
  QString result = QStringLiteral("<FONT NAME=") + quoted(font.family) +
                   QStringLiteral(" Color=") + quoted(u'#' + ColorToHtml(font.colour)) +
                   QStringLiteral(" SIZE=") + quoted(font.size) + u'>' + text +
                   QStringLiteral("</FONT>");
  if (font.bold) result = wrapped(result, "B");
  if (font.italic) result = wrapped(result, "I");
  if (font.underline) result = wrapped(result, "U");
  if (font.strikeOut) result = wrapped(result, "S");
  return result;
}

}  // namespace html

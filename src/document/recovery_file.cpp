#include "document/recovery_file.h"

#include <QFile>
#include <QUrl>
#include <cstdio>
#include <limits>

namespace document {
namespace {

constexpr char kMagic[] = "OSTREL-RECOVERY 1";
// A header is a few short lines; anything longer is not one of ours.
constexpr qsizetype kMaxHeader = 64 * 1024;

QByteArray encodingName(platform::Encoding encoding) {
  switch (encoding) {
    case platform::Encoding::Utf8: return "utf-8";
    case platform::Encoding::Utf16Le: return "utf-16le";
    case platform::Encoding::Utf16Be: return "utf-16be";
    case platform::Encoding::Windows1251: break;
  }
  return "windows-1251";
}

std::optional<platform::Encoding> encodingOf(const QByteArray& name) {
  for (auto e : {platform::Encoding::Windows1251, platform::Encoding::Utf8,
                 platform::Encoding::Utf16Le, platform::Encoding::Utf16Be})
    if (encodingName(e) == name) return e;
  return std::nullopt;
}

QByteArray lineEndName(platform::LineEnd end) {
  switch (end) {
    case platform::LineEnd::Lf: return "lf";
    case platform::LineEnd::Cr: return "cr";
    case platform::LineEnd::CrLf: break;
  }
  return "crlf";
}

std::optional<platform::LineEnd> lineEndOf(const QByteArray& name) {
  for (auto e : {platform::LineEnd::CrLf, platform::LineEnd::Lf, platform::LineEnd::Cr})
    if (lineEndName(e) == name) return e;
  return std::nullopt;
}

std::optional<qint64> numberOf(const QByteArray& text, qint64 min, qint64 max) {
  bool ok = false;
  const qint64 number = text.toLongLong(&ok);
  if (!ok || number < min || number > max) return std::nullopt;
  return number;
}

}  // namespace

QByteArray RecoveryHeader(const RecoveredDocument& d, qsizetype textLength) {
  QByteArray header = QByteArray(kMagic) + '\n';
  header += "path=" + QUrl::toPercentEncoding(d.path) + '\n';
  header += "codepage=" + QByteArray::number(d.codePage) + '\n';
  header += "encoding=" + encodingName(d.format.encoding) + '\n';
  header += QByteArray("bom=") + (d.format.bom ? "1" : "0") + '\n';
  header += "lineend=" + lineEndName(d.format.lineEnd) + '\n';
  header += "saved=" + QByteArray::number(d.saved.toMSecsSinceEpoch()) + '\n';
  header += "length=" + QByteArray::number(textLength) + '\n';
  return header + '\n';
}

std::optional<RecoveredDocument> ReadRecoveryFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  if (file.readLine(kMaxHeader).trimmed() != kMagic) return std::nullopt;
  RecoveredDocument d;
  std::optional<qint64> length;
  bool codePage = false, encoding = false, lineEnd = false;
  for (;;) {
    const QByteArray line = file.readLine(kMaxHeader);
    if (line.isEmpty() || !line.endsWith('\n')) return std::nullopt;  // cut off in the header
    if (line == "\n") break;
    const QByteArray entry = line.chopped(1);
    const qsizetype equals = entry.indexOf('=');
    if (equals < 0) return std::nullopt;
    const QByteArray name = entry.left(equals);
    const QByteArray value = entry.mid(equals + 1);
    if (name == "path") {
      d.path = QUrl::fromPercentEncoding(value);
    } else if (name == "codepage") {
      const auto number = numberOf(value, 1, 5);
      if (!number) return std::nullopt;
      d.codePage = int(*number);
      codePage = true;
    } else if (name == "encoding") {
      const auto e = encodingOf(value);
      if (!e) return std::nullopt;
      d.format.encoding = *e;
      encoding = true;
    } else if (name == "bom") {
      d.format.bom = value == "1";
    } else if (name == "lineend") {
      const auto e = lineEndOf(value);
      if (!e) return std::nullopt;
      d.format.lineEnd = *e;
      lineEnd = true;
    } else if (name == "saved") {
      if (const auto ms = numberOf(value, 0, std::numeric_limits<qint64>::max()))
        d.saved = QDateTime::fromMSecsSinceEpoch(*ms);
    } else if (name == "length") {
      length = numberOf(value, 0, std::numeric_limits<qint64>::max());
      if (!length) return std::nullopt;
    }
  }
  if (!length || !codePage || !encoding || !lineEnd) return std::nullopt;
  if (*length != file.size() - file.pos()) return std::nullopt;
  d.utf8 = file.read(*length);
  if (d.utf8.size() != *length) return std::nullopt;
  return d;
}

bool WriteRecoveryFile(const QString& path, const RecoveredDocument& header, QByteArrayView utf8) {
  const QByteArray head = RecoveryHeader(header, utf8.size());
  const QString temporary = path + QStringLiteral(".part");
  QFile file(temporary);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  const bool written = file.write(head) == head.size() &&
                       file.write(utf8.data(), utf8.size()) == utf8.size() && file.flush();
  file.close();
  if (!written) {
    QFile::remove(temporary);
    return false;
  }
  // rename(2) replaces the old file in one step, so a reader never sees a half-written one.
  return std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0;
}

}  // namespace document

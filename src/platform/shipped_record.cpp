// One line per shipped file: its path, then, for a copy the program made, a second item
// "sha256=<hex>". Read as a plain list file, as the program always read it, the checksum items
// never match a path, so older and newer programs share one record.
#include "platform/shipped_record.h"

#include <QCryptographicHash>
#include <QFile>

#include "platform/app_paths.h"
#include "platform/list_file.h"
#include "platform/text_file.h"

namespace platform {
namespace {

constexpr QLatin1StringView kChecksumPrefix("sha256=");

}  // namespace

ShippedRecord ShippedRecord::read(const QString& dir) {
  ShippedRecord record;
  const auto items = ListFile::read(dir + "/" + kFileName);
  if (!items) return record;
  record.m_exists = true;
  for (const QString& item : *items) {
    if (item.isEmpty()) continue;
    if (item.startsWith(kChecksumPrefix)) {
      // A checksum belongs to the path before it on its line.
      if (!record.m_paths.isEmpty())
        record.m_checksums.insert(record.m_paths.back(),
                                  item.sliced(kChecksumPrefix.size()).toLatin1());
      continue;
    }
    record.m_paths.append(item);
  }
  return record;
}

bool ShippedRecord::write(const QString& dir) const {
  QString text;
  for (const QString& path : m_paths) {
    // The list file's own quoting keeps a path with a comma or a quote one item.
    text += ListFile::format({path}).chopped(2);
    const QByteArray sum = m_checksums.value(path);
    if (!sum.isEmpty()) text += ", " + kChecksumPrefix + QString::fromLatin1(sum);
    text += QStringLiteral("\r\n");
  }
  return TextFile::write(dir + "/" + kFileName, text, TextFormat{});
}

void ShippedRecord::add(const QString& relative, const QByteArray& checksum) {
  if (!m_paths.contains(relative)) m_paths.append(relative);
  if (!checksum.isEmpty()) m_checksums.insert(relative, checksum);
}

bool ShippedRecord::unedited(const QString& dir, const QString& relative) const {
  const QByteArray recorded = checksum(relative);
  return !recorded.isEmpty() &&
         FileChecksum(AppPaths::resolve(dir + "/" + relative)) == recorded;
}

QByteArray ShippedRecord::FileChecksum(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file)) return {};
  return hash.result().toHex();
}

}  // namespace platform

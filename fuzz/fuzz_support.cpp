#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "fuzz_target.h"
#include "platform/text_file.h"

namespace fuzz {

void Broken(const char* what, QByteArrayView data) {
  std::fprintf(stderr, "property broken: %s (input of %lld bytes)\n", what,
               static_cast<long long>(data.size()));
  std::abort();
}

QString TextOf(QByteArrayView data) { return platform::TextFile::decode(data); }

QString FileOf(QByteArrayView data, const char* name) {
  static QTemporaryDir folder;
  const QString path = QDir(folder.path()).filePath(QString::fromUtf8(name));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(data.data(), data.size());
  return path;
}

}  // namespace fuzz

#include "automation/plugin_report.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "platform/list_file.h"

namespace automation {
namespace {

QSet<QString> keysOf(const std::vector<BrokenPlugin>& broken) {
  QSet<QString> keys;
  for (const BrokenPlugin& b : broken) keys.insert(b.key);
  return keys;
}

}  // namespace

BrokenPlugin BrokenPluginAt(const QString& path, const QString& problem) {
  const QFileInfo file(path);
  // Size and time first: the name, which may hold anything, runs to the end of the key.
  const QString key = QStringLiteral("%1 %2 %3")
                          .arg(file.size())
                          .arg(file.lastModified().toMSecsSinceEpoch())
                          .arg(file.fileName());
  return BrokenPlugin{path, problem, key};
}

QString BrokenPluginsMessage(const std::vector<BrokenPlugin>& broken) {
  QString text = QStringLiteral("Не загружены плагины:\n");
  for (const BrokenPlugin& b : broken)
    text += QStringLiteral("\n«%1» — %2").arg(QFileInfo(b.path).fileName(), b.problem);
  return text + QStringLiteral("\n\nПока эти файлы не изменятся, при запуске об этом больше "
                               "не будет сказано.");
}

bool BrokenPluginRecord::differs(const std::vector<BrokenPlugin>& broken) const {
  QSet<QString> recorded;
  if (const auto items = platform::ListFile::read(m_path))
    for (const QString& item : *items)
      if (!item.isEmpty()) recorded.insert(item);
  return recorded != keysOf(broken);
}

void BrokenPluginRecord::store(const std::vector<BrokenPlugin>& broken) const {
  if (broken.empty()) {
    QFile::remove(m_path);
    return;
  }
  QStringList keys;
  for (const BrokenPlugin& b : broken) keys << b.key;
  platform::ListFile::write(m_path, keys);
}

}  // namespace automation

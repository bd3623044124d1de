#include "document/document.h"

#include <QFileInfo>

#include "shell/version.h"

namespace document {

QString Document::fileName() const {
  const qsizetype cut = std::max(m_path.lastIndexOf('/'), m_path.lastIndexOf('\\'));
  return m_path.mid(cut + 1);
}

QString Document::caption() const {
  const QString name = isUntitled() ? QString::fromUtf8(shell::kUntitled) : fileName();
  return name + " - " + shell::kProgramName + " " + shell::kVersion;
}

QString Document::startCaption() { return QString::fromUtf8(shell::kStartCaption); }

void Document::setPath(const QString& path) {
  m_path = path;
  m_newFile = false;
  Q_EMIT captionChanged(caption());
}

void Document::setNewFilePath(const QString& path) {
  m_path = path;
  m_newFile = !path.isEmpty();
  Q_EMIT captionChanged(caption());
}

void Document::rememberDiskState() {
  const QFileInfo info(m_path);
  m_diskTime = info.exists() ? info.lastModified() : QDateTime();
  m_diskSize = info.exists() ? info.size() : -1;
}

bool Document::diskChangedSinceRemembered() const {
  const QFileInfo info(m_path);
  if (!info.exists()) return false;
  return info.lastModified() != m_diskTime || info.size() != m_diskSize;
}

}  // namespace document

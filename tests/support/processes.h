// Looking at processes a test's program left behind: whether one still lives, and the number a
// script wrote down for the process it started.
#pragma once

#include <QFile>
#include <QTest>

namespace testing_support {

// True when the process is gone or only waits to be reaped (a killed orphan is a zombie until
// whoever adopted it reaps it).
inline bool ProcessGone(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return true;
  const QByteArray line = stat.readAll();
  const qsizetype end = line.lastIndexOf(')');
  return end < 0 || line.mid(end + 2, 1) == "Z";
}

// Waits until `path` holds a whole line with a process number and returns it; 0 when none
// came within ten seconds.
inline qint64 WaitForPidFile(const QString& path) {
  qint64 pid = 0;
  const bool written = QTest::qWaitFor(
      [&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return false;
        const QByteArray text = file.readAll();
        if (!text.endsWith('\n')) return false;
        pid = text.trimmed().toLongLong();
        return pid > 0;
      },
      10000);
  return written ? pid : 0;
}

}  // namespace testing_support

#include "automation/batch_report.h"

namespace automation {
namespace {

// At most this many unprocessed files are named in the final message.
constexpr int kNamedFailures = 20;

QString encodingLine(int readAs, int writtenAs, int count) {
  QString line = BatchEncodingName(readAs);
  if (writtenAs != readAs) line += QStringLiteral(" → ") + BatchEncodingName(writtenAs);
  return line + QStringLiteral(": %1").arg(count);
}

}  // namespace

void BatchReport::add(const QString& name, const BatchFileResult& result, bool stoppedHere) {
  switch (result.outcome) {
    case BatchOutcome::Written: ++written; break;
    case BatchOutcome::Unchanged: ++unchanged; break;
    case BatchOutcome::LeftAlone:
      if (!stoppedHere) failed << name + QStringLiteral(": ") + result.reason;
      return;
  }
  ++encodings[{result.readAs, result.writtenAs}];
}

QString BatchReportText(const BatchReport& report) {
  QString text = QStringLiteral("Выполнена пакетная обработка. Обработано %1 файлов")
                     .arg(report.written + report.unchanged);
  if (!report.encodings.empty()) {
    text += QStringLiteral("\r\n\r\nКодировки файлов:");
    for (const auto& [encodings, count] : report.encodings)
      text += QStringLiteral("\r\n") + encodingLine(encodings.first, encodings.second, count);
  }
  if (report.unchanged > 0)
    text += QStringLiteral("\r\n\r\nНе изменились и не перезаписаны: %1").arg(report.unchanged);
  if (report.stopped) text += QStringLiteral("\r\n\r\nОбработка остановлена.");
  if (!report.failed.isEmpty()) {
    text += QStringLiteral("\r\n\r\nОставлены без изменений (%1):").arg(report.failed.size());
    for (qsizetype i = 0; i < report.failed.size() && i < kNamedFailures; ++i)
      text += QStringLiteral("\r\n") + report.failed[i];
    if (report.failed.size() > kNamedFailures)
      text += QStringLiteral("\r\n… и еще %1").arg(report.failed.size() - kNamedFailures);
  }
  return text;
}

}  // namespace automation

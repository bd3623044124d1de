// Example plug-in "Сортировка строк": sorts the selected lines alphabetically, letter case aside.
#include <QObject>
#include <QStringList>
#include <algorithm>

#include "ostrel/plugin_interface.h"

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// Case-blind order; lines that differ only in case keep a fixed order (upper case first), so
// sorting twice gives the same text.
bool before(const QString& a, const QString& b) {
  const int blind = QString::compare(a, b, Qt::CaseInsensitive);
  return blind != 0 ? blind < 0 : a < b;
}

// A selection of whole lines ends with a line break; it stays at the end instead of becoming an
// empty line sorted to the top.
QString sortLines(const QString& text, qsizetype* count) {
  QString body = text;
  const bool closed = body.endsWith(kLineBreak);
  if (closed) body.chop(kLineBreak.size());
  QStringList lines = body.split(kLineBreak);
  std::stable_sort(lines.begin(), lines.end(), before);
  *count = lines.size();
  return lines.join(kLineBreak) + (closed ? kLineBreak : QString());
}

}  // namespace

class SortLinesPlugin : public QObject, public ostrel::Plugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID OSTREL_PLUGIN_IID)
  Q_INTERFACES(ostrel::Plugin)

 public:
  bool showme() const override { return true; }
  QString id() const override { return QStringLiteral("Сортировка строк"); }
  void Init(ostrel::PluginHost&, int) override {}
  QString PLUGIN(ostrel::PluginHost& host) override {
    const QString selected = host.selectedText();
    if (selected.isEmpty()) {
      host.setStatusText(QStringLiteral("Выделите строки, которые нужно отсортировать"));
      return QString();
    }
    qsizetype count = 0;
    const QString sorted = sortLines(selected, &count);
    host.setStatusText(QStringLiteral("Отсортировано строк: %1").arg(count));
    return sorted;
  }
  QString Description() const override {
    return QStringLiteral(
        "Сортирует выделенные строки по алфавиту без учёта регистра букв. Перевод строки в "
        "конце выделения остаётся на месте.");
  }
  int Settings() const override { return 0; }
  // No settings window: the program never calls this while Settings() is 0.
  void ShowSettings() override {}
};

#include "sort_lines.moc"

// The macro language: any script is cut into statements and run over a document kept in
// memory, where the desktop is never asked to open anything. Scripts that could name a file
// command (create, kill, write to, read from a file) are only cut, never run: a fuzzer must not
// touch the disk.
#include <cstdlib>

#include "automation/macro_host.h"
#include "automation/macro_script.h"
#include "automation/macro_variables.h"
#include "fuzz_target.h"

namespace {

// Lines are CR LF separated, as in the editor.
class MemoryHost : public automation::MacroHost {
 public:
  explicit MemoryHost(QString text) : m_text(std::move(text)) {}
  void beginRun() override { ++m_runs; }
  void endRun() override { --m_runs; }
  int openRuns() const { return m_runs; }
  QString text() const override { return m_text; }
  qsizetype textLength() const override { return m_text.size(); }
  void setText(QString text) override { m_text = std::move(text); }
  QString selectedText() const override { return m_selected; }
  void setSelectedText(const QString& text) override {
    m_text += text;
    m_selected.clear();
  }
  bool hasSelection() const override { return !m_selected.isEmpty(); }
  platform::SelRange selection() const override { return m_range; }
  int lineCount() const override { return int(m_text.count(QStringLiteral("\r\n"))) + 1; }
  int lineLength(int line) const override {
    return int(m_text.split(QStringLiteral("\r\n")).value(line).size());
  }
  bool acceptsEdits() const override { return true; }
  platform::SelRange sharedRange() const override { return m_range; }
  void applySharedRange(const platform::SelRange& range) override { m_range = range; }
  QString clipboardText() const override { return m_clipboard; }
  void setClipboardText(const QString& text) override { m_clipboard = text; }
  void clearClipboard() override { m_clipboard.clear(); }
  void shellOpen(const QString&) override {}
  QString openedFile() const override { return QString(); }

 private:
  QString m_text;
  QString m_selected;
  QString m_clipboard;
  platform::SelRange m_range;
  int m_runs = 0;
};

}  // namespace

OSTREL_FUZZ_TARGET(macro) {
  const QString script = fuzz::TextOf(data);
  (void)automation::ParseMacroScript(script, QStringLiteral(";"));
  if (script.contains(QStringLiteral("file"), Qt::CaseInsensitive)) return;
  MemoryHost host(QStringLiteral("Первая строка\r\nsecond line\r\n\r\nlast"));
  automation::MacroRunOptions options;
  // Small enough that doubling statements reach it at once.
  options.textLimit = 1 << 16;
  automation::RunMacroScript(script, QStringLiteral(";"), host,
                             {{QStringLiteral("$name"), QStringLiteral("value")}}, options);
  // Every run the interpreter began in the editor it ended, whatever the script did.
  if (host.openRuns() != 0) std::abort();
}

// The auto-complete list. The lookup runs once the key that changed the text has been handled
// through, so the caret it uses is where the user now stands, and it reads the line only up to
// the caret: a word is completed from what was typed, never from the text after it.
#include "editor/auto_complete.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidget>
#include <QTimer>

#include "platform/edit_control.h"
#include "platform/list_file.h"
#include "shell/frm_main.h"

namespace editor {
namespace {

namespace Setting = platform::Setting;
using platform::SelRange;

const QString kListName = QStringLiteral("Autocomplete.lst");

QString trimSpaces(QStringView text) {
  qsizetype from = 0;
  qsizetype to = text.size();
  while (from < to && text[from] == u' ') ++from;
  while (to > from && text[to - 1] == u' ') --to;
  return text.sliced(from, to - from).toString();
}

class AutoCompleter : public QObject {
 public:
  explicit AutoCompleter(shell::FrmMain& window)
      : QObject(&window), m_window(window), m_list(new QListWidget(&window)) {
    m_list->setObjectName(QStringLiteral("lstKeyWords"));
    m_list->resize(180, 130);
    m_list->hide();
    m_list->installEventFilter(this);
    m_lookUp.setSingleShot(true);
    m_lookUp.setInterval(0);
    connect(&m_lookUp, &QTimer::timeout, this, [this] { lookUp(); });
  }

  void load() {
    m_list->clear();
    m_list->addItems(AutoCompleteWords(m_window));
  }

  void onChanged() {
    if (!m_window.context().settings.truth(Setting::AutoComplete)) return;
    if (m_inserting) {
      if (!m_holding) m_inserting = false;
      return;
    }
    m_list->hide();
    m_lookUp.start();
  }

  void onKeyDown(platform::KeyPress& press) {
    const bool upDown = press.key == Qt::Key_Up || press.key == Qt::Key_Down;
    if (press.shift != 0 || !upDown || m_list->isHidden()) return;
    m_list->setFocus();
    QKeyEvent key(QEvent::KeyPress, press.key, Qt::NoModifier);
    QApplication::sendEvent(m_list, &key);
    // The caret stays by the typed word, which Space is about to replace.
    press.handled = true;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_list) return false;
    if (event->type() == QEvent::FocusOut) m_list->hide();
    if (event->type() != QEvent::KeyPress) return false;
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space) return false;
    accept();
    return true;
  }

 private:
  platform::EditControl& editor() { return m_window.txtMain(); }

  CaretWord wordAtCaret(const SelRange& sel) {
    return WordBeforeCaret(editor().lineText(sel.startLine).left(sel.startCol), sel.startCol);
  }

  // The first item that begins with the word, in any letter case. A word of nothing is not
  // looked up: it would offer the whole list on every empty line.
  int findPrefix(const QString& word) const {
    if (word.isEmpty()) return -1;
    for (int row = 0; row < m_list->count(); ++row)
      if (m_list->item(row)->text().startsWith(word, Qt::CaseInsensitive)) return row;
    return -1;
  }

  void lookUp() {
    const SelRange sel = editor().selection();
    const CaretWord found = wordAtCaret(sel);
    const int row = findPrefix(found.word);
    if (row < 0) return;
    m_list->setCurrentRow(row);
    if (m_list->item(row)->text().compare(found.word, Qt::CaseInsensitive) == 0) return;
    place(sel);
    m_list->show();
    m_list->raise();
  }

  // Under the caret's line; when that would pass the window's bottom, half over the caret.
  void place(const SelRange& sel) {
    platform::EditControl& e = editor();
    const QPoint caret = e.mapTo(&m_window, e.pointOfPosition(sel.startLine, sel.startCol));
    const int lineHeight = QFontMetrics(e.editorFont()).size(0, QStringLiteral("Test")).height();
    int top = caret.y() + lineHeight;
    if (top + m_list->height() > m_window.height()) top = caret.y() - m_list->height() / 2;
    m_list->move(caret.x(), top);
  }

  // Puts the list's current item in place of the typed word and the caret one space after it:
  // the Space that accepted the item is the gap before the next word.
  void accept() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item) {
      const QString chosen = item->text();
      m_inserting = m_holding = true;
      platform::EditControl& e = editor();
      const SelRange sel = e.selection();
      const CaretWord typed = wordAtCaret(sel);
      const int line = sel.startLine;
      const int wordEnd = typed.start + int(typed.word.size());
      const bool spaceFollows = e.lineText(line).mid(wordEnd).startsWith(u' ');
      e.setSelection({line, typed.start, line, wordEnd}, false);
      e.setSelectedText(spaceFollows ? chosen : chosen + u' ');
      m_window.focusEditor();
      const int after = typed.start + int(chosen.size()) + 1;
      e.setSelection({line, after, line, after});
    }
    m_list->hide();
    m_inserting = m_holding = false;
  }

  shell::FrmMain& m_window;
  QListWidget* m_list;
  QTimer m_lookUp;
  bool m_inserting = false;  // an item is going into the text: its changes look nothing up
  bool m_holding = false;
};

}  // namespace

CaretWord WordBeforeCaret(const QString& line, int caretColumn) {
  // Positions are 1-based, as the rules count them; a position off the line holds nothing.
  auto at = [&line](int pos) { return pos >= 1 && pos <= line.size() ? line[pos - 1] : QChar(); };
  int c = caretColumn + 1;
  if (!line.isEmpty() && c >= 2 && (at(c - 1) == u'(' || at(c - 1) == u' ')) c -= 2;
  bool skipped = false;
  if (c < 2) {
    c = 1;
  } else {
    while (c >= 2 && at(c) == u' ') {
      --c;
      skipped = true;
    }
  }
  const QString head = line.left(c);
  int space = int(head.lastIndexOf(u' ')) + 1;  // 1-based; 0 for none
  if (space == 1) space = 0;
  const int lineEnd = int(head.lastIndexOf(QStringLiteral("\r\n"))) + 1;
  int start = lineEnd > space ? lineEnd + 2 : space;
  if (start == 0) start = 1;
  if (skipped) ++c;
  const QString taken = line.mid(start - 1, c - start + 2);
  CaretWord result;
  result.word = trimSpaces(taken);
  result.column = c;
  qsizetype lead = 0;
  while (lead < taken.size() && taken[lead] == u' ') ++lead;
  result.start = start - 1 + int(lead);
  return result;
}

QStringList AutoCompleteWords(shell::FrmMain& window) {
  QStringList words =
      platform::ListFile::read(window.context().paths.file(kListName)).value_or(QStringList());
  words.removeAll(QString());
  return words;
}

std::optional<QString> StoreAutoCompleteWords(shell::FrmMain& window, const QStringList& words) {
  QString error;
  const bool written =
      platform::ListFile::write(window.context().paths.file(kListName), words, &error);
  window.hooks().run(shell::Hook::AutoComplete);
  if (written) return std::nullopt;
  return QStringLiteral("Не удалось сохранить список автозавершения %1:\n%2").arg(kListName, error);
}

void InstallAutoComplete(shell::FrmMain& window) {
  auto* completer = new AutoCompleter(window);
  platform::EditControl& e = window.txtMain();
  window.hooks().add(shell::Hook::AutoComplete, [completer] { completer->load(); });
  QObject::connect(&e, &platform::EditControl::changed, completer,
                   [completer] { completer->onChanged(); });
  QObject::connect(&e, &platform::EditControl::keyDown, completer,
                   [completer](platform::KeyPress& press) { completer->onKeyDown(press); });
}

}  // namespace editor

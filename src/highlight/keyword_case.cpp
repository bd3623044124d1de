#include "highlight/keyword_case.h"

#include "highlight/highlighter.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace highlight {
namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// Keys that end a word: white space, Enter and the printable characters that are no letter,
// digit or '_'. Letters of any alphabet come with their own key codes above ASCII.
bool endsWord(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) return true;
  if (key < 0x20 || key > 0xFFFF) return false;
  return !isWordChar(QChar(key));
}

}  // namespace

QHash<QString, QString> KeywordSpellings(const QStringList& keywords, bool caseSensitive) {
  QHash<QString, QString> spellings;
  if (caseSensitive) return spellings;
  for (const QString& word : keywords)
    if (!word.isEmpty()) spellings.insert(word.toLower(), word);
  return spellings;
}

QString KeywordCorrection(const QString& line, int column, const QHash<QString, QString>& spellings,
                          int* start) {
  if (spellings.isEmpty() || column <= 0 || column > line.size()) return {};
  int from = column;
  while (from > 0 && isWordChar(line[from - 1])) --from;
  if (from == column) return {};
  const QString word = line.mid(from, column - from);
  const auto it = spellings.constFind(word.toLower());
  if (it == spellings.constEnd() || *it == word) return {};
  if (start) *start = from;
  return *it;
}

void InstallKeywordCase(shell::FrmMain& window, HighLighter& lighter) {
  platform::EditControl& editor = window.txtMain();
  QObject::connect(&editor, &platform::EditControl::keyDown, &lighter,
                   [&editor, &lighter](platform::KeyPress& press) {
                     if (!editor.keywordCaseCorrection() || press.handled) return;
                     if ((press.shift & ~1) != 0 || !endsWord(press.key)) return;
                     const platform::SelRange sel = editor.selection();
                     if (sel.startLine != sel.endLine || sel.startCol != sel.endCol) return;
                     int start = 0;
                     const QString spelling = KeywordCorrection(
                         editor.lineText(sel.endLine), sel.endCol, lighter.keywordSpellings(), &start);
                     if (spelling.isEmpty()) return;
                     // The word is put right before the key that ends it goes in.
                     editor.setSelection({sel.endLine, start, sel.endLine, sel.endCol}, false);
                     editor.setSelectedText(spelling);
                   });
}

}  // namespace highlight

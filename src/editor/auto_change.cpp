// Replace-as-you-type. The table's result is the same text as rewriting the whole document on
// every plain key press would give, but only the changed part of the lines is touched, so the
// caret stays where the user typed, undo keeps every step and a key costs the same in a huge
// document as in a small one.
//
// Why looking at a few lines is enough: after a check no line holds a find text any more, and
// a change can only make an occurrence on the lines it touched, or as far around them as a
// find text reaches over line breaks (list items may hold line breaks when quoted). The editing
// control keeps the lines every change since the last check lies on, whoever made it: typing,
// a paste, a command, undo, opening a file. So each plain key looks for occurrences in those
// lines only; the first key after the option is switched on or the table is loaded looks
// through the whole text. (A table whose replacement holds its own find text, "a==ab", would
// grow every occurrence in the document on every key under the whole-text rule; here such a
// pair applies to the changed lines only.)
#include "editor/auto_change.h"

#include <algorithm>

#include "platform/edit_control.h"
#include "platform/list_file.h"
#include "shell/frm_main.h"

namespace editor {
namespace {

namespace Setting = platform::Setting;
using platform::SelRange;

struct LineBlock {
  int first = 0;
  int last = 0;
};

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Line ends as the editing control counts them: CR LF, a lone CR or a lone LF.
int lineEndsIn(QStringView text) {
  int count = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && i > 0 && text[i - 1] == u'\r') continue;
    if (isLineEnd(text[i])) ++count;
  }
  return count;
}

// The line and column of an offset into a text of lines.
std::pair<int, int> lineColOf(const QString& text, qsizetype offset) {
  int line = 0;
  qsizetype lineStart = 0;
  for (qsizetype i = 0; i < offset; ++i) {
    if (!isLineEnd(text[i])) continue;
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    ++line;
    lineStart = i + 1;
  }
  return {line, int(std::max<qsizetype>(0, offset - lineStart))};
}

qsizetype offsetOf(const QString& text, int line, int column) {
  qsizetype at = 0;
  for (int l = 0; l < line && at < text.size(); ++l) {
    while (at < text.size() && !isLineEnd(text[at])) ++at;
    if (at < text.size() && text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
      ++at;
    ++at;
  }
  qsizetype end = at;
  while (end < text.size() && !isLineEnd(text[end])) ++end;
  return std::min(at + column, end);
}

// An edit boundary never splits a CR LF pair or a surrogate pair, which the control cannot
// address.
void widenToWholeCharacters(TextEdit& edit, const QString& before) {
  auto splits = [&before](qsizetype at) {
    if (at <= 0 || at >= before.size()) return false;
    return (before[at - 1] == u'\r' && before[at] == u'\n') || before[at - 1].isHighSurrogate();
  };
  if (splits(edit.at)) {
    edit.inserted.prepend(before[edit.at - 1]);
    --edit.at;
    ++edit.removed;
  }
  const qsizetype end = edit.at + edit.removed;
  if (splits(end)) {
    edit.inserted.append(before[end]);
    ++edit.removed;
  }
}

// How many line breaks the find texts hold at most: an occurrence reaches that many lines past
// the one it starts on (quoted list items may hold line breaks).
int lineSpan(const AutoChangeTable& table) {
  int span = 0;
  for (const AutoChangePair& pair : table) span = std::max(span, lineEndsIn(pair.find));
  return span;
}

// Every block widened by `margin` lines either way, merged into runs, clamped to the text.
std::vector<LineBlock> blocksAround(std::vector<LineBlock> lines, int margin, int lineCount) {
  std::sort(lines.begin(), lines.end(),
            [](const LineBlock& a, const LineBlock& b) { return a.first < b.first; });
  std::vector<LineBlock> blocks;
  for (const LineBlock& line : lines) {
    const LineBlock b{std::max(0, line.first - margin),
                      std::min(lineCount - 1, line.last + margin)};
    if (b.first > b.last) continue;
    if (!blocks.empty() && b.first <= blocks.back().last + 1)
      blocks.back().last = std::max(blocks.back().last, b.last);
    else
      blocks.push_back(b);
  }
  return blocks;
}

// Where any find text occurs in `text`, in any letter case, as (offset, length) in offset
// order; occurrences may overlap. One pass over the text for all pairs together: a character
// that starts no find text, in any letter case, is passed over at the cost of a table look-up.
std::vector<std::pair<qsizetype, qsizetype>> occurrences(const QString& text,
                                                         const AutoChangeTable& table) {
  std::vector<std::vector<const QString*>> byFirst(0x10000);
  for (const AutoChangePair& pair : table)
    if (!pair.find.isEmpty())
      byFirst[pair.find.front().toCaseFolded().unicode()].push_back(&pair.find);
  std::vector<std::pair<qsizetype, qsizetype>> hits;
  const QStringView view(text);
  for (qsizetype i = 0; i < view.size(); ++i) {
    const auto& candidates = byFirst[view[i].toCaseFolded().unicode()];
    for (const QString* find : candidates)
      if (view.sliced(i).startsWith(*find, Qt::CaseInsensitive)) hits.emplace_back(i, find->size());
  }
  return hits;
}

const QString kListName = QStringLiteral("AutoChange.lst");
const QString kObjectName = QStringLiteral("AutoChanger");

class AutoChanger : public QObject {
 public:
  explicit AutoChanger(shell::FrmMain& window) : QObject(&window), m_window(window) {
    setObjectName(kObjectName);
  }

  void load() {
    const QString path = m_window.context().paths.file(kListName);
    setTable(ParseAutoChange(platform::ListFile::read(path).value_or(QStringList())));
  }

  const AutoChangeTable& table() const { return m_table; }
  // A new pair may occur anywhere in the text, as after loading: the next key looks at all of
  // it.
  void setTable(AutoChangeTable table) {
    m_table = std::move(table);
    m_wholeTextDue = true;
  }

  std::optional<QString> store() {
    QString error;
    if (platform::ListFile::write(m_window.context().paths.file(kListName),
                                  FormatAutoChange(m_table), &error))
      return std::nullopt;
    return QStringLiteral("Не удалось сохранить список автозамены %1:\n%2\n\nИзменение действует "
                          "до закрытия программы.")
        .arg(kListName, error);
  }

  void onKeyDown(const platform::KeyPress& press) {
    if (press.handled) return;
    // The key itself reaches the text afterwards, so a word is replaced by the key after it.
    if (press.shift == 0 && press.key != Qt::Key_Menu) check();
  }

 private:
  platform::EditControl& editor() { return m_window.txtMain(); }

  void check() {
    if (!m_window.context().settings.truth(Setting::AutoChange)) {
      m_wasOn = false;
      return;
    }
    if (!m_wasOn) m_wholeTextDue = true;
    m_wasOn = true;
    const int lineCount = editor().lineCount();
    const int span = lineSpan(m_table);
    std::vector<LineBlock> changed;
    if (m_wholeTextDue) {
      changed.push_back({0, lineCount - 1});
    } else {
      for (const auto& [first, last] : editor().linesChangedSinceMark())
        changed.push_back({first, last});
    }
    m_wholeTextDue = false;
    if (m_table.size() > 1) {  // more than the empty pair
      std::vector<LineBlock> hits;
      for (const LineBlock& scope : blocksAround(std::move(changed), span, lineCount))
        addOccurrenceLines(scope, hits);
      rewrite(blocksAround(std::move(hits), span, lineCount));
    }
    // What the rewrite changed is replaced already.
    editor().markChanges();
  }

  // The lines of the scope holding an occurrence of some find text: only those can change,
  // because a line without one is left alone by the first pair, and so by every pair after it.
  void addOccurrenceLines(const LineBlock& scope, std::vector<LineBlock>& lines) {
    const QString text = editor().linesText(scope.first, scope.last);
    int line = scope.first;
    qsizetype counted = 0;
    for (const auto& [at, length] : occurrences(text, m_table)) {
      line += lineEndsIn(QStringView(text).sliced(counted, at - counted));
      counted = at;
      lines.push_back({line, line + lineEndsIn(QStringView(text).sliced(at, length))});
    }
  }

  // Rewrites the blocks from the bottom up, so the line numbers of the ones above stay valid,
  // and puts the selection back where it was among the text around it.
  void rewrite(const std::vector<LineBlock>& blocks) {
    SelRange sel = editor().selection();
    bool changed = false;
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
      changed = rewriteBlock(*block, sel) || changed;
    if (changed) editor().setSelection(sel, false);
  }

  bool rewriteBlock(const LineBlock& block, SelRange& sel) {
    platform::EditControl& e = editor();
    const QString before = e.linesText(block.first, block.last);
    const QString after = ApplyAutoChange(before, m_table);
    if (after == before) return false;
    TextEdit edit = MinimalEdit(before, after);
    widenToWholeCharacters(edit, before);
    const auto [fromLine, fromCol] = lineColOf(before, edit.at);
    const auto [toLine, toCol] = lineColOf(before, edit.at + edit.removed);
    e.setSelection({block.first + fromLine, fromCol, block.first + toLine, toCol, false}, false);
    e.setSelectedText(edit.inserted);

    const int addedLines = lineEndsIn(after) - lineEndsIn(before);
    auto follow = [&](int& line, int& column) {
      if (line < block.first) return;
      if (line > block.last) {
        line += addedLines;
        return;
      }
      const qsizetype moved = MapThroughEdit(offsetOf(before, line - block.first, column), edit);
      const auto [l, c] = lineColOf(after, moved);
      line = block.first + l;
      column = c;
    };
    follow(sel.startLine, sel.startCol);
    follow(sel.endLine, sel.endCol);
    return true;
  }

  shell::FrmMain& m_window;
  AutoChangeTable m_table{AutoChangePair{}};
  bool m_wholeTextDue = true;  // the table or the option is new: every line may need replacing
  bool m_wasOn = false;        // the option was on at the last check
};

AutoChanger* changerOf(shell::FrmMain& window) {
  return dynamic_cast<AutoChanger*>(
      window.findChild<QObject*>(kObjectName, Qt::FindDirectChildrenOnly));
}

const QString kMark = QStringLiteral("==");

}  // namespace

AutoChangeTable ParseAutoChange(const QStringList& items) {
  AutoChangeTable table{AutoChangePair{}};
  for (const QString& item : items) {
    const qsizetype first = item.indexOf(QStringLiteral("=="));
    if (first < 0) continue;
    const qsizetype last = item.lastIndexOf(QStringLiteral("=="));
    table.push_back({item.left(first), item.mid(last + 2)});
  }
  return table;
}

QString ApplyAutoChange(QString text, const AutoChangeTable& table) {
  for (const AutoChangePair& pair : table)
    if (!pair.find.isEmpty()) text.replace(pair.find, pair.replacement, Qt::CaseInsensitive);
  return text;
}

TextEdit MinimalEdit(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  return {prefix, before.size() - prefix - suffix,
          after.mid(prefix, after.size() - prefix - suffix)};
}

qsizetype MapThroughEdit(qsizetype offset, const TextEdit& edit) {
  // An insertion right at the offset pushes it along: a word grown at its end leaves the
  // caret behind the new end.
  if (offset < edit.at || (offset == edit.at && edit.removed > 0)) return offset;
  const qsizetype end = edit.at + edit.removed;
  if (offset >= end) return offset + edit.inserted.size() - edit.removed;
  return edit.at + edit.inserted.size();
}

std::optional<QString> AutoChangePairProblem(const AutoChangePair& pair) {
  if (pair.find.isEmpty() || pair.replacement.isEmpty())
    return QStringLiteral("Автозамене нужны и текст, который заменять, и текст, на который.");
  if (pair.find.contains(kMark) || pair.find.endsWith(u'='))
    return QStringLiteral("Заменяемый текст не может содержать «==» или кончаться на «=»: "
                          "в файле автозамены он прочитался бы иначе.\n") +
           pair.find;
  if (pair.replacement.contains(kMark) || pair.replacement.startsWith(u'='))
    return QStringLiteral("Текст замены не может содержать «==» или начинаться с «=»: "
                          "в файле автозамены он прочитался бы иначе.\n") +
           pair.replacement;
  return std::nullopt;
}

QStringList FormatAutoChange(const AutoChangeTable& table) {
  QStringList items;
  for (std::size_t i = 1; i < table.size(); ++i)
    if (!table[i].find.isEmpty()) items << table[i].find + kMark + table[i].replacement;
  return items;
}

const AutoChangeTable* AutoChangeTableOf(shell::FrmMain& window) {
  const AutoChanger* changer = changerOf(window);
  return changer ? &changer->table() : nullptr;
}

std::optional<QString> AddAutoChangePair(shell::FrmMain& window, const AutoChangePair& pair) {
  AutoChanger* changer = changerOf(window);
  if (!changer) return QStringLiteral("Автозамена не установлена.");
  if (auto problem = AutoChangePairProblem(pair)) return problem;
  AutoChangeTable table = changer->table();
  table.push_back(pair);
  changer->setTable(std::move(table));
  return changer->store();
}

std::optional<QString> RemoveAutoChangePair(shell::FrmMain& window, int index) {
  AutoChanger* changer = changerOf(window);
  if (!changer) return QStringLiteral("Автозамена не установлена.");
  // Pair 0 is the empty one every table starts with; it is no line of the file.
  if (index < 1 || std::size_t(index) >= changer->table().size())
    return QStringLiteral("Нет такой пары автозамены.");
  AutoChangeTable table = changer->table();
  table.erase(table.begin() + index);
  changer->setTable(std::move(table));
  return changer->store();
}

void InstallAutoChange(shell::FrmMain& window) {
  auto* changer = new AutoChanger(window);
  platform::EditControl& e = window.txtMain();
  window.hooks().add(shell::Hook::AutoChange, [changer] { changer->load(); });
  QObject::connect(&e, &platform::EditControl::keyDown, changer,
                   [changer](platform::KeyPress& press) { changer->onKeyDown(press); });
}

}  // namespace editor

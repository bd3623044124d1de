#include "automation/macro_commands.h"

#include <array>

#include "automation/macro_files.h"
#include "automation/script_host.h"
#include "automation/script_text.h"
#include "platform/text_file.h"
#include "text/code_page.h"
#include "text/keyboard_layout.h"

namespace automation {
namespace {

using platform::SelRange;

// Where a command's result goes: the selection when there is one, else the whole text.
void putIntoTarget(ScriptHost& host, const QString& text) {
  if (host.hasSelection())
    host.setSelectedText(text);
  else
    host.setText(text);
}

// A number of a column: spaces around it allowed, nothing else; negative numbers are none.
std::optional<int> columnNumber(const std::optional<QString>& argument) {
  if (!argument) return std::nullopt;
  bool ok = false;
  const int value = TrimSpaces(*argument).toInt(&ok);
  if (!ok || value < 0) return std::nullopt;
  return value;
}

// "win", "dos", "koi", "mac", "iso", or the number the argument starts with; 0 for anything that
// names no code page the conversion knows, including text without a leading number.
int codePageOf(const std::optional<QString>& argument) {
  if (!argument) return 0;
  static const std::array<QString, 5> words = {"win", "dos", "koi", "mac", "iso"};
  for (size_t i = 0; i < words.size(); ++i)
    if (*argument == words[i]) return int(i) + 1;
  const QString& word = *argument;
  const bool negative = word.startsWith(u'-');
  qsizetype i = negative || word.startsWith(u'+') ? 1 : 0;
  const qsizetype firstDigit = i;
  int value = 0;
  for (; i < word.size() && word[i] >= u'0' && word[i] <= u'9'; ++i)
    value = std::min(value * 10 + (word[i].unicode() - u'0'), 1000);  // large is as bad as 1000
  if (i == firstDigit || negative) return 0;
  return value >= text::kWindows1251 && value <= text::kCodePageCount ? value : 0;
}

struct LineColumn {
  int line = 0;
  int column = 0;
};

// Where the editor's position lands after `text`, starting from `from`: CR LF, a lone CR and a
// lone LF each end a line, as they do in the editor.
LineColumn advance(LineColumn from, QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      ++from.line;
      from.column = 0;
    } else {
      ++from.column;
    }
  }
  return from;
}

void selectFound(ScriptHost& host, QStringView within, LineColumn origin, const QString& what) {
  const qsizetype at = within.indexOf(what);
  if (at < 0) return;
  const LineColumn start = advance(origin, within.left(at));
  const LineColumn end = advance(start, what);
  host.applySharedRange(SelRange{start.line, start.column, end.line, end.column, false});
}

// "$alltext" and "$selectedtext" are compared as written, like replace's first argument.
void find(const MacroArguments& args, ScriptHost& host) {
  const std::optional<QString> where = args.raw(0);
  const std::optional<QString> what = args.lowered(1);
  if (!where || !what || what->isEmpty()) return;
  if (*where == QStringLiteral("$alltext")) {
    selectFound(host, host.text(), {}, *what);
  } else if (*where == QStringLiteral("$selectedtext")) {
    const QString selected = host.selectedText();
    const SelRange selection = host.selection();
    selectFound(host, selected, {selection.startLine, selection.startCol}, *what);
  }
}

QString replaced(const QString& text, const QString& what, const QString& with) {
  return ReplacedText(text, what, with);
}

// How long replaced() would make the text, found without making it.
qsizetype replacedLength(QStringView text, const QString& what, const QString& with) {
  return text.size() + CountOccurrences(text, what) * (with.size() - what.size());
}

void replace(const MacroArguments& args, ScriptHost& host) {
  if (args.count() < 3) return;
  const QString where = *args.raw(0);
  const QString what = *args.trimmed(1);
  const QString with = *args.trimmed(2);
  if (where == QStringLiteral("$alltext")) {
    if (!what.isEmpty()) host.replaceInText(what, with);
  } else if (where == QStringLiteral("$selectedtext")) {
    if (!host.hasSelection()) return;
    const QString selected = host.selectedText();
    if (!host.admitsSelectedText(replacedLength(selected, what, with))) return;
    const QString result = replaced(selected, what, with);
    if (result != selected) host.setSelectedText(result);
  } else if (where == QStringLiteral("$clipboardtext")) {
    const QString clipboard = host.clipboardText();
    if (!host.admitsSelectedText(replacedLength(clipboard, what, with))) return;
    host.setSelectedText(replaced(clipboard, what, with));
  } else {
    host.setText(replaced(where, what, with));
  }
}

// Column `first` to column `second` of the shared range's first line, kept inside that line.
void setSelection(const MacroArguments& args, ScriptHost& host) {
  const std::optional<int> first = columnNumber(args.raw(0));
  const std::optional<int> second = columnNumber(args.raw(1));
  if (!first || !second) return;
  const SelRange shared = host.sharedRange();
  const int line = std::clamp(shared.startLine, 0, std::max(host.lineCount() - 1, 0));
  const int length = host.lineLength(line);
  const int a = std::min(*first, length);
  const int b = std::min(*second, length);
  host.applySharedRange(SelRange{line, std::min(a, b), line, std::max(a, b), false});
}

void recode(const MacroArguments& args, ScriptHost& host) {
  const int from = codePageOf(args.lowered(0));
  const int to = codePageOf(args.lowered(1));
  const std::optional<QString> source = args.lowered(2);
  if (from == 0 || to == 0 || !source) return;
  putIntoTarget(host, text::ConvertCodePage(*source, from, to));
}

std::optional<QString> readText(const std::optional<QString>& path) {
  if (!path || path->isEmpty()) return std::nullopt;
  std::optional<platform::TextFile::ReadResult> file =
      platform::TextFile::read(ResolveLoweredPath(*path));
  if (!file) return std::nullopt;
  return std::move(file->text);
}

// Files the program writes are Windows-1251 while every character fits, else UTF-8.
void writeText(const QString& path, const QString& text) {
  platform::TextFile::write(ResolveLoweredPath(path), text, platform::TextFormat{});
}

void writeToFile(const MacroArguments& args, ScriptHost&) {
  const std::optional<QString> path = args.lowered(0);
  const std::optional<QString> text = args.lowered(1);
  // Without a text there is nothing to write, and emptying the file would lose its content.
  if (!path || path->isEmpty() || !text) return;
  writeText(*path, *text + QStringLiteral("\r\n"));
}

void readFromFile(const MacroArguments& args, ScriptHost& host) {
  if (const std::optional<QString> text = readText(args.lowered(0))) host.setText(*text);
}

// A part that cannot be read leaves the output alone: a join that silently lacked a part would
// pass for a good one.
void join(const MacroArguments& args, ScriptHost&) {
  const std::optional<QString> first = readText(args.lowered(0));
  const std::optional<QString> second = readText(args.lowered(1));
  const std::optional<QString> output = args.lowered(2);
  if (!first || !second || !output || output->isEmpty()) return;
  const QString lineEnd = QStringLiteral("\r\n");
  writeText(*output, *first + lineEnd + *second + lineEnd);
}

void createFile(const MacroArguments& args, ScriptHost&) {
  const std::optional<QString> path = args.trimmed(0);
  if (!path || path->isEmpty()) return;
  platform::TextFile::appendBytes(ResolveLoweredPath(*path), {});
}

void killFile(const MacroArguments& args, ScriptHost&) {
  if (const std::optional<QString> path = args.trimmed(0); path && !path->isEmpty())
    KillFiles(*path);
}

void shellExecute(const MacroArguments& args, ScriptHost& host) {
  if (const std::optional<QString> target = args.trimmed(0); target && !target->isEmpty())
    host.shellOpen(*target);
}

void engToRus(const MacroArguments& args, ScriptHost& host) {
  if (const std::optional<QString> typed = args.lowered(0))
    putIntoTarget(host, text::LayoutToRussian(*typed));
}

void rusToEng(const MacroArguments& args, ScriptHost& host) {
  if (const std::optional<QString> typed = args.lowered(0))
    putIntoTarget(host, text::LayoutToLatin(*typed));
}

void setSelectedText(const MacroArguments& args, ScriptHost& host) {
  if (const std::optional<QString> text = args.lowered(0)) host.setSelectedText(*text);
}

void setClipboardText(const MacroArguments& args, ScriptHost& host) {
  if (const std::optional<QString> text = args.lowered(0)) host.setClipboardText(*text);
}

void clearClipboard(const MacroArguments&, ScriptHost& host) { host.clearClipboard(); }

struct Command {
  const char16_t* word;
  MacroCommandRun run;
};

constexpr Command kCommands[] = {
    {u"clearclipboard", clearClipboard},
    {u"shellexecute", shellExecute},
    {u"setselection", setSelection},
    {u"createfile", createFile},
    {u"killfile", killFile},
    {u"writetofile", writeToFile},
    {u"readfromfile", readFromFile},
    {u"recode", recode},
    {u"join", join},
    {u"engtorus", engToRus},
    {u"rustoeng", rusToEng},
    {u"replace", replace},
    {u"find", find},
    {u"setselectedtext", setSelectedText},
    {u"setclipboardtext", setClipboardText},
};

}  // namespace

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

std::optional<QString> MacroArguments::raw(qsizetype i) const {
  if (i < 0 || i >= m_list.size()) return std::nullopt;
  return m_list[i];
}

std::optional<QString> MacroArguments::trimmed(qsizetype i) const {
  if (i < 0 || i >= m_list.size()) return std::nullopt;
  return ResolveMacroArgument(TrimSpaces(m_list[i]), m_user, m_host);
}

std::optional<QString> MacroArguments::lowered(qsizetype i) const {
  if (i < 0 || i >= m_list.size()) return std::nullopt;
  return ResolveMacroArgument(TrimSpaces(m_list[i].toLower()), m_user, m_host);
}

MacroCommandRun FindMacroCommand(QStringView word) {
  for (const Command& command : kCommands)
    if (word == QStringView(command.word)) return command.run;
  return nullptr;
}

}  // namespace automation

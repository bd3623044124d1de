#include "automation/program_list.h"

#include "platform/text_file.h"

namespace automation {

ProgramEntries ParseProgramList(const QString& content) {
  ProgramEntries entries;
  for (const QString& line : content.split(QStringLiteral("\r\n"))) {
    if (line.isEmpty()) continue;
    const qsizetype mark = line.lastIndexOf(u'>');
    if (mark < 0)
      entries.append({line, QString()});
    else
      entries.append({line.mid(mark + 1), line.left(mark)});
  }
  return entries;
}

QString FormatProgramList(const ProgramEntries& entries) {
  QString content;
  for (const ProgramEntry& entry : entries)
    content += entry.commandLine + u'>' + entry.caption + QStringLiteral("\r\n");
  return content;
}

std::optional<QString> ProgramEntryProblem(const ProgramEntry& entry) {
  if (entry.caption.contains(u'>'))
    return QStringLiteral("Название программы не может содержать знак «>».");
  // A line break would split the entry into two lines of the file.
  if (entry.caption.contains(u'\r') || entry.caption.contains(u'\n') ||
      entry.commandLine.contains(u'\r') || entry.commandLine.contains(u'\n'))
    return QStringLiteral("Название и путь программы должны занимать одну строку.");
  if (entry.caption.isEmpty()) return QStringLiteral("Укажите название программы.");
  return std::nullopt;
}

ProgramEntries ReadProgramList(const QString& path) {
  const auto file = platform::TextFile::read(path);
  return file ? ParseProgramList(file->text) : ProgramEntries();
}

bool WriteProgramList(const QString& path, const ProgramEntries& entries, QString* error) {
  return platform::TextFile::write(path, FormatProgramList(entries),
                                   {platform::Encoding::Windows1251, false, platform::LineEnd::CrLf},
                                   error);
}

}  // namespace automation

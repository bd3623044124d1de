#include "shell/command_line.h"

#include <QFileInfo>

#include "shell/version.h"

namespace shell {

QString CommandLinePath(const QString& commandLine, const QString& workingDir) {
  if (commandLine.isEmpty() || commandLine.startsWith('/') || workingDir.isEmpty())
    return commandLine;
  return workingDir.endsWith('/') ? workingDir + commandLine : workingDir + "/" + commandLine;
}

std::optional<QString> CommandLineInfo(const QString& commandLine, const QString& workingDir) {
  const bool help = commandLine == "--help" || commandLine == "-h";
  if (!help && commandLine != "--version") return std::nullopt;
  const QFileInfo named(CommandLinePath(commandLine, workingDir));
  if (named.exists() && !named.isDir()) return std::nullopt;
  const QString version =
      QString::fromUtf8(kProgramName) + " " + QString::fromUtf8(kVersion) + "\n";
  if (!help) return version;
  return version + QStringLiteral(
                       "\n"
                       "Использование: ostrel [ФАЙЛ]\n"
                       "\n"
                       "Открывает ФАЙЛ в новом окне редактора. Всё, что стоит после имени "
                       "программы, — одно имя файла,\n"
                       "пробелы в нём не разделяют имена. Файл, которого ещё нет, открывается "
                       "пустым документом\n"
                       "с этим именем и создаётся при первом сохранении.\n"
                       "\n"
                       "  -h, --help   показать эту справку и выйти\n"
                       "  --version    показать версию и выйти\n"
                       "\n"
                       "Файл с именем --help, -h или --version в текущей папке открывается как "
                       "файл.\n"
                       "Папка программы — $OSTREL_HOME, если переменная задана.\n");
}

}  // namespace shell

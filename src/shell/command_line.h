// The program's command line: the one path it names, or a question about the program itself.
#pragma once

#include <QString>
#include <optional>

namespace shell {

// The path the command line names, as the program keeps it: a relative one gets the working
// folder put before it, and nothing else changes (".." is left for the file system to follow,
// since a symbolic link before it decides where it leads). "" stays "".
QString CommandLinePath(const QString& commandLine, const QString& workingDir);

// What the program prints instead of starting: the usage for "--help" or "-h", the version for
// "--version", each alone on the command line. Nothing when a file of that name stands in the
// working folder: that file is opened.
std::optional<QString> CommandLineInfo(const QString& commandLine, const QString& workingDir);

}  // namespace shell

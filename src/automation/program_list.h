// The list of external programs, "Programs.lst": one entry per line, the program line and the
// caption joined by ">". The caption is what follows the last ">", so a program line may hold
// ">" but a caption never can.
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace automation {

struct ProgramEntry {
  QString caption;
  QString commandLine;
  bool operator==(const ProgramEntry&) const = default;
};
using ProgramEntries = QList<ProgramEntry>;

// Entries in file order. A line without ">" is all caption with an empty program line; empty
// lines are no entries.
ProgramEntries ParseProgramList(const QString& content);
// One line per entry, commandLine + ">" + caption, each ended by CR LF.
QString FormatProgramList(const ProgramEntries& entries);

// Why the entry cannot be stored, in Russian for a message; nullopt when it can.
std::optional<QString> ProgramEntryProblem(const ProgramEntry& entry);

// A missing or unreadable file is an empty list.
ProgramEntries ReadProgramList(const QString& path);
// Replaces the file whole and safely (Windows-1251 when every character fits, else UTF-8).
bool WriteProgramList(const QString& path, const ProgramEntries& entries, QString* error = nullptr);

}  // namespace automation

// A highlight definition file (".ohf"): its [MainSettings] values and its two word groups, read
// the way the program has always read them, so files written for earlier versions load alike.
#pragma once

#include <QString>

namespace highlight {

struct OhfDefinition {
  // Scheme name: language name, menu caption and settings-list caption.
  QString description;
  // File patterns for the choice by extension, "*.py;*.pyw".
  QString extensions = QStringLiteral("*.*");
  bool caseSensitive = false;
  // Each character opens a string that the same character closes.
  QString stringChars = QStringLiteral("'");
  QString lineComment;
  QString blockCommentOpen;   // may be set without a closer
  QString blockCommentClose;  // set only together with an opener
  QString scopeOpen;
  QString scopeClose;
  // The [group1] (keywords) and [group2] (operators) lines, each followed by LF, with every
  // space turned into LF: "if then", "else" gives "if\nthen\nelse\n". Empty without the group.
  QString keywords;
  QString operators;

  bool operator==(const OhfDefinition&) const = default;
};

// "Подсветка для " and the file name without its directory and its last four characters.
QString DefaultOhfDescription(const QString& path);

// Reads one definition file. Never fails: whatever cannot be read (a missing key, a missing,
// unreadable or oversized file, a bad value) keeps its default, and everything else is read.
OhfDefinition ReadOhfFile(const QString& path);

// The boolean rule of the file: "0" and "false" are false, a non-zero number and "true" are
// true (letter case ignored); anything else is false.
bool OhfBoolean(const QString& value);

}  // namespace highlight

// The code library: named pieces of code kept together in "Main.ocl". Each entry is a header
// line ">>" + name, the lines of its text, and one line break that ends the entry. A text ends
// at the next line that begins with ">>", so a text holding such a line cannot be stored.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "platform/text_file.h"

namespace platform {
class AppPaths;
}

namespace automation {

struct CodeEntry {
  QString name;
  QString text;  // CR LF between lines, none at the end
  bool operator==(const CodeEntry&) const = default;
};

// The entries of a library file's text (any line ends), in file order. A line that begins with
// ">>" is a header; every other line belongs to the text of the header above it, and lines
// before the first header belong to no entry.
QList<CodeEntry> ParseCodeLibrary(const QString& fileText);

// The file's text for these entries: ">>" + name, CR LF, text, CR LF for each.
QString FormatCodeLibrary(const QList<CodeEntry>& entries);

// The text of the entry with that name; `occurrence` counts entries of the same name before it
// (0 is the first). nullopt when there is no such entry.
std::optional<QString> FindCodeItem(const QList<CodeEntry>& entries, const QString& name,
                                    int occurrence = 0);

// The first line of `text` (1-based, any line ends) that begins with ">>": written into the file
// it would read back as a header, ending the text there. nullopt when the file can hold the text.
// Example: "a >> b\r\n>>c" gives 2.
std::optional<int> CodeTextHeaderLine(const QString& text);

// A name the file can hold as a header: not empty, no line break, not starting with ">>".
bool IsCodeItemName(const QString& name);

// The item a dropped file becomes: its name without the folder and without the text from its
// last "." on ("a.b.txt" is "a.b"). A name that would be empty keeps the whole file name, and
// anything the file could not hold as a header (line breaks, a leading ">>") is left out.
QString DroppedItemName(const QString& path);

// "Main.ocl" in the program folder, found without regard to letter case.
class CodeLibraryFile {
 public:
  explicit CodeLibraryFile(const platform::AppPaths& paths) : m_paths(paths) {}

  struct Contents {
    QList<CodeEntry> entries;
    platform::TextFormat format;  // what a save writes again
  };
  // A missing file is an empty library; nullopt (with `error`) when the file is there but
  // cannot be read.
  std::optional<Contents> load(QString* error = nullptr) const;
  // Rewrites the file whole and atomically; on failure the old file stays and `error` says why.
  // The file keeps its encoding, widened to UTF-8 only when a text needs it.
  bool save(const QList<CodeEntry>& entries, const platform::TextFormat& format,
            QString* error = nullptr) const;
  QString path() const;

 private:
  const platform::AppPaths& m_paths;
};

}  // namespace automation

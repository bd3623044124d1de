// The size report of a page: the page's own file and every file it names in src="...".
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace html {

// The report's lines: a heading, one line per readable file named by src="..." (relative names
// taken from the folder of `documentPath`), the page's own file (or a note that the page was
// never saved), the number of files and their total size. A name that is not a readable regular
// file (missing, a folder, a pipe, a relative name of a page never saved) is counted without a
// line or a size; nothing is opened, so a pipe or a device cannot hold the report up.
QStringList SizeReport(QStringView page, const QString& documentPath);

}  // namespace html

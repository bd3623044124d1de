// The tags the HTML menu writes into a page: the skeleton of a new page, links, pictures,
// background music and font tags.
#pragma once

#include <QString>

namespace html {

// A new page: head with author and generator, a title, an empty body of two lines; CR LF
// between lines, none at the end.
QString PageSkeleton();

// <a href="url">name</a>
QString LinkTag(const QString& url, const QString& name);
// <img src="path"> and <BGSOUND src="path">
QString ImageTag(const QString& path);
QString SoundTag(const QString& path);

struct FontChoice {
  QString family;
  QString size;     // as the user reads it, with the locale's decimal separator
  int colour = 0;   // Windows colour value
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// `text` in a FONT tag, then in B, I, U and S tags in that order, each only when chosen, so
// strike-through is outermost. Example: bold and italic give
// '<I><B><FONT NAME="Arial" Color="#FF0000" SIZE="12">text</FONT></B></I>'.
QString FontTag(const QString& text, const FontChoice& font);

}  // namespace html

// What the HTML menu finds in a page: link targets, e-mail addresses and the files named by
// src="...". Every scan reads the text once from left to right, so a large page costs time in
// proportion to its size.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

namespace html {

// Said after a link tag whose target cannot be read.
inline constexpr const char* kLinkError = " - Ошибка!";

struct LinkList {
  QStringList entries;  // targets, and broken tags with kLinkError
  int count = 0;        // every tag found, empty targets included
};

// Every tag that begins with "<a" in any letter case ("<abbr" and "<area" too), from the end
// of one tag on. The entry is the text between href=" (any case) and the next quote inside the
// tag; a tag without it, with no closing quote, or with no ">" at all (it then runs to the end
// of the text and ends the scan) is listed as its text after "<a" + kLinkError. Empty targets
// are counted but not listed.
// Example: '<A HREF="a.htm">x</A> <a name=top>' gives {"a.htm", " name=top - Ошибка!"}, 2.
LinkList HyperLinks(QStringView text);

// The addresses around each "@", left to right, read as if the text had a space at either end:
// from after the nearest " ", ":" or ">" before the "@" up to the nearest " ", ". ", '"', ", " or
// "<" after it (CR and LF count as spaces), without points at its end; taken only when that
// stretch holds a ".". An address
// with two "@" is listed twice. `between`, when given, is called after each address found.
// Example: "mail: a@b.ru, c@d.ru." gives {"a@b.ru", "c@d.ru"}.
QStringList EMailAddresses(QStringView text, const std::function<void()>& between = {});

// The values of src="..." (exactly this, lower case) in order; a value with no closing quote
// ends the scan.
QStringList SourceNames(QStringView text);

// The URL of a selected opening link tag: after '<a href="' (exact case) up to the last two
// characters (the closing quote and ">"). Without that marker the selection from its ninth
// character on, less its last two. nullopt when the selection is too short to give anything.
// Example: '<a href="page.htm">' gives "page.htm".
std::optional<QString> UrlFromLink(const QString& selection);

}  // namespace html

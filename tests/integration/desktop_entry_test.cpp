// The Exec line of the program's desktop entry, read back the way a desktop reads it: no
// program path, however crafted, can add an argument, lose a character or smuggle in a field
// code.
#include "integration/desktop_entry.h"

#include <gtest/gtest.h>

#include "integration/key_file_lines.h"

namespace {

namespace DesktopEntry = integration::DesktopEntry;

// An independent reader of an Exec value: the string escapes first, then the quoting rules,
// then "%%" → "%". A field code stays as its own unquoted argument.
QStringList readExec(const QString& value) {
  QString s;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] == u'\\' && i + 1 < value.size()) {
      const QChar n = value[++i];
      s += n == u's' ? QChar(u' ') : n == u'n' ? QChar(u'\n') : n == u't' ? QChar(u'\t') : n;
    } else {
      s += value[i];
    }
  }
  QStringList args;
  QString arg;
  bool quoted = false, inArg = false;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (quoted) {
      if (c == u'\\' && i + 1 < s.size()) arg += s[++i];
      else if (c == u'"') quoted = false;
      else arg += c;
    } else if (c == u' ') {
      if (inArg) args.append(arg);
      arg.clear();
      inArg = false;
    } else {
      inArg = true;
      if (c == u'"') quoted = true;
      else arg += c;
    }
  }
  if (inArg) args.append(arg);
  for (QString& a : args)
    if (a != QStringLiteral("%f")) a.replace(QStringLiteral("%%"), QStringLiteral("%"));
  return args;
}

TEST(DesktopEntryExec, EveryProgramPathReadsBackAsOneArgumentBeforeTheDocument) {
  const QString paths[] = {
      "/usr/bin/ostrel",
      "/home/u/My Programs/ostrel",
      "/opt/a\"b/ostrel",
      "/opt/$HOME/`id`/ostrel",
      "/opt/back\\slash\\\\/ostrel",
      "/opt/100%f/%%/%u/ostrel",
      "/opt/semi;colon=eq#hash/ostrel",
      "/opt/'single' quotes/ostrel",
      "/opt/Программы/ostrel",
  };
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    const auto exec = DesktopEntry::execValue(path);
    ASSERT_TRUE(exec.has_value());
    EXPECT_EQ(readExec(*exec), (QStringList{path, "%f"}));
    EXPECT_EQ(exec->count(QStringLiteral(" %f")), 1);
    EXPECT_TRUE(exec->endsWith(QStringLiteral("\" %f")));
  }
}

TEST(DesktopEntryExec, RefusesPathsNoQuotingCanCarry) {
  for (const QString& path : {QString(), QString("ostrel"), QString("./ostrel"),
                              QString("/opt/line\nbreak/ostrel"), QString("/opt/tab\t/ostrel")}) {
    SCOPED_TRACE(path.toStdString());
    EXPECT_FALSE(DesktopEntry::execValue(path).has_value());
    EXPECT_FALSE(DesktopEntry::content(path, {"text/plain"}).has_value());
  }
}

TEST(DesktopEntryContent, IsAnApplicationForItsTypesOwnedByTheProgram) {
  const auto text = DesktopEntry::content("/opt/o x/ostrel", {"text/plain", "text/html"});
  ASSERT_TRUE(text.has_value());
  const auto entry = integration::KeyFileLines::parse(*text);
  const QString group = "Desktop Entry";
  EXPECT_TRUE(text->startsWith("[Desktop Entry]\n"));
  EXPECT_EQ(entry.value(group, "Type"), "Application");
  EXPECT_EQ(entry.value(group, "Name"), "Ostrel XP");
  EXPECT_EQ(entry.value(group, "MimeType"), "text/plain;text/html;");
  EXPECT_EQ(entry.value(group, DesktopEntry::kOwnerKey), "true");
  EXPECT_EQ(readExec(*entry.value(group, "Exec")), (QStringList{"/opt/o x/ostrel", "%f"}));
}

}  // namespace

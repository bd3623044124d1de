// IniFile: the profile reading rules, and writes that change one line and keep every other byte.
#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/test_files.h"

namespace {

using platform::IniFile;
using test_files::bytesOf;
using test_files::put;

class IniFileTest : public ::testing::Test {
 protected:
  QString path(const QString& name = "t.ini") const { return m_dir.filePath(name); }
  QTemporaryDir m_dir;
};

const QByteArray kSample = QByteArray(
                               "top=ignored\r\n"
                               "; a comment\r\n"
                               "[Main]\r\n"
                               "  Name =  Value with spaces  \r\n"
                               ";Hidden=1\r\n"
                               "Quoted=\"  kept  \"\r\n"
                               "Half=\"open\r\n"
                               "Expr=a=b=c\r\n"
                               "Empty=\r\n"
                               "Long=@\r\n"
                               "Cyr=\xCF\xF0\xE8\xE2\xE5\xF2\r\n"
                               "\r\n"
                               "[ other ]\r\n"
                               "name=second\r\n"
                               "[MAIN]\r\n"
                               "Late=duplicate section is not read\r\n")
                               .replace("@", QByteArray(300, 'x'));

TEST_F(IniFileTest, ReadFollowsTheProfileRules) {
  ASSERT_TRUE(put(path(), kSample));
  const IniFile ini(path());
  struct {
    const char* section;
    const char* key;
    QString expect;
  } cases[] = {
      {"main", "NAME", "Value with spaces"},
      {"Main", "Hidden", "default"},
      {"Main", "Quoted", "  kept  "},
      {"Main", "Half", "\"open"},
      {"Main", "Expr", "a=b=c"},  // split at the first =
      {"Main", "Empty", ""},
      {"Main", "Long", QString(255, 'x')},
      {"Main", "Cyr", "Привет"},
      {"Main", "Late", "default"},
      {"Main", "top", "default"},
      {"OTHER", "Name", "second"},
      {"Missing", "Name", "default"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ini.read(c.section, c.key, "default"), c.expect);
  }
  EXPECT_EQ(IniFile(path("none.ini")).read("Main", "Name", "d"), "d");
}

TEST_F(IniFileTest, SectionsAndKeysInFileOrder) {
  ASSERT_TRUE(put(path(), kSample));
  const IniFile ini(path());
  EXPECT_EQ(ini.sections(), (QStringList{"Main", "other"}));
  EXPECT_EQ(ini.keys("MAIN"),
            (QStringList{"Name", "Quoted", "Half", "Expr", "Empty", "Long", "Cyr"}));
  EXPECT_TRUE(ini.keys("missing").isEmpty());
  EXPECT_TRUE(IniFile(path("none.ini")).sections().isEmpty());
}

TEST_F(IniFileTest, WriteChangesOnlyItsLine) {
  const QByteArray before =
      "; settings\r\n[A]\r\n  Key = old ; not a comment  \r\n\r\n[B]\r\nx=1\r\n\r\n";
  struct {
    const char* name;
    const char* section;
    const char* key;
    QString value;
    QByteArray after;
  } cases[] = {
      {"replace keeps spelling and spacing", "a", "KEY", "new",
       "; settings\r\n[A]\r\n  Key = new  \r\n\r\n[B]\r\nx=1\r\n\r\n"},
      {"value needing quotes", "A", "key", " pad ",
       "; settings\r\n[A]\r\n  Key = \" pad \"  \r\n\r\n[B]\r\nx=1\r\n\r\n"},
      {"new key after the section's last line", "A", "Added", "1",
       "; settings\r\n[A]\r\n  Key = old ; not a comment  \r\nAdded=1\r\n\r\n[B]\r\nx=1\r\n\r\n"},
      {"new key in the last section", "b", "y", "2",
       "; settings\r\n[A]\r\n  Key = old ; not a comment  \r\n\r\n[B]\r\nx=1\r\ny=2\r\n\r\n"},
      {"new section at the end", "C", "z", "Ёж",
       "; settings\r\n[A]\r\n  Key = old ; not a comment  \r\n\r\n[B]\r\nx=1\r\n\r\n[C]\r\n"
       "z=\xA8\xE6\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(put(path(), before));
    QString error;
    ASSERT_TRUE(IniFile(path()).write(c.section, c.key, c.value, &error)) << error.toStdString();
    EXPECT_EQ(bytesOf(path()), c.after);
    EXPECT_EQ(IniFile(path()).read(c.section, c.key, "default"), c.value);
  }
}

TEST_F(IniFileTest, WriteKeepsLineEndsEncodingAndMissingFinalBreak) {
  struct {
    const char* name;
    QByteArray before;
    QString value;
    QByteArray after;
  } cases[] = {
      {"missing file", "", "v", "[S]\r\nk=v\r\n"},
      {"lf file", "[S]\nk=1\n", "v", "[S]\nk=v\n"},
      {"cr file", "[S]\rk=1\r", "v", "[S]\rk=v\r"},
      {"no final line break", "[S]\r\nk=1", "v", "[S]\r\nk=v"},
      {"utf-8 with bom", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "Ёж", "\xEF\xBB\xBF[S]\r\nk=Ёж\r\n"},
      {"cp1251 widened when needed", "[S]\r\nk=1\r\n", "日", "[S]\r\nk=日\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(path());
    if (!c.before.isEmpty()) {
      ASSERT_TRUE(put(path(), c.before));
    }
    ASSERT_TRUE(IniFile(path()).write("S", "k", c.value));
    EXPECT_EQ(bytesOf(path()), c.after);
  }
}

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
  IniFile ini(path());
  const QString values[] = {"",    "plain",        " spaced ", "\"quoted\"", "\"",  "\"\"",
                            "a=b", ";not comment", "[x]",      "Привет",     "日本"};
  for (const QString& v : values) {
    SCOPED_TRACE(v.toStdString());
    ASSERT_TRUE(ini.write("S", "k", v));
    EXPECT_EQ(ini.read("S", "k", "default"), v);
  }
  EXPECT_EQ(ini.keys("S"), QStringList{"k"});  // rewritten in place, never duplicated
}

TEST_F(IniFileTest, RemoveDeletesOnlyThatLine) {
  ASSERT_TRUE(put(path(), "[S]\r\n; c\r\nA=1\r\nb=2\r\n"));
  IniFile ini(path());
  ASSERT_TRUE(ini.remove("s", "a"));
  EXPECT_EQ(bytesOf(path()), "[S]\r\n; c\r\nb=2\r\n");
  EXPECT_TRUE(ini.remove("S", "missing"));
  EXPECT_TRUE(ini.remove("Missing", "b"));
  EXPECT_EQ(bytesOf(path()), "[S]\r\n; c\r\nb=2\r\n");
}

TEST_F(IniFileTest, RefusesEntriesThatWouldBreakTheFile) {
  ASSERT_TRUE(put(path(), "[S]\r\nk=1\r\n"));
  IniFile ini(path());
  struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"S", "k", "two\r\nlines"}, {"S", "a=b", "v"}, {"S", "", "v"},    {"S", ";k", "v"},
      {"S]", "k", "v"},           {"", "k", "v"},    {"S", "[k]", "v"}, {"S\n", "k", "v"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    QString error;
    EXPECT_FALSE(ini.write(c.section, c.key, c.value, &error));
    EXPECT_FALSE(error.isEmpty());
  }
  EXPECT_EQ(bytesOf(path()), "[S]\r\nk=1\r\n");
}

TEST_F(IniFileTest, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(put(path(), "[S]\r\nk=1\r\n"));
  QString error;
  {
    test_files::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    EXPECT_FALSE(IniFile(path()).write("S", "k", QString(100000, 'v'), &error));
  }
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(bytesOf(path()), "[S]\r\nk=1\r\n");
  EXPECT_FALSE(IniFile(path("missing/sub.ini")).write("S", "k", "v"));
}

}  // namespace

// ReadOhfFile: the settings with their defaults, the comma rules, and the line walk that finds
// the word groups, on real files.
#include "highlight/ohf_definition.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <utility>

#include "platform/test_files.h"

namespace {

using highlight::OhfBoolean;
using highlight::OhfDefinition;
using highlight::ReadOhfFile;

class OhfDefinitionTest : public ::testing::Test {
 protected:
  // Writes the lines with CR LF after each and reads the file back.
  OhfDefinition read(const QByteArray& lines, const QString& name = "rules.ohf") {
    QByteArray bytes = lines;
    bytes.replace("\n", "\r\n");
    const QString path = m_dir.filePath(name);
    EXPECT_TRUE(test_files::put(path, bytes));
    return ReadOhfFile(path);
  }
  QTemporaryDir m_dir;
};

TEST_F(OhfDefinitionTest, ReadsEverySettingAndBothGroups) {
  const OhfDefinition def = read(
      "[MainSettings]\n"
      "Description=Паскаль\n"
      "EXTENSIONS=*.pas;*.dpr\n"
      "case_sensitive=1\n"
      "string_chars='\"\n"
      "Comment1=//\n"
      "Comment2={,}\n"
      "delimiters=begin,end\n"
      "\n"
      "[group1]\n"
      "if then\n"
      "else\n"
      "\n"
      "[group2]\n"
      "+ - :=\n");
  EXPECT_EQ(def.description, "Паскаль");
  EXPECT_EQ(def.extensions, "*.pas;*.dpr");
  EXPECT_TRUE(def.caseSensitive);
  EXPECT_EQ(def.stringChars, "'\"");
  EXPECT_EQ(def.lineComment, "//");
  EXPECT_EQ(def.blockCommentOpen, "{");
  EXPECT_EQ(def.blockCommentClose, "}");
  EXPECT_EQ(def.scopeOpen, "begin");
  EXPECT_EQ(def.scopeClose, "end");
  EXPECT_EQ(def.keywords, "if\nthen\nelse\n");
  EXPECT_EQ(def.operators, "+\n-\n:=\n");
}

TEST_F(OhfDefinitionTest, MissingKeysAndFilesGiveTheDefaults) {
  OhfDefinition expected;
  expected.description = "Подсветка для rules";
  EXPECT_EQ(read(""), expected);
  expected.keywords = "if\n";
  EXPECT_EQ(read("[group1]\nif\n"), expected);
  // The name loses its last four characters, whatever they are.
  EXPECT_EQ(ReadOhfFile(m_dir.filePath("missing.ohf")).description, "Подсветка для missing");
  EXPECT_EQ(ReadOhfFile(m_dir.filePath("sql.ini")).description, "Подсветка для sql");
  EXPECT_EQ(read("[MainSettings]\n", "ab").description, "Подсветка для ");
  EXPECT_EQ(ReadOhfFile(m_dir.path()).extensions, "*.*");  // a directory is no file
  // An empty description would register the scheme under the plain-text language name.
  EXPECT_EQ(read("[MainSettings]\ndescription=\n").description, "Подсветка для rules");
}

// Each row is one [MainSettings] line and the pair it gives: the single-line comment (and
// nothing), the block comment opener and closer, or the scope words.
TEST_F(OhfDefinitionTest, CommaSeparatedValues) {
  using Pick = std::pair<QString, QString> (*)(const OhfDefinition&);
  const Pick comment1 = [](const OhfDefinition& d) { return std::pair{d.lineComment, QString()}; };
  const Pick comment2 = [](const OhfDefinition& d) {
    return std::pair{d.blockCommentOpen, d.blockCommentClose};
  };
  const Pick scope = [](const OhfDefinition& d) { return std::pair{d.scopeOpen, d.scopeClose}; };
  struct {
    const char* line;
    Pick pick;
    QString first, second;
  } cases[] = {
      {"Comment1=//,#", comment1, "//", ""},
      {"Comment1=#", comment1, "#", ""},
      {"Comment1=,#", comment1, "", ""},
      {"Comment2=/*,*/", comment2, "/*", "*/"},
      {"Comment2=(*", comment2, "(*", ""},  // one part: the opener alone
      {"Comment2=", comment2, "", ""},
      {"Comment2=,*/", comment2, "", ""},
      {"Comment2=/*,", comment2, "", ""},  // two parts, one of them empty: neither
      {"Comment2=/* , */", comment2, "/*", "*/"},
      {"Comment2=<!--,-->,x", comment2, "<!--", "-->"},
      {"delimiters=begin,end", scope, "begin", "end"},
      {"delimiters=begin, end", scope, "begin", "end"},
      {"delimiters=begin", scope, "begin", ""},
      {"delimiters=,end", scope, "", "end"},
      {"delimiters=", scope, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const OhfDefinition def = read(QByteArray("[MainSettings]\n") + c.line + "\n");
    EXPECT_EQ(c.pick(def), std::pair(c.first, c.second));
  }
}

TEST(OhfBoolean, ZeroFalseNumbersAndTrue) {
  struct {
    const char* value;
    bool expect;
  } cases[] = {
      {"0", false},  {"false", false}, {"FALSE", false}, {"1", true},    {"-1", true},
      {"2.5", true}, {"0.0", false},   {"true", true},   {"True", true}, {"yes", false},
      {"", false},   {"1x", false},    {"nan", false},   {"inf", false}, {"tru", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(OhfBoolean(c.value), c.expect);
  }
}

TEST_F(OhfDefinitionTest, CaseSensitiveReadsTheBooleanRule) {
  EXPECT_TRUE(read("[MainSettings]\ncase_sensitive=TRUE\n").caseSensitive);
  EXPECT_FALSE(read("[MainSettings]\ncase_sensitive=да\n").caseSensitive);
  EXPECT_FALSE(read("[MainSettings]\n").caseSensitive);
}

TEST_F(OhfDefinitionTest, WordGroupsEndWhereTheLineWalkSaysSo) {
  struct {
    const char* name;
    QByteArray text;
    QString keywords, operators;
  } cases[] = {
      {"empty line separates", "[group1]\na b\nc\n\n[group2]\n+ -\n", "a\nb\nc\n", "+\n-\n"},
      {"comment line separates", "[group1]\na\n; ops\n[group2]\n+\n", "a\n", "+\n"},
      {"header under a word line is not seen", "[group1]\na\n[group2]\n+\n", "a\n", ""},
      {"a header ends the group, then is skipped", "[group1]\na\n[x]\nb\n", "a\n", ""},
      {"headers are exact", "[Group1]\na\n\n [group1]\nb\n\n[group1] \nc\n", "", ""},
      {"group at the end of the file", "[group2]\n<>", "", "<>\n"},
      {"groups add up", "[group1]\na\n\n[group1]\nb\n", "a\nb\n", ""},
      {"groups 3 and 4 are not read", "[group3]\nx\n\n[group4]\ny\n", "", ""},
      {"double spaces give empty entries", "[group1]\na  b\n", "a\n\nb\n", ""},
      {"settings lines are no words", "[MainSettings]\n[group1]\nif\n", "if\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const OhfDefinition def = read(c.text);
    EXPECT_EQ(def.keywords, c.keywords);
    EXPECT_EQ(def.operators, c.operators);
  }
}

TEST_F(OhfDefinitionTest, LfOnlyFilesAndWindows1251Files) {
  const QString path = m_dir.filePath("lf.ohf");
  ASSERT_TRUE(test_files::put(path,
                              "[MainSettings]\ndescription=\xCF\xE0\xF1\xEA\xE0\xEB\n\n[group1]"
                              "\nif then\n\xE5\xF1\xEB\xE8\n"));
  const OhfDefinition def = ReadOhfFile(path);
  EXPECT_EQ(def.description, "Паскал");
  EXPECT_EQ(def.keywords, "if\nthen\nесли\n");
}

// A file far larger than any definition is not read at all (it would be read once per key).
TEST_F(OhfDefinitionTest, OversizedFileKeepsTheDefaults) {
  QByteArray bytes = "[MainSettings]\ndescription=big\n[group1]\nif\n\n;";
  bytes += QByteArray(5 * 1024 * 1024, 'x');
  const QString path = m_dir.filePath("big.ohf");
  ASSERT_TRUE(test_files::put(path, bytes));
  const OhfDefinition def = ReadOhfFile(path);
  EXPECT_EQ(def.description, "Подсветка для big");
  EXPECT_EQ(def.keywords, "");
}

}  // namespace

// "Associated.lst": its exact bytes, what reading keeps and drops, and that every list the user
// can make reads back as it was saved.
#include "integration/association_list.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/test_files.h"

namespace {

using integration::AssociationItem;
using integration::AssociationList;

TEST(AssociationFile, BeginsWithAnEmptyLineAndMarksCheckedLines) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Associated.lst");
  ASSERT_TRUE(integration::SaveAssociations(path, {{".txt", true}, {"htm", false}}));
  EXPECT_EQ(test_files::bytesOf(path), QByteArray("\r\nEn.txt\r\nhtm\r\n"));
  ASSERT_TRUE(integration::SaveAssociations(path, {}));
  EXPECT_EQ(test_files::bytesOf(path), QByteArray("\r\n"));
}

TEST(AssociationFile, ReadsLines) {
  struct {
    const char* name;
    QStringList lines;
    AssociationList expect;
  } cases[] = {
      {"empty items skipped", {"", "En.txt", "", "htm", ""}, {{".txt", true}, {"htm", false}}},
      {"prefix is case-sensitive", {"en.txt", "EN.c"}, {{"en.txt", false}, {"EN.c", false}}},
      {"prefix alone is no extension", {"En", "En ", "."}, {}},
      {"invalid extensions dropped", {"En../x", "a/b", "En*.txt", "tab\there", "ok"}, {{"ok", false}}},
      {"cyrillic kept", {"En.тхт"}, {{".тхт", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(integration::parseAssociationLines(c.lines), c.expect);
  }
}

// Regression: an unchecked extension beginning with "En" came back checked and two characters
// shorter ("Eng" became a checked "g").
TEST(AssociationFile, EveryListReadsBackAsSaved) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Associated.lst");
  const struct {
    const char* name;
    AssociationList saved;
    AssociationList expect;
  } cases[] = {
      {"checked .txt", {{".txt", true}}, {{".txt", true}}},
      {"order kept", {{"c", false}, {".a", true}, {"b", true}}, {{"c", false}, {".a", true}, {"b", true}}},
      {"comma in an extension", {{".a,b", true}, {"x,y", false}}, {{".a,b", true}, {"x,y", false}}},
      {"unchecked En gains its dot", {{"Eng", false}, {"En", false}}, {{".Eng", false}, {".En", false}}},
      {"checked En kept", {{"Eng", true}}, {{"Eng", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(integration::SaveAssociations(path, c.saved));
    EXPECT_EQ(integration::LoadAssociations(path), c.expect);
    for (qsizetype i = 0; i < c.saved.size(); ++i)
      EXPECT_EQ(integration::normalizeExtension(c.saved[i].extension),
                integration::normalizeExtension(c.expect[i].extension));
  }
}

TEST(AssociationFile, MissingFileIsAnEmptyList) {
  QTemporaryDir dir;
  EXPECT_TRUE(integration::LoadAssociations(dir.filePath("none.lst")).isEmpty());
}

TEST(NormalizeExtension, TrimsAddsTheDotAndRefusesWhatNoExtensionHolds) {
  struct {
    QString in;
    std::optional<QString> expect;
  } cases[] = {
      {"", std::nullopt},      {"   ", std::nullopt},   {".", std::nullopt},
      {"htm", ".htm"},         {" .txt ", ".txt"},      {"tar.gz", ".tar.gz"},
      {"a/b", std::nullopt},   {"..\\x", std::nullopt}, {"*", std::nullopt},
      {"a\nb", std::nullopt},  {QString(300, u'x'), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.toStdString());
    EXPECT_EQ(integration::normalizeExtension(c.in), c.expect);
  }
}

}  // namespace

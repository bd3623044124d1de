#include "document/file_paths.h"

#include <gtest/gtest.h>

#include "document/document.h"

namespace document {
namespace {

TEST(FileExtension, OnlyTheFileNameCounts) {
  struct {
    const char* in;
    const char* expect;
  } cases[] = {{"notes.txt", "txt"},      {"/home/user.name/notes", ""},
               {"C:\\a.b\\text", ""},     {"C:\\a.b\\text.txt", "txt"},
               {"archive.tar.gz", "gz"},  {"", ""},
               {"dir/.hidden", "hidden"}, {"name.", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(FileExtension(c.in), c.expect);
  }
}

TEST(FileFolder, Rules) {
  struct {
    const char* in;
    const char* expect;
  } cases[] = {{"", ""},
               {"C:\\docs\\", "C:\\docs"},
               {"/home/u/", "/home/u"},
               {"C:\\docs\\a.txt", "C:\\docs"},
               {"C:\\docs\\folder", "C:\\docs\\folder"},
               {"/home/u/a.txt", "/home/u"},
               {"/home/u/folder", "/home/u/folder"},
               {"a.txt", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(FileFolder(c.in), c.expect);
  }
}

TEST(Document, CaptionFollowsThePath) {
  Document doc;
  EXPECT_EQ(Document::startCaption(), "Безымянный - Ostrel XP 2.3.6 build 22");
  EXPECT_EQ(doc.caption(), "Безымянный - Ostrel XP 2.3.6 build 23");
  QString shown;
  QObject::connect(&doc, &Document::captionChanged, [&shown](const QString& c) { shown = c; });
  doc.setPath("/home/u/письмо.txt");
  EXPECT_EQ(shown, "письмо.txt - Ostrel XP 2.3.6 build 23");
  doc.setPath("C:\\docs\\a.htm");
  EXPECT_EQ(doc.fileName(), "a.htm");
}

}  // namespace
}  // namespace document

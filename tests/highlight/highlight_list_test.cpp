// Choosing a scheme by a file's name: the extension of the name itself, compared whole.
#include "highlight/highlight_list.h"

#include <gtest/gtest.h>

namespace highlight {
namespace {

TEST(HighLightList, DetectsByTheNamesOwnExtension) {
  HighLightList list;
  list.append("Python", "*.py;*.pyw");
  list.append("Без расширений", "*.*");
  const struct {
    const char* path;
    int scheme;
  } cases[] = {
      {"page.html", 1},       {"page.htm", 1},          {"/w/PAGE.HTM", 1},
      {"form.frm", 2},        {"x.cls", 2},             {"unit.pas", 3},
      {"main.cpp", 4},        {"main.c", 4},            {"q.sql", 5},
      {"script.js", 6},       {"data.xml", 7},          {"style.css", 8},
      {"tool.PYW", 9},        {"tool.py", 9},
      // Substrings of other patterns must not match: *.c is no *.cls, *.h no *.html.
      {"x.h", 0},             {"a.cs", 0},              {"notes.txt", 0},
      // No extension of its own: dots in folders count for nothing.
      {"/home/a.html/readme", 0}, {"Makefile", 0},      {"name.", 0},
      {"archive.tar.gz", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(list.detect(QString::fromUtf8(c.path)), c.scheme) << c.path;
}

TEST(HighLightList, LanguagesOfTheSchemes) {
  HighLightList list;
  EXPECT_EQ(list.count(), kFixedSchemes);
  EXPECT_EQ(list.language(0), "");
  EXPECT_EQ(list.language(2), "Basic");
  EXPECT_EQ(list.caption(2), "Visual Basic");
  EXPECT_EQ(list.language(3), "pascal");
  EXPECT_EQ(list.language(8), "CSS");
  EXPECT_EQ(list.append("Python", "*.py"), 9);
  EXPECT_EQ(list.language(9), "Python");
  EXPECT_EQ(list.extensionTable().value(9), "Python|*.py");
  EXPECT_EQ(list.language(10), "");  // beyond the list: plain
}

}  // namespace
}  // namespace highlight

// The key-file editor: an edit changes the one line it concerns and nothing else of the file.
#include "integration/key_file_lines.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/test_files.h"

namespace {

using integration::KeyFileLines;

const QString kOthers = QStringLiteral(
    "# kept comment\n"
    "[Default Applications]\n"
    "image/png=viewer.desktop;\n"
    "\n"
    "[Added Associations]\n"
    "text/plain = a.desktop;b.desktop;\n"
    "[X-Other]\n"
    "text/plain=c.desktop\n");

TEST(KeyFileLines, EditsTouchOnlyTheirLine) {
  struct {
    const char* name;
    std::function<void(KeyFileLines&)> edit;
    QString expect;
  } cases[] = {
      {"nothing", [](KeyFileLines&) {}, kOthers},
      {"replace in place",
       [](KeyFileLines& f) { f.setValue("Added Associations", "text/plain", "x;"); },
       QString(kOthers).replace("text/plain = a.desktop;b.desktop;", "text/plain=x;")},
      {"add after the group's last key",
       [](KeyFileLines& f) { f.setValue("Default Applications", "text/html", "o;"); },
       QString(kOthers).replace("viewer.desktop;\n", "viewer.desktop;\ntext/html=o;\n")},
      {"add a group at the end",
       [](KeyFileLines& f) { f.setValue("New", "k", "v"); }, kOthers + "\n[New]\nk=v\n"},
      {"remove",
       [](KeyFileLines& f) { f.remove("Default Applications", "image/png"); },
       QString(kOthers).remove("image/png=viewer.desktop;\n")},
      {"remove only from its group",
       [](KeyFileLines& f) { f.remove("X-Other", "text/plain"); },
       QString(kOthers).remove("text/plain=c.desktop\n")},
      {"remove a missing key", [](KeyFileLines& f) { f.remove("Nope", "k"); }, kOthers},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KeyFileLines file = KeyFileLines::parse(kOthers);
    c.edit(file);
    EXPECT_EQ(file.text(), c.expect);
  }
}

TEST(KeyFileLines, ReadsValuesOfTheirOwnGroup) {
  const KeyFileLines file = KeyFileLines::parse(kOthers);
  EXPECT_EQ(file.value("Added Associations", "text/plain"), "a.desktop;b.desktop;");
  EXPECT_EQ(file.value("X-Other", "text/plain"), "c.desktop");
  EXPECT_EQ(file.value("Default Applications", "text/plain"), std::nullopt);
  EXPECT_EQ(file.value("# kept comment", "x"), std::nullopt);
  EXPECT_EQ(file.keys("Default Applications"), QStringList{"image/png"});
  // CR LF files and a missing final line break read the same.
  const KeyFileLines crlf = KeyFileLines::parse("[G]\r\nk=v\r\nj=w");
  EXPECT_EQ(crlf.value("G", "k"), "v");
  EXPECT_EQ(crlf.value("G", "j"), "w");
}

TEST(KeyFileLines, Lists) {
  EXPECT_EQ(KeyFileLines::splitList("a.desktop;;b.desktop; ;"),
            (QStringList{"a.desktop", "b.desktop"}));
  EXPECT_EQ(KeyFileLines::splitList(""), QStringList{});
  EXPECT_EQ(KeyFileLines::joinList({"a", "b"}), "a;b;");
}

TEST(KeyFileLines, LoadRefusesWhatItCouldNotWriteBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sub/mimeapps.list");
  const auto missing = KeyFileLines::load(path);
  ASSERT_TRUE(missing.has_value());
  EXPECT_EQ(missing->text(), "");

  KeyFileLines file = KeyFileLines::parse(kOthers);
  ASSERT_TRUE(file.save(path));  // creates the folder
  EXPECT_EQ(test_files::bytesOf(path), kOthers.toUtf8());

  ASSERT_TRUE(test_files::put(path, "[G]\nk=\xff\xfe\n"));
  QString error;
  EXPECT_FALSE(KeyFileLines::load(path, &error).has_value());
  EXPECT_TRUE(error.contains("UTF-8")) << error.toStdString();
}

}  // namespace

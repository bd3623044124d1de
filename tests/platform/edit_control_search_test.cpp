// Replacing everything in an opened document: the character count kept since the file was read
// (what the status bar shows) follows every replacement, its undo and redo, and the other ways
// a whole text changes, also while long lines are cut for display.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

#include "platform/display_breaks.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"

namespace platform {
namespace {

FindOptions Opts(bool matchCase, bool regExp) { return {matchCase, false, regExp, false, true}; }

// Lines with two- and four-byte characters, so bytes and characters never agree.
QByteArray Sample(int lines, int longLine) {
  QByteArray text;
  for (int i = 0; i < lines; ++i)
    text += QString("строка %1: кот и ёж 😀\r\n").arg(i).toUtf8();
  if (longLine > 0) text += QString(longLine, u'ж').toUtf8() + " кот " + QByteArray(longLine, 'x');
  return text + "конец";
}

// The counted length used to stand still through a replace-all, whose single changes nobody
// heard: after 46,079 replacements the status bar showed the old total.
TEST(EditControlSearch, CountedLengthFollowsReplaceAllAndOtherWholeChanges) {
  struct Step {
    const char* name;
    std::function<void(EditControl&)> act;
  };
  const Step steps[] = {
      {"replace all, growing",
       [](EditControl& e) { EXPECT_GT(e.replaceAll("кот", "котёнок 😀", Opts(false, false)), 0); }},
      {"replace all, shrinking",
       [](EditControl& e) { EXPECT_GT(e.replaceAll("ёж", "", Opts(true, false)), 0); }},
      {"replace all, pattern",
       [](EditControl& e) { EXPECT_GT(e.replaceAll(R"(\d+)", "№", Opts(true, true)), 0); }},
      {"replace all, line ends", [](EditControl& e) { e.replaceAll("\r\n", "¶\r\n", Opts(true, false)); }},
      {"undo", [](EditControl& e) { e.undo(); }},
      {"undo again", [](EditControl& e) { e.undo(); }},
      {"redo", [](EditControl& e) { e.redo(); }},
      {"selection replaced", [](EditControl& e) {
         e.setSelection({0, 0, 2, 3});
         e.setSelectedText("😀\r\nж");
       }},
      {"whole text set", [](EditControl& e) { e.setText("ёж 😀\r\nкот"); }},
      {"replace all after setting", [](EditControl& e) {
         EXPECT_EQ(e.replaceAll("ёж", "ёжик", Opts(false, false)), 1);
       }},
  };
  QTemporaryDir dir;
  for (const int longLine : {0, 3 * kDisplayLineLength}) {
    SCOPED_TRACE(longLine ? "with display breaks" : "without display breaks");
    const QString path = dir.filePath("doc.txt");
    ASSERT_TRUE(test_files::put(path, Sample(3000, longLine)));
    EditControl edit;
    edit.resize(400, 300);
    ASSERT_FALSE(edit.openFile(path));
    ASSERT_EQ(edit.textLength(), edit.text().size());
    for (const Step& step : steps) {
      SCOPED_TRACE(step.name);
      step.act(edit);
      EXPECT_EQ(edit.textLength(), edit.text().size());
    }
  }
}

}  // namespace
}  // namespace platform

// Pasting what another program copied, through a real X clipboard: the program runs as a child
// under the X server of scripts/real-window-tests.sh and this test process owns the clipboard,
// as a second program would. Elsewhere (offscreen) skipped.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include "support/child_program.h"

namespace editor {
namespace {

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RealWindowPasteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a window system with a window manager";
  }
};

// Ctrl+V did nothing until the caret moved: the paste command kept the state it had before the
// clipboard changed hands.
TEST_F(RealWindowPasteTest, TextCopiedInAnotherProgramIsPastedWithoutMovingTheCaret) {
  // Nothing to paste when the program starts, so its paste command begins disabled.
  QGuiApplication::clipboard()->clear();
  testing_support::ChildProgram program;
  const QString path = program.path("a.txt");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("start");
  }
  ASSERT_FALSE(program.start({path}).isEmpty()) << "the program's window never became active";

  const struct {
    const char* copied;
    const char* expect;
  } rounds[] = {
      {"copied ", "copied start"},
      // A second change of the clipboard: the new text, not the old one.
      {"again ", "copied again start"},
  };
  for (const auto& round : rounds) {
    SCOPED_TRACE(round.copied);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(round.copied));
    EXPECT_TRUE(program.keys("ctrl+v"));
    EXPECT_TRUE(program.keys("ctrl+s"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return contents(path) == round.expect; }, 5000))
        << contents(path).toStdString();
  }
}

}  // namespace
}  // namespace editor

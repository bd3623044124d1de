// Local-bookmark keys as a real keyboard sends them through the window system, on the US and the
// Russian layout, started by scripts/real-window-tests.sh. Elsewhere (offscreen) skipped.
#include <QProcess>
#include <optional>
#include <QTest>

#include "editor/typing_fixture.h"
#include "platform/edit_control.h"

namespace navigation {
namespace {

// What a command-line tool prints; nullopt when it fails.
std::optional<QString> run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(5000) || process.exitCode() != 0) return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class RealWindowLocalBookmarksTest : public testing_support::TypingTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a window system with a window manager";
    const QString query = run("setxkbmap", {"-query"}).value_or(QString());
    for (const QString& line : query.split('\n'))
      if (line.startsWith("layout:")) m_layout = line.section(':', 1).trimmed();
    if (m_layout.isEmpty()) GTEST_SKIP() << "the keyboard layout cannot be set here";
  }
  void TearDown() override {
    if (!m_layout.isEmpty()) run("setxkbmap", {"-layout", m_layout});
  }

  shell::FrmMain& showTyping() {
    shell::FrmMain& w = startTyping();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::qWait(300);
    w.focusEditor();
    return w;
  }
  // Real key events: the X server's test extension presses the keys for the focused window.
  void keys(const QString& combination) {
    EXPECT_TRUE(run("xdotool", {"key", "--clearmodifiers", combination}).has_value());
    QTest::qWait(200);
  }

  QString m_layout;
};

// Shift makes "#" of 3 on the US layout and "№" on the Russian one, which no table of signs
// turned back into 3: Ctrl+Shift+3 set nothing and Ctrl+3 went to the start of the text.
TEST_F(RealWindowLocalBookmarksTest, CtrlShiftDigitSetsOnEveryLayout) {
  shell::FrmMain& w = showTyping();
  platform::EditControl& editor = w.txtMain();
  const QString text = "first line\r\nthe second line is long\r\nthird";
  editor.setText(text);
  const struct {
    const char* layout;
    platform::SelRange mark;
  } cases[] = {{"us", {1, 12, 1, 12}}, {"ru", {0, 5, 0, 5}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    ASSERT_TRUE(run("setxkbmap", {"-layout", c.layout}).has_value());
    QTest::qWait(300);
    editor.setSelection(c.mark);
    keys("ctrl+shift+3");
    editor.setSelection({2, 1, 2, 1});
    keys("ctrl+3");
    EXPECT_EQ(editor.selection(), c.mark);
    EXPECT_EQ(editor.text(), text) << "the keys type nothing";
  }
}

}  // namespace
}  // namespace navigation

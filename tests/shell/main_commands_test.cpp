// Font, date and time, divider, printing, running the document and the help menu.
#include "shell/main_commands.h"

#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QPrinter>

#include "platform/edit_control.h"
#include "shell/date_format.h"
#include "support/main_window_fixture.h"
#include "support/url_catcher.h"

namespace shell {
namespace {

using testing_support::MainWindowTest;
using testing_support::UrlCatcher;

TEST(FormatDateTime, CodesAndCopiedCharacters) {
  const QDateTime when(QDate(2026, 12, 7), QTime(9, 5, 3));  // a Monday
  struct {
    const char* format;
    const char* expect;
  } cases[] = {{"hh:mm dd mmm yyyy  ddd", "09:05 07 дек 2026  пн"},
               {"dd.mm.yy", "07.12.26"},
               {"yyyy.mm.dd hh:mm:ss", "2026.12.07 09:05:03"},
               {"h:nn", "9:05"},
               {"d mmmm yyyy, dddd", "7 декабря 2026, понедельник"},
               {"hh ч mm мин", "09 ч 05 мин"},
               {"[x] - ok!", "[x] - ok!"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatDateTime(when, QString::fromUtf8(c.format)), QString::fromUtf8(c.expect));
  }
}

class MainCommandsTest : public MainWindowTest {
 protected:
};

TEST_F(MainCommandsTest, DateGoesAtTheCaretOrOverTheSelection) {
  m_settings->set(platform::Setting::DateFormat, "[yyyy]");
  FrmMain& w = start();
  const QString year = QString::number(QDate::currentDate().year());
  w.txtMain().setText("ab");
  w.txtMain().setSelection({0, 1, 0, 1});
  click("mnuPasteDateAndTime");
  EXPECT_EQ(w.txtMain().text(), "a[" + year + "]b");
  w.txtMain().setSelection({0, 0, 0, 1});
  click("mnuPasteDateAndTime");
  EXPECT_EQ(w.txtMain().text(), "[" + year + "][" + year + "]b");
}

TEST_F(MainCommandsTest, DividerUnderTheSelectionsEndLine) {
  FrmMain& w = start();
  w.txtMain().setText("1\r\n2\r\n3");
  w.txtMain().setSelection({0, 0, 1, 1});
  click("mnuSetDivider");
  EXPECT_TRUE(w.txtMain().hasDivider(1));
  EXPECT_FALSE(w.txtMain().hasDivider(0));
}

TEST_F(MainCommandsTest, FontIsAppliedAndStored) {
  FrmMain& w = start();
  QFont chosen("DejaVu Sans Mono", 13);
  m_ui.answerFont(chosen);
  click("mnuFont");
  // The dialog starts from the editor's font as the system shows it, not from a family it lacks
  // (the dialog then fell back to the first family it had).
  ASSERT_EQ(m_ui.fontRequests.size(), 1);
  EXPECT_TRUE(QFontDatabase::families().contains(m_ui.fontRequests[0].family()))
      << m_ui.fontRequests[0].family().toStdString();
  EXPECT_EQ(m_ui.fontRequests[0].pointSize(), 10);
  EXPECT_EQ(w.txtMain().editorFont().pointSize(), 13);
  EXPECT_EQ(setting("DefaultFontName"), chosen.family());
  EXPECT_EQ(setting("DefaultFontSize"), "13");
  EXPECT_EQ(setting("DefaultFontCharSet"), "1");
  m_ui.answerFont(std::nullopt);
  click("mnuFont");
  EXPECT_EQ(w.txtMain().editorFont().pointSize(), 13) << "cancel changes nothing";
}

TEST_F(MainCommandsTest, PrintsToAPdfPrinter) {
  FrmMain& w = start();
  w.txtMain().setText("Печать\r\nстрока два");
  const QString pdf = homePath("out.pdf");
  m_ui.answerPrinter([&pdf](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  click("mnuPrint");
  QFile out(pdf);
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_TRUE(out.read(4) == "%PDF");
  m_ui.answerPrinter([](QPrinter&) { return false; });
  click("mnuPrint");
}

TEST_F(MainCommandsTest, ExecuteAndHelpGoToTheShell) {
  const QString path = writeFile("page.html", "<p>x</p>");
  FrmMain& w = start();
  UrlCatcher catcher;
  click("mnuExecute");
  EXPECT_TRUE(catcher.urls.isEmpty()) << "an untitled document opens nothing";
  w.document().setPath(path);
  click("mnuExecute");
  writeFile("Help/index.html", "manual");
  click("mnuIndex");
  click("mnuLetterToAuthor");
  ASSERT_EQ(catcher.urls.size(), 3);
  EXPECT_EQ(catcher.urls[0].toLocalFile(), path);
  EXPECT_EQ(catcher.urls[1].toLocalFile(), homePath("Help/index.html"));
  EXPECT_EQ(catcher.urls[2].scheme(), "mailto");
  EXPECT_TRUE(catcher.urls[2].toString(QUrl::FullyDecoded).contains("Ostrel_XP_2.3.6 build 23"));
}

}  // namespace
}  // namespace shell

// Preview in a browser: the saved file itself, or the text in a private temporary file; the
// browsers of the settings started directly, the default one through the desktop.
#include "html/html_preview.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "document/open_file.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"
#include "support/url_catcher.h"

namespace html {
namespace {

using testing_support::MainWindowTest;
using testing_support::UrlCatcher;

class HtmlPreviewTest : public MainWindowTest {
 protected:
  // A stand-in browser: writes the one argument it was given to "<itself>.out".
  QString fakeBrowser() {
    const QString path = writeFile("browser.sh", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.out\"\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }
  // What the stand-in browser was given; "" when it did not run within a few seconds.
  QString browserArgument(const QString& browser) {
    QFile out(browser + ".out");
    if (!QTest::qWaitFor([&out] { return out.exists() && out.size() > 0; }, 10000)) return {};
    out.open(QIODevice::ReadOnly);
    return QString::fromUtf8(out.readAll());
  }
  QString read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "<unreadable>";
  }
};

TEST_F(HtmlPreviewTest, SavedPageGoesToTheBrowserAsItsOwnPathWithoutAShell) {
  shell::FrmMain& w = start();
  const QString page = writeFile("a b;$(touch x)'q.htm", "<p>saved</p>");
  ASSERT_TRUE(document::LFile(w, page));
  w.txtMain().setText("<p>edited, not saved</p>");
  const QString browser = fakeBrowser();
  const struct {
    const char* command;
    const platform::SettingDef& setting;
  } browsers[] = {
      {"mnuPreviewInIE", platform::Setting::InternetExplorer},
      {"mnuPreviewInOpera", platform::Setting::Opera},
      {"mnuPreviewInNetScape", platform::Setting::NetScape},
      {"mnuOther", platform::Setting::MyBrowserDir},
  };
  for (const auto& b : browsers) {
    SCOPED_TRACE(b.command);
    QFile::remove(browser + ".out");
    m_settings->set(b.setting, browser);
    click(b.command);
    EXPECT_EQ(browserArgument(browser), page);
  }
  EXPECT_FALSE(QFileInfo::exists(homePath("x")));
  UrlCatcher catcher;
  click("mnuPreviewInDefaultBrowser");
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0].toLocalFile(), page);
}

TEST_F(HtmlPreviewTest, UnsavedTextGoesThroughAPrivateTemporaryFile) {
  shell::FrmMain& w = start();
  w.txtMain().setText("<p>один</p>\r\n<p>два</p>");
  UrlCatcher catcher;
  click("mnuPreviewInDefaultBrowser");
  ASSERT_EQ(catcher.urls.size(), 1);
  const QString file = catcher.urls[0].toLocalFile();
  EXPECT_EQ(QFileInfo(file).fileName(), "Ostrel_Preview_Temp.htm");
  EXPECT_EQ(read(file), "<p>один</p>\r\n<p>два</p>\r\n");
  // Only this user may look into the folder.
  EXPECT_EQ(QFileInfo(QFileInfo(file).path()).permissions() &
                (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
            QFile::Permissions{});

  // The selection alone, written over the same file.
  w.txtMain().setSelection(platform::SelRange{1, 0, 1, 11});
  const QString browser = fakeBrowser();
  m_settings->set(platform::Setting::Opera, browser);
  click("mnuPreviewInOpera");
  EXPECT_EQ(browserArgument(browser), file);
  EXPECT_EQ(read(file), "<p>два</p>\r\n");
  EXPECT_TRUE(w.document().isUntitled());
}

TEST_F(HtmlPreviewTest, OtherBrowserNotChosenIsReportedAndNothingStarts) {
  start();
  m_window->txtMain().setText("<p>x</p>");
  UrlCatcher catcher;
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не выбран дополнительный броузер");
  click("mnuOther");
  EXPECT_TRUE(m_ui.allAnswered());
  ASSERT_EQ(m_ui.messages.size(), 1);
  EXPECT_EQ(m_ui.messages[0].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(catcher.urls.isEmpty());
  // A browser that cannot start is not reported.
  m_settings->set(platform::Setting::NetScape, homePath("no-such-browser"));
  click("mnuPreviewInNetScape");
  EXPECT_EQ(m_ui.messages.size(), 1);
}

}  // namespace
}  // namespace html

// "HTML - текст" and "Текст - HTML" on the document of the real window.
#include "html/html_text_commands.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace html {
namespace {

using testing_support::MainWindowTest;

class HtmlTextCommandsTest : public MainWindowTest {};

TEST_F(HtmlTextCommandsTest, HtmlToTextReplacesTheDocumentUndoably) {
  shell::FrmMain& w = start();
  w.txtMain().setText("<html><body><p>Привет &amp; пока</body></html>");
  click("mnuHTML2Text");
  EXPECT_EQ(w.txtMain().text(), "\r\n\r\nПривет & пока");
  click("mnuUndo");
  EXPECT_EQ(w.txtMain().text(), "<html><body><p>Привет &amp; пока</body></html>");
}

TEST_F(HtmlTextCommandsTest, OptionsAreRememberedAndConvertTheDocument) {
  m_settings->set(platform::Setting::HTMLReplaceBR, "1");
  shell::FrmMain& w = start();
  w.txtMain().setText("a <b>\r\nc");
  m_ui.answerModal([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Текст -> HTML");
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkReplaceWithBR")->isChecked());
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("chkSpecSymbols")->isChecked());
    dialog.findChild<QCheckBox*>("chkSpecSymbols")->click();
    dialog.findChild<QPushButton*>("cmdConvert")->click();
    return 0;
  });
  click("mnuTextToHTML");
  EXPECT_EQ(w.txtMain().text(), "a &lt;b&gt;<BR>c");
  EXPECT_EQ(setting("HTMLSpecSymbols"), "1");
  EXPECT_EQ(setting("HTMLReplaceBR"), "1");
  // An empty document stays empty even with the page frame on.
  m_settings->set(platform::Setting::HTMLCont, "1");
  w.txtMain().setText("");
  m_ui.answerModal([](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdConvert")->click();
    return 0;
  });
  click("mnuTextToHTML");
  EXPECT_EQ(w.txtMain().text(), "");
  EXPECT_TRUE(m_ui.allAnswered());
}

}  // namespace
}  // namespace html

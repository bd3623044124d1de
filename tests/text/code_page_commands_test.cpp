// The code-page menu, detection and the conversion window on the real main window.
#include "text/code_page_commands.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"
#include "text/code_page.h"
#include "text/frm_convert.h"

namespace text {
namespace {

using testing_support::MainWindowTest;

// Russian text as a file in another code page shows in the editor: its bytes read as 1251.
QString garbled(const QString& russian, int codePage) {
  return ConvertCodePage(russian, 1, codePage);
}

class CodePageCommandsTest : public MainWindowTest {
 protected:
  void chooseMenuItem(int index) { m_window->commands().array("mnuSetCodir")->item(index)->trigger(); }
  int checkedMenuItem() {
    const auto& items = m_window->commands().array("mnuSetCodir")->items();
    int checked = -1;
    for (int i = 0; i < items.size(); ++i)
      if (items[i]->isChecked()) {
        EXPECT_EQ(checked, -1) << "one check mark only";
        checked = i;
      }
    return checked;
  }
};

TEST_F(CodePageCommandsTest, MenuDeclaresTheCodePageOfTheText) {
  shell::FrmMain& w = start();
  // ё used to become "?" on the way; it is a byte of DOS 866 like the letters.
  const QString russian = "Съешь же ещё этих мягких французских булок";
  w.txtMain().setText(garbled(russian, 2));
  chooseMenuItem(1);
  EXPECT_EQ(w.txtMain().text(), russian);
  EXPECT_EQ(w.document().CurCodir(), 2);
  EXPECT_EQ(checkedMenuItem(), 1);
  chooseMenuItem(0);
  EXPECT_EQ(w.document().CurCodir(), 1);
  EXPECT_EQ(w.txtMain().text(), garbled(russian, 2));
  chooseMenuItem(3);
  EXPECT_EQ(w.document().CurCodir(), 5) << "the menu lists ISO before Macintosh";
  EXPECT_TRUE(w.statusText().text().contains("Iso - 5599"));
  EXPECT_EQ(checkedMenuItem(), 3);
}

TEST_F(CodePageCommandsTest, RecognizeConvertsOnlyOtherCodePages) {
  shell::FrmMain& w = start();
  const QString russian = "Привет, как дела у тебя сегодня?";
  w.txtMain().setText(garbled(russian, 3));
  w.commands().action("mnuRecognizeCodir")->trigger();
  EXPECT_EQ(w.txtMain().text(), russian);
  EXPECT_EQ(w.document().CurCodir(), 3);
  EXPECT_EQ(checkedMenuItem(), 2);

  // Correct Windows-1251 text used to be taken for KOI8-R and scrambled.
  w.commands().action("mnuRecognizeCodir")->trigger();
  EXPECT_EQ(w.txtMain().text(), russian);
  EXPECT_EQ(w.document().CurCodir(), 1);
  EXPECT_EQ(checkedMenuItem(), 0);

  w.txtMain().setText(QString());
  w.commands().action("mnuRecognizeCodir")->trigger();
  EXPECT_EQ(w.document().CurCodir(), 1);
}

TEST_F(CodePageCommandsTest, ConversionWindow) {
  shell::FrmMain& w = start();
  w.document().setCurCodir(4);
  w.txtMain().setText("Я");
  w.commands().action("mnuConvert")->trigger();
  auto* dialog = w.findChild<FrmConvert*>("frmConvert");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->windowTitle(), "Конвертировать");
  EXPECT_EQ(dialog->source()->currentText(), "Macintosh");
  EXPECT_EQ(dialog->destination()->currentText(), "Dos - 866");
  dialog->source()->setCurrentIndex(0);
  dialog->findChild<QPushButton*>("cmdConvert")->click();
  EXPECT_EQ(cp1251::encode(w.txtMain().text()), QByteArray("\x9f"));
  EXPECT_EQ(w.document().CurCodir(), 4) << "the window does not change the document's code page";
  EXPECT_TRUE(dialog->isVisible()) << "the window stays open";
  dialog->move(60, 45);
  dialog->findChild<QPushButton*>("cmdClose")->click();
  EXPECT_EQ(setting("Convert_Left"), "900");
  EXPECT_EQ(setting("Convert_Top"), "675");
}

}  // namespace
}  // namespace text

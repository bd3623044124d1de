// The statistics window and the symbol table, driven through the real main window.
#include "text/stat_commands.h"

#include <QAction>
#include <QDialog>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"
#include "text/frm_symbols.h"

namespace text {
namespace {

using testing_support::MainWindowTest;

class StatCommandsTest : public MainWindowTest {
 protected:
  FrmSymbols* openSymbols() {
    click("mnuSymbols");
    return m_window->findChild<FrmSymbols*>("frmSymbols");
  }
  void press(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(button)->click();
  }
};

TEST_F(StatCommandsTest, StatisticsOfTheWholeDocumentWithItsName) {
  const QString path = writeFile("отчёт.txt", "one two\r\nthree");
  shell::FrmMain& w = start(path);
  w.txtMain().setSelection({0, 0, 0, 3});
  QString title, counts;
  m_ui.answerModal([&](QDialog& d) {
    title = d.windowTitle();
    counts = d.findChild<QLabel*>("lblStat")->text();
    d.move(40, 30);
    return int(QDialog::Accepted);
  });
  click("mnuStat");
  EXPECT_EQ(title, "Статистика отчёт.txt");
  EXPECT_EQ(counts, "Символов (с пробелами): 14\nСимволов (без пробелов): 13\nСлов: 3\nАбзацев: 2")
      << "the whole document, not the selection";
  EXPECT_EQ(setting("Stat_Left"), "600");
  EXPECT_EQ(setting("Stat_Top"), "450");
}

TEST_F(StatCommandsTest, UntitledEmptyDocument) {
  start();
  m_ui.answerModal([](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Статистика Безымянный");
    EXPECT_TRUE(d.findChild<QLabel*>("lblStat")->text().contains("Слов: 0"));
    return int(QDialog::Accepted);
  });
  click("mnuStat");
}

TEST_F(StatCommandsTest, SymbolTableShowsCollectsAndInserts) {
  shell::FrmMain& w = start();
  w.txtMain().setText("[x]");
  FrmSymbols* table = openSymbols();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->windowTitle(), "Таблица символов");
  EXPECT_EQ(table->findChild<QListWidget*>("lstSymbols")->count(), 256);
  table->showCharacter(223);
  EXPECT_EQ(table->findChild<QLabel*>("lblPreView")->text(), "Я");
  EXPECT_EQ(table->findChild<QLabel*>("lblHEX")->text(), "DF");
  EXPECT_EQ(table->findChild<QLabel*>("lblASC")->text(), "223");
  table->collect(223);
  table->collect(65);
  EXPECT_EQ(table->findChild<QLineEdit*>("txtSe")->text(), "ЯA");

  w.txtMain().setSelection({0, 1, 0, 2});
  press(table, "cmdInsert");
  EXPECT_EQ(w.txtMain().text(), "[ЯA]");
  w.txtMain().setSelection({0, 1, 0, 3});
  press(table, "cmdASC");
  EXPECT_EQ(w.txtMain().text(), "[223 65]");
  w.txtMain().setSelection({0, 1, 0, 7});
  press(table, "cmdHEX");
  EXPECT_EQ(w.txtMain().text(), "[DF 41]");
  table->findChild<QLineEdit*>("txtSe")->clear();
  w.txtMain().setSelection({0, 1, 0, 6});
  press(table, "cmdASC");
  EXPECT_EQ(w.txtMain().text(), "[]") << "an empty collection replaces the selection with nothing";
  EXPECT_EQ(openSymbols(), table) << "one table at a time";
}

// Control characters used to show as empty boxes; what goes into the text is still the
// character itself.
TEST_F(StatCommandsTest, SymbolTableShowsControlCharactersByTheirNames) {
  struct {
    int code;
    const char* shown;
  } cases[] = {{0, "NUL"}, {9, "TAB"}, {10, "LF"}, {13, "CR"}, {27, "ESC"}, {31, "US"},
               {127, "DEL"}, {32, " "}, {65, "A"}, {0xB9, "№"}, {0xFF, "я"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(SymbolLabel(c.code), QString::fromUtf8(c.shown));
  }
  start();
  FrmSymbols* table = openSymbols();
  ASSERT_NE(table, nullptr);
  const QListWidgetItem* tab = table->findChild<QListWidget*>("lstSymbols")->item(9);
  EXPECT_FALSE(tab->icon().isNull()) << "the name is drawn small enough for the cell";
  EXPECT_EQ(tab->toolTip(), "TAB");
  table->showCharacter(9);
  EXPECT_EQ(table->findChild<QLabel*>("lblPreView")->text(), "TAB");
  EXPECT_EQ(table->findChild<QLabel*>("lblASC")->text(), "9");
  table->collect(9);
  EXPECT_EQ(table->findChild<QLineEdit*>("txtSe")->text(), "\t");
}

TEST_F(StatCommandsTest, ChosenFontIsStored) {
  start();
  FrmSymbols* table = openSymbols();
  auto* fonts = table->findChild<QFontComboBox*>("cmbFont");
  ASSERT_GT(fonts->count(), 1);
  fonts->setCurrentIndex(fonts->currentIndex() == 0 ? 1 : 0);
  EXPECT_EQ(setting("STableFont"), fonts->currentFont().family());
  EXPECT_EQ(table->findChild<QListWidget*>("lstSymbols")->font().family(),
            fonts->currentFont().family());
}

}  // namespace
}  // namespace text

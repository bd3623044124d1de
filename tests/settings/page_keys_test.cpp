// The page "Клавиши" driven as a user drives it: a line of the command list chosen, a combination
// pressed in the field, "Назначить" or "Удалить" clicked, and then the key pressed in the editor.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include "hotkeys/macro_keys_fixture.h"
#include "hotkeys/hot_keys.h"
#include "platform/edit_control.h"
#include "settings/frm_settings.h"
#include "settings/keys_entry_field.h"
#include "settings/settings_pages.h"

namespace settings {
namespace {

const auto kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
const auto kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

class KeysPageTest : public testing_support::MacroKeysTest {
 protected:

  void openPage() {
    FrmSettings& window = OpenSettings(*m_window, kKeysPage);
    window.activateWindow();
    QCoreApplication::processEvents();
  }
  template <class T>
  T& control(const char* name) {
    FrmSettings* window = FindSettings(*m_window);
    T* found = window ? window->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    if (!found) throw std::runtime_error(std::string("no control ") + name);
    return *found;
  }
  QListWidget& list() { return control<QListWidget>("lstCommands"); }
  KeysEntryField& field() { return control<KeysEntryField>("HotKey"); }
  QPushButton& assignButton() { return control<QPushButton>("cmdAssignHotKey"); }
  QPushButton& removeButton() { return control<QPushButton>("cmdRemoveHotKey"); }
  QString note() { return control<QLabel>("lblHotKeyNote").text(); }

  QStringList lines() {
    QStringList texts;
    for (int i = 0; i < list().count(); ++i) texts << list().item(i)->text();
    return texts;
  }
  // The lines under a header, up to the next one.
  QStringList group(const QString& header) {
    const QStringList all = lines();
    QStringList under;
    for (qsizetype i = all.indexOf(header) + 1; i > 0 && i < all.size(); ++i) {
      if (!all[i].startsWith("  ")) break;
      under << all[i];
    }
    return under;
  }
  void choose(const QString& caption) {
    const auto found = list().findItems("  " + caption, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    list().setCurrentItem(found.front());
    field().setFocus();
    QCoreApplication::processEvents();
  }
  void pressInField(int key, Qt::KeyboardModifiers modifiers) {
    ASSERT_EQ(QApplication::focusWidget(), &field());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QCoreApplication::processEvents();
  }
  QByteArray fileBytes() {
    QFile file(m_paths->file(QStringLiteral("HotKeys.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }
};

TEST_F(KeysPageTest, ListsEveryMenuItemUnderItsHeader) {
  writeMacros();
  writeFile("Templates/Письмо.lst", "Здравствуйте!\r\n");
  startTyping();
  openPage();
  QStringList headers;
  for (int i = 0; i < list().count(); ++i)
    if (!(list().item(i)->flags() & Qt::ItemIsSelectable)) headers << list().item(i)->text();
  EXPECT_EQ(headers, QStringList({"Шаблоны:", "Программы:", "Macro-скрипты:", "Подсветка:",
                                  "Плагины:", "Закладки:"}));
  EXPECT_EQ(group("Шаблоны:"), QStringList{"  Письмо"});
  EXPECT_EQ(group("Macro-скрипты:"), QStringList({"  " + macroName(1), "  " + macroName(2)}));
  EXPECT_EQ(group("Подсветка:").mid(0, 2), QStringList({"  Простой текст", "  HTML"}));
  EXPECT_TRUE(group("Программы:").isEmpty());

  // A script added while the window is open shows up; the chosen line stays chosen.
  choose(macroName(2));
  const QString chosen = macroName(2);
  writeFile("Macro/third.mac", "setselectedtext third;");
  m_window->hooks().run(shell::Hook::MacroMenu);
  QCoreApplication::processEvents();
  EXPECT_EQ(group("Macro-скрипты:").size(), 3);
  ASSERT_NE(list().currentItem(), nullptr);
  EXPECT_EQ(list().currentItem()->text(), "  " + chosen);
  // A header is no command: with it chosen neither button does anything.
  list().setCurrentRow(0);
  field().setFocus();
  pressInField(Qt::Key_J, kCtrlShift);
  EXPECT_FALSE(assignButton().isEnabled());
  EXPECT_FALSE(removeButton().isEnabled());
}

TEST_F(KeysPageTest, AssignedKeyShowsOnTheMenuItemAndRunsIt) {
  writeMacros();
  startTyping();
  openPage();
  choose(macroName(1));
  EXPECT_EQ(field().text(), "");
  EXPECT_FALSE(assignButton().isEnabled());
  pressInField(Qt::Key_K, kCtrlShift);
  EXPECT_EQ(field().text(), "Ctrl+Shift+K");
  EXPECT_EQ(note(), "");
  ASSERT_TRUE(assignButton().isEnabled());
  assignButton().click();

  EXPECT_EQ(macroCaption(1), macroName(1) + "\tCtrl+Shift+K");
  EXPECT_EQ(fileBytes(), "Macro.1=3|75\r\n");
  EXPECT_FALSE(assignButton().isEnabled());
  EXPECT_TRUE(removeButton().isEnabled());
  // The list shows captions without their keys.
  EXPECT_EQ(group("Macro-скрипты:").front(), "  " + macroName(1));

  FindSettings(*m_window)->close();
  QCoreApplication::processEvents();
  m_window->activateWindow();
  m_window->focusEditor();
  QCoreApplication::processEvents();
  m_window->txtMain().setText("");
  press(Qt::Key_K, kCtrlShift);
  EXPECT_EQ(m_window->txtMain().text(), macroName(1));
}

// Fixed fault: a key the program already uses, or another binding's key, was saved as well and
// then either never ran or ran two commands at once.
TEST_F(KeysPageTest, TakenKeysAreNamedAndNotSaved) {
  writeMacros();
  writeFile("HotKeys.ini", "Macro.1=3|75\r\n");
  startTyping();
  m_window->txtMain().setText("kept");
  openPage();
  choose(macroName(2));
  struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString shown, expect;
  } cases[] = {
      {Qt::Key_N, Qt::ControlModifier, "Ctrl+N", "Сочетание Ctrl+N уже занято командой «Создать»."},
      {Qt::Key_M, kCtrlAlt, "Ctrl+Alt+M",
       "Сочетание Ctrl+Alt+M уже занято командой «Извлечь E-Mail адреса»."},
      {Qt::Key_3, Qt::ControlModifier, "Ctrl+3",
       "Сочетание Ctrl+3 уже занято командой «Локальные закладки»."},
      {Qt::Key_K, kCtrlShift, "Ctrl+Shift+K",
       "Сочетание Ctrl+Shift+K уже назначено: «" + macroName(1) + "» (Macro-скрипты)."},
      {Qt::Key_F5, Qt::NoModifier, "F5", "Сочетание должно включать Ctrl, Shift или Alt."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown.toStdString());
    pressInField(c.key, c.modifiers);
    EXPECT_EQ(field().text(), c.shown);
    EXPECT_EQ(note(), c.expect);
    EXPECT_FALSE(assignButton().isEnabled());
    assignButton().click();
  }
  EXPECT_EQ(fileBytes(), "Macro.1=3|75\r\n");
  EXPECT_FALSE(macroCaption(2).contains(u'\t'));
  // The keys pressed in the field ran nothing of the main window.
  EXPECT_EQ(m_window->txtMain().text(), "kept");
  // A free combination clears the note.
  pressInField(Qt::Key_K, kCtrlAlt);
  EXPECT_EQ(note(), "");
  EXPECT_TRUE(assignButton().isEnabled());
}

TEST_F(KeysPageTest, RemoveTakesTheBindingOff) {
  writeMacros();
  writeFile("HotKeys.ini", "Macro.1=3|75\r\nMacro.2=6|66\r\n");
  startTyping();
  openPage();
  choose(macroName(1));
  EXPECT_EQ(field().text(), "Ctrl+Shift+K");
  EXPECT_EQ(note(), "");
  EXPECT_FALSE(assignButton().isEnabled());
  ASSERT_TRUE(removeButton().isEnabled());
  // Another key for an item that has one: the old one has to go first.
  pressInField(Qt::Key_L, kCtrlAlt);
  EXPECT_EQ(note(), "У команды уже есть сочетание Ctrl+Shift+K: чтобы назначить другое, "
                    "сначала удалите его.");
  EXPECT_FALSE(assignButton().isEnabled());

  removeButton().click();
  EXPECT_EQ(fileBytes(), "Macro.2=6|66\r\n");
  EXPECT_EQ(macroCaption(1), macroName(1));
  EXPECT_EQ(field().text(), "");
  EXPECT_FALSE(removeButton().isEnabled());
  // The combination is free now, for this item or another.
  pressInField(Qt::Key_K, kCtrlShift);
  EXPECT_TRUE(assignButton().isEnabled());
  choose(macroName(2));
  EXPECT_EQ(field().text(), "Ctrl+Alt+B");
}

TEST_F(KeysPageTest, FieldTakesKeysByTheirPlaceAndLeavesTabAndEscapeToTheWindow) {
  writeMacros();
  startTyping();
  openPage();
  choose(macroName(1));
  // No shortcut of the window runs while the field takes the combination.
  auto* shortcut = new QAction(FindSettings(*m_window));
  shortcut->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+K")));
  FindSettings(*m_window)->addAction(shortcut);
  QSignalSpy ran(shortcut, &QAction::triggered);
  // The Russian layout's Л lies on K: the same binding whatever the layout.
  QTest::sendKeyEvent(QTest::Click, &field(), Qt::Key(0x041B), QStringLiteral("Л"), kCtrlShift);
  EXPECT_EQ(field().text(), "Ctrl+Shift+K");
  EXPECT_EQ(field().hotKey(), 'K');
  EXPECT_EQ(field().hotKeyModifier(), 3);
  pressInField(Qt::Key_K, kCtrlShift);
  EXPECT_EQ(ran.count(), 0);
  pressInField(Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(field().text(), "Ctrl+Num 5");
  // Modifiers held alone show how the combination begins; let go, the field shows what it holds.
  QTest::keyPress(&field(), Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(field().text(), "Ctrl+");
  QTest::keyRelease(&field(), Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(field().text(), "Ctrl+Num 5");
  // Backspace empties the field.
  pressInField(Qt::Key_Backspace, Qt::NoModifier);
  EXPECT_EQ(field().text(), "");
  EXPECT_EQ(field().hotKey(), 0);
  EXPECT_FALSE(assignButton().isEnabled());
  // Tab goes on to the next control; with Ctrl it is a combination.
  pressInField(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(field().text(), "Ctrl+Tab");
  pressInField(Qt::Key_Tab, Qt::NoModifier);
  EXPECT_NE(QApplication::focusWidget(), &field());
  // Escape still closes the window.
  field().setFocus();
  pressInField(Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(FindSettings(*m_window), nullptr);
  EXPECT_EQ(fileBytes(), "");
}

TEST_F(KeysPageTest, AFileThatCannotBeWrittenIsReported) {
  writeMacros();
  // A folder where the file should be: nothing can be written there.
  ASSERT_TRUE(QDir().mkpath(homePath("HotKeys.ini")));
  startTyping();
  openPage();
  choose(macroName(2));
  pressInField(Qt::Key_K, kCtrlShift);
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не удалось записать файл HotKeys.ini");
  assignButton().click();
  EXPECT_TRUE(m_ui.allAnswered());
  // The binding works until the program ends.
  EXPECT_EQ(macroCaption(2), macroName(2) + "\tCtrl+Shift+K");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "снято только до выхода");
  removeButton().click();
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(macroCaption(2), macroName(2));
}

}  // namespace
}  // namespace settings

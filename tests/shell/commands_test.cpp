#include "shell/commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QIcon>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include "shell/command_table.h"

namespace shell {
namespace {

TEST(CommandTable, ParentsComeFirstAndNamesAreUnique) {
  QSet<QString> seen;
  QString previousArray;
  for (const CommandDef& def : CommandTable()) {
    const QString name = QString::fromUtf8(def.name);
    SCOPED_TRACE(name.toStdString());
    if (def.parent) {
      EXPECT_TRUE(seen.contains(QString::fromUtf8(def.parent)));
    }
    // Rows of one name are the elements of one array, and stand together.
    if (seen.contains(name)) {
      EXPECT_TRUE((def.flags & kArray) && name == previousArray);
    }
    if (def.shortcut) {
      EXPECT_FALSE(QKeySequence(QString::fromUtf8(def.shortcut)).isEmpty());
    }
    seen.insert(name);
    previousArray = (def.flags & kArray) ? name : QString();
  }
}

class CommandsTest : public ::testing::Test {
 protected:
  QMainWindow m_window;
  Commands m_commands{m_window};
};

TEST_F(CommandsTest, MenuBarHasTheMenusInOrder) {
  QStringList titles;
  for (QAction* a : m_window.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&Файл", "Вид", "&Правка", "&Поиск", "&Вставка", "&Сервис",
                                 "&Текст", "П&лагины", "&Кодировка", "&HTML", "&Закладки",
                                 "&Справка"}));
  EXPECT_NE(m_commands.menu("mnuCode"), nullptr) << "the code library's pop-up exists";
}

TEST_F(CommandsTest, ItemsCarryNameCaptionAndShortcut) {
  struct {
    const char* name;
    const char* caption;
    const char* key;
  } cases[] = {{"mnuNew", "&Создать", "Ctrl+N"},
               {"mnuSaveAs", "Сохранить &как...", "F12"},
               {"mnuTopMost", "Пов&ерх всех &окон", ""},
               {"mnuStat", "&Статистика", "Shift+F1"},
               {"mnuOther", "Другой", "Shift+F11"},
               {"mnuRecognizeCodir", "Определить кодировку", "Ctrl+G"},
               {"mnuLastPlugin", "Последний", "F4"},
               {"mnuExecuteScript", "Запустить", "F5"},
               {"mnuAbout", "О программе", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QAction* a = m_window.findChild<QAction*>(c.name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(c.key)));
  }
  EXPECT_EQ(m_commands.menu("mnuRegister")->parent(), m_commands.menu("mnuText"));
}

TEST_F(CommandsTest, UnboundCommandsAreDisabledUntilBound) {
  for (QAction* a : m_commands.allActions()) {
    if (a->menu() || a->isSeparator()) continue;
    SCOPED_TRACE(a->objectName().toStdString());
    EXPECT_FALSE(a->isEnabled());
  }
  int runs = 0;
  m_commands.bind("mnuNew", [&runs] { ++runs; });
  QAction* item = m_commands.action("mnuNew");
  EXPECT_TRUE(item->isEnabled());
  item->trigger();
  EXPECT_EQ(runs, 1);
}

TEST_F(CommandsTest, ArraysKeepElementZeroAndGrow) {
  MenuArray* codir = m_commands.array("mnuSetCodir");
  ASSERT_NE(codir, nullptr);
  ASSERT_EQ(codir->count(), 5);
  EXPECT_EQ(codir->item(1)->text(), "Dos - 866");
  EXPECT_EQ(codir->item(4)->shortcut(), QKeySequence("Ctrl+M"));
  EXPECT_TRUE(codir->item(0)->isChecked());

  MenuArray* recent = m_commands.array("mnuOpenedFile");
  ASSERT_NE(recent, nullptr);
  EXPECT_TRUE(recent->item(0)->isSeparator());
  int clicked = -1;
  m_commands.bindArray("mnuOpenedFile", [&clicked](int i) { clicked = i; });
  recent->add("&1  a.txt");
  QAction* second = recent->add("&2  b.txt");
  EXPECT_TRUE(second->isEnabled()) << "elements added after binding work too";
  second->trigger();
  EXPECT_EQ(clicked, 2);
  // New elements stand right after the array, before the exit item.
  const QList<QAction*> file = m_commands.menu("mnuFile")->actions();
  EXPECT_EQ(file.indexOf(second) + 2, file.indexOf(m_commands.action("mnuExit")));
  recent->clear();
  EXPECT_EQ(recent->count(), 1);
  EXPECT_FALSE(m_commands.array("mnuTemplate")->item(0)->isVisible());
}

// The File menu showed the recent list's separator as a titled "-" beside the one over "Выход".
TEST_F(CommandsTest, FileMenuNeverShowsTwoSeparatorsInARow) {
  QMenu* file = m_commands.menu("mnuFile");
  MenuArray* recent = m_commands.array("mnuOpenedFile");
  auto shownSeparatorsInARow = [file] {
    file->popup(QPoint(0, 0));
    int run = 0, longest = 0;
    for (QAction* a : file->actions()) {
      if (!a->isVisible() || file->actionGeometry(a).height() == 0) continue;
      run = a->isSeparator() ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    file->hide();
    return longest;
  };
  EXPECT_EQ(shownSeparatorsInARow(), 1) << "no recent files";
  recent->add("&1  a.txt");
  EXPECT_EQ(shownSeparatorsInARow(), 1) << "with recent files";
  EXPECT_TRUE(recent->item(0)->text().isEmpty());
}

// Every button shows the picture of its own command from an icon theme, never a borrowed
// one: Cut looked like Delete, Paste was a check mark, Settings and Statistics shared one.
TEST_F(CommandsTest, ToolButtonsShowTheirOwnPictures) {
  QSet<QString> names;
  for (const ToolButtonDef& def : ToolButtonTable()) {
    SCOPED_TRACE(def.name);
    const QIcon icon = m_commands.action(def.command)->icon();
    EXPECT_FALSE(icon.isNull()) << "the fallback icon theme is installed with the program";
    EXPECT_FALSE(icon.availableSizes().isEmpty() && icon.pixmap(22).isNull());
    EXPECT_FALSE(names.contains(QString::fromUtf8(def.icon))) << "one picture, one command";
    names.insert(QString::fromUtf8(def.icon));
  }
}

TEST_F(CommandsTest, HiddenItemsAndToolButtons) {
  EXPECT_FALSE(m_commands.action("mnuWordWrap")->isVisible());
  QToolBar* bar = m_commands.toolBar();
  for (const ToolButtonDef& def : ToolButtonTable()) {
    SCOPED_TRACE(def.name);
    auto* button = bar->findChild<QToolButton*>(def.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->defaultAction(), m_commands.action(def.command));
  }
  EXPECT_TRUE(m_commands.shortcuts().contains(QKeySequence("Ctrl+W")));
}

}  // namespace
}  // namespace shell

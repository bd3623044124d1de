// The whole menu tree of the main window as the user meets it: every item where it belongs,
// with its name, caption and fixed key, and every item working. An item without work of its
// own is listed here and must stay disabled, never a silent no-op.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include "platform/edit_control.h"
#include "shell/commands.h"
#include "shell/frm_main.h"
#include "shell/menu_array.h"
#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;

struct Row {
  const char* name;
  const char* parent;   // "" for the menu bar and the pop-up menu
  const char* caption;  // "" where the program fills it at run time
  const char* key;
};

// Rows of one name after the first are the fixed elements of a menu array.
constexpr Row kMenuTree[] = {
    {"mnuFile", "", "&Файл", ""},
    {"mnuNew", "mnuFile", "&Создать", "Ctrl+N"},
    {"mnuNewHtml", "mnuFile", "Создать &HTML", ""},
    {"mnuOpen", "mnuFile", "&Открыть", "Ctrl+O"},
    {"mnuFavorite", "mnuFile", "&Добавить", ""},
    {"mnuAddFromFile", "mnuFavorite", "&Из файла", ""},
    {"mnuAddToFile", "mnuFavorite", "&В файл", ""},
    {"mnuExecute", "mnuFile", "&Выполнить", "Ctrl+E"},
    {"mnuPrint", "mnuFile", "&Печать", "Ctrl+P"},
    {"mnuSave", "mnuFile", "&Сохранить", "Ctrl+S"},
    {"mnuSaveAs", "mnuFile", "Сохранить &как...", "F12"},
    {"mnuSaveBlockAs", "mnuFile", "Сохранить &блок как...", ""},
    {"mnuCreateBackup", "mnuFile", "Создать backup", ""},
    {"mnuOpenBackUp", "mnuFile", "Открыть backup", ""},
    {"mnuOpenedFile", "mnuFile", "", ""},
    {"mnuExit", "mnuFile", "&Выход", ""},
    {"mnuView", "", "Вид", ""},
    {"mnuViewToolBar", "mnuView", "&Панель инструментов", ""},
    {"mnuViewStatusBar", "mnuView", "&Строка состояния", ""},
    {"mnuLocalBookmarks", "mnuView", "Локальные закладки", ""},
    {"mnuWordWrap", "mnuView", "Перенос по &словам", ""},
    {"mnuSplit", "mnuView", "Сплит", ""},
    {"mnuColumnSel", "mnuView", "Блочное выделение", ""},
    {"mnuLanguage", "mnuView", "&Язык", ""},
    {"mnuLang", "mnuLanguage", "Русский", ""},
    {"mnuTopMost", "mnuView", "Пов&ерх всех &окон", ""},
    {"mnuSettings", "mnuView", "&Настройки", "F11"},
    {"mnuEdit", "", "&Правка", ""},
    {"mnuUndo", "mnuEdit", "&Отмена", "Ctrl+Z"},
    {"mnuRedo", "mnuEdit", "&Повтор", ""},
    {"mnuCut", "mnuEdit", "&Вырезать", "Ctrl+X"},
    {"mnuCopy", "mnuEdit", "&Копировать", "Ctrl+C"},
    {"mnuSpecial", "mnuEdit", "&Специальное", ""},
    {"mnuCopyDocDir", "mnuSpecial", "Копировать &путь документа", ""},
    {"mnuExtractURL", "mnuSpecial", "Извлечь &URL из гиперссылки", ""},
    {"mnuOpenSelText", "mnuSpecial", "Открыть выделенный &файл", ""},
    {"mnuCalcText", "mnuSpecial", "Подсчитать &выражение", ""},
    {"mnuIntToStr", "mnuSpecial", "&Число прописью", ""},
    {"mnuPaste", "mnuEdit", "&Вставить", "Ctrl+V"},
    {"mnuDelete", "mnuEdit", "&Удалить", ""},
    {"mnuRemoveSymbol", "mnuEdit", "Удалить &символ", ""},
    {"mnuDeleteLine", "mnuEdit", "Удалить строку", ""},
    {"mnuSelectAll", "mnuEdit", "Выделить вс&е", "Ctrl+A"},
    {"mnuFont", "mnuEdit", "&Шрифт", ""},
    {"mnuSearching", "", "&Поиск", ""},
    {"mnuSearch", "mnuSearching", "&Найти", "Ctrl+F"},
    {"mnuFindNext", "mnuSearching", "Найти &далее", "F3"},
    {"mnuReplace", "mnuSearching", "&Замена", "Ctrl+R"},
    {"mnuMultiReplace", "mnuSearching", "&Мультизамена", ""},
    {"mnuGotoW", "mnuSearching", "Переход", ""},
    {"mnuGoto", "mnuGotoW", "&На символ", ""},
    {"mnuGotoLine", "mnuGotoW", "На строку", ""},
    {"mnuInsert", "", "&Вставка", ""},
    {"mnuPasteDateAndTime", "mnuInsert", "Текущая &дата и время", "F6"},
    {"mnuSymbols", "mnuInsert", "Таблица &символов", ""},
    {"mnuSpecialTemplates", "mnuInsert", "Специальные шаблоны", ""},
    {"mnuSpecialTemplate", "mnuSpecialTemplates", "Не использовать", ""},
    {"mnuSetDivider", "mnuInsert", "Разделитель строк", ""},
    {"mnuService", "", "&Сервис", ""},
    {"mnuHash", "mnuService", "Ши&фрование", ""},
    {"mnuTemplates", "mnuService", "&Шаблоны", ""},
    {"mnuSetTemplates", "mnuTemplates", "Настроить", ""},
    {"mnuTemplate", "mnuTemplates", "", ""},
    {"mnuPrograms", "mnuService", "&Программы", ""},
    {"mnuSetPrograms", "mnuPrograms", "Настроить", ""},
    {"mnuViewLog", "mnuPrograms", "Показать LOG", ""},
    {"mnuProgram", "mnuPrograms", "", ""},
    {"mnuMacroScript", "mnuService", "Macro - скрипт", ""},
    {"mnuExecuteScript", "mnuMacroScript", "Запустить", "F5"},
    {"mnuSetMacro", "mnuMacroScript", "Настроить", ""},
    {"mnuMacro", "mnuMacroScript", "", ""},
    {"mnuBatch", "mnuService", "Пакетная &обработка", ""},
    {"mnuText", "", "&Текст", ""},
    {"mnuStat", "mnuText", "&Статистика", "Shift+F1"},
    {"mnuRusToEng", "mnuText", "&Русская - английская клавиатура", ""},
    {"mnuEngToRus", "mnuText", "&Английская - русская клавиатура", ""},
    {"mnuRegister", "mnuText", "Ре&гистр", ""},
    {"mnuUpReg", "mnuRegister", "ВЕРХНИЙ РЕГИСТР", ""},
    {"mnuDownReg", "mnuRegister", "нижний регистр", ""},
    {"mnuESBreg", "mnuRegister", "Каждый абзац с большой буквы", ""},
    {"mnuEWBreg", "mnuRegister", "Каждое Слово С Большой Буквы", ""},
    {"mnuInvertreg", "mnuRegister", "иНВЕРТИРОВАТЬ", ""},
    {"mnuHackreg", "mnuRegister", "сМЕшаннЫй", ""},
    {"mnuAdd", "mnuText", "&Добавление", ""},
    {"mnuBothSymbols", "mnuAdd", "Добавить символы по шаблону", ""},
    {"mnuNumberStrings", "mnuAdd", "Пронумеровать строки", ""},
    {"mnuObraml", "mnuAdd", "Добавить обрамление", ""},
    {"mnuRemove", "mnuText", "&Удаление", ""},
    {"mnuRemoveSymbolsBoth", "mnuRemove", "Удаление", ""},
    {"mnuRemoveEmptyStrings", "mnuRemove", "Удалить пустые строки", ""},
    {"mnuNoStrings", "mnuRemove", "Без абзацев", ""},
    {"mnuNoSpaces", "mnuRemove", "Без пробелов", ""},
    {"mnuRemoveNNSpaces", "mnuRemove", "Удалить лишние пробелы", ""},
    {"mnuRemoveBoiler", "mnuRemove", "Удаление по шаблону", ""},
    {"mnuTextFormat", "mnuText", "Формат", ""},
    {"mnuTabsToSpaces", "mnuTextFormat", "Tab - пробелы", ""},
    {"mnuSpacesToTabs", "mnuTextFormat", "Пробелы - Tab", ""},
    {"mnuIndent", "mnuTextFormat", "Сдвиг", ""},
    {"mnuSort", "mnuText", "Сортировка", ""},
    {"mnuSortInAlf", "mnuSort", "По алфавиту", ""},
    {"mnuSortOutAlf", "mnuSort", "Против алфавита", ""},
    {"mnuTranslit", "mnuText", "&Транслит", ""},
    {"mnuPreview", "mnuText", "&Просмотр", ""},
    {"mnuPreviewInIE", "mnuPreview", "Internet Explorer", "Shift+F6"},
    {"mnuPreviewInOpera", "mnuPreview", "Opera", "Shift+F7"},
    {"mnuPreviewInNetScape", "mnuPreview", "Netscape", "Shift+F8"},
    {"mnuPreviewInDefaultBrowser", "mnuPreview", "Броузер по-умолчанию", "Shift+F9"},
    {"mnuOther", "mnuPreview", "Другой", "Shift+F11"},
    {"mnuFormat", "mnuText", "&Форматирование", ""},
    {"mnuHighLights", "mnuText", "Под&светка", ""},
    {"mnuSetHightLight", "mnuHighLights", "Настройка", ""},
    {"mnuHighLight", "mnuHighLights", "Простой текст", ""},
    {"mnuHighLight", "mnuHighLights", "HTML", ""},
    {"mnuHighLight", "mnuHighLights", "Visual Basic", ""},
    {"mnuHighLight", "mnuHighLights", "Pascal", ""},
    {"mnuHighLight", "mnuHighLights", "C/C++", ""},
    {"mnuHighLight", "mnuHighLights", "SQL", ""},
    {"mnuHighLight", "mnuHighLights", "Java", ""},
    {"mnuHighLight", "mnuHighLights", "XML", ""},
    {"mnuHighLight", "mnuHighLights", "CSS", ""},
    {"mnuPlugins", "", "П&лагины", ""},
    {"mnuSetPlugins", "mnuPlugins", "Настроить", ""},
    {"mnuLastPlugin", "mnuPlugins", "Последний", "F4"},
    {"mnuCodir", "", "&Кодировка", ""},
    {"mnuConvert", "mnuCodir", "Конвертировать", ""},
    {"mnuSetCodir", "mnuCodir", "Win-1251", "Ctrl+W"},
    {"mnuSetCodir", "mnuCodir", "Dos - 866", "Ctrl+D"},
    {"mnuSetCodir", "mnuCodir", "Koi - 8r", "Ctrl+K"},
    {"mnuSetCodir", "mnuCodir", "Iso - 8859", "Ctrl+I"},
    {"mnuSetCodir", "mnuCodir", "Macintosh", "Ctrl+M"},
    {"mnuRecognizeCodir", "mnuCodir", "Определить кодировку", "Ctrl+G"},
    {"mnuHTML", "", "&HTML", ""},
    {"mnuCodeLib", "mnuHTML", "&Библиотека кода", ""},
    {"mnuHTMLTags", "mnuHTML", "Сниппеты", ""},
    {"mnuHTMLColour", "mnuHTML", "&Цвет - HTML", ""},
    {"mnuHTMLGradient", "mnuHTML", "Текстовый градиент", ""},
    {"mnuHyperLinks", "mnuHTML", "Извлечь &гиперссылки", ""},
    {"mnuExtractEMails", "mnuHTML", "Извлечь E-Mail адреса", ""},
    {"mnuHTMLSize", "mnuHTML", "&Размер HTML-документа", ""},
    {"mnuHTML2Text", "mnuHTML", "HTML - текст", "Ctrl+T"},
    {"mnuTextToHTML", "mnuHTML", "Текст - HTML", "Ctrl+H"},
    {"mnuTags", "mnuHTML", "Те&ги", ""},
    {"mnuImages", "mnuTags", "Картинка", ""},
    {"mnuHyperLink", "mnuTags", "Гиперссылка", ""},
    {"mnuHTMLFont", "mnuTags", "Шрифт", ""},
    {"mnuHTMLMusicFile", "mnuTags", "Музыкальный файл", ""},
    {"mnuHTMLTable", "mnuTags", "Таблица", ""},
    {"mnuHTMLEnter", "mnuTags", "Перенос на следующую строку", ""},
    {"mnuBookmarks", "", "&Закладки", ""},
    {"mnuSetBookmarks", "mnuBookmarks", "Настроить", ""},
    {"mnuNewBookmark", "mnuBookmarks", "Установить", ""},
    {"mnuHelp", "", "&Справка", ""},
    {"mnuIndex", "mnuHelp", "Руководство", ""},
    {"mnuReleasenotes", "mnuHelp", "Release notes", ""},
    {"mnuHomePage", "mnuHelp", "Домашняя страница", ""},
    {"mnuLetterToAuthor", "mnuHelp", "Письмо автора", ""},
    {"mnuAbout", "mnuHelp", "О программе", ""},
    {"mnuCode", "", "CodeLib", ""},
    {"mnuAddCode", "mnuCode", "Добавить", ""},
    {"mnuRemoveCode", "mnuCode", "Удалить", ""},
    {"mnuRename", "mnuCode", "Переименовать", ""},
    {"mnuSaveCode", "mnuCode", "Сохранить", ""},
    {"mnuPlugin", "mnuPlugins", "", ""},
    {"mnuBookmark", "mnuBookmarks", "", ""},
};

// Items with no work of their own: the hidden word-wrap item and the "Таблица" tag item.
const QSet<QString> kWithoutWork = {"mnuWordWrap", "mnuHTMLTable"};
// Items of the code library's pop-up that act on the chosen piece: enabled by a choice in the
// panel (the code-library tests see to it).
const QSet<QString> kFollowCodeChoice = {"mnuRemoveCode", "mnuRename"};

class MenuTreeTest : public MainWindowTest {
 protected:
  // The menu an item stands in, by its objectName; "" for the menu bar or no menu.
  static QString parentName(const QAction& item) {
    for (QObject* widget : item.associatedObjects())
      if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->menuAction() != &item)
        return menu->objectName();
    return QString();
  }
  // Every action of a menu and of the menus under it.
  static void collect(QMenu& menu, QList<QAction*>& items) {
    for (QAction* item : menu.actions()) {
      items.append(item);
      if (item->menu()) collect(*item->menu(), items);
    }
  }
  QList<QAction*> allItems() {
    QList<QAction*> items;
    for (QAction* top : m_window->menuBar()->actions()) {
      items.append(top);
      if (top->menu()) collect(*top->menu(), items);
    }
    if (QMenu* popup = m_window->commands().menu("mnuCode")) {
      items.append(popup->menuAction());
      collect(*popup, items);
    }
    return items;
  }
  static QString captionOf(const QAction& item) { return item.text().section(u'\t', 0, 0); }
};

TEST_F(MenuTreeTest, EveryItemStandsWhereItBelongsWithItsCaptionAndKey) {
  start();
  QHash<QString, int> seen;  // elements of each name met so far
  QHash<QString, QList<QAction*>> byName;
  for (QAction* item : allItems())
    if (!item->isSeparator() || !item->objectName().isEmpty()) byName[item->objectName()].append(item);

  for (const Row& row : kMenuTree) {
    const QString name = QString::fromUtf8(row.name);
    SCOPED_TRACE(row.name);
    const int element = seen[name]++;
    const QList<QAction*> items = byName.value(name);
    ASSERT_GT(items.size(), element) << "missing from the menus";
    QAction& item = *items[element];
    EXPECT_EQ(parentName(item), QString::fromUtf8(row.parent));
    if (*row.caption) {
      EXPECT_EQ(captionOf(item), QString::fromUtf8(row.caption));
    }
    EXPECT_EQ(item.shortcut(), QKeySequence(QString::fromUtf8(row.key)));
  }
  // Nothing in the menus the tree does not know, and nothing without a name.
  QSet<QString> known;
  for (const Row& row : kMenuTree) known.insert(QString::fromUtf8(row.name));
  for (QAction* item : allItems()) {
    if (item->isSeparator() && item->objectName().isEmpty()) continue;
    EXPECT_FALSE(item->objectName().isEmpty()) << "an unnamed item: " << item->text().toStdString();
    EXPECT_TRUE(known.contains(item->objectName())) << item->objectName().toStdString();
  }
}

TEST_F(MenuTreeTest, EveryItemWithWorkIsBoundAndEnabledOnceItsStateIsThere) {
  writeFile("page.txt", "one two three\r\nfour\r\n");
  start(homePath("page.txt"));
  platform::EditControl& editor = m_window->txtMain();
  // Something to undo and to redo, a selection and text on the clipboard.
  editor.setSelection({0, 0, 0, 3});
  editor.setSelectedText(QStringLiteral("ONE"));
  editor.setSelection({1, 0, 1, 4});
  editor.setSelectedText(QStringLiteral("FOUR"));
  editor.undo();
  QApplication::clipboard()->setText(QStringLiteral("clip"));
  editor.setSelection({0, 0, 0, 5});
  QApplication::processEvents();

  for (QAction* item : allItems()) {
    if (item->isSeparator() || item->menu()) continue;
    const QString name = item->objectName();
    // Hidden element 0 of an array whose items come at run time.
    if (!item->isVisible() && !kWithoutWork.contains(name)) continue;
    SCOPED_TRACE(name.toStdString());
    if (kWithoutWork.contains(name)) {
      EXPECT_FALSE(item->isEnabled()) << "an item without work must not look as if it had some";
      continue;
    }
    if (name == "mnuLastPlugin") continue;  // enabled by a run: the plug-in tests see to it
    EXPECT_TRUE(m_window->commands().isBound(name) || m_window->commands().array(name))
        << "no work bound";
    if (!kFollowCodeChoice.contains(name)) {
      EXPECT_TRUE(item->isEnabled()) << "disabled";
    }
  }
}

}  // namespace

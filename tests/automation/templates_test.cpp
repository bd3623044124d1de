// Templates and special templates in the real window: a template becomes a new untitled
// document with its variables filled in; Alt+T pops the active set up at the caret.
#include "automation/templates.h"

#include <QAction>
#include <QListWidget>
#include <QTest>

#include "automation/stemplates.h"
#include "editor/typing_fixture.h"
#include "platform/edit_control.h"
#include "platform/text_file.h"

namespace automation {
namespace {

using platform::MsgAnswer;

class TemplatesTest : public testing_support::TypingTest {
 protected:
  shell::MenuArray* menu(const char* name) { return m_window->commands().array(name); }
  QStringList captions(const char* name) {
    QStringList all;
    for (QAction* item : menu(name)->items()) all << item->text();
    return all;
  }
  void chooseTemplate(const QString& name) {
    menu("mnuTemplate")->item(int(captions("mnuTemplate").indexOf(name)))->trigger();
  }
  QListWidget* popup() { return m_window->findChild<QListWidget*>("lstStemplate"); }
};

TEST_F(TemplatesTest, TemplateBecomesANewModifiedDocumentWithItsVariables) {
  writeFile("Templates/Письмо.lst", "Дата: $date\r\nТекст $OstrelVersion");
  writeFile("Templates/notes.v2.lst", "x");
  const QString doc = writeFile("doc.txt", "старый");
  shell::FrmMain& w = start(doc);
  QStringList names = captions("mnuTemplate").mid(1);
  names.sort();
  EXPECT_EQ(names, QStringList({"notes", "Письмо"}));
  chooseTemplate("Письмо");
  const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
  EXPECT_EQ(w.txtMain().text(), "Дата: " + today + "\r\nТекст 2.3.6 build 23");
  EXPECT_TRUE(w.document().isUntitled());
  EXPECT_TRUE(w.document().Dirty());
  EXPECT_EQ(w.windowTitle(), "Безымянный - Ostrel XP 2.3.6 build 23");
  EXPECT_EQ(w.document().CurCodir(), 1);
}

TEST_F(TemplatesTest, ModifiedDocumentIsAskedAboutFirst) {
  writeFile("Templates/t.lst", "шаблон");
  shell::FrmMain& w = start();
  w.txtMain().setText("мой текст");
  m_ui.answerMessage(MsgAnswer::Cancel, "Сохранить предыдущий документ перед открытием?");
  chooseTemplate("t");
  EXPECT_EQ(w.txtMain().text(), "мой текст");
  m_ui.answerMessage(MsgAnswer::No);
  chooseTemplate("t");
  EXPECT_EQ(w.txtMain().text(), "шаблон");
  // Yes saves first; a cancelled save dialog keeps the text.
  w.txtMain().setText("снова мой");
  m_ui.answerMessage(MsgAnswer::Yes);
  m_ui.answerSaveFile({});
  chooseTemplate("t");
  EXPECT_EQ(w.txtMain().text(), "снова мой");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(TemplatesTest, SettingsFunctionsAddEditAndRemove) {
  shell::FrmMain& w = start();
  EXPECT_EQ(AddTemplate(w, "Новый"), std::nullopt);
  EXPECT_TRUE(captions("mnuTemplate").contains("Новый"));
  EXPECT_TRUE(QFile::exists(homePath("Templates/Новый.lst")));
  // A name that would leave the folder or lose its end when listed is refused.
  EXPECT_NE(AddTemplate(w, "../escape"), std::nullopt);
  EXPECT_NE(AddTemplate(w, "a.b"), std::nullopt);
  EXPECT_NE(AddTemplate(w, ""), std::nullopt);
  EXPECT_FALSE(QFile::exists(homePath("escape.lst")));
  ASSERT_TRUE(EditTemplate(w, "Новый"));
  EXPECT_EQ(w.document().path(), homePath("Templates/Новый.lst"));
  EXPECT_EQ(RemoveTemplate(w, "Новый"), std::nullopt);
  EXPECT_FALSE(captions("mnuTemplate").contains("Новый"));
  EXPECT_NE(RemoveTemplate(w, "Новый"), std::nullopt);
}

// Only a final line break goes: a file without one used to lose its last two characters.
TEST(SpecialTemplateText, LosesOnlyTheFinalLineBreak) {
  struct {
    const char* name;
    QString file;
    QString expect;
  } cases[] = {
      {"CR LF", "<b></b>\r\n", "<b></b>"},
      {"LF", "<b></b>\n", "<b></b>"},
      {"CR", "<b></b>\r", "<b></b>"},
      {"no line break", "abcd", "abcd"},
      {"one character", "a", "a"},
      {"empty", "", ""},
      {"only a line break", "\r\n", ""},
      {"one of two line breaks", "a\r\n\r\n", "a\r\n"},
      {"LF before CR: two line ends", "a\n\r", "a\n"},
      {"inner line breaks stay", "<ul>\r\n</ul>", "<ul>\r\n</ul>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SpecialTemplateText(c.file), c.expect);
  }
}

TEST_F(TemplatesTest, AltTPopsTheActiveSetUpAndInsertsTheChoice) {
  writeFile("STemplates/HTML/b.lst", "<b></b>\n");  // a Linux line end reads as CR LF
  writeFile("STemplates/HTML/i.lst", "<i></i>\r\n");
  writeFile("STemplates/HTML/u.lst", "<u></u>");  // no final line break: inserted whole
  writeFile("STemplates/notes.txt", "not a set");
  shell::FrmMain& w = startTyping();
  EXPECT_EQ(captions("mnuSpecialTemplate"), QStringList({"Не использовать", "HTML"}));
  // No set active: Alt+T shows nothing and types nothing.
  press(Qt::Key_T, Qt::AltModifier);
  EXPECT_FALSE(popup()->isVisible());
  EXPECT_EQ(w.txtMain().text(), "");
  menu("mnuSpecialTemplate")->item(1)->trigger();
  EXPECT_EQ(setting("SpecialTemplate"), "1");
  EXPECT_TRUE(menu("mnuSpecialTemplate")->item(1)->isChecked());
  EXPECT_FALSE(menu("mnuSpecialTemplate")->item(0)->isChecked());
  type("x ");
  press(Qt::Key_T, Qt::AltModifier);
  ASSERT_TRUE(popup()->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), popup());
  QStringList items;
  for (int i = 0; i < popup()->count(); ++i) items << popup()->item(i)->text();
  items.sort();
  EXPECT_EQ(items, QStringList({"b", "i", "u"}));
  popup()->setCurrentItem(popup()->findItems("i", Qt::MatchExactly).first());
  press(Qt::Key_Return);
  EXPECT_EQ(w.txtMain().text(), "x <i></i>");
  EXPECT_FALSE(popup()->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), w.txtMain().focusWidget());
  press(Qt::Key_T, Qt::AltModifier);
  ASSERT_TRUE(popup()->isVisible());
  popup()->setCurrentItem(popup()->findItems("u", Qt::MatchExactly).first());
  press(Qt::Key_Space);
  EXPECT_EQ(w.txtMain().text(), "x <i></i><u></u>");
  // Losing the focus hides it without inserting.
  press(Qt::Key_T, Qt::AltModifier);
  ASSERT_TRUE(popup()->isVisible());
  w.focusEditor();
  QCoreApplication::processEvents();
  EXPECT_FALSE(popup()->isVisible());
  EXPECT_EQ(w.txtMain().text(), "x <i></i><u></u>");
}

TEST_F(TemplatesTest, PopUpStaysInsideTheWindow) {
  writeFile("STemplates/set/a.lst", "a\r\n");
  m_settings->set(platform::Setting::SpecialTemplate, "1");
  shell::FrmMain& w = startTyping();
  w.resize(600, 400);
  QCoreApplication::processEvents();
  for (int i = 0; i < 60; ++i) press(Qt::Key_Return);
  press(Qt::Key_T, Qt::AltModifier);
  ASSERT_TRUE(popup()->isVisible());
  const QRect list = popup()->geometry();
  EXPECT_LE(list.bottom(), w.height());
  const QPoint caret = w.txtMain().mapTo(&w, w.txtMain().pointOfPosition(60, 0));
  EXPECT_LE(list.bottom(), caret.y() + 1);  // above the caret's line
}

}  // namespace
}  // namespace automation

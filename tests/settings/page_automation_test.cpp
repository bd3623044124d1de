// The page "Автомат": auto-complete words and replace-as-you-type pairs reach their list files
// and the editor at once; a pair the file could not give back is refused.
#include <QCheckBox>
#include <QDir>

#include "platform/edit_control.h"
#include "settings/settings_page_fixture.h"
#include "settings/settings_pages.h"

namespace settings {
namespace {

using platform::MsgAnswer;

class AutomationPageTest : public SettingsPageTest {
 protected:
  void openPage() { OpenSettings(*m_window, kAutomationPage); }
  // Back to the editor with the settings window still open, as a user clicks into the text.
  void typeInEditor(const QString& text) {
    m_window->activateWindow();
    m_window->focusEditor();
    QCoreApplication::processEvents();
    type(text);
  }
  QStringList keyWords() {
    QStringList words;
    if (auto* list = m_window->findChild<QListWidget*>("lstKeyWords"))
      for (int i = 0; i < list->count(); ++i) words << list->item(i)->text();
    return words;
  }
  // Adds through the two questions; `told`, when given, is part of the message that follows.
  void addPair(const QString& find, const QString& replacement, const QString& told = {}) {
    m_ui.answerInput(find, "Что заменять?").answerInput(replacement, "На что?");
    if (!told.isEmpty()) m_ui.answerMessage(MsgAnswer::Ok, told);
    press("cmdAddAutoChange");
  }
};

TEST_F(AutomationPageTest, WordsAddedAndRemovedAreWrittenAndOfferedAtOnce) {
  writeFile("Autocomplete.lst", "printf\r\n\r\nsprintf\r\n");
  start();
  openPage();
  EXPECT_EQ(items("lstAutoComplete"), QStringList({"printf", "sprintf"}));
  EXPECT_FALSE(enabled("cmdAutoCompleteRemove"));

  m_ui.answerInput(QString("fprintf"), "Введите слово для дополнения");
  press("cmdAutoCompleteAdd");
  EXPECT_EQ(items("lstAutoComplete"), QStringList({"printf", "sprintf", "fprintf"}));
  EXPECT_EQ(bytesOf("Autocomplete.lst"), "printf\r\nsprintf\r\nfprintf\r\n");
  EXPECT_EQ(keyWords(), QStringList({"printf", "sprintf", "fprintf"}));

  // A word with a comma stays one word.
  m_ui.answerInput(QString("a, b"));
  press("cmdAutoCompleteAdd");
  EXPECT_EQ(keyWords().last(), "a, b");

  choose("lstAutoComplete", 0);
  press("cmdAutoCompleteRemove");
  EXPECT_EQ(items("lstAutoComplete"), QStringList({"sprintf", "fprintf", "a, b"}));
  EXPECT_EQ(currentRow("lstAutoComplete"), 0);
  EXPECT_EQ(keyWords(), QStringList({"sprintf", "fprintf", "a, b"}));

  m_ui.answerInput(std::nullopt);
  press("cmdAutoCompleteAdd");
  m_ui.answerInput(QString());
  press("cmdAutoCompleteAdd");
  EXPECT_EQ(items("lstAutoComplete").size(), 3);
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(AutomationPageTest, TheTwoOptionsAreStored) {
  start();
  openPage();
  struct Option {
    const char* box;
    const char* value;
  };
  for (const Option& option :
       {Option{"chkEnableAutoComplete", "AutoComplete"}, Option{"chkAutoChange", "AutoChange"}}) {
    SCOPED_TRACE(option.box);
    auto* box = control<QCheckBox>(option.box);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_EQ(setting(option.value), "1");
    box->click();
    EXPECT_EQ(setting(option.value), "0");
  }
}

TEST_F(AutomationPageTest, APairAddedOnThePageReplacesAtTheNextKey) {
  writeFile("AutoChange.lst", "teh==the\r\n");
  m_settings->set(platform::Setting::AutoChange, "1");
  startTyping();
  openPage();
  EXPECT_EQ(items("lstAutoChange"), QStringList({"teh==the"}));

  addPair("mfg", "manufacturing");
  EXPECT_EQ(items("lstAutoChange"), QStringList({"teh==the", "mfg==manufacturing"}));
  EXPECT_EQ(currentRow("lstAutoChange"), 1);
  EXPECT_EQ(bytesOf("AutoChange.lst"), "teh==the\r\nmfg==manufacturing\r\n");
  typeInEditor("mfg teh ");
  EXPECT_EQ(m_window->txtMain().text(), "manufacturing the ");

  // Removed: the very next key leaves the word alone.
  choose("lstAutoChange", 0);
  press("cmdRemoveAutoChange");
  EXPECT_EQ(items("lstAutoChange"), QStringList({"mfg==manufacturing"}));
  EXPECT_EQ(bytesOf("AutoChange.lst"), "mfg==manufacturing\r\n");
  typeInEditor("teh ");
  EXPECT_EQ(m_window->txtMain().text(), "manufacturing the teh ");
  EXPECT_TRUE(m_ui.allAnswered());
}

// Pins the loss of a pair whose text holds "==": its line read back as another pair.
TEST_F(AutomationPageTest, APairTheFileCouldNotGiveBackIsRefusedAndNothingIsWritten) {
  writeFile("AutoChange.lst", "teh==the\r\n");
  start();
  openPage();
  const QByteArray before = bytesOf("AutoChange.lst");
  struct Case {
    QString find;
    QString replacement;
  };
  for (const Case& c : {Case{"a==b", "c"}, Case{"a", "b==c"}, Case{"x=", "y"}, Case{"x", "=y"}}) {
    SCOPED_TRACE((c.find + " -> " + c.replacement).toStdString());
    addPair(c.find, c.replacement, "прочитался бы иначе");
    EXPECT_EQ(items("lstAutoChange"), QStringList({"teh==the"}));
    EXPECT_EQ(bytesOf("AutoChange.lst"), before);
  }
  // Cancelled or empty at either question: nothing is added, and no second question follows
  // an empty first answer.
  m_ui.answerInput(QString());
  press("cmdAddAutoChange");
  m_ui.answerInput(QString("a")).answerInput(std::nullopt);
  press("cmdAddAutoChange");
  EXPECT_EQ(items("lstAutoChange"), QStringList({"teh==the"}));
  EXPECT_EQ(bytesOf("AutoChange.lst"), before);
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(AutomationPageTest, AFailedWriteIsReportedAndTheListShowsWhatIsInEffect) {
  start();
  // Where the list files should go stand folders: nothing can be written there.
  QDir(homePath()).mkdir("AutoChange.lst");
  QDir(homePath()).mkdir("Autocomplete.lst");
  openPage();
  addPair("teh", "the", "Не удалось сохранить");
  // The typing uses the pair until the program closes, and the list says so.
  EXPECT_EQ(items("lstAutoChange"), QStringList({"teh==the"}));

  m_ui.answerInput(QString("printf")).answerMessage(MsgAnswer::Ok, "Не удалось сохранить");
  press("cmdAutoCompleteAdd");
  EXPECT_TRUE(items("lstAutoComplete").isEmpty());
  EXPECT_TRUE(m_ui.allAnswered());
}

}  // namespace
}  // namespace settings

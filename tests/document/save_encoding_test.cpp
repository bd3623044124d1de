// A Windows-1251 file that has come to hold characters Windows-1251 lacks is never turned into
// UTF-8 behind the user's back: a save by hand asks once per document, a timed save widens and
// says so, leaving the question to the next save by hand.
#include "document/save_encoding.h"

#include <QLabel>

#include "document/open_file.h"
#include "document/save_timers.h"
#include "platform/edit_control.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using test_files::bytesOf;
using testing_support::MainWindowTest;
namespace Setting = platform::Setting;

const QByteArray kHello1251("\xcf\xf0\xe8\xe2\xe5\xf2\r\n");  // "Привет" in Windows-1251

TEST(CharactersWindows1251Lacks, EachOnceInOrderAndReplacedOneForOne) {
  struct {
    const char* name;
    QString text;
    QList<char32_t> lacking;
    QString replaced;
  } cases[] = {
      {"empty", "", {}, ""},
      {"Cyrillic and the signs Windows-1251 has", "Ёж — №5 «€»\r\n", {}, "Ёж — №5 «€»\r\n"},
      {"one", "é", {U'é'}, "?"},
      {"repeated, in order of first sight", "aéüéb\r\nü", {U'é', U'ü'}, "a???b\r\n?"},
      {"outside the basic plane is one character", "x\U0001F600y", {0x1F600}, "x?y"},
      {"a combining mark", "e\u0301", {0x301}, "e?"},
      {"undefined byte 0x98 round-trips", "\u0098", {}, "\u0098"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray utf8 = c.text.toUtf8();
    EXPECT_EQ(CharactersWindows1251Lacks(utf8), c.lacking);
    EXPECT_EQ(QString::fromUtf8(ReplaceCharactersWindows1251Lacks(utf8)), c.replaced);
  }
  // A malformed byte (the editor never holds one, a caller might) is one lacking character.
  EXPECT_EQ(ReplaceCharactersWindows1251Lacks("a\xC3"), "a?");
  EXPECT_EQ(ReplaceCharactersWindows1251Lacks("\xE2\x82"), "??");
}

TEST(NameCharacters, ShowsAFewAndCountsTheRest) {
  EXPECT_EQ(NameCharacters({U'é', U'ü'}), "«é» «ü»");
  EXPECT_EQ(NameCharacters({0x200B, 0x301, 0x2003}), "U+200B U+0301 U+2003")
      << "invisible characters and marks by their code";
  QList<char32_t> many;
  for (char32_t c = U'à'; c < U'à' + 11; ++c) many << c;
  EXPECT_EQ(NameCharacters(many), "«à» «á» «â» «ã» «ä» «å» «æ» «ç» и ещё 3");
}

class SaveEncodingTest : public MainWindowTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }
  void type(const QString& text) {
    editor().setSelection({0, 0, 0, 0});
    editor().setSelectedText(text);
  }
  // Opens a Windows-1251 file and types `added` at its start.
  QString openAndType(const QString& added, const QString& name = "a.txt") {
    const QString path = writeFile(name, kHello1251);
    if (!m_window) start();
    EXPECT_TRUE(LFile(*m_window, path));
    EXPECT_EQ(editor().fileFormat().encoding, platform::Encoding::Windows1251);
    type(added);
    return path;
  }
  void expectAsked(const QString& characters) {
    ASSERT_FALSE(m_ui.choiceButtons.isEmpty());
    EXPECT_EQ(m_ui.choiceButtons.last(),
              QStringList({"&Сохранить в UTF-8", "&Оставить Windows-1251"}));
    EXPECT_TRUE(m_ui.messages.last().text.contains(characters))
        << m_ui.messages.last().text.toStdString();
    EXPECT_EQ(m_ui.messages.last().title, "Сохранение");
  }
  QString status() { return m_window->statusText().text(); }
};

// "Сохранить в UTF-8": the file is UTF-8 with every character, and stays UTF-8 without asking.
TEST_F(SaveEncodingTest, SaveInUtf8KeepsEveryCharacterAndIsNotAskedAgain) {
  const QString path = openAndType("é");
  m_ui.answerChoice(0, "«é»");
  click("mnuSave");
  expectAsked("«é»");
  EXPECT_EQ(bytesOf(path), QString("éПривет\r\n").toUtf8());
  EXPECT_EQ(editor().text(), "éПривет\r\n");
  EXPECT_FALSE(m_window->document().Dirty());
  EXPECT_TRUE(status().contains("| UTF-8 |")) << status().toStdString();

  type("ü");
  click("mnuSave");  // no second question
  EXPECT_EQ(bytesOf(path), QString("üéПривет\r\n").toUtf8());
  EXPECT_TRUE(m_ui.allAnswered());
}

// "Оставить Windows-1251": the characters become "?" in the file and in the editor, now and at
// every later save of this document, without another question.
TEST_F(SaveEncodingTest, KeepWindows1251ReplacesInFileAndEditorAndHolds) {
  const QString path = openAndType("é");
  editor().setSelection({0, 3, 0, 5});
  editor().setDivider(0, true);
  m_ui.answerChoice(1, "«é»");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "?" + kHello1251);
  EXPECT_EQ(editor().text(), "?Привет\r\n");
  EXPECT_EQ(editor().selection(), (platform::SelRange{0, 3, 0, 5})) << "the selection stays";
  EXPECT_TRUE(editor().hasDivider(0)) << "a mark on the line stays";
  EXPECT_FALSE(m_window->document().Dirty());
  EXPECT_TRUE(status().contains("| Win - 1251 |")) << status().toStdString();

  type("ü\U0001F600");
  click("mnuSave");  // the answer holds
  EXPECT_EQ(bytesOf(path), "???" + kHello1251);
  EXPECT_EQ(editor().text(), "???Привет\r\n");
  EXPECT_TRUE(status().contains("«ü»")) << "said in the status bar: " << status().toStdString();
  editor().undo();
  EXPECT_EQ(editor().text(), "ü\U0001F600?Привет\r\n") << "the replacement is one undo step";
  EXPECT_TRUE(m_ui.allAnswered());
}

// Cancel writes nothing and keeps the text and the modified flag; the next save asks again.
TEST_F(SaveEncodingTest, CancelSavesNothingAndAsksAgainNextTime) {
  const QString path = openAndType("ß");
  m_ui.answerChoice(std::nullopt, "«ß»");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), kHello1251);
  EXPECT_EQ(editor().text(), "ßПривет\r\n");
  EXPECT_TRUE(m_window->document().Dirty());
  EXPECT_EQ(editor().fileFormat().encoding, platform::Encoding::Windows1251);

  // Save As, Create backup and the save before a new document ask the same way.
  m_ui.answerSaveFile(homePath("b.txt"));
  m_ui.answerChoice(std::nullopt, "«ß»");
  click("mnuSaveAs");
  EXPECT_FALSE(QFile::exists(homePath("b.txt")));
  m_ui.answerChoice(std::nullopt, "«ß»");
  click("mnuCreateBackup");
  EXPECT_FALSE(QFile::exists(homePath("a.bak")));
  m_ui.answerMessage(platform::MsgAnswer::Yes, "перед созданием нового");
  m_ui.answerChoice(std::nullopt, "«ß»");
  click("mnuNew");
  EXPECT_EQ(editor().text(), "ßПривет\r\n") << "a cancelled save keeps the document";
  EXPECT_EQ(m_window->document().path(), path);

  m_ui.answerChoice(0);
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), QString("ßПривет\r\n").toUtf8());
  EXPECT_TRUE(m_ui.allAnswered());
}

// The answer belongs to the document: a new document or another file is asked about afresh.
TEST_F(SaveEncodingTest, AnotherDocumentForgetsTheAnswer) {
  openAndType("é");
  m_ui.answerChoice(1);
  click("mnuSave");
  const QString other = openAndType("é", "b.txt");
  m_ui.answerChoice(0, "«é»");
  click("mnuSave");
  EXPECT_EQ(bytesOf(other), QString("éПривет\r\n").toUtf8());
  EXPECT_TRUE(m_ui.allAnswered());
}

// The window's first document was never read from a file: it is a new document, written in
// UTF-8 without a question about Windows-1251.
TEST_F(SaveEncodingTest, TheFirstDocumentOfAWindowIsNew) {
  start();
  type("é");
  m_ui.answerSaveFile(homePath("new.txt"));
  click("mnuSave");
  EXPECT_EQ(bytesOf(homePath("new.txt")), QString("é").toUtf8());
  EXPECT_TRUE(m_ui.messages.isEmpty());
  EXPECT_TRUE(m_ui.allAnswered());
}

// A save code page converts the text, and a character it lacks becomes "?" by that conversion:
// nothing to ask.
TEST_F(SaveEncodingTest, ConversionIntoASaveCodePageDoesNotAsk) {
  m_settings->set(Setting::SaveCodir, "1");
  m_settings->set(Setting::SaveInCodir, "2");
  const QString path = openAndType("é");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), QByteArray("?\x8f\xe0\xa8\xa2\xa5\xe2\r\n")) << "DOS 866";
  EXPECT_EQ(editor().text(), "éПривет\r\n");
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

class TimedSaveEncodingTest : public SaveEncodingTest {
 protected:
  SaveTimers& timers() { return *m_window->findChild<SaveTimers*>("saveTimers"); }
};

// Nobody is there to ask: the timed save and the timed backup write UTF-8, keep every
// character, say so, and leave the question to the next save by hand.
TEST_F(TimedSaveEncodingTest, TimedSaveAndBackupWidenSayItAndLeaveTheQuestion) {
  m_settings->set(Setting::AutoSaveTime, "1");
  const QString path = openAndType("é");
  for (int i = 0; i < 60; ++i) timers().autoSaveTick();
  EXPECT_EQ(bytesOf(path), QString("éПривет\r\n").toUtf8());
  EXPECT_FALSE(m_window->document().Dirty());
  EXPECT_TRUE(status().contains("UTF-8")) << status().toStdString();
  EXPECT_TRUE(status().contains("«é»")) << status().toStdString();
  EXPECT_EQ(editor().fileFormat().encoding, platform::Encoding::Windows1251);

  type("ü");
  timers().backupTick();
  EXPECT_EQ(bytesOf(homePath("a.bak")), QString("üéПривет\r\n").toUtf8());
  EXPECT_TRUE(status().startsWith("Резервная копия записана в UTF-8")) << status().toStdString();
  EXPECT_TRUE(status().contains("«ü» «é»")) << status().toStdString();
  EXPECT_EQ(editor().fileFormat().encoding, platform::Encoding::Windows1251);
  EXPECT_TRUE(m_ui.messages.isEmpty());

  m_ui.answerChoice(1, "«ü» «é»");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "??" + kHello1251);
  EXPECT_TRUE(m_ui.allAnswered());
}

// After "Оставить Windows-1251" a timed save neither writes what the user refused nor changes
// the text under the user's hands: it leaves the file and says why.
TEST_F(TimedSaveEncodingTest, TimedSaveAfterKeepingWindows1251WritesNothing) {
  m_settings->set(Setting::AutoSaveTime, "1");
  const QString path = openAndType("é");
  m_ui.answerChoice(1, "«é»");
  click("mnuSave");
  type("ü");
  for (int i = 0; i < 60; ++i) timers().autoSaveTick();
  EXPECT_EQ(bytesOf(path), "?" + kHello1251);
  EXPECT_EQ(editor().text(), "ü?Привет\r\n");
  EXPECT_TRUE(m_window->document().Dirty());
  EXPECT_TRUE(status().startsWith("Автосохранение пропущено")) << status().toStdString();
  EXPECT_TRUE(status().contains("«ü»")) << status().toStdString();
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), "??" + kHello1251);
  EXPECT_TRUE(m_ui.allAnswered());
}

// A timed save used to put up the question about an inexact file, which a key pressed while
// typing could answer: it now leaves the file alone and says why.
TEST_F(TimedSaveEncodingTest, TimedSaveLeavesAnInexactFileForTheUser) {
  m_settings->set(Setting::AutoSaveTime, "1");
  const QByteArray mixed("one\r\ntwo\nthree\r\n");
  const QString path = writeFile("m.txt", mixed);
  start(path);
  type("x");
  for (int i = 0; i < 60; ++i) timers().autoSaveTick();
  EXPECT_EQ(bytesOf(path), mixed);
  EXPECT_TRUE(m_window->document().Dirty());
  EXPECT_TRUE(status().startsWith("Автосохранение пропущено")) << status().toStdString();
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

}  // namespace
}  // namespace document

// The exit procedure's flows, answered by the scripted user.
#include "shell/shutdown.h"

#include <QFile>

#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace shell {
namespace {

using platform::MsgAnswer;
using testing_support::MainWindowTest;
namespace Setting = platform::Setting;

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class ShutdownTest : public MainWindowTest {
 protected:
  FrmMain& startEdited(const QString& file = QString()) {
    FrmMain& w = start(file);
    w.txtMain().setText("изменённый текст");
    EXPECT_TRUE(w.document().Dirty());
    return w;
  }
};

TEST_F(ShutdownTest, UnchangedDocumentClosesWithoutAQuestion) {
  start();
  EXPECT_TRUE(close());
  EXPECT_TRUE(m_ui.messages.isEmpty());
  EXPECT_NE(setting("Main_Width"), "<missing>");
}

TEST_F(ShutdownTest, CancelKeepsTheProgramAndTheText) {
  FrmMain& w = startEdited();
  m_ui.answerMessage(MsgAnswer::Cancel, "Сохранить несохраненный документ?");
  EXPECT_FALSE(close());
  ASSERT_EQ(m_ui.messages.size(), 1);
  EXPECT_EQ(m_ui.messages[0].title, "Запрос на сохранение");
  EXPECT_EQ(m_ui.messages[0].buttons, platform::MsgButtons::YesNoCancel);
  EXPECT_EQ(m_ui.messages[0].icon, platform::MsgIcon::Question);
  EXPECT_EQ(w.txtMain().text(), "изменённый текст");
  EXPECT_TRUE(w.document().Dirty());
  EXPECT_EQ(setting("Main_Width"), "<missing>") << "nothing below the question ran";
}

TEST_F(ShutdownTest, NoLeavesTheFileAlone) {
  const QString path = writeFile("doc.txt", "old");
  startEdited(path);
  m_ui.answerMessage(MsgAnswer::No);
  EXPECT_TRUE(close());
  EXPECT_EQ(contents(path), "old");
}

TEST_F(ShutdownTest, YesSavesToTheDocumentsPath) {
  const QString path = writeFile("doc.txt", "old");
  startEdited(path);
  m_ui.answerMessage(MsgAnswer::Yes);
  EXPECT_TRUE(close());
  EXPECT_EQ(cp1251::decode(contents(path)), "изменённый текст") << "a Windows-1251 file stays so";
}

TEST_F(ShutdownTest, YesOnUntitledAsksForAName) {
  startEdited();
  const QString target = homePath("saved");
  m_ui.answerMessage(MsgAnswer::Yes).answerSaveFile(target, 1);
  EXPECT_TRUE(close());
  ASSERT_EQ(m_ui.fileRequests.size(), 1);
  EXPECT_EQ(m_ui.fileRequests[0].title, "Сохранение документа");
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, homePath());
  EXPECT_TRUE(m_ui.fileRequests[0].filter.startsWith("Текстовые файлы (*.txt)|*.txt|"));
  EXPECT_EQ(QString::fromUtf8(contents(target + ".txt")), "изменённый текст")
      << "the first file type adds .txt; a new document is written in UTF-8";
}

TEST_F(ShutdownTest, CancelledSaveDialogCancelsTheExit) {
  FrmMain& w = startEdited();
  m_settings->set(Setting::LastDir, "/tmp");
  m_ui.answerMessage(MsgAnswer::Yes).answerSaveFile(QString());
  EXPECT_FALSE(close());
  EXPECT_EQ(m_ui.fileRequests[0].initialDir, "/tmp");
  EXPECT_EQ(w.txtMain().text(), "изменённый текст");
}

// A failed save used to end the program anyway and lose the text.
TEST_F(ShutdownTest, FailedSaveKeepsTheProgramRunning) {
  FrmMain& w = startEdited();
  const QString target = homePath("no such folder/x.txt");
  m_ui.answerMessage(MsgAnswer::Yes)
      .answerSaveFile(target, 6)
      .answerMessage(MsgAnswer::Ok, "Невозможно сохранить файл ");
  EXPECT_FALSE(close());
  EXPECT_EQ(m_ui.messages[1].text, "Невозможно сохранить файл \n" + target);
  EXPECT_EQ(m_ui.messages[1].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(w.document().Dirty());
  EXPECT_EQ(w.txtMain().text(), "изменённый текст");
}

TEST_F(ShutdownTest, LastOpenedFileIsKeptOnlyWhenAsked) {
  const QString path = writeFile("doc.txt", "text");
  start(path);
  EXPECT_TRUE(close());
  EXPECT_EQ(setting("LastOpenedFile"), "<missing>");
  m_window.reset();
  m_settings->set(Setting::LoadLastOpened, "1");
  start(path);
  EXPECT_TRUE(close());
  EXPECT_EQ(setting("LastOpenedFile"), path);
}

TEST_F(ShutdownTest, MinimisedWindowKeepsThePreviousPlacement) {
  m_settings->set(Setting::MainLeft, "1500");
  FrmMain& w = start();
  w.move(10, 10);
  w.setWindowState(Qt::WindowMinimized);
  ASSERT_TRUE(w.isMinimized());
  EXPECT_TRUE(close());
  EXPECT_EQ(setting("Main_Left"), "1500");
}

TEST_F(ShutdownTest, ExitMacroHookRunsAfterTheQuestion) {
  FrmMain& w = startEdited();
  QStringList order;
  w.hooks().add(Hook::ExitMacro, [&] { order << "exit macro"; });
  m_ui.answerMessage(MsgAnswer::Cancel);
  EXPECT_FALSE(close());
  EXPECT_TRUE(order.isEmpty());
  m_ui.answerMessage(MsgAnswer::No);
  EXPECT_TRUE(close());
  EXPECT_EQ(order, QStringList{"exit macro"});
}

}  // namespace
}  // namespace shell

// Big files come in pieces with the window alive: the text is the file's, a stop leaves a marked
// part of it that is never written over the file, and the window can't be changed or closed
// from under the load.
#include "document/piece_load.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "document/open_file.h"
#include "platform/piece_reader.h"
#include "platform/test_files.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using test_files::bytesOf;
using testing_support::MainWindowTest;

class PieceLoadTest : public MainWindowTest {
 protected:
  // Windows-1251 lines of Russian with 0x98 in them, CR LF, to the size asked.
  static QByteArray bigCp1251(qint64 size) {
    const QByteArray line("\xdd\xf2\xee \xf2\xe5\xea\xf1\xf2 \x98 text 12345\r\n");
    QByteArray bytes = line.repeated(int(size / line.size()) + 1);
    bytes.truncate(size);
    return bytes;
  }
  static QString wholeText(const QString& path) {
    platform::EditControl whole;
    EXPECT_FALSE(whole.openFile(path).has_value());
    return whole.text();
  }
  // Runs `act` once, at the first sign of progress of a load.
  void atFirstProgress(std::function<void()> act) {
    auto once = std::make_shared<bool>(false);
    QObject::connect(&m_window->document(), &Document::loadProgress, m_window.get(),
                     [once, act = std::move(act)](int) {
                       if (std::exchange(*once, true)) return;
                       act();
                     });
  }
};

TEST_F(PieceLoadTest, ABigFileIsTheSameTextAsOneLoadAndSavesBackByteForByte) {
  const QByteArray bytes = bigCp1251(platform::kPieceLoadThreshold + 123457);
  const QString path = writeFile("big.txt", bytes);
  shell::FrmMain& w = start();
  QList<int> progress;
  QObject::connect(&w.document(), &Document::loadProgress, &w, [&](int p) { progress << p; });
  // The first turn of the event loop inside the load, before or after the first piece: the
  // status bar already tells of the load.
  QString statusAtFirstTurn;
  std::function<void()> look = [&] {
    if (!document::LoadUnderWay(w)) return QTimer::singleShot(0, &w, look);
    statusAtFirstTurn = w.statusText().text();
  };
  QTimer::singleShot(0, &w, look);
  ASSERT_TRUE(LFile(w, path));
  EXPECT_TRUE(statusAtFirstTurn.startsWith(u"Загрузка файла: "_qs)) << statusAtFirstTurn.toStdString();
  ASSERT_FALSE(progress.isEmpty());
  EXPECT_EQ(progress.last(), 100);
  EXPECT_EQ(w.document().path(), path);
  EXPECT_FALSE(w.document().isPartial());
  EXPECT_FALSE(w.txtMain().isReadOnly());
  EXPECT_FALSE(w.txtMain().isLoading());
  const QString whole = wholeText(path);
  EXPECT_EQ(w.txtMain().text(), whole);
  EXPECT_TRUE(w.statusText().text().contains(u"Всего символов: "_qs + QString::number(whole.size())))
      << w.statusText().text().toStdString();
  EXPECT_TRUE(w.commands().action("mnuOpen")->isEnabled()) << "commands are back";
  w.document().setDirty(true);
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), bytes);
}

TEST_F(PieceLoadTest, EscapeLeavesAMarkedStartOfTheFileThatIsNeverWrittenOverIt) {
  // Big enough that the first slice of the load cannot take it all, however fast the machine:
  // a file wholly in by the first progress leaves nothing for Escape to stop.
  const QByteArray bytes = bigCp1251(16 * platform::kPieceLoadThreshold);
  const QString path = writeFile("big.txt", bytes);
  const QString other = writeFile("other.txt", "other");
  shell::FrmMain& w = start();
  w.txtMain().setText("before");
  bool openedMeanwhile = true;
  bool openEnabled = true;
  bool pasteEnabled = true;
  QString typed;
  atFirstProgress([&] {
    // Nothing opens or changes the text while it comes in, news from the clipboard neither.
    openEnabled = w.commands().action("mnuOpen")->isEnabled();
    QGuiApplication::clipboard()->setText("вставка");
    pasteEnabled = w.commands().action("mnuPaste")->isEnabled();
    openedMeanwhile = LFile(w, other);
    QTest::keyClick(&w.txtMain(), Qt::Key_A);
    QTest::keyClick(&w.txtMain(), Qt::Key_Delete);
    typed = w.txtMain().text().left(8);
    QTest::keyClick(&w.txtMain(), Qt::Key_Escape);
  });
  m_ui.answerMessage(platform::MsgAnswer::No, "Сохранить предыдущий документ");
  ASSERT_TRUE(LFile(w, path));
  EXPECT_FALSE(openEnabled);
  EXPECT_FALSE(pasteEnabled);
  EXPECT_FALSE(openedMeanwhile);
  const QString whole = wholeText(path);
  EXPECT_EQ(typed, whole.left(8));
  const QString part = w.txtMain().text();
  ASSERT_FALSE(part.isEmpty());
  EXPECT_LT(part.size(), whole.size());
  // A stop falls between whole characters and line ends.
  EXPECT_TRUE(whole.startsWith(part));
  EXPECT_TRUE(part.endsWith(u"\r\n"_qs) || !part.endsWith(u'\r'));
  EXPECT_EQ(w.document().partial(), Partial::Stopped);
  EXPECT_TRUE(w.txtMain().isReadOnly());
  w.txtMain().setSelection({0, 1, 0, 1});
  EXPECT_TRUE(w.statusNote().text().contains("загружена только часть"))
      << w.statusNote().text().toStdString();
  EXPECT_TRUE(w.commands().action("mnuOpen")->isEnabled());

  w.document().setDirty(true);
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Загрузка файла была остановлена");
  click("mnuSave");
  EXPECT_EQ(bytesOf(path), bytes);
  // Saved under another name, the part is a document of its own.
  m_ui.answerSaveFile(homePath("part.txt"));
  click("mnuSaveAs");
  EXPECT_EQ(wholeText(homePath("part.txt")), part);
  EXPECT_FALSE(w.document().isPartial());
}

TEST_F(PieceLoadTest, ClosingTheWindowStopsTheLoadAndClosesRightAfter) {
  const QString path = writeFile("big.txt", bigCp1251(3 * platform::kPieceLoadThreshold));
  shell::FrmMain& w = start();
  bool closedAtOnce = true;
  atFirstProgress([&] { closedAtOnce = w.close(); });
  ASSERT_TRUE(LFile(w, path));
  EXPECT_FALSE(closedAtOnce) << "the load is on the stack; the window goes after it";
  EXPECT_EQ(w.document().partial(), Partial::Stopped);
  EXPECT_TRUE(w.isVisible());
  QCoreApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace document

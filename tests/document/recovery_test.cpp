// Unsaved text kept for a crash: the recovery file's format, the keeper that writes it while the
// document is unsaved and removes it on saving and on a clean end, and the offer at the next
// start of what a run that died left behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTest>

#include "document/recovery.h"
#include "document/recovery_file.h"
#include "document/save_file.h"
#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using testing_support::MainWindowTest;

RecoveredDocument sample() {
  RecoveredDocument d;
  d.path = QStringLiteral("/tmp/odd\nname %41 ё.txt");
  d.codePage = 3;
  d.format = {platform::Encoding::Utf16Le, true, platform::LineEnd::Lf};
  d.saved = QDateTime::fromMSecsSinceEpoch(1765000000000);
  d.utf8 = QByteArray("Привет\r\nмир\r\n\0tail", 24);
  return d;
}

TEST(RecoveryFile, WrittenAndReadBackWholeAndDamagedFilesOfferNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.orec");
  const RecoveredDocument d = sample();
  ASSERT_TRUE(WriteRecoveryFile(path, d, d.utf8));
  const auto back = ReadRecoveryFile(path);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->path, d.path);
  EXPECT_EQ(back->codePage, 3);
  EXPECT_EQ(back->format, d.format);
  EXPECT_EQ(back->saved, d.saved);
  EXPECT_EQ(back->utf8, d.utf8);
  EXPECT_FALSE(QFile::exists(path + ".part"));
  EXPECT_EQ(QFile(path).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray whole = file.readAll();
  file.close();
  const auto damaged = [&](const QByteArray& bytes) {
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
    out.close();
    return !ReadRecoveryFile(path).has_value();
  };
  EXPECT_TRUE(damaged(whole.chopped(1))) << "a text cut off";
  EXPECT_TRUE(damaged(whole + "x")) << "more text than the header says";
  EXPECT_TRUE(damaged(whole.left(whole.indexOf("length="))));
  EXPECT_TRUE(damaged(QByteArray(whole).replace("codepage=3", "codepage=9")));
  EXPECT_TRUE(damaged(QByteArray(whole).replace("length=24", "length=-24")));
  EXPECT_TRUE(damaged(QByteArray(whole).replace("encoding=utf-16le", "encoding=ebcdic")));
  EXPECT_TRUE(damaged("not a recovery file"));
  EXPECT_FALSE(damaged(whole));
}

class RecoveryTest : public MainWindowTest {
 protected:
  QString folder() { return homePath("Recovery"); }
  QStringList kept() {
    return QDir(folder()).entryList({"*.orec"}, QDir::Files);
  }
  // A file as a run that died leaves it: no living owner holds its lock.
  QString leaveOrphan(const RecoveredDocument& d, const QString& name = "dead.orec") {
    QDir().mkpath(folder());
    const QString path = QDir(folder()).filePath(name);
    EXPECT_TRUE(WriteRecoveryFile(path, d, d.utf8));
    return path;
  }
  void type(const QString& text) {
    m_window->txtMain().setSelectedText(text);
    QCoreApplication::processEvents();
  }
};

TEST_F(RecoveryTest, UnsavedTextIsKeptUntilSavedAndCleanEndsLeaveNothing) {
  m_settings->set(platform::Setting::RecoveryDelay, "50");
  const QString file = writeFile("doc.txt", "начало\r\n");
  start(file);
  EXPECT_TRUE(kept().isEmpty()) << "nothing to keep while the text is saved";
  type(QStringLiteral("новое "));
  ASSERT_TRUE(QTest::qWaitFor([this] { return kept().size() == 1; }, 5000));
  auto recovered = ReadRecoveryFile(QDir(folder()).filePath(kept().first()));
  ASSERT_TRUE(QTest::qWaitFor([&] {
    recovered = ReadRecoveryFile(QDir(folder()).filePath(kept().first()));
    return recovered && recovered->utf8 == m_window->txtMain().textUtf8();
  }, 5000));
  EXPECT_EQ(recovered->path, file);

  // Later typing is kept too, within the delay.
  type(QStringLiteral("ещё"));
  EXPECT_TRUE(QTest::qWaitFor([&] {
    recovered = ReadRecoveryFile(QDir(folder()).filePath(kept().first()));
    return recovered && recovered->utf8 == m_window->txtMain().textUtf8();
  }, 5000));

  ASSERT_TRUE(SaveToFile(*m_window, file));
  EXPECT_TRUE(kept().isEmpty()) << "saved text needs no recovery";

  type(QStringLiteral("x"));
  ASSERT_TRUE(QTest::qWaitFor([this] { return kept().size() == 1; }, 5000));
  m_window.reset();  // a clean end, the user having answered the save question
  EXPECT_TRUE(kept().isEmpty());
  EXPECT_TRUE(QDir(folder()).entryList({"*.lock"}, QDir::Files).isEmpty());
}

TEST_F(RecoveryTest, WhatADeadRunLeftIsOfferedAndRestoredUnsaved) {
  const QString original = writeFile("letter.txt", "old text\r\n");
  RecoveredDocument d;
  d.path = original;
  d.codePage = 1;
  d.format = {platform::Encoding::Windows1251, false, platform::LineEnd::Lf};
  d.saved = QDateTime::currentDateTimeUtc();
  d.utf8 = QStringLiteral("new text that was never saved\r\n").toUtf8();
  const QString orphan = leaveOrphan(d);

  m_ui.answerChoice(0, QStringLiteral("letter.txt"));
  start();
  QCoreApplication::processEvents();
  ASSERT_TRUE(m_ui.allAnswered());
  ASSERT_EQ(m_ui.choiceButtons.size(), 1);
  EXPECT_EQ(m_ui.choiceButtons[0].size(), 3) << "restore, restore beside the file, discard";
  EXPECT_EQ(m_window->txtMain().textUtf8(), d.utf8);
  EXPECT_EQ(m_window->document().path(), original);
  EXPECT_TRUE(m_window->document().Dirty());
  EXPECT_EQ(m_window->txtMain().fileFormat(), d.format);
  // The old file is gone, and this run keeps the text under its own.
  EXPECT_FALSE(QFile::exists(orphan));
  ASSERT_EQ(kept().size(), 1);
  EXPECT_EQ(ReadRecoveryFile(QDir(folder()).filePath(kept().first()))->utf8, d.utf8);
  // The file on disk is untouched until the user saves.
  QFile disk(original);
  ASSERT_TRUE(disk.open(QIODevice::ReadOnly));
  EXPECT_EQ(disk.readAll(), "old text\r\n");
}

TEST_F(RecoveryTest, EscapeLeavesItForLaterDiscardRemovesItAndALiveRunIsLeftAlone) {
  RecoveredDocument d;
  d.utf8 = "untitled text";
  d.saved = QDateTime::currentDateTimeUtc();
  const QString later = leaveOrphan(d, "later.orec");
  // Another window of the program, still running, holds the lock of its file.
  const QString live = leaveOrphan(d, "live.orec");
  QLockFile liveLock(QDir(folder()).filePath("live.lock"));
  liveLock.setStaleLockTime(0);
  ASSERT_TRUE(liveLock.tryLock(0));

  m_ui.answerChoice(std::nullopt, QStringLiteral("Безымянный"));
  start();
  QCoreApplication::processEvents();
  ASSERT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(m_ui.choiceButtons.value(0).size(), 2) << "no file to open beside an untitled text";
  EXPECT_TRUE(QFile::exists(later));
  EXPECT_TRUE(QFile::exists(live));
  EXPECT_FALSE(m_window->document().Dirty());

  m_ui.answerChoice(1);  // "Удалить"
  OfferRecoveredDocuments(*m_window, [](const QString&) { ADD_FAILURE(); });
  EXPECT_FALSE(QFile::exists(later));
  EXPECT_TRUE(QFile::exists(live));
  EXPECT_EQ(OrphanedRecoveryFiles(homePath()), QStringList());
}

TEST_F(RecoveryTest, RestoringBesideOpensTheFileInASecondWindow) {
  const QString original = writeFile("page.html", "<p>old</p>\r\n");
  RecoveredDocument d;
  d.path = original;
  d.utf8 = "<p>new</p>\r\n";
  leaveOrphan(d);
  start();
  m_ui.answerChoice(1);
  QString opened;
  OfferRecoveredDocuments(*m_window, [&opened](const QString& path) { opened = path; });
  EXPECT_EQ(opened, original);
  EXPECT_EQ(m_window->txtMain().textUtf8(), d.utf8);
}

}  // namespace
}  // namespace document

// Batch processing: each file read and written by the text-file rules, actions in list order,
// binary and unreadable files left alone, the open document untouched, and a stop that leaves
// every file either done or as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "automation/batch_fixture.h"
#include "automation/batch_job.h"
#include "html/html_text.h"
#include "text/keyboard_layout.h"
#include "text/letter_case.h"
#include "text/lines.h"
#include "text/transliteration.h"
#include "platform/cp1251.h"
#include "platform/edit_control.h"

namespace automation {
namespace {

class BatchFileTest : public ::testing::Test {
 protected:
  QString file(const QByteArray& bytes) {
    const QString path = m_dir.filePath(QStringLiteral("f%1.txt").arg(m_count++));
    writeAll(path, bytes);
    return path;
  }
  // "" when the file was processed, else why it was left alone.
  QString process(const QString& path, QList<int> actions) {
    return ProcessBatchFile(path, actions, m_settings, m_stop).reason;
  }
  QTemporaryDir m_dir;
  int m_count = 0;
  BatchSettings m_settings;
  std::atomic<bool> m_stop{false};
};

TEST_F(BatchFileTest, EachFileKeepsItsEncodingAndLineEndsAndGainsOneLineEnd) {
  const QString win = file(cp1251::encode(u"привет мир\r\nвторая"));
  EXPECT_EQ(process(win, {3}), "");
  EXPECT_EQ(readAll(win), cp1251::encode(u"ПРИВЕТ МИР\r\nВТОРАЯ\r\n"));

  const QString utf8 = file("\xEF\xBB\xBF" + QString("ёж\nи всё").toUtf8());
  EXPECT_EQ(process(utf8, {3}), "");
  EXPECT_EQ(readAll(utf8), "\xEF\xBB\xBF" + QString("ЁЖ\nИ ВСЁ\n").toUtf8());

  const QString utf16 = file(QByteArray("\xFF\xFE", 2) +
                             QByteArray(reinterpret_cast<const char*>(u"ab\r\n"), 8));
  EXPECT_EQ(process(utf16, {3}), "");
  EXPECT_EQ(readAll(utf16), QByteArray("\xFF\xFE", 2) +
                                QByteArray(reinterpret_cast<const char*>(u"AB\r\n\r\n"), 12));
}

TEST_F(BatchFileTest, ActionsRunInListOrderWhateverOrderTheyWereChosenIn) {
  m_settings.multiList = QStringLiteral("AB=x");
  const QString path = file("a b");
  // Upper case (3) and removing spaces (8) come before the replacement list (13), which matches
  // letter case exactly: only in list order does "a b" become "AB" and then "x".
  EXPECT_EQ(process(path, {13, 8, 3}), "");
  EXPECT_EQ(readAll(path), "x\r\n");
}

TEST_F(BatchFileTest, ChangingTheCodePageWritesTheTargetBytes) {
  m_settings.fromCodePage = 1;
  m_settings.toCodePage = 2;  // Dos-866
  const QString utf8 = file(QString("Я ё").toUtf8());
  EXPECT_EQ(process(utf8, {14}), "");
  EXPECT_EQ(readAll(utf8), QByteArray("\x9F \xF1\r\n"));

  m_settings.fromCodePage = 5;  // ISO 8859-5 bytes, shown as Windows-1251 characters
  m_settings.toCodePage = 1;
  const QString iso = file(QByteArray("\xCF\xD0"));  // "Яа" in ISO 8859-5
  EXPECT_EQ(process(iso, {14}), "");
  EXPECT_EQ(readAll(iso), cp1251::encode(u"Яа\r\n"));
}

TEST_F(BatchFileTest, RtfAndHtmlBecomeText) {
  const QString rtf = file(R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\f0 \'cf\'f0\'e8\b \'e2\'e5\'f2\b0\par})");
  EXPECT_EQ(process(rtf, {10}), "");
  EXPECT_EQ(readAll(rtf), cp1251::encode(u"Привет\r\n\r\n"));
  const QString page = file("<p>one</p><b>two</b>");
  EXPECT_EQ(process(page, {11}), "");
  EXPECT_EQ(readAll(page), "onetwo\r\n");
}

TEST_F(BatchFileTest, WhatCannotBeProcessedIsLeftAsItWas) {
  const QByteArray binary("MZ\x00\x01\x02text\x00", 10);
  const QString program = file(binary);
  EXPECT_NE(process(program, {3}), "");
  EXPECT_EQ(readAll(program), binary) << "a binary file is not mangled";

  QDir(m_dir.path()).mkdir("folder.txt");
  EXPECT_NE(process(m_dir.filePath("folder.txt"), {3}), "");
  EXPECT_NE(process(m_dir.filePath("missing.txt"), {3}), "");

  const QString stopped = file("abc");
  m_stop = true;
  EXPECT_NE(process(stopped, {3}), "");
  EXPECT_EQ(readAll(stopped), "abc");
}

TEST(BatchActions, EachEntryOfTheListRunsItsOwnTransformation) {
  const QString sample = QStringLiteral("hello  ghbdtn,\r\nМир <b>тут</b>\r\n");
  BatchSettings settings;
  settings.htmlOptions.lineBreaks = true;
  const struct {
    int index;
    QString expect;
  } cases[] = {
      {0, text::LayoutToRussian(sample)},  {1, text::LayoutToLatin(sample)},
      {2, text::Transliterate(sample)},     {3, text::ToUpperCase(sample)},
      {4, text::ToLowerCase(sample)},       {5, text::CapitalizeLines(sample)},
      {6, text::CapitalizeWords(sample)},   {7, text::JoinLines(sample)},
      {8, text::RemoveAllSpaces(sample)},   {9, text::SqueezeSpaces(sample)},
      {11, text::StripTags(sample)},        {12, html::TextToHtml(sample, settings.htmlOptions)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(ApplyBatchAction(c.index, sample, settings), c.expect);
    EXPECT_NE(c.expect, sample) << "the sample shows what the action does";
  }
  EXPECT_EQ(BatchActionCaptions().size(), kBatchActionCount);
  EXPECT_EQ(BatchActionCaptions()[kBatchMultiReplace], "Мультизамена");
  EXPECT_EQ(BatchActionCaptions()[kBatchCodePage], "Смена кодировки");
  EXPECT_EQ(ApplyBatchAction(99, sample, settings), sample);
}

TEST_F(BatchWindowTest, ABatchChangesTheFilesAndNotTheOpenDocument) {
  QTemporaryDir dir;
  // Long enough for their code page to be known.
  writeAll(dir.filePath("a.txt"), cp1251::encode(u"Первый файл: один"));
  writeAll(dir.filePath("b.txt"), cp1251::encode(u"Второй файл, в нём два слова"));
  writeAll(dir.filePath("c.bin"), QByteArray("\x00\x01", 2));
  start();
  m_window->txtMain().setText("мой текст");
  m_window->document().setDirty(false);
  runBatch(dir.path(), {3});
  EXPECT_TRUE(m_ui.allAnswered());
  EXPECT_EQ(readAll(dir.filePath("a.txt")), cp1251::encode(u"ПЕРВЫЙ ФАЙЛ: ОДИН\r\n"));
  EXPECT_EQ(readAll(dir.filePath("b.txt")), cp1251::encode(u"ВТОРОЙ ФАЙЛ, В НЁМ ДВА СЛОВА\r\n"));
  EXPECT_EQ(readAll(dir.filePath("c.bin")), QByteArray("\x00\x01", 2));
  ASSERT_FALSE(m_ui.messages.isEmpty());
  const QString report = m_ui.messages.last().text;
  EXPECT_TRUE(report.startsWith("Выполнена пакетная обработка. Обработано 2 файлов")) << report.toStdString();
  EXPECT_TRUE(report.contains("c.bin")) << "the file left alone is named";
  EXPECT_EQ(m_ui.messages.last().title, "Пакетная обработка ");
  EXPECT_TRUE(m_progressFull);
  EXPECT_EQ(m_window->txtMain().text(), "мой текст");
  EXPECT_FALSE(m_window->document().Dirty());
  EXPECT_EQ(setting("Last Dir"), dir.path() + "/");
}

TEST_F(BatchWindowTest, MissingChoicesAreNamedInOrderAndNothingRuns) {
  QTemporaryDir empty;
  start();
  runBatch(QString(), {3}, "Не выбран путь (директория)!");
  runBatch(empty.path(), {}, "Не выбрано ни одного действия!");
  runBatch(empty.path(), {3}, "Не выбрано ни одного файла");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(BatchWindowTest, AStoppedRunLeavesEachFileDoneOrAsItWas) {
  QTemporaryDir dir;
  const QByteArray original = QByteArray(20000, 'a');
  constexpr int kFiles = 300;
  for (int i = 0; i < kFiles; ++i) writeAll(dir.filePath(QString("%1.txt").arg(i)), original);
  start();
  runBatch(dir.path(), {3}, {}, /*stopAtOnce=*/true);
  int done = 0;
  for (int i = 0; i < kFiles; ++i) {
    const QByteArray now = readAll(dir.filePath(QString("%1.txt").arg(i)));
    if (now == original) continue;
    EXPECT_EQ(now, QByteArray(20000, 'A') + "\r\n");
    ++done;
  }
  EXPECT_LT(done, kFiles);
  const QString report = m_ui.messages.last().text;
  EXPECT_TRUE(report.contains(QString("Обработано %1 файлов").arg(done))) << report.toStdString();
  EXPECT_TRUE(report.contains("остановлена"));
}

}  // namespace
}  // namespace automation

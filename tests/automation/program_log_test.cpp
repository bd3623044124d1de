// "Program.log": the lines of a run, and one encoding for the whole file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "automation/program_log.h"
#include "platform/cp1251.h"
#include "support/qt_print.h"

namespace automation {
namespace {

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ProgramLog, LinesOfARun) {
  const QDateTime when(QDate(2024, 7, 5), QTime(9, 5, 3));
  EXPECT_EQ(ProgramLogStart(when, "Сортировка\tCtrl+1"),
            "07 05 24, 09:05:03 - Обработка выделенного блока программой Сортировка\tCtrl+1\r\n");
  const QDateTime evening(QDate(2031, 12, 31), QTime(23, 59, 58));
  EXPECT_EQ(ProgramLogEnd(evening, true), "12 31 31, 23:59:58 - Обработка закончена. Текст изменен.\r\n\r\n");
  EXPECT_EQ(ProgramLogEnd(evening, false),
            "12 31 31, 23:59:58 - Обработка закончена. Текст не изменен.\r\n\r\n");
}

TEST(ProgramLog, TheFileKeepsOneEncoding) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Program.log");
  // A new log is Windows-1251 while every character fits.
  AppendProgramLog(path, "Программа А\r\n");
  AppendProgramLog(path, "Программа Б\r\n");
  EXPECT_EQ(bytesOf(path), cp1251::encode(u"Программа А\r\nПрограмма Б\r\n"));
  // A caption it cannot hold turns the old lines into UTF-8 too, instead of mixing encodings.
  AppendProgramLog(path, "Программа ☺\r\n");
  EXPECT_EQ(bytesOf(path), QString("Программа А\r\nПрограмма Б\r\nПрограмма ☺\r\n").toUtf8());
  // From then on it stays UTF-8, even for lines Windows-1251 could hold.
  AppendProgramLog(path, "Программа В\r\n");
  EXPECT_EQ(bytesOf(path),
            QString("Программа А\r\nПрограмма Б\r\nПрограмма ☺\r\nПрограмма В\r\n").toUtf8());
}

}  // namespace
}  // namespace automation

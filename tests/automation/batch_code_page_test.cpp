// Batch processing of single-byte files: each is changed as text in its own code page and written
// back in it, checked byte for byte against the system's iconv making the same change; files whose
// code page is in doubt, or that their code page cannot hold after the change, stay as they were.
#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include "automation/batch_fixture.h"
#include "automation/batch_job.h"
#include "platform/cp1251.h"
#include "text/code_page.h"
#include "text/letter_case.h"

namespace automation {
namespace {

struct CodePage {
  int code;
  const char* iconvName;
  const char* fileName;  // the file name the batch window test gives it
};
const CodePage kCodePages[] = {
    {text::kWindows1251, "CP1251", "win"},  {text::kDos866, "CP866", "dos"},
    {text::kKoi8R, "KOI8-R", "koi"},        {text::kMacCyrillic, "MAC-CYRILLIC", "mac"},
    {text::kIso8859_5, "ISO-8859-5", "iso"},
};

// Russian text every one of the five code pages holds: ё and Ё, capitals, digits, ASCII
// punctuation; line ends of each kind, with and without a last one.
const QString kTexts[] = {
    u"Ёлка стояла в углу. Все ждали Нового года!\r\nЧЕРЕЗ ЧАС пришёл Дед Мороз, и дети "
    u"закричали: Ура!\r\n"_qs,
    u"Съешь же ещё этих мягких французских булок, да выпей чаю.\nЭх, ЖИРНЫЙ ЧЕРЕПАХ ЮРКО!"_qs,
    u"Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства. "
    u"В 1920 году План приняли; Объём работ (100%) - огромный."_qs,
};

// What the system's iconv, run as a program, makes of UTF-8 text in `encoding`.
QByteArray iconvBytes(const QString& text, const char* encoding) {
  QProcess iconv;
  iconv.start(QStringLiteral("iconv"),
              {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"),
               QString::fromLatin1(encoding)});
  if (!iconv.waitForStarted()) {
    ADD_FAILURE() << "iconv does not start";
    return {};
  }
  iconv.write(text.toUtf8());
  iconv.closeWriteChannel();
  EXPECT_TRUE(iconv.waitForFinished(30000));
  EXPECT_EQ(iconv.exitCode(), 0) << iconv.readAllStandardError().toStdString();
  return iconv.readAllStandardOutput();
}

// The text as the batch writes it: one line end added, in the style the text already has.
QString withAddedLineEnd(const QString& text) {
  const bool lf = text.contains(u'\n') && !text.contains(u"\r\n"_qs);
  return text + (lf ? u"\n"_qs : u"\r\n"_qs);
}

class BatchCodePageTest : public ::testing::Test {
 protected:
  QString file(const QByteArray& bytes) {
    const QString path = m_dir.filePath(QStringLiteral("f%1.txt").arg(m_count++));
    writeAll(path, bytes);
    return path;
  }
  BatchFileResult process(const QString& path, QList<int> actions) {
    return ProcessBatchFile(path, actions, m_settings, m_stop);
  }
  QTemporaryDir m_dir;
  int m_count = 0;
  BatchSettings m_settings;
  std::atomic<bool> m_stop{false};
};

TEST_F(BatchCodePageTest, CaseChangesGiveWhatIconvGivesInEveryCodePage) {
  // The fault this pins: every single-byte file was read as Windows-1251, so lower case raised
  // KOI8-R letters to capitals and turned ё into a box-drawing character.
  const struct {
    int action;
    QString (*change)(const QString&);
  } actions[] = {{4, text::ToLowerCase}, {3, text::ToUpperCase}};
  for (const CodePage& page : kCodePages)
    for (const auto& action : actions)
      for (const QString& original : kTexts) {
        SCOPED_TRACE(QStringLiteral("%1, action %2: %3")
                         .arg(page.iconvName)
                         .arg(action.action)
                         .arg(original.left(20))
                         .toStdString());
        const QString path = file(iconvBytes(original, page.iconvName));
        const BatchFileResult result = process(path, {action.action});
        EXPECT_EQ(result.outcome, BatchOutcome::Written) << result.reason.toStdString();
        EXPECT_EQ(result.readAs, page.code);
        EXPECT_EQ(result.writtenAs, page.code);
        // The oracle changes the case with Qt, not with the program's own functions.
        const QString changed = action.action == 4 ? original.toLower() : original.toUpper();
        ASSERT_EQ(action.change(original), changed);
        EXPECT_EQ(readAll(path), iconvBytes(withAddedLineEnd(changed), page.iconvName));
      }
}

TEST_F(BatchCodePageTest, AFileTheActionsDoNotChangeKeepsEveryByte) {
  const QString lower = u"уже строчными: ёлка, ель и ещё 3 сосны.\r\nвторая строка\nтретья"_qs;
  const struct {
    const char* name;
    QByteArray bytes;
    QList<int> actions;
  } cases[] = {
      {"KOI8-R, mixed line ends, no last one", iconvBytes(lower, "KOI8-R"), {4}},
      {"DOS 866", iconvBytes(lower, "CP866"), {4, 9}},
      {"ASCII", QByteArray("already lower\nno end"), {4}},
      {"UTF-8 with bad bytes", QByteArray("\xEF\xBB\xBFok \xFF\xFE ok"), {4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = file(c.bytes);
    const BatchFileResult result = process(path, c.actions);
    EXPECT_EQ(result.outcome, BatchOutcome::Unchanged) << result.reason.toStdString();
    EXPECT_EQ(readAll(path), c.bytes);
  }
}

TEST_F(BatchCodePageTest, WhatTheCodePageCannotHoldLeavesTheFileAsItWas) {
  const QString prose = u"Ёлка стояла в углу, и все ждали праздника."_qs;
  const struct {
    const char* name;
    QByteArray bytes;
    QList<int> actions;
    QString multiList;
    int from, to;
    QString named;  // the character the reason must name
  } cases[] = {
      // Upper case of µ is the Greek capital mu, which Windows-1251 lacks.
      {"a case change", cp1251::encode(prose + u" 5 µм"_qs), {3}, {}, 1, 1, u"Μ"_qs},
      {"a replacement", iconvBytes(prose, "KOI8-R"), {13}, u"праздника=€"_qs, 1, 1, u"€"_qs},
      {"a change of code page", cp1251::encode(u"Он сказал: «Ёлка»."_qs), {14}, {}, 1, 3,
       u"«"_qs},
      {"bad bytes of UTF-8", QByteArray("\xEF\xBB\xBF") + prose.toUtf8() + "\xFF", {3}, {}, 1,
       1, u"UTF-8"_qs},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    m_settings.multiList = c.multiList;
    m_settings.fromCodePage = c.from;
    m_settings.toCodePage = c.to;
    const QString path = file(c.bytes);
    const BatchFileResult result = process(path, c.actions);
    EXPECT_EQ(result.outcome, BatchOutcome::LeftAlone);
    EXPECT_TRUE(result.reason.contains(c.named)) << result.reason.toStdString();
    EXPECT_EQ(readAll(path), c.bytes);
  }
}

TEST_F(BatchCodePageTest, ACodePageInDoubtLeavesTheFileAlone) {
  // Lower-case letters sit at the same bytes in Windows-1251 and Macintosh Cyrillic, whose
  // capitals differ: no detection can tell which upper case to write.
  const QByteArray shortWord = cp1251::encode(u"дом"_qs);
  const QString path = file(shortWord);
  const BatchFileResult result = process(path, {3});
  EXPECT_EQ(result.outcome, BatchOutcome::LeftAlone);
  EXPECT_TRUE(result.reason.contains(u"кодировка не определена"_qs)) << result.reason.toStdString();
  EXPECT_EQ(readAll(path), shortWord);

  // Bytes that are Russian in no code page.
  QByteArray noise;
  for (int i = 0; i < 600; ++i) noise.append(char(0x80 + (i * 37) % 128));
  const QString noisy = file(noise);
  EXPECT_EQ(process(noisy, {3}).outcome, BatchOutcome::LeftAlone);
  EXPECT_EQ(readAll(noisy), noise);
}

TEST_F(BatchCodePageTest, TheChangeOfCodePageReadsFromItsSourceNotFromDetection) {
  const QString original = kTexts[0];
  m_settings.fromCodePage = text::kKoi8R;
  m_settings.toCodePage = text::kDos866;
  const QString koi = file(iconvBytes(original, "KOI8-R"));
  // The conversion comes after the other actions in the list, yet the text is read from "Из:"
  // before them: lower case then works on letters, not on KOI8-R bytes.
  BatchFileResult result = process(koi, {14, 4});
  EXPECT_EQ(result.outcome, BatchOutcome::Written) << result.reason.toStdString();
  EXPECT_EQ(result.readAs, text::kKoi8R);
  EXPECT_EQ(result.writtenAs, text::kDos866);
  EXPECT_EQ(readAll(koi), iconvBytes(withAddedLineEnd(original.toLower()), "CP866"));

  // A word too short for detection is read from the code page the user names.
  const QString word = file(iconvBytes(u"Привет"_qs, "KOI8-R"));
  m_settings.toCodePage = text::kWindows1251;
  EXPECT_EQ(process(word, {14}).outcome, BatchOutcome::Written);
  EXPECT_EQ(readAll(word), cp1251::encode(u"Привет\r\n"_qs));

  // Named wrongly, the source still wins over what detection would say.
  const QByteArray koiBytes = iconvBytes(original, "KOI8-R");
  const QString misnamed = file(koiBytes);
  m_settings.fromCodePage = m_settings.toCodePage = text::kWindows1251;
  EXPECT_EQ(process(misnamed, {14, 3}).outcome, BatchOutcome::Written);
  EXPECT_EQ(readAll(misnamed), cp1251::encode(cp1251::decode(koiBytes).toUpper() + u"\r\n"_qs));

  // The same code page on both sides and nothing else to do: nothing to write.
  const QString same = file(koiBytes);
  m_settings.fromCodePage = m_settings.toCodePage = text::kKoi8R;
  EXPECT_EQ(process(same, {14}).outcome, BatchOutcome::Unchanged);
  EXPECT_EQ(readAll(same), koiBytes);
}

TEST(BatchCodePages, MissingCharactersAreNamedOnceEach) {
  EXPECT_EQ(MissingFromCodePage(u"«a» «b» €"_qs, text::kKoi8R, 5), u"« » €"_qs);
  EXPECT_EQ(MissingFromCodePage(u"Ёлка ? ё"_qs, text::kDos866, 5), u""_qs);
  EXPECT_EQ(MissingFromCodePage(u"😀 x 😀 ü"_qs, text::kWindows1251, 5), u"😀 ü"_qs);
  EXPECT_EQ(MissingFromCodePage(u"€ « » — …"_qs, text::kDos866, 2), u"€ «"_qs);
}

TEST_F(BatchWindowTest, AFolderOfCodePagesIsLowerCasedInEachFilesOwnCodePage) {
  QTemporaryDir dir;
  QHash<QString, QByteArray> expected;
  for (const CodePage& page : kCodePages)
    for (int t = 0; t < 3; ++t) {
      const QString name = QStringLiteral("%1%2.txt").arg(page.fileName).arg(t);
      writeAll(dir.filePath(name), iconvBytes(kTexts[t], page.iconvName));
      expected[name] = iconvBytes(withAddedLineEnd(kTexts[t].toLower()), page.iconvName);
    }
  writeAll(dir.filePath("ascii0.txt"), "Plain ASCII Text\r\n");
  expected["ascii0.txt"] = "plain ascii text\r\n\r\n";
  writeAll(dir.filePath("ascii1.txt"), "already lower");
  expected["ascii1.txt"] = "already lower";
  writeAll(dir.filePath("utf8.txt"), kTexts[1].toUtf8());
  expected["utf8.txt"] = withAddedLineEnd(kTexts[1].toLower()).toUtf8();
  writeAll(dir.filePath("short.txt"), cp1251::encode(u"дом"_qs));
  expected["short.txt"] = cp1251::encode(u"дом"_qs);
  start();
  runBatch(dir.path(), {4});
  EXPECT_TRUE(m_ui.allAnswered());
  for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
    SCOPED_TRACE(it.key().toStdString());
    EXPECT_EQ(readAll(dir.filePath(it.key())), it.value());
  }
  const QString report = lastMessage();
  SCOPED_TRACE(report.toStdString());
  EXPECT_TRUE(report.startsWith(u"Выполнена пакетная обработка. Обработано 18 файлов"_qs));
  for (const char* line : {"Win - 1251: 3", "Dos - 866: 3", "Koi - 8r: 3", "Macintosh: 3",
                           "Iso - 8859: 3", "UTF-8: 1", "ASCII: 2",
                           "Не изменились и не перезаписаны: 1"})
    EXPECT_TRUE(report.contains(QString::fromUtf8(line))) << line;
  EXPECT_TRUE(report.contains(u"Оставлены без изменений (1):\r\nshort.txt: кодировка не "
                              u"определена надежно"_qs));
}

TEST_F(BatchWindowTest, TheChangeOfCodePageIsCountedFromSourceToTarget) {
  QTemporaryDir dir;
  writeAll(dir.filePath("a.txt"), iconvBytes(kTexts[0], "KOI8-R"));
  writeAll(dir.filePath("b.txt"), iconvBytes(u"Да"_qs, "KOI8-R"));
  start();
  // "Из:" Koi-8r (entry 2), "В:" Iso-8859 (entry 3), with upper case.
  runBatchWith(dir.path(), BatchChoice{{3, 14}, 2, 3});
  EXPECT_EQ(readAll(dir.filePath("a.txt")),
            iconvBytes(withAddedLineEnd(kTexts[0].toUpper()), "ISO-8859-5"));
  EXPECT_EQ(readAll(dir.filePath("b.txt")), iconvBytes(u"ДА\r\n"_qs, "ISO-8859-5"));
  const QString report = lastMessage();
  EXPECT_TRUE(report.contains(u"Обработано 2 файлов"_qs)) << report.toStdString();
  EXPECT_TRUE(report.contains(u"Koi - 8r → Iso - 8859: 2"_qs)) << report.toStdString();
}

}  // namespace
}  // namespace automation

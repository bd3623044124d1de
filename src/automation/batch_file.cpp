#include "automation/batch_file.h"

#include <QSet>
#include <algorithm>

#include "platform/cp1251.h"
#include "platform/file_reader.h"
#include "platform/text_file.h"
#include "text/code_page.h"

namespace automation {
namespace {

// At most this many characters a code page lacks are named for one file.
constexpr int kNamedMissing = 5;

// How one file is read and written: the code page its bytes are decoded from (1 for Unicode
// text and for ASCII), what the final message calls it, and what it is written in.
struct Plan {
  int source = text::kWindows1251;
  int readAs = 0;
  int target = 0;  // a code page 1..5 is written byte for byte; else the file's own format
  // Unchanged text written this way gives the bytes the file has: then it need not be written.
  bool sameBytes = true;
  QString reason;  // not empty: leave the file alone
};

bool hasHighCharacter(QStringView text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x80; });
}

QString unsureReason(const text::CodePageGuess& guess) {
  if (guess.codePage == 0) return QStringLiteral("кодировка не распознана");
  return QStringLiteral("кодировка не определена надежно (похоже на %1)")
      .arg(text::CodePageListName(guess.codePage));
}

// A file of single bytes: the change of code page names its source; without it, text beyond
// ASCII is read in the code page detection is sure of, because a case change or a replacement
// applied to the wrong code page's letters writes other letters.
Plan singleBytePlan(QStringView shown, bool changeCodePage, const BatchSettings& settings) {
  Plan plan;
  const bool high = hasHighCharacter(shown);
  if (changeCodePage) {
    plan.source = settings.fromCodePage;
    plan.readAs = high ? settings.fromCodePage : kBatchAscii;
    plan.target = settings.toCodePage;
    plan.sameBytes = !high || settings.fromCodePage == settings.toCodePage;
    return plan;
  }
  if (!high) {
    plan.readAs = plan.target = kBatchAscii;
    return plan;
  }
  const text::CodePageGuess guess = text::GuessCodePage(shown);
  plan.readAs = guess.codePage;
  if (!guess.sure) {
    plan.reason = unsureReason(guess);
    return plan;
  }
  plan.source = plan.target = guess.codePage;
  return plan;
}

// A UTF-8 or UTF-16 file holds Unicode text. A change of code page still reads it as that code
// page's bytes shown as Windows-1251 (text that went through the wrong code page once), and
// writes the target's bytes unless the target is 1.
Plan unicodePlan(const platform::TextFormat& format, bool changeCodePage,
                 const BatchSettings& settings) {
  Plan plan;
  plan.readAs = format.encoding == platform::Encoding::Utf8 ? kBatchUtf8 : kBatchUtf16;
  plan.target = plan.readAs;
  if (!changeCodePage || settings.fromCodePage == settings.toCodePage) return plan;
  plan.source = settings.fromCodePage;
  if (settings.toCodePage != text::kWindows1251) plan.target = settings.toCodePage;
  plan.sameBytes = false;
  return plan;
}

bool isCodePage(int code) { return code >= 1 && code <= text::kCodePageCount; }

// What an ASCII file holding `text` is written in by the text-file rules.
int asciiWrittenAs(QStringView text) {
  if (!hasHighCharacter(text)) return kBatchAscii;
  return cp1251::fits(text) ? text::kWindows1251 : kBatchUtf8;
}

BatchFileResult leftAlone(QString reason, int readAs = 0) {
  BatchFileResult result;
  result.reason = std::move(reason);
  result.readAs = readAs;
  return result;
}

QString readText(QByteArrayView bytes, const platform::TextFormat& format) {
  QByteArray utf8;
  utf8.reserve(bytes.size() + bytes.size() / 8);
  platform::TextFile::decodeToUtf8(bytes, format,
                                   [&utf8](QByteArrayView piece) { utf8.append(piece); });
  return platform::TextFile::textOfUtf8(utf8);
}

// Writes `text` with the one line end the batch adds; "" when written, else why not.
QString writeText(const QString& path, const QString& text, const Plan& plan,
                  const platform::TextFormat& format) {
  QString error;
  if (!isCodePage(plan.target)) {
    if (!platform::TextFile::write(path, text + QStringLiteral("\r\n"), format, &error))
      return error;
    return QString();
  }
  // Each character of the result stands for one byte of the target code page.
  QString bytes = text::ConvertCodePage(text, text::kWindows1251, plan.target);
  const bool whole = plan.target == text::kWindows1251
                         ? cp1251::fits(text)
                         : text::ConvertCodePage(bytes, plan.target, text::kWindows1251) == text;
  if (!whole)
    return QStringLiteral("в кодировке %1 нет символов: %2")
        .arg(text::CodePageListName(plan.target),
             MissingFromCodePage(text, plan.target, kNamedMissing));
  bytes += QStringLiteral("\r\n");
  const platform::TextFormat single{platform::Encoding::Windows1251, false, format.lineEnd};
  if (!platform::TextFile::write(path, bytes, single, &error)) return error;
  return QString();
}

bool holds(int codePage, char32_t c) {
  if (c == U'?') return true;
  const QString one = QString::fromUcs4(&c, 1);
  if (codePage == text::kWindows1251) return cp1251::fits(one);
  return text::ConvertCodePage(one, text::kWindows1251, codePage) != QStringLiteral("?");
}

}  // namespace

QString BatchEncodingName(int encoding) {
  switch (encoding) {
    case kBatchUtf8: return QStringLiteral("UTF-8");
    case kBatchUtf16: return QStringLiteral("UTF-16");
    case kBatchAscii: return QStringLiteral("ASCII");
    default: return text::CodePageListName(encoding);
  }
}

QString MissingFromCodePage(QStringView text, int codePage, int limit) {
  QSet<char32_t> seen;  // each character is looked up once, however long the text
  QStringList missing;
  for (qsizetype i = 0; i < text.size() && missing.size() < limit; ++i) {
    char32_t c = text[i].unicode();
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
    }
    if (seen.contains(c)) continue;
    seen.insert(c);
    if (!holds(codePage, c)) missing << QString::fromUcs4(&c, 1);
  }
  return missing.join(QStringLiteral(" "));
}

BatchFileResult ProcessBatchFile(const QString& path, const QList<int>& actions,
                                 const BatchSettings& settings, const std::atomic<bool>& stop) {
  QString error;
  const auto contents = platform::ReadRegularFile(path, &error);
  if (!contents) return leftAlone(error);
  if (contents->partial) return leftAlone(QStringLiteral("файл менялся во время чтения"));
  platform::ReadFidelity fidelity;
  const platform::TextFormat format = platform::TextFile::detect(contents->bytes, &fidelity);
  // Text tools would mangle the bytes of a program or a picture.
  if (fidelity.binary) return leftAlone(QStringLiteral("двоичный файл"));
  const QString read = readText(contents->bytes, format);
  const bool changeCodePage = actions.contains(kBatchCodePage);
  const Plan plan = format.encoding == platform::Encoding::Windows1251
                        ? singleBytePlan(read, changeCodePage, settings)
                        : unicodePlan(format, changeCodePage, settings);
  if (!plan.reason.isEmpty()) return leftAlone(plan.reason, plan.readAs);
  const QString original = text::ConvertCodePage(read, plan.source, text::kWindows1251);
  QString text = original;
  // The list's order, whatever order they were chosen in. The change of code page itself is the
  // way the file is read and written.
  QList<int> ordered = actions;
  std::sort(ordered.begin(), ordered.end());
  for (int action : ordered) {
    if (stop) return leftAlone(QStringLiteral("остановлено"), plan.readAs);
    if (action != kBatchCodePage) text = ApplyBatchAction(action, text, settings);
  }
  if (stop) return leftAlone(QStringLiteral("остановлено"), plan.readAs);
  BatchFileResult result;
  result.readAs = plan.readAs;
  result.writtenAs = plan.target == kBatchAscii ? asciiWrittenAs(text) : plan.target;
  // Not rewritten, so every byte stays, line ends and all.
  if (text == original && plan.sameBytes) {
    result.outcome = BatchOutcome::Unchanged;
    result.writtenAs = plan.readAs;
    return result;
  }
  if (fidelity.invalidBytes)
    return leftAlone(QStringLiteral("байты, которые не являются символами ") +
                         BatchEncodingName(plan.readAs),
                     plan.readAs);
  if (QString why = writeText(path, text, plan, format); !why.isEmpty())
    return leftAlone(why, plan.readAs);
  result.outcome = BatchOutcome::Written;
  return result;
}

}  // namespace automation

// Measures DetectCodePage on Russian text: takes samples of fixed lengths at random word starts of
// the given UTF-8 files, writes each sample in each code page (iconv's tables; a character the code
// page lacks becomes "?"), shows it as Windows-1251 as the editor would, and counts the answer
// right when it converts the sample to what the true code page converts it to.
//
//   ostrel_detect_accuracy [--samples N] [--seed S] [--show-misses] [--margins] FILE...
//
// Prints the share of right answers by sample length and code page, how often the answer was 0,
// how many answers GuessCodePage called sure and how many of those were wrong. With --margins it
// prints, for a range of margins, how many answers that margin would call sure and how many of
// them were wrong: the measure kSureMargin is chosen by.
#include <iconv.h>

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/cp1251.h"
#include "text/code_page.h"

namespace {

const char* const kIconvNames[] = {"CP1251", "IBM866", "KOI8-R", "MAC-CYRILLIC", "ISO-8859-5"};
const int kLengths[] = {8, 12, 16, 32, 64, 128, 256, 1024};

// Byte of each character in one code page, from iconv's reading of its 128 upper bytes.
using Encoder = QHash<char16_t, char>;

Encoder encoderOf(int code) {
  Encoder encoder;
  iconv_t cd = iconv_open("UTF-16LE", kIconvNames[code - 1]);
  for (int b = 0x80; b < 0x100; ++b) {
    char in = char(b);
    char16_t out[2] = {};
    char* inPtr = &in;
    size_t inLeft = 1;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == 2)
      encoder.insert(out[0], char(b));
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return encoder;
}

// The sample as a file in code page `code` shows in the editor.
QString shownAsWindows(const QString& sample, const Encoder& encoder) {
  QByteArray bytes;
  bytes.reserve(sample.size());
  for (const QChar c : sample)
    bytes.append(c.unicode() < 0x80 ? char(c.unicode()) : encoder.value(c.unicode(), '?'));
  return cp1251::decode(bytes);
}

bool hasRussianLetter(const QString& s) {
  for (const QChar c : s)
    if ((c >= u'А' && c <= u'я') || c == u'Ё' || c == u'ё') return true;
  return false;
}

struct Corpus {
  QString text;                      // CR LF line ends, as the editor holds text
  std::vector<qsizetype> wordStarts;
};

Corpus readCorpus(const QStringList& paths) {
  Corpus corpus;
  for (const QString& path : paths) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
      continue;
    }
    QString text = QString::fromUtf8(file.readAll());
    text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\n', u"\r\n"_qs);
    corpus.text += text + u"\r\n"_qs;
  }
  for (qsizetype i = 0; i < corpus.text.size(); ++i)
    if (!corpus.text[i].isSpace() && (i == 0 || corpus.text[i - 1].isSpace()))
      corpus.wordStarts.push_back(i);
  return corpus;
}

constexpr int kMarginSteps = 13;  // margins 0, 4, ..., 48 bits
constexpr int kMarginStep = 4;

struct Tally {
  std::array<long, text::kCodePageCount> right{};
  std::array<long, text::kCodePageCount> none{};  // answered 0
  long samples = 0;
  long sure = 0;
  long sureWrong = 0;
  std::array<long, kMarginSteps> atMargin{};       // answers with at least that margin
  std::array<long, kMarginSteps> wrongAtMargin{};  // and wrong
};

bool showMisses = false;
bool showMargins = false;

void showMiss(const QString& sample, int code, int answer) {
  if (showMisses)
    std::printf("miss: written in %d, answered %d: %s\n", code, answer,
                qPrintable(QString(sample).replace(u"\r\n"_qs, u" | "_qs)));
}

Tally measure(const Corpus& corpus, int length, int count, std::mt19937& random,
              const std::array<Encoder, text::kCodePageCount>& encoders) {
  Tally tally;
  std::uniform_int_distribution<std::size_t> pick(0, corpus.wordStarts.size() - 1);
  for (int tries = 0; tally.samples < count && tries < count * 100; ++tries) {
    const qsizetype start = corpus.wordStarts[pick(random)];
    if (start + length > corpus.text.size()) continue;
    const QString sample = corpus.text.mid(start, length);
    if (!hasRussianLetter(sample)) continue;
    ++tally.samples;
    for (int code = 1; code <= text::kCodePageCount; ++code) {
      const QString shown = shownAsWindows(sample, encoders[code - 1]);
      const text::CodePageGuess guess = text::GuessCodePage(shown);
      const int answer = guess.codePage;
      if (answer == 0) ++tally.none[code - 1];
      // Sure means the file may be rewritten in that code page: only the same code page is right.
      const bool same = answer == code;
      tally.sure += guess.sure;
      tally.sureWrong += guess.sure && !same;
      for (int m = 0; m < kMarginSteps; ++m)
        if (answer != 0 && guess.margin >= m * kMarginStep) {
          ++tally.atMargin[m];
          tally.wrongAtMargin[m] += !same;
        }
      if (answer != 0 && text::ConvertCodePage(shown, answer, 1) ==
                             text::ConvertCodePage(shown, code, 1))
        ++tally.right[code - 1];
      else
        showMiss(sample, code, answer);
    }
  }
  return tally;
}

void printTally(int length, const Tally& tally) {
  std::printf("%6d %8ld", length, tally.samples);
  long right = 0, none = 0;
  for (int i = 0; i < text::kCodePageCount; ++i) {
    std::printf(" %8.2f", 100.0 * double(tally.right[i]) / double(tally.samples));
    right += tally.right[i];
    none += tally.none[i];
  }
  const double all = double(tally.samples) * text::kCodePageCount;
  std::printf(" %8.2f %6ld %8.2f %6ld\n", 100.0 * double(right) / all, none,
              100.0 * double(tally.sure) / all, tally.sureWrong);
  if (!showMargins) return;
  for (int m = 0; m < kMarginSteps; ++m)
    std::printf("         margin >= %2d bits: %8.2f %% sure, %6ld wrong\n", m * kMarginStep,
                100.0 * double(tally.atMargin[m]) / all, tally.wrongAtMargin[m]);
}

}  // namespace

int main(int argc, char** argv) {
  int count = 20000;
  unsigned seed = 1;
  QStringList paths;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == u"--samples"_qs && i + 1 < argc)
      count = std::atoi(argv[++i]);
    else if (arg == u"--show-misses"_qs)
      showMisses = true;
    else if (arg == u"--margins"_qs)
      showMargins = true;
    else if (arg == u"--seed"_qs && i + 1 < argc)
      seed = unsigned(std::atoi(argv[++i]));
    else
      paths << arg;
  }
  const Corpus corpus = readCorpus(paths);
  if (corpus.wordStarts.empty()) {
    std::fprintf(stderr, "usage: ostrel_detect_accuracy [--samples N] [--seed S] [--show-misses] [--margins] "
                 "FILE...\n");
    return 2;
  }
  std::array<Encoder, text::kCodePageCount> encoders;
  for (int code = 1; code <= text::kCodePageCount; ++code) encoders[code - 1] = encoderOf(code);
  std::mt19937 random(seed);
  std::printf("%% right by sample length (characters) and code page; 'none' counts answers of 0;\n"
              "'sure' is the %% of answers called sure, 'wrong' how many of those were wrong\n");
  std::printf("%6s %8s %8s %8s %8s %8s %8s %8s %6s %8s %6s\n", "length", "samples", "1251",
              "866", "KOI8-R", "Mac", "ISO", "all", "none", "sure", "wrong");
  for (const int length : kLengths)
    printTally(length, measure(corpus, length, count, random, encoders));
  return 0;
}

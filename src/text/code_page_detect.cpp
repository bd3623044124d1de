// Detection of the code page a text came from: each code page's reading of a sample of the text is
// scored as Russian text with the letter-pair model in code_page_model.inc, and the most likely
// reading wins.
#include <QChar>
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/cp1251.h"
#include "text/code_page.h"
#include "text/code_page_model.inc"

namespace text {
namespace {

namespace model = code_page_model;

// A text up to this size is read whole; a longer one in pieces spread over it.
constexpr qsizetype kWholeText = 4096;
constexpr int kPieces = 16;
constexpr qsizetype kPieceLength = 256;
// A piece moves to the next word start when one is this close.
constexpr qsizetype kWordSearch = 32;
// A sample with fewer characters of code 128 and above than this looks for more of them.
constexpr int kEnoughHigh = 64;
// Windows-1251 gets a head start of one bit: a text already readable is left alone when another
// reading is barely more likely.
constexpr int kWindowsHeadStart = model::kScale;
// A sample of this length or more whose best reading scores below this per character is no
// Russian text in any code page (binary data, another alphabet): at that length real text scores
// above -7 bits a character and random bytes below -10. Shorter samples always get an answer.
constexpr qsizetype kNoFitMinLength = 128;
constexpr int kNoFitScorePerCharacter = -9 * model::kScale;

using Scores = std::array<std::int64_t, kCodePageCount>;

struct Sample {
  std::vector<QStringView> pieces;
  qsizetype length = 0;
  int high = 0;  // characters of code 128 and above
};

int countHigh(QStringView piece) {
  int high = 0;
  for (const QChar c : piece)
    if (c.unicode() >= 0x80 && cp1251::code(c) >= 0x80) ++high;
  return high;
}

void addPiece(Sample& sample, QStringView piece) {
  sample.pieces.push_back(piece);
  sample.length += piece.size();
  sample.high += countHigh(piece);
}

// Where a piece starting near `from` should start: after the next blank, so it starts a word.
qsizetype wordStart(QStringView text, qsizetype from) {
  const qsizetype limit = std::min(text.size(), from + kWordSearch);
  for (qsizetype i = from; i < limit; ++i)
    if (text[i].isSpace()) return i + 1;
  return from;
}

// A piece of the text at `from` that starts at a word start and ends at a word end where it can.
QStringView pieceAt(QStringView text, qsizetype from) {
  const qsizetype start = from == 0 ? 0 : wordStart(text, from);
  qsizetype end = std::min(text.size(), start + kPieceLength);
  if (end < text.size())
    for (qsizetype i = end; i > end - kWordSearch && i > start; --i)
      if (text[i - 1].isSpace()) {
        end = i;
        break;
      }
  return text.mid(start, end - start);
}

// Pieces around the characters of code 128 and above, for a long text where the evenly spread
// pieces found few of them (source code with Russian comments, say).
void addPiecesAroundHigh(QStringView text, Sample& sample) {
  qsizetype i = 0;
  for (int added = 0; added < kPieces && sample.high < kEnoughHigh && i < text.size();) {
    if (text[i].unicode() < 0x80 || cp1251::code(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const QStringView piece = pieceAt(text, std::max<qsizetype>(0, i - kWordSearch));
    addPiece(sample, piece);
    ++added;
    i = (piece.data() - text.data()) + std::max<qsizetype>(piece.size(), 1);
  }
}

Sample takeSample(QStringView text) {
  Sample sample;
  if (text.size() <= kWholeText) {
    addPiece(sample, text);
    return sample;
  }
  for (int p = 0; p < kPieces; ++p)
    addPiece(sample, pieceAt(text, p * (text.size() - kPieceLength) / (kPieces - 1)));
  if (sample.high < kEnoughHigh) addPiecesAroundHigh(text, sample);
  return sample;
}

int nextContext(int context, int kind, int letterCase) {
  if (letterCase == 2)
    return context == model::kAfterUpper || context == model::kAfterUppers ? model::kAfterUppers
                                                                           : model::kAfterUpper;
  if (letterCase == 1) return model::kAfterLower;
  switch (kind) {
    case model::kSentenceEnd:
      return model::kAfterSentenceEnd;
    case model::kLineBreak:
      return context == model::kAtStart || context == model::kAfterSentenceEnd
                 ? context
                 : model::kAfterLineBreak;
    default:
      break;
  }
  const bool lasting = context == model::kAtStart || context == model::kAfterSentenceEnd ||
                       context == model::kAfterLineBreak;
  return lasting && kind != model::kDigit ? context : model::kAfterWordGap;
}

// Adds each code page's score of reading `piece` to `scores`. A character without a Windows-1251
// code reads the same in every code page.
void scorePiece(QStringView piece, Scores& scores) {
  std::vector<int> codes(piece.size());
  for (qsizetype i = 0; i < piece.size(); ++i) codes[i] = cp1251::code(piece[i]);
  for (int page = 0; page < kCodePageCount; ++page) {
    std::int64_t score = 0;
    int previous = model::kSpace;
    int context = model::kAtStart;
    for (const int code : codes) {
      const bool coded = code >= 0;
      const int cls = coded ? model::kReadingClass[page][code] : model::kForeign;
      const int letterCase = coded ? model::kReadingCase[page][code] : 0;
      const int kind = coded ? model::kReadingKind[page][code] : int(model::kOther);
      // A run of blanks (indentation, CR LF) is one word boundary, as in the model's text.
      if (cls == model::kSpace && previous == model::kSpace) {
        context = nextContext(context, kind, 0);
        continue;
      }
      score += model::kPair[previous][cls];
      if (letterCase) score += model::kCase[context][letterCase - 1];
      context = nextContext(context, kind, letterCase);
      previous = cls;
    }
    scores[page] += score + model::kPair[previous][model::kSpace];
  }
}

}  // namespace

CodePageGuess GuessCodePage(QStringView text) {
  const Sample sample = takeSample(text);
  // Nothing to tell the code pages apart by, and nothing that would read differently in them.
  if (sample.high == 0) return {kWindows1251, kSureMargin, true};
  Scores scores{};
  scores[0] = kWindowsHeadStart;
  for (const QStringView piece : sample.pieces) scorePiece(piece, scores);
  int best = 0;
  for (int page = 1; page < kCodePageCount; ++page)
    if (scores[page] > scores[best]) best = page;
  std::int64_t second = std::numeric_limits<std::int64_t>::min();
  for (int page = 0; page < kCodePageCount; ++page)
    if (page != best) second = std::max(second, scores[page]);
  const int margin = int(std::min<std::int64_t>((scores[best] - second) / model::kScale,
                                                std::numeric_limits<int>::max()));
  if (sample.length >= kNoFitMinLength &&
      scores[best] < std::int64_t(kNoFitScorePerCharacter) * sample.length)
    return {0, margin, false};
  return {best + 1, margin, IsSureCodePageMargin(margin)};
}

int DetectCodePage(QStringView text) { return GuessCodePage(text).codePage; }

}  // namespace text

// The copy a text with display breaks is printed from: the text without its breaks, each
// character in its style on screen, every style looking the same.
#include "platform/paper_copy.h"

#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>


#include "platform/display_breaks.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

long send(const QsciScintilla& view, unsigned message, long wParam = 0, long lParam = 0) {
  return view.SendScintilla(message, static_cast<unsigned long>(wParam), lParam);
}

QByteArray textOf(const QsciScintilla& view) {
  const long length = send(view, Sci::SCI_GETLENGTH);
  return QByteArray(reinterpret_cast<const char*>(send(view, Sci::SCI_GETCHARACTERPOINTER)),
                    length);
}

TEST(PaperCopyTest, TheTextWithoutBreaksInTheStylesOfTheView) {
  // Cyrillic, so that a style copied one byte off splits a character.
  QByteArray text = "начало\r\n";
  for (int i = 0; i < kDisplayLineLength * 2 + 50; ++i) text += i % 7 == 0 ? "ж" : "x";
  text += "\r\nконец";
  std::vector<long> offsets;
  const QByteArray shown = WithDisplayBreaks(text, 0, &offsets);
  ASSERT_EQ(offsets.size(), 2u);
  DisplayBreaks breaks;
  breaks.reset(offsets);

  QsciScintilla view;
  view.setUtf8(true);
  view.SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(shown.size()), shown.constData());
  // A style of its own for a run across the first join, one for the rest, and a look for it.
  const long runFrom = offsets[0] - 300;
  const long runTo = offsets[0] + 301;
  send(view, Sci::SCI_STARTSTYLING, 0, 0xff);
  send(view, Sci::SCI_SETSTYLING, runFrom, 3);
  send(view, Sci::SCI_SETSTYLING, runTo - runFrom, 5);
  send(view, Sci::SCI_SETSTYLING, shown.size() - runTo, 3);
  send(view, Sci::SCI_STYLESETFORE, 5, 0x0000FF);
  send(view, Sci::SCI_STYLESETBOLD, 5, 1);
  send(view, Sci::SCI_STYLESETSIZEFRACTIONAL, 5, 1350);
  view.SendScintilla(Sci::SCI_STYLESETFONT, uintptr_t(5), "DejaVu Serif");
  send(view, Sci::SCI_SETPRINTWRAPMODE, Sci::SC_WRAP_NONE);

  const std::unique_ptr<QsciScintilla> paper = PaperCopy(view, breaks);
  ASSERT_EQ(textOf(*paper), text);
  // Each character keeps its style: the run crosses the join one byte shorter on paper.
  long p = 0;
  for (long s = 0; s < shown.size(); ++s) {
    if (breaks.isBreak(s)) continue;
    ASSERT_EQ(send(*paper, Sci::SCI_GETSTYLEAT, p), send(view, Sci::SCI_GETSTYLEAT, s)) << s;
    ++p;
  }
  EXPECT_EQ(send(*paper, Sci::SCI_STYLEGETFORE, 5), 0x0000FF);
  EXPECT_EQ(send(*paper, Sci::SCI_STYLEGETBOLD, 5), 1);
  EXPECT_EQ(send(*paper, Sci::SCI_STYLEGETSIZEFRACTIONAL, 5), 1350);
  char font[64] = {};
  paper->SendScintilla(Sci::SCI_STYLEGETFONT, 5UL, static_cast<void*>(font));
  EXPECT_STREQ(font, "DejaVu Serif");
  EXPECT_EQ(send(*paper, Sci::SCI_GETPRINTWRAPMODE), long(Sci::SC_WRAP_NONE));
}

}  // namespace
}  // namespace platform

// A file read on the worker in pieces and put into the editor one by one must end up exactly as
// the same file opened at once: cuts fall inside characters, between CR and LF and inside long
// lines that get display breaks.
#include "platform/piece_reader.h"

#include <gtest/gtest.h>

#include <Qsci/qscilexercpp.h>
#include <Qsci/qsciscintilla.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <condition_variable>
#include <mutex>

#include "platform/edit_control.h"
#include "platform/test_files.h"

namespace platform {
namespace {

// Runs a reader to its end on this thread, putting every piece into `editor`.
PieceReader::Outcome loadInPieces(EditControl& editor, const QString& path, qsizetype pieceBytes) {
  std::mutex mutex;
  std::condition_variable woken;
  bool wake = false;
  PieceReader reader(path, [&] {
    const std::lock_guard lock(mutex);
    wake = true;
    woken.notify_one();
  }, pieceBytes);
  bool began = false;
  for (;;) {
    while (auto piece = reader.take()) {
      if (!began) editor.beginLoad(reader.expectedBytes());
      began = true;
      editor.appendLoaded(piece->utf8, piece->breaks);
    }
    if (reader.done() && !reader.waiting()) break;
    std::unique_lock lock(mutex);
    woken.wait(lock, [&] { return wake; });
    wake = false;
  }
  PieceReader::Outcome outcome = reader.finish();
  if (!began) editor.beginLoad(0);
  editor.endLoad(outcome.format, outcome.utf16Length);
  return outcome;
}

TEST(PieceReaderTest, PiecesMakeTheSameTextAsOneLoad) {
  QTemporaryDir dir;
  const QByteArray longLine = QString(5000, u'ж').toUtf8() + ";" + QByteArray(3000, 'x');
  const struct {
    const char* name;
    QByteArray bytes;
  } files[] = {
      // Windows-1251: Cyrillic and 0x98, the one byte that is no letter of it.
      {"cp1251.txt", QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r\n\x98 \xb8\xa8\r\n\r\ntwo\r\n")},
      // Every line-end style at once: the text gets CR LF throughout.
      {"mixed.txt", QByteArray("a\r\n\x98\r\rb\n\nc\r")},
      // UTF-8 with two-, three- and four-byte characters and CR LF.
      {"utf8.txt", QByteArray("ёжик €uro 😀 end\r\nline two\r\n").repeated(40)},
      // A line long enough for display breaks, in UTF-8.
      {"long.txt", longLine + "\r\n" + longLine},
      // UTF-8 after a mark, holding bad bytes and the mark's character again at a line's start,
      // where it is text: only the first is dropped.
      {"marked.txt", QByteArray("\xef\xbb\xbf") +
                         QByteArray("\xef\xbb\xbfline \xd0 bad \xe2\x82\r\nnext\n").repeated(9)},
      // UTF-16 with a byte-order mark.
      {"utf16.txt", QByteArray("\xff\xfe", 2) +
                        QByteArray(reinterpret_cast<const char*>(u"ёж\r\nz"), 10)},
  };
  for (const auto& file : files) {
    const QString path = dir.filePath(QString::fromLatin1(file.name));
    ASSERT_TRUE(test_files::put(path, file.bytes));
    EditControl whole;
    ASSERT_FALSE(whole.openFile(path).has_value());
    // The length counted while loading is the text's own.
    ASSERT_EQ(whole.textLength(), whole.text().size());
    for (const qsizetype pieceBytes : {1, 2, 3, 7, 4096}) {
      SCOPED_TRACE(std::string(file.name) + " in pieces of " + std::to_string(pieceBytes));
      EditControl pieces;
      pieces.setText("old text");
      const PieceReader::Outcome outcome = loadInPieces(pieces, path, pieceBytes);
      EXPECT_FALSE(outcome.error.has_value());
      EXPECT_FALSE(outcome.shrunk);
      EXPECT_EQ(pieces.text(), whole.text());
      EXPECT_EQ(pieces.lineCount(), whole.lineCount());
      EXPECT_EQ(pieces.textLength(), whole.textLength());
      EXPECT_EQ(pieces.fileFormat(), whole.fileFormat());
      EXPECT_FALSE(pieces.isReadOnly());
      EXPECT_FALSE(pieces.canUndo()) << "a load is no edit";
      // The counted length gives way to the real one once the text changes.
      pieces.setSelection({0, 0, 0, 0});
      pieces.setSelectedText("ab");
      EXPECT_EQ(pieces.textLength(), whole.textLength() + 2);
      // Saved back, the file is what it was (unless its line ends were mixed).
      pieces.undo();
      if (!outcome.fidelity.exact()) continue;
      const QString copy = dir.filePath("copy");
      ASSERT_FALSE(pieces.saveFile(copy).has_value());
      EXPECT_EQ(test_files::bytesOf(copy), file.bytes);
    }
  }
}

// A text loaded without colours has no style bytes; colours wanted later move it into a styled
// document with everything the user sees kept: the text, each view's selection, the marked line,
// read-only, and the split's two views on one document.
TEST(PieceReaderTest, ColoursWantedAfterAPlainLoadKeepWhatTheUserSees) {
  QTemporaryDir dir;
  const QString path = dir.filePath("plain.cpp");
  ASSERT_TRUE(test_files::put(path, QByteArray("int x; // ёж\r\n").repeated(50)));
  EditControl editor;
  editor.resize(400, 300);
  editor.setSplitterAllowed(true);
  editor.expectColours(false);
  ASSERT_FALSE(loadInPieces(editor, path, 64).error.has_value());
  ASSERT_TRUE(editor.holdsNoColours());
  QsciScintilla* upper = editor.primaryView();
  EXPECT_EQ(upper->SendScintilla(QsciScintillaBase::SCI_GETDOCUMENTOPTIONS),
            long(QsciScintillaBase::SC_DOCUMENTOPTION_STYLES_NONE));
  const QString text = editor.text();
  editor.setSelection({3, 4, 5, 2});
  editor.setHighlightedLine(7);
  editor.setReadOnly(true);
  QsciScintilla* lower = nullptr;
  for (auto* view : editor.findChildren<QsciScintilla*>())
    if (view != upper) lower = view;
  ASSERT_NE(lower, nullptr);
  lower->SendScintilla(QsciScintillaBase::SCI_SETSEL, 20UL, 30L);

  editor.setLexerMaker([](QObject* parent, const QFont&) { return new QsciLexerCPP(parent); });
  EXPECT_FALSE(editor.holdsNoColours());
  EXPECT_EQ(upper->SendScintilla(QsciScintillaBase::SCI_GETDOCUMENTOPTIONS),
            long(QsciScintillaBase::SC_DOCUMENTOPTION_DEFAULT));
  EXPECT_EQ(editor.text(), text);
  EXPECT_EQ(editor.textLength(), text.size());
  EXPECT_EQ(editor.selection(), (SelRange{3, 4, 5, 2}));
  EXPECT_EQ(lower->SendScintilla(QsciScintillaBase::SCI_GETANCHOR), 20);
  EXPECT_EQ(lower->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 30);
  EXPECT_EQ(editor.highlightedLine(), 7);
  EXPECT_TRUE(editor.isReadOnly());
  upper->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
  EXPECT_EQ(upper->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL), 5);  // "int"
  // Still one document: what is typed in one view is in the other.
  editor.setReadOnly(false);
  editor.setSelection({0, 0, 0, 0});
  editor.setSelectedText("/*");
  EXPECT_EQ(lower->text(), editor.text());
  EXPECT_TRUE(editor.canUndo());

  // The next file comes into a document of its own kind: one loaded whole is always styled.
  editor.expectColours(false);
  ASSERT_FALSE(loadInPieces(editor, path, 64).error.has_value());
  EXPECT_TRUE(editor.holdsNoColours());
  EXPECT_EQ(lower->text(), editor.text()) << "the lower view shows the new document too";
  ASSERT_FALSE(editor.openFile(path).has_value());
  EXPECT_FALSE(editor.holdsNoColours());
  EXPECT_EQ(editor.text(), text);
}

// The length counted while loading is kept by every later change, so the status bar never has
// to build Scintilla's length index; here it must stay the text's own through all kinds of edits.
TEST(PieceReaderTest, TheCountedLengthFollowsEveryEdit) {
  QTemporaryDir dir;
  const QString path = dir.filePath("long.txt");
  const QByteArray longLine = QString(4500, u'ж').toUtf8() + "😀;" + QByteArray(2500, 'x');
  ASSERT_TRUE(test_files::put(path, "ёж\r\n" + longLine + "\r\nend"));
  EditControl edit;
  ASSERT_FALSE(edit.openFile(path).has_value());
  const auto same = [&edit](const char* step) {
    EXPECT_EQ(edit.textLength(), edit.text().size()) << step;
  };
  same("opened");
  edit.setSelection({1, 1995, 1, 2010});  // across a join
  edit.setSelectedText("a😀b");
  same("typed over a join");
  edit.setSelection({0, 1, 0, 1});
  edit.setSelectedText(QString(3000, u'я') + "\r\n" + QString(10, u'ё'));  // comes with a break
  same("pasted a long line");
  edit.setSelection({1, 0, 2, 3000});
  edit.setSelectedText("");
  same("deleted lines and joins");
  edit.undo();
  same("undone");
  edit.undo();
  same("undone twice");
  edit.redo();
  same("redone");
  EXPECT_TRUE(edit.replaceAll(u"ж"_qs, u"😀"_qs, {}).has_value());
  same("replaced all");
  edit.undo();
  same("replace-all undone");
  // Typed keys, as a user types them.
  edit.setSelection({0, 2, 0, 2});
  QTest::keyClicks(edit.findChild<QsciScintilla*>(), "ab");
  QCoreApplication::processEvents();
  same("typed");
  QTest::keyClick(edit.findChild<QsciScintilla*>(), Qt::Key_Backspace);
  QCoreApplication::processEvents();
  same("rubbed out");
}

TEST(PieceReaderTest, AFileThatCannotBeReadSaysWhyAndAStopEndsTheWorker) {
  QTemporaryDir dir;
  EditControl editor;
  editor.setText("kept");
  const PieceReader::Outcome missing = loadInPieces(editor, dir.filePath("none.txt"), 16);
  ASSERT_TRUE(missing.error.has_value());
  EXPECT_TRUE(missing.error->contains("не найден")) << missing.error->toStdString();

  // A stopped reader ends even with its queue full and nobody taking.
  const QString path = dir.filePath("big.txt");
  ASSERT_TRUE(test_files::put(path, QByteArray(8 << 20, 'a')));
  PieceReader reader(path, [] {}, 1024);
  reader.stop();
  const PieceReader::Outcome outcome = reader.finish();
  EXPECT_TRUE(reader.done());
  EXPECT_FALSE(outcome.error.has_value());
}

}  // namespace
}  // namespace platform

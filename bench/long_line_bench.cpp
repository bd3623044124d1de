// A file of one 20 MB line (minified code): opening it until the window has painted, and one key
// typed into it, through the editing control and through a bare QsciScintilla, the yardstick
// that lays the whole line out at once. The control shows the line as display lines, so both of
// its figures should be far below the yardstick's.
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>

#include "highlight/builtin_lexers.h"
#include "platform/edit_control.h"

namespace {

constexpr qsizetype kLineBytes = 20 * 1000 * 1000;

const QString& longLineFile() {
  static const QString path = [] {
    QDir dir(QDir::temp().filePath("ostrel-bench"));
    dir.mkpath(".");
    const QString file = dir.filePath("one-line.js");
    if (QFileInfo(file).size() != kLineBytes) {
      const QByteArray piece = "var a=function(b){return b*2},c={\"ключ\":[1,2,3]};";
      QByteArray bytes;
      bytes.reserve(kLineBytes);
      while (bytes.size() + piece.size() <= kLineBytes) bytes += piece;
      bytes += QByteArray(kLineBytes - bytes.size(), ';');
      QFile out(file);
      out.open(QIODevice::WriteOnly);
      out.write(bytes);
    }
    return file;
  }();
  return path;
}

void paint(QWidget& widget) {
  widget.resize(1000, 700);
  widget.show();
  widget.repaint();
  QApplication::processEvents();
}

void typeKey(QWidget* target) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
  QApplication::sendEvent(target, &press);
  target->repaint();
}

void OpenLongLineYardstick(benchmark::State& state) {
  for (auto _ : state) {
    QsciScintilla editor;
    editor.setUtf8(true);
    QFile f(longLineFile());
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, bytes.constData());
    paint(editor);
  }
}

void OpenLongLineProgram(benchmark::State& state) {
  for (auto _ : state) {
    platform::EditControl editor;
    if (editor.openFile(longLineFile())) state.SkipWithError("open failed");
    paint(editor);
  }
}

void KeyInLongLineYardstick(benchmark::State& state) {
  QsciScintilla editor;
  editor.setUtf8(true);
  QFile f(longLineFile());
  f.open(QIODevice::ReadOnly);
  editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, f.readAll().constData());
  paint(editor);
  editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 1000);
  for (auto _ : state) typeKey(&editor);
}

void KeyInLongLineProgram(benchmark::State& state) {
  platform::EditControl editor;
  editor.openFile(longLineFile());
  paint(editor);
  editor.setSelection({0, 10'000'000, 0, 10'000'000});
  for (auto _ : state) typeKey(editor.focusWidget());
}

// Coloured by the C/C++ lexer, which sees the line whole through a scratch document.
void colourAsCode(platform::EditControl& editor) {
  editor.setLexerMaker([](QObject* parent, const QFont&) {
    return highlight::MakeBuiltinLexer(QStringLiteral("C/C++"), parent);
  });
}

void OpenLongLineColoured(benchmark::State& state) {
  for (auto _ : state) {
    platform::EditControl editor;
    if (editor.openFile(longLineFile())) state.SkipWithError("open failed");
    colourAsCode(editor);
    paint(editor);
  }
}

void KeyInLongLineColoured(benchmark::State& state) {
  platform::EditControl editor;
  editor.openFile(longLineFile());
  colourAsCode(editor);
  paint(editor);
  editor.setSelection({0, 10'000'000, 0, 10'000'000});
  // Colouring the text up to there is the view's first paint's work, not the key's.
  paint(editor);
  for (auto _ : state) typeKey(editor.focusWidget());
}

void SaveLongLineProgram(benchmark::State& state) {
  platform::EditControl editor;
  editor.openFile(longLineFile());
  const QString target = QDir::temp().filePath("ostrel-bench/one-line-saved.js");
  for (auto _ : state)
    if (editor.saveFile(target)) state.SkipWithError("save failed");
}

}  // namespace

BENCHMARK(OpenLongLineYardstick)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(OpenLongLineProgram)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(KeyInLongLineYardstick)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(KeyInLongLineProgram)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(OpenLongLineColoured)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(KeyInLongLineColoured)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(SaveLongLineProgram)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

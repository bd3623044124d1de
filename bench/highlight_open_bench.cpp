// Opening with a highlight scheme: a 20 MB document with a definition-file scheme against plain
// text, a 5 MB HTML document with the HTML scheme against a bare QsciScintilla with its HTML
// lexer, and a key typed mid-document with the scheme on. Each open ends with the first screen
// painted, which is when the user sees the colours.
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "bench_text.h"
#include "highlight/builtin_lexers.h"
#include "highlight/ohf_lexer.h"
#include "platform/edit_control.h"

namespace {

constexpr qsizetype kLargeBytes = 20 * 1000 * 1000;
constexpr qsizetype kHtmlBytes = 5 * 1000 * 1000;

highlight::OhfDefinition definition() {
  highlight::OhfDefinition d;
  d.description = "Bench";
  d.keywords = "и\nв\nне\nна\nчто\nкак\nbegin\nend\nif\nthen\n";
  d.operators = "+\n-\n:=\n";
  d.lineComment = "//";
  d.blockCommentOpen = "{";
  d.blockCommentClose = "}";
  d.stringChars = "'\"";
  return d;
}

struct Documents {
  QDir dir{QDir::temp().filePath("ostrel-bench")};
  QString prose = dir.filePath("highlight-20mb.txt");
  QString html = dir.filePath("highlight-5mb.html");
  Documents() {
    dir.mkpath(".");
    if (QFileInfo(prose).size() < kLargeBytes) {
      QFile f(prose);
      f.open(QIODevice::WriteOnly);
      f.write(bench::RussianText(platform::Encoding::Utf8, kLargeBytes));
    }
    if (QFileInfo(html).size() < kHtmlBytes) {
      QFile f(html);
      f.open(QIODevice::WriteOnly);
      const QByteArray row =
          "<tr class=\"row\"><td id=\"c1\">Привет, мир &amp; друзья</td><td><a href=\"/x?a=1\">"
          "ссылка</a></td><!-- примечание --></tr>\r\n";
      QByteArray text = "<html><body><table>\r\n";
      while (text.size() < kHtmlBytes) text += row;
      f.write(text + "</table></body></html>\r\n");
    }
  }
};

const Documents& documents() {
  static const Documents docs;
  return docs;
}

platform::EditControl::LexerMaker ohfMaker() {
  static const highlight::OhfDefinition d = definition();
  return [](QObject* parent, const QFont&) { return new highlight::OhfLexer(d, parent); };
}

// Opens the file into a shown control and paints the first screen.
void openAndPaint(platform::EditControl& editor, const QString& path, benchmark::State& state) {
  if (editor.openFile(path)) state.SkipWithError("open failed");
  benchmark::DoNotOptimize(editor.grab());
}

void OpenLarge(benchmark::State& state) {
  const bool coloured = state.range(0);
  documents();  // made before the clock runs
  for (auto _ : state) {
    platform::EditControl editor;
    editor.resize(1000, 700);
    if (coloured) editor.setLexerMaker(ohfMaker());
    openAndPaint(editor, documents().prose, state);
  }
}

void OpenHtmlProgram(benchmark::State& state) {
  documents();
  for (auto _ : state) {
    platform::EditControl editor;
    editor.resize(1000, 700);
    editor.setLexerMaker([](QObject* parent, const QFont&) {
      return highlight::MakeBuiltinLexer("HTML", parent);
    });
    openAndPaint(editor, documents().html, state);
  }
}

// The way a file chosen by its extension opens: read as plain text, then the scheme set.
void OpenHtmlThenScheme(benchmark::State& state) {
  documents();
  for (auto _ : state) {
    platform::EditControl editor;
    editor.resize(1000, 700);
    if (editor.openFile(documents().html)) state.SkipWithError("open failed");
    editor.setLexerMaker([](QObject* parent, const QFont&) {
      return highlight::MakeBuiltinLexer("HTML", parent);
    });
    benchmark::DoNotOptimize(editor.grab());
  }
}

void OpenHtmlYardstick(benchmark::State& state) {
  for (auto _ : state) {
    QsciScintilla editor;
    editor.resize(1000, 700);
    editor.setUtf8(true);
    editor.setLexer(new QsciLexerHTML(&editor));
    QFile f(documents().html);
    f.open(QIODevice::ReadOnly);
    editor.setText(QString::fromUtf8(f.readAll()));
    benchmark::DoNotOptimize(editor.grab());
  }
}

void TypeMidDocument(benchmark::State& state) {
  platform::EditControl editor;
  editor.resize(1000, 700);
  editor.setLexerMaker(ohfMaker());
  openAndPaint(editor, documents().prose, state);
  const int line = editor.lineCount() / 2;
  editor.setSelection({line, 0, line, 0});
  benchmark::DoNotOptimize(editor.grab());
  for (auto _ : state) {
    editor.setSelectedText("{");  // opens a block comment: every line below changes colour
    benchmark::DoNotOptimize(editor.grab());
  }
}

BENCHMARK(OpenLarge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenHtmlProgram)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenHtmlThenScheme)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenHtmlYardstick)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TypeMidDocument)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

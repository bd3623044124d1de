// The cost of colouring by a definition file: opening a 20 MB text and showing its first screen,
// with and without the lexer (lexer:0/1); a keystroke in the middle of that text followed by
// styling the screen (and, for scale, a full repaint); and setting the lexer on a loaded text,
// as choosing a scheme after opening does.
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QStringList>
#include <memory>

#include "highlight/ohf_lexer.h"
#include "platform/edit_accessibility.h"

namespace {

using Sci = QsciScintillaBase;

constexpr qsizetype kBytes = 20 * 1000 * 1000;

long sci(const QsciScintilla& view, unsigned msg, long wParam = 0, long lParam = 0) {
  return view.SendScintilla(msg, static_cast<unsigned long>(wParam), lParam);
}

highlight::OhfDefinition definition() {
  highlight::OhfDefinition def;
  def.description = "Python";
  def.caseSensitive = true;
  def.stringChars = "\"'";
  def.lineComment = "#";
  def.blockCommentOpen = "\"\"\"";
  def.blockCommentClose = "\"\"\"";
  def.keywords = QStringLiteral(
                     "False None True and as assert async await break class continue def del "
                     "elif else except finally for from global if import in is lambda nonlocal "
                     "not or pass raise return try while with yield")
                     .replace(' ', '\n');
  def.operators =
      QStringLiteral("+ - * / // % ** = == != < > <= >= ( ) [ ] { } , : . ->").replace(' ', '\n');
  return def;
}

// Code lines with Russian strings and comments, and a docstring now and then.
const QByteArray& document() {
  static const QByteArray text = [] {
    const QList<QByteArray> lines = {
        "def обработать(строка, n=42):",
        "    \"\"\"Разбирает строку",
        "    и возвращает число.\"\"\"",
        "    if n >= 0x1F and строка != 'пусто':  # проверка",
        "        return [x * 3.14 for x in range(n)]",
        "    сумма = \"съешь же ещё этих мягких булок\" + str(n)",
        "    while True: break",
        "",
    };
    QByteArray out;
    out.reserve(kBytes + 256);
    for (int i = 0; out.size() < kBytes; ++i) out += lines[i % lines.size()] + "\r\n";
    return out;
  }();
  return text;
}

// Set up as the editing control sets up its views.
std::unique_ptr<QsciScintilla> makeView() {
  auto view = std::make_unique<QsciScintilla>();
  view->setUtf8(true);
  view->setEolMode(QsciScintilla::EolWindows);
  // Without this every change counts the characters from the start of the text.
  platform::edit_accessibility::Register(view.get());
  view->resize(1000, 700);
  view->show();
  return view;
}

// As the control loads a file: no undo, the text appended in pieces.
void load(QsciScintilla& view, const QByteArray& text) {
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 0);
  sci(view, Sci::SCI_ALLOCATE, long(text.size() + 1));
  constexpr qsizetype kPiece = 1 << 20;
  for (qsizetype at = 0; at < text.size(); at += kPiece) {
    const qsizetype n = std::min(kPiece, text.size() - at);
    view.SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(n), text.constData() + at);
  }
  sci(view, Sci::SCI_SETUNDOCOLLECTION, 1);
  sci(view, Sci::SCI_GOTOPOS, 0);
}

void paint(QsciScintilla& view) { benchmark::DoNotOptimize(view.viewport()->grab()); }

long screenEnd(const QsciScintilla& view) {
  const long last = sci(view, Sci::SCI_GETFIRSTVISIBLELINE) + sci(view, Sci::SCI_LINESONSCREEN);
  return sci(view, Sci::SCI_GETLINEENDPOSITION, last);
}

void OpenAndShowFirstScreen(benchmark::State& state) {
  const QByteArray& text = document();
  for (auto _ : state) {
    auto view = makeView();
    auto* lexer = state.range(0) ? new highlight::OhfLexer(definition(), view.get()) : nullptr;
    if (lexer) view->setLexer(lexer);
    load(*view, text);
    paint(*view);
    state.counters["styled_KB"] = double(sci(*view, Sci::SCI_GETENDSTYLED)) / 1024.0;
  }
  state.SetBytesProcessed(state.iterations() * text.size());
}

// A character typed in the middle of the text and taken back with Backspace, each followed by
// what Scintilla asks of the lexer before the next paint: the screen from the edited line on
// (paint:0), or the whole repaint (paint:1). One iteration is two keystrokes.
void KeystrokeMidDocument(benchmark::State& state) {
  auto view = makeView();
  if (state.range(0)) view->setLexer(new highlight::OhfLexer(definition(), view.get()));
  load(*view, document());
  const long line = sci(*view, Sci::SCI_LINEFROMPOSITION, sci(*view, Sci::SCI_GETLENGTH) / 2);
  sci(*view, Sci::SCI_SETFIRSTVISIBLELINE, line - 5);
  sci(*view, Sci::SCI_GOTOPOS, sci(*view, Sci::SCI_POSITIONFROMLINE, line) + 4);
  paint(*view);
  const auto styleScreen = [&] {
    if (state.range(1)) {
      paint(*view);
    } else {
      sci(*view, Sci::SCI_COLOURISE, sci(*view, Sci::SCI_GETENDSTYLED), screenEnd(*view));
    }
  };
  for (auto _ : state) {
    view->SendScintilla(Sci::SCI_ADDTEXT, 1UL, "x");
    styleScreen();
    sci(*view, Sci::SCI_DELETEBACK);
    styleScreen();
  }
}

// Choosing a scheme once the text is loaded: QScintilla asks for the whole text to be restyled,
// and the lexer styles the first screen of it; styled_KB says how much.
void SetLexerOnLoadedText(benchmark::State& state) {
  auto view = makeView();
  load(*view, document());
  for (auto _ : state) {
    auto* lexer = new highlight::OhfLexer(definition(), view.get());
    view->setLexer(lexer);
    state.counters["styled_KB"] = double(sci(*view, Sci::SCI_GETENDSTYLED)) / 1024.0;
    paint(*view);
    state.PauseTiming();
    view->setLexer(nullptr);
    delete lexer;
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(OpenAndShowFirstScreen)
    ->ArgName("lexer")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK(KeystrokeMidDocument)
    ->ArgNames({"lexer", "paint"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SetLexerOnLoadedText)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

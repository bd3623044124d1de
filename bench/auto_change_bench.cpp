// Typing latency with replace-as-you-type in a 10 MB document: one key press through the real
// main window, from the key event to the end of the events it leaves (the view's update
// included). A frame is 16 ms.
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "bench_window.h"
#include "platform/list_file.h"

namespace {

constexpr qsizetype kDocumentChars = 10 * 1000 * 1000;

QString document() {
  const QString words[] = {"съешь", "же",    "ещё",  "этих",  "мягких", "французских", "булок,",
                           "да",    "выпей", "чаю.", "quick", "brown",  "fox",         "jumps"};
  QString text;
  text.reserve(kDocumentChars + 100);
  int lineLength = 0;
  for (quint32 i = 0; text.size() < kDocumentChars; ++i) {
    const QString& word = words[(i * 7919u) % std::size(words)];
    text += word;
    lineLength += int(word.size()) + 1;
    text += lineLength > 60 ? QStringLiteral("\r\n") : QStringLiteral(" ");
    if (lineLength > 60) lineLength = 0;
  }
  return text;
}

// A program window as the user has it: features installed, start-up run, shown, a 10 MB
// document in the editor and twenty replacement pairs.
struct Session : bench::BenchWindow {
  Session()
      : BenchWindow([](platform::AppPaths& paths, platform::SettingsStore& settings) {
          QStringList pairs;
          for (int i = 0; i < 20; ++i) pairs << QString("teh%1==the%1").arg(i);
          pairs << "teh==the";
          platform::ListFile::write(paths.file("AutoChange.lst"), pairs);
          settings.set(platform::Setting::AutoChange, "1");
        }) {
    window->resize(900, 700);
    window->show();
    window->txtMain().setText(document());
    window->focusEditor();
    QCoreApplication::processEvents();
  }

  void press(int key, const QString& text = QString()) {
    pressIn(window->txtMain().focusWidget(), key, text);
  }

  static void pressIn(QWidget* target, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
    QCoreApplication::processEvents();
  }

};

Session& session() {
  static Session s;
  return s;
}

// Arguments: replace-as-you-type off or on; the caret near the top of the document or in its
// middle. The bare editing component's cost of a key grows with the caret's distance from the
// start of the text (its accessibility support counts the characters before every change), which
// the program avoids while no assistive technology runs; both places are shown.
// Switching the option on makes the next key look through the whole text once; that key is
// pressed here, outside the timing.
void setUp(benchmark::State& state) {
  Session& s = session();
  s.settings->set(platform::Setting::AutoChange, state.range(0) ? "1" : "0");
  const int line = state.range(1) ? s.window->txtMain().lineCount() / 2 : 10;
  s.window->txtMain().setSelection({line, 0, line, 0});
  s.press(Qt::Key_Right);
  state.SetLabel(
      QString("replace-as-you-type %1, caret %2")
          .arg(state.range(0) ? "on" : "off", state.range(1) ? "in the middle" : "at the top")
          .toStdString());
}

// A letter that replaces nothing: the check of the lines being typed.
void BM_KeyPress(benchmark::State& state) {
  Session& s = session();
  setUp(state);
  for (auto _ : state) s.press(Qt::Key_X, "x");
}
BENCHMARK(BM_KeyPress)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// The space after "teh": the word is replaced, then the space typed.
void BM_KeyPressThatReplaces(benchmark::State& state) {
  Session& s = session();
  setUp(state);
  for (auto _ : state) {
    state.PauseTiming();
    s.press(Qt::Key_T, "t");
    s.press(Qt::Key_E, "e");
    s.press(Qt::Key_H, "h");
    state.ResumeTiming();
    s.press(Qt::Key_Space, " ");
  }
}
BENCHMARK(BM_KeyPressThatReplaces)->ArgsProduct({{1}, {0, 1}})->Unit(benchmark::kMillisecond);

// The first key after a change the keyboard did not make (a paste, a command): it looks
// through the lines that change touched.
void BM_FirstKeyAfterPaste(benchmark::State& state) {
  Session& s = session();
  setUp(state);
  for (auto _ : state) {
    state.PauseTiming();
    s.window->txtMain().setSelectedText("z");
    QCoreApplication::processEvents();
    state.ResumeTiming();
    s.press(Qt::Key_X, "x");
  }
}
BENCHMARK(BM_FirstKeyAfterPaste)->ArgsProduct({{1}, {0, 1}})->Unit(benchmark::kMillisecond);

// The yardstick: the same key in a bare editing component holding the same document, with no
// program around it.
void BM_BareComponentKeyPress(benchmark::State& state) {
  static QsciScintilla* bare = [] {
    auto* view = new QsciScintilla;
    view->resize(900, 700);
    view->show();
    view->setText(document());
    return view;
  }();
  bare->setCursorPosition(state.range(0) ? bare->lines() / 2 : 10, 0);
  bare->setFocus();
  state.SetLabel(state.range(0) ? "caret in the middle" : "caret at the top");
  for (auto _ : state) Session::pressIn(bare, Qt::Key_X, "x");
}
BENCHMARK(BM_BareComponentKeyPress)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

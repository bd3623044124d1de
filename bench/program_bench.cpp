// A 10 MB text sent through an identity filter ("cp" reading its first argument and writing its
// second) from the menu of a real main window, against the yardstick of the same filter run by
// hand on the same file plus the open of its result into an editing control. Arguments: the
// document's line ends, 0 CR LF (the program's default) or 1 LF (the files of this system), which
// the text is converted to on its way out and back; and the filter, 0 "cp" or 1 "sed -i", which
// changes the text in its input file, so the result is read as text. Wall-clock time: the filter
// is a process of its own.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "automation/programs.h"
#include "bench_text.h"
#include "bench_window.h"
#include "platform/edit_control.h"

namespace {

constexpr qsizetype kTextBytes = 10 * 1000 * 1000;

struct Session : bench::BenchWindow {
  explicit Session(bool lf)
      : BenchWindow([](platform::AppPaths& paths, platform::SettingsStore&) {
          QFile list(paths.file("Programs.lst"));
          list.open(QIODevice::WriteOnly);
          list.write("cp|$infile|$outfile>Копия\r\nsed -i s/а/б/g|$infile>Замена\r\n");
        }) {
    const QString dir = home.path();
    window->txtMain().setFileFormat({platform::Encoding::Utf8, false,
                                     lf ? platform::LineEnd::Lf : platform::LineEnd::CrLf});
    text = bench::RussianText(platform::Encoding::Utf8, kTextBytes);
    // What the exchange writes for this text: the same file for the yardstick.
    input = dir + "/input.txt";
    QByteArray bytes = text + "\r\n";
    if (lf) bytes.replace("\r\n", "\n");
    QFile file(input);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
  }

  QByteArray text;  // UTF-8, CR LF
  QString input;
};

void BM_ProgramYardstick(benchmark::State& state) {
  Session s(state.range(0));
  const bool sed = state.range(1);
  const QString output = s.home.filePath("output.txt");
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = std::make_unique<platform::EditControl>();
    if (sed) {
      QFile::remove(output);
      QFile::copy(s.input, output);
    }
    state.ResumeTiming();
    QProcess filter;
    if (sed)
      filter.start("sed", {"-i", "s/а/б/g", output});
    else
      filter.start("cp", {s.input, output});
    filter.waitForFinished(-1);
    if (filter.exitCode() != 0 || editor->openFile(output)) state.SkipWithError("the filter failed");
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kTextBytes);
}

void BM_ProgramExchange(benchmark::State& state) {
  Session s(state.range(0));
  const int entry = int(state.range(1));
  automation::Programs* programs = automation::ProgramsOf(*s.window);
  platform::EditControl& editor = s.window->txtMain();
  for (auto _ : state) {
    state.PauseTiming();
    editor.setTextUtf8(s.text);
    editor.setSelection({0, 0, 0, 0});
    QCoreApplication::processEvents();
    state.ResumeTiming();
    if (programs->process(entry) != automation::ProgramExchange::Result::Done)
      state.SkipWithError("the exchange failed");
    state.PauseTiming();
    if ((editor.textUtf8() == s.text) == bool(entry)) state.SkipWithError("wrong result");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kTextBytes);
}

}  // namespace

BENCHMARK(BM_ProgramYardstick)->ArgNames({"lf", "sed"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(BM_ProgramExchange)->ArgNames({"lf", "sed"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

// The link and e-mail lists on a 10 MB page (goal: under half a second each), and on the pages
// that made the old scans rescan: a run of "@" without separators, a long run of "<a" tags.
#include <benchmark/benchmark.h>

#include <QString>

#include "html/html_scan.h"

namespace {

constexpr qsizetype kPageChars = 10 * 1000 * 1000;

QString repeated(const QString& row) {
  QString s;
  s.reserve(kPageChars + row.size());
  while (s.size() < kPageChars) s += row;
  return s;
}

const QString& page() {
  static const QString text = repeated(QStringLiteral(
      "<tr><td>Пишите: ivan.petrov@mail.example.ru, olga@site.example.org.</td><td>"
      "<a href=\"/x?a=1\">ссылка</a> <abbr title=\"t\">T</abbr></td></tr>\r\n"
      "<p>Абзац текста с адресом <a href=mailto:x@y.example.com>x@y</a> и строками\r\n"));
  return text;
}

const QString& atRun() {
  static const QString text = repeated(QStringLiteral("a@")) + QStringLiteral(".ru ");
  return text;
}

const QString& openTags() {
  static const QString text = repeated(QStringLiteral("<a href=\"x\"")) + u'>';
  return text;
}

void LinksOfPage(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(html::HyperLinks(page()));
  state.SetBytesProcessed(state.iterations() * page().size() * 2);
}

void EMailsOfPage(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(html::EMailAddresses(page()));
  state.SetBytesProcessed(state.iterations() * page().size() * 2);
}

void EMailsOfAtRun(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(html::EMailAddresses(atRun()));
  state.SetBytesProcessed(state.iterations() * atRun().size() * 2);
}

void LinksOfUnclosedTags(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(html::HyperLinks(openTags()));
  state.SetBytesProcessed(state.iterations() * openTags().size() * 2);
}

BENCHMARK(LinksOfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(EMailsOfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(EMailsOfAtRun)->Unit(benchmark::kMillisecond);
BENCHMARK(LinksOfUnclosedTags)->Unit(benchmark::kMillisecond);

}  // namespace

// HTML to text and text to HTML on a 10 MB page: the goal is at least 100 MB/s each.
#include <benchmark/benchmark.h>

#include <QString>

#include "html/html_text.h"

namespace {

constexpr qsizetype kPageChars = 10 * 1000 * 1000;

const QString& page() {
  static const QString text = [] {
    const QString row = QStringLiteral(
        "<tr><td class=\"c\">Привет, &laquo;мир&raquo; &amp; друзья</td><td><a href=\"/x?a=1\">"
        "ссылка</a></td></tr>\r\n<p>Абзац  текста с&nbsp;пробелами<br>и строками\r\n");
    QString s = QStringLiteral("<html><head><title>T</title></head><body>\r\n");
    while (s.size() < kPageChars) s += row;
    return s + QStringLiteral("</body></html>");
  }();
  return text;
}

void HtmlToTextPage(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(html::HtmlToText(page()));
  state.SetBytesProcessed(state.iterations() * page().size() * 2);
}

void TextToHtmlPage(benchmark::State& state) {
  html::TextToHtmlOptions all;
  all.replaceSpaces = all.specialSymbols = all.lineBreaks = all.paragraphs = all.pageFrame = true;
  for (auto _ : state) benchmark::DoNotOptimize(html::TextToHtml(page(), all));
  state.SetBytesProcessed(state.iterations() * page().size() * 2);
}

BENCHMARK(HtmlToTextPage)->Unit(benchmark::kMillisecond);
BENCHMARK(TextToHtmlPage)->Unit(benchmark::kMillisecond);

}  // namespace

// A key press handed to the user's hot keys with 200 bindings in the table, as the key-down path
// hands over every key: the table is searched in full each time. The matching binding names a
// bookmark the menu does not hold, so the time is the search and the item look-up, not a command.
#include <benchmark/benchmark.h>

#include <QStringList>

#include "bench_window.h"
#include "platform/list_file.h"

namespace {

constexpr int kBindings = 200;

// Ctrl..Ctrl+Shift+Alt with every letter, then Ctrl with function keys up to 200 bindings.
QStringList bindings() {
  QStringList items;
  for (int modifiers = 1; modifiers <= 7; ++modifiers)
    for (int key = 'A'; key <= 'Z'; ++key)
      items << QStringLiteral("Bookmark.%1=%2|%3").arg(items.size() + 1).arg(modifiers).arg(key);
  for (int key = 112; items.size() < kBindings; ++key)
    items << QStringLiteral("Macro.%1=2|%2").arg(items.size() + 1).arg(key);
  return items;
}

struct Session : bench::BenchWindow {
  Session()
      : BenchWindow([](platform::AppPaths& paths, platform::SettingsStore&) {
          platform::ListFile::write(paths.file("HotKeys.ini"), bindings());
        }) {}
};

void BM_DispatchHotKey(benchmark::State& state) {
  Session session;
  const shell::Hooks& hooks = session.window->hooks();
  const int key = int(state.range(0));
  for (auto _ : state) hooks.run(shell::KeyHook::DispatchHotKey, key, 7);
  state.SetLabel(key == 'Z' ? "one binding matches" : "no binding matches");
}
BENCHMARK(BM_DispatchHotKey)->Arg('Z')->Arg(123)->Unit(benchmark::kMicrosecond);

}  // namespace

#include "document/file_dialogs.h"

#include "document/file_paths.h"

namespace document {

const char* const kCommonFilter =
    "Текстовые файлы (*.txt)|*.txt|Документы HTML (*.html;*.htm)|*.html;*.htm|"
    "Файлы Macro-скриптов Ostrel XP (*.mac)|*.mac|"
    "Файлы свободных форматов (*.diz, *.dat, *.ion) |*.me;*.nfo;*.prf;*.diz;*.num;*.asc;*.dat;|"
    "Файлы конфигурации(*.cfg;*.ini)|*.cfg;*.ini|Все файлы(*.*)|*.*";

namespace {

constexpr int kMaxPath = 254;

platform::FileRequest request(shell::AppContext& ctx, const QString& title,
                              const QString& initialDir) {
  platform::FileRequest r;
  r.filter = QString::fromUtf8(kCommonFilter);
  r.title = title;
  r.initialDir = initialDir;
  r.filterIndex = std::max(1, ctx.settings.number(platform::Setting::FilterIndex));
  return r;
}

}  // namespace

QString LastDir(shell::AppContext& ctx) {
  return ctx.settings.get(platform::Setting::LastDir, ctx.paths.programDir());
}

QString AskOpenFileName(shell::AppContext& ctx, const QString& title, const QString& initialDir) {
  const platform::FileChoice choice = ctx.ui.openFile(request(ctx, title, initialDir));
  ctx.settings.set(platform::Setting::FilterIndex, QString::number(choice.filterIndex));
  return choice.path.trimmed().left(kMaxPath);
}

QString AskSaveFileName(shell::AppContext& ctx, const QString& title, const QString& initialDir) {
  const platform::FileChoice choice = ctx.ui.saveFile(request(ctx, title, initialDir));
  QString path = choice.path.trimmed().left(kMaxPath);
  if (path.isEmpty()) return path;
  ctx.settings.set(platform::Setting::FilterIndex, QString::number(choice.filterIndex));
  const int type = choice.filterIndex;
  if (FileExtension(path).isEmpty() && type >= 1 && type <= int(kDefaultExtensions.size()))
    path += QString::fromUtf8(kDefaultExtensions[type - 1]);
  return path;
}

}  // namespace document

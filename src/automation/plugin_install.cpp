// Installing a plug-in: its library is copied into the plug-in folder and the folder reloaded.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSaveFile>

#include "automation/plugins.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace automation {
namespace {

constexpr qint64 kPiece = 1 << 20;

bool sameContent(const QString& a, const QString& b) {
  QFile first(a), second(b);
  if (first.size() != second.size()) return false;
  if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)) return false;
  while (!first.atEnd())
    if (first.read(kPiece) != second.read(kPiece)) return false;
  return true;
}

// The copy goes to a new file renamed over the old one: a library in use keeps its old file,
// where writing into it would pull the code from under the running program.
std::optional<QString> copyFile(const QString& from, const QString& to) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly)) return source.errorString();
  QSaveFile target(to);
  if (!target.open(QIODevice::WriteOnly)) return target.errorString();
  while (!source.atEnd()) {
    const QByteArray piece = source.read(kPiece);
    if (piece.isEmpty() && source.error() != QFileDevice::NoError) return source.errorString();
    if (target.write(piece) != piece.size()) return target.errorString();
  }
  if (!target.commit()) return target.errorString();
  return std::nullopt;
}

}  // namespace

bool Plugins::install(const QString& path) {
  const QFileInfo source(path);
  const QString name = source.fileName();
  if (!source.isFile()) {
    say(QStringLiteral("Файл «%1» не найден.").arg(path), platform::MsgIcon::Warning);
    return false;
  }
  if (!QLibrary::isLibrary(name)) {
    say(QStringLiteral("«%1» не библиотека плагина.").arg(name), platform::MsgIcon::Warning);
    return false;
  }
  QDir().mkpath(folder());
  const QString target = platform::AppPaths::resolve(QDir(folder()).filePath(name));
  const QFileInfo existing(target);
  // A library picked inside the folder, or one installed before, needs no copy; copying a file
  // onto itself would empty it.
  const bool present =
      existing.exists() &&
      (existing.canonicalFilePath() == source.canonicalFilePath() || sameContent(path, target));
  if (!present) {
    if (existing.exists()) {
      QString question = QStringLiteral("В папке плагинов уже есть другой файл «%1». Заменить его?")
                             .arg(existing.fileName());
      if (m_everLoaded.contains(target))
        question +=
            QStringLiteral("\nНовая версия плагина заработает после перезапуска программы.");
      if (m_window.context().ui.message(question, QString::fromUtf8(shell::kProgramName),
                                        platform::MsgButtons::YesNo,
                                        platform::MsgIcon::Question) != platform::MsgAnswer::Yes)
        return false;
    }
    if (auto error = copyFile(path, target)) {
      say(QStringLiteral("Не удалось скопировать плагин в «%1»:\n%2").arg(target, *error),
          platform::MsgIcon::Error);
      return false;
    }
  }
  load(false);
  return true;
}

bool Plugins::installWithDialog() {
  shell::AppContext& ctx = m_window.context();
  platform::FileRequest request;
  request.title = QStringLiteral("Инсталляция плагина");
  request.filter = QStringLiteral("Плагины Ostrel XP(*.so)|*.so");
  request.initialDir = ctx.settings.get(platform::Setting::LastDir, folder());
  const platform::FileChoice choice = ctx.ui.openFile(request);
  return !choice.path.isEmpty() && install(choice.path);
}

}  // namespace automation

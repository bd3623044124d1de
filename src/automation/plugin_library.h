// One plug-in library: finding the libraries of the plug-in folder, loading one of them with
// every check a foreign library needs, and calling into it so that nothing it throws escapes.
#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <memory>
#include <optional>

#include "ostrel/plugin_interface.h"

class QPluginLoader;

namespace automation {

// The shared libraries of `folder` (by their name, as QLibrary knows them on this system), in
// name order; other files are not plug-ins and are passed over.
QStringList PluginLibraries(const QString& folder);

// Runs `call`, a call into a plug-in. nullopt when it returned; else the reason it failed in the
// user's words (the exception's text, or a general one for an exception of no known kind).
template <typename Call>
std::optional<QString> CallPlugin(Call&& call) {
  try {
    call();
    return std::nullopt;
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("исключение неизвестного вида");
  }
}

// A loaded plug-in: its library stays loaded and its object alive as long as this lives.
class LoadedPlugin {
 public:
  LoadedPlugin(QString path, std::unique_ptr<QPluginLoader> loader, ostrel::Plugin& plugin,
               QString id, bool showme);
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  ostrel::Plugin& plugin() { return m_plugin; }
  // The library's path and its file name ("Файл" of the about text).
  const QString& path() const { return m_path; }
  QString fileName() const;
  // What the plug-in said at loading; asked once, so a plug-in that fails later still has a
  // name to be shown by.
  const QString& id() const { return m_id; }
  bool showme() const { return m_showme; }

 private:
  QString m_path;
  std::unique_ptr<QPluginLoader> m_loader;
  ostrel::Plugin& m_plugin;
  QString m_id;
  bool m_showme;
};

// Why a library gives no plug-in, as the user is told it.
enum class PluginProblem {
  None,
  NotAPlugin,          // no library at all, or one without this program's plug-in in it
  OtherVersion,        // built for another version of the plug-in interface
  LoadFailed,          // the system could not load it (a missing library, a missing symbol)
  RegistrationFailed,  // the plug-in failed while it was asked its name or initialised
  OpenToAll,           // any user may change the file: its code is not run
};

// The reason in the user's words ("не библиотека плагина").
QString PluginProblemText(PluginProblem problem);

// What loading a library gave: the plug-in, or why there is none.
struct PluginLoad {
  std::unique_ptr<LoadedPlugin> plugin;
  PluginProblem kind = PluginProblem::None;
  // The reason, followed by what the system or the plug-in said when there is more to say:
  // "регистрация не удалась: исключение неизвестного вида".
  QString problem;
};

// The load that failed for `kind`, with `detail` (may be "") after its reason.
PluginLoad FailedLoad(PluginProblem kind, const QString& detail);

// Loads the library at `path` and asks its plug-in for showme and id. A file any user may write
// to is refused before it is read: whoever changed it would run code in this program. A library
// that does not load, was built for another version of the interface (checked before any of its
// code runs), does not implement the interface, or throws while asked, gives a problem and is
// released.
PluginLoad LoadPluginLibrary(const QString& path);

// The text with every line end (CR LF, LF, lone CR) made CR LF, as the editor keeps them.
QString WithCrLf(const QString& text);

}  // namespace automation

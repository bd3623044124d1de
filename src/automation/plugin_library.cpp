#include "automation/plugin_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <sys/stat.h>

namespace automation {
namespace {

const QString kInterface = QStringLiteral(OSTREL_PLUGIN_IID);
const QString kInterfaceFamily = QStringLiteral("org.ostrel.Plugin/");

PluginLoad refused(QPluginLoader& loader, PluginProblem kind, const QString& detail) {
  // Only the object goes: Qt keeps the library's code mapped, since objects of its making may
  // still be about.
  if (loader.isLoaded()) loader.unload();
  return FailedLoad(kind, detail);
}

}  // namespace

QStringList PluginLibraries(const QString& folder) {
  const QDir dir(folder);
  QStringList libraries;
  for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
    if (QLibrary::isLibrary(name)) libraries << dir.filePath(name);
  return libraries;
}

LoadedPlugin::LoadedPlugin(QString path, std::unique_ptr<QPluginLoader> loader,
                           ostrel::Plugin& plugin, QString id, bool showme)
    : m_path(std::move(path)),
      m_loader(std::move(loader)),
      m_plugin(plugin),
      m_id(std::move(id)),
      m_showme(showme) {}

LoadedPlugin::~LoadedPlugin() { m_loader->unload(); }

QString LoadedPlugin::fileName() const { return QFileInfo(m_path).fileName(); }

QString PluginProblemText(PluginProblem problem) {
  switch (problem) {
    case PluginProblem::None: break;
    case PluginProblem::NotAPlugin: return QStringLiteral("не библиотека плагина");
    case PluginProblem::OtherVersion:
      return QStringLiteral("собран для другой версии интерфейса плагинов");
    case PluginProblem::LoadFailed: return QStringLiteral("библиотека не загрузилась");
    case PluginProblem::RegistrationFailed: return QStringLiteral("регистрация не удалась");
    case PluginProblem::OpenToAll:
      return QStringLiteral("отказано: файл может изменить любой пользователь");
  }
  return QString();
}

PluginLoad FailedLoad(PluginProblem kind, const QString& detail) {
  const QString reason = PluginProblemText(kind);
  return PluginLoad{nullptr, kind, detail.isEmpty() ? reason : reason + ": " + detail};
}

PluginLoad LoadPluginLibrary(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) == 0 && (status.st_mode & S_IWOTH))
    return FailedLoad(PluginProblem::OpenToAll,
                      QStringLiteral("права %1").arg(status.st_mode & 07777, 4, 8, QChar(u'0')));
  auto loader = std::make_unique<QPluginLoader>(path);
  // The interface a library was built for is in its metadata, readable without running any of
  // its code: a library of another version is never loaded.
  const QJsonObject meta = loader->metaData();
  if (meta.isEmpty()) return refused(*loader, PluginProblem::NotAPlugin, loader->errorString());
  const QString built = meta.value(QStringLiteral("IID")).toString();
  if (!built.startsWith(kInterfaceFamily))
    return refused(*loader, PluginProblem::NotAPlugin,
                   QStringLiteral("в ней модуль Qt «%1», а не плагин программы").arg(built));
  if (built != kInterface)
    return refused(*loader, PluginProblem::OtherVersion,
                   QStringLiteral("«%1», а программе нужен «%2»").arg(built, kInterface));
  QObject* root = loader->instance();
  if (!root) return refused(*loader, PluginProblem::LoadFailed, loader->errorString());
  auto* plugin = qobject_cast<ostrel::Plugin*>(root);
  if (!plugin)
    return refused(*loader, PluginProblem::NotAPlugin,
                   QStringLiteral("её объект не реализует интерфейс «%1»").arg(kInterface));
  QString id;
  bool showme = false;
  if (auto problem = CallPlugin([&] {
        showme = plugin->showme();
        id = plugin->id();
      }))
    return refused(*loader, PluginProblem::RegistrationFailed, *problem);
  return PluginLoad{std::make_unique<LoadedPlugin>(path, std::move(loader), *plugin, id, showme),
                    PluginProblem::None, {}};
}

QString WithCrLf(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r') {
      out += QStringLiteral("\r\n");
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else if (c == u'\n') {
      out += QStringLiteral("\r\n");
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace automation

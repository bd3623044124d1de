#include "automation/plugin_library.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>

namespace automation {
namespace {

const QString kInterface = QStringLiteral(OSTREL_PLUGIN_IID);

PluginLoad refused(QPluginLoader& loader, const QString& problem) {
  // Only the object goes: Qt keeps the library's code mapped, since objects of its making may
  // still be about.
  if (loader.isLoaded()) loader.unload();
  return PluginLoad{nullptr, problem};
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

PluginLoad LoadPluginLibrary(const QString& path) {
  auto loader = std::make_unique<QPluginLoader>(path);
  // The interface a library was built for is in its metadata, readable without running any of
  // its code: a library of another version is never loaded.
  const QJsonObject meta = loader->metaData();
  if (meta.isEmpty()) return refused(*loader, loader->errorString());
  const QString built = meta.value(QStringLiteral("IID")).toString();
  if (built != kInterface)
    return refused(*loader, QStringLiteral("библиотека собрана для другого интерфейса плагинов "
                                           "(«%1»), а программе нужен «%2».")
                                .arg(built, kInterface));
  QObject* root = loader->instance();
  if (!root) return refused(*loader, loader->errorString());
  auto* plugin = qobject_cast<ostrel::Plugin*>(root);
  if (!plugin)
    return refused(
        *loader, QStringLiteral("объект библиотеки не реализует интерфейс «%1».").arg(kInterface));
  QString id;
  bool showme = false;
  if (auto problem = CallPlugin([&] {
        showme = plugin->showme();
        id = plugin->id();
      }))
    return refused(*loader, QStringLiteral("ошибка в плагине: ") + *problem);
  return PluginLoad{std::make_unique<LoadedPlugin>(path, std::move(loader), *plugin, id, showme),
                    {}};
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

// Example plug-in "Вставить UUID": puts a new random UUID in place of the selection or at the
// caret.
#include <QObject>
#include <QUuid>

#include "ostrel/plugin_interface.h"

class InsertUuidPlugin : public QObject, public ostrel::Plugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID OSTREL_PLUGIN_IID)
  Q_INTERFACES(ostrel::Plugin)

 public:
  bool showme() const override { return true; }
  QString id() const override { return QStringLiteral("Вставить UUID"); }
  void Init(ostrel::PluginHost&, int) override {}
  QString PLUGIN(ostrel::PluginHost&) override {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
  }
  QString Description() const override {
    return QStringLiteral(
        "Вставляет новый случайный UUID (версия 4) вместо выделенного текста или в позицию "
        "курсора.");
  }
  int Settings() const override { return 0; }
  // No settings window: the program never calls this while Settings() is 0.
  void ShowSettings() override {}
};

#include "insert_uuid.moc"

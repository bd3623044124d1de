// Plug-ins the tests load, one library per kind (TEST_PLUGIN_KIND):
//   1 hidden:   no menu item; PLUGIN reports what the host and the program told it, or gives
//               nothing for the selection "удалить"
//   2 throwing: loads, then fails in PLUGIN, Description and ShowSettings
//   3 faulty:   fails while the program asks for its name at loading, or in Init when the
//               environment has OSTREL_FAULTY_PLUGIN=Init
//   4 outdated: built for an older version of the interface
#include <QObject>
#include <stdexcept>

#include "ostrel/plugin_interface.h"

#if TEST_PLUGIN_KIND == 4

namespace outdated {
// The interface as an older program had it.
class Plugin {
 public:
  virtual ~Plugin() = default;
  virtual QString id() const = 0;
};
}  // namespace outdated
Q_DECLARE_INTERFACE(outdated::Plugin, "org.ostrel.Plugin/0")

class OutdatedPlugin : public QObject, public outdated::Plugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.ostrel.Plugin/0")
  Q_INTERFACES(outdated::Plugin)

 public:
  QString id() const override { return QStringLiteral("Устаревший"); }
};

#else

bool failsInInit() { return qgetenv("OSTREL_FAULTY_PLUGIN") == "Init"; }

class TestPlugin : public QObject, public ostrel::Plugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID OSTREL_PLUGIN_IID)
  Q_INTERFACES(ostrel::Plugin)

 public:
  bool showme() const override { return TEST_PLUGIN_KIND != 1; }
  QString id() const override {
    if (TEST_PLUGIN_KIND == 3 && !failsInInit()) throw 42;  // not even a std::exception
    return TEST_PLUGIN_KIND == 1 ? QStringLiteral("Скрытый") : QStringLiteral("Сбойный");
  }
  void Init(ostrel::PluginHost& host, int index) override {
    if (TEST_PLUGIN_KIND == 3) throw std::runtime_error("инициализация не удалась");
    m_slot = index;
    m_initPath = host.documentPath();
  }
  QString PLUGIN(ostrel::PluginHost& host) override {
    host.setStatusText(QStringLiteral("работает ") + id());
    if (TEST_PLUGIN_KIND == 2) throw std::runtime_error("отказ диска");
    if (host.selectedText() == QStringLiteral("удалить")) return QString();
    return QStringLiteral("[slot %1, settings %2, init %3, path %4, text %5, sel %6]")
        .arg(m_slot)
        .arg(m_settingsShown)
        .arg(m_initPath, host.documentPath(), QString::number(host.text().size()),
             host.selectedText());
  }
  QString Description() const override {
    if (TEST_PLUGIN_KIND == 2) throw std::runtime_error("описание потеряно");
    return QStringLiteral("Проверочный плагин");
  }
  int Settings() const override { return 1; }
  void ShowSettings() override {
    if (TEST_PLUGIN_KIND == 2) throw std::logic_error("окно настроек не открылось");
    ++m_settingsShown;
  }

 private:
  int m_slot = 0;  // 0 until Init
  int m_settingsShown = 0;
  QString m_initPath = QStringLiteral("-");
};

#endif

#include "test_plugin.moc"

// Libraries of the plug-in folder that give no plug-in: told in one message once the window
// shows, and at a later start only when the failing libraries changed.
#include "automation/plugin_report.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <string_view>

#include "automation/plugin_fixture.h"

namespace automation {
namespace {

TEST(BrokenPluginsMessage, ListsEachLibraryWithItsReason) {
  const std::vector<BrokenPlugin> broken = {
      {"/p/Plugins/broken.so", "не библиотека плагина: not an ELF file", "1 2 broken.so"},
      {"/p/Plugins/a, b.so", "регистрация не удалась: сбой", "3 4 a, b.so"},
  };
  EXPECT_EQ(BrokenPluginsMessage(broken),
            "Не загружены плагины:\n"
            "\n«broken.so» — не библиотека плагина: not an ELF file"
            "\n«a, b.so» — регистрация не удалась: сбой"
            "\n\nПока эти файлы не изменятся, при запуске об этом больше не будет сказано.");
}

TEST(BrokenPluginRecord, DiffersWhenALibraryIsAddedGoneResizedOrTouched) {
  QTemporaryDir dir;
  const auto library = [&dir](const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    return dir.filePath(name);
  };
  const QString a = library("a.so", "aaaa");
  // A comma and spaces in a name survive the list file.
  const QString b = library(" b, c .so", "bb");
  const BrokenPluginRecord record(dir.filePath("BrokenPlugins.lst"));
  const std::vector<BrokenPlugin> both = {BrokenPluginAt(a, "x"), BrokenPluginAt(b, "y")};
  EXPECT_TRUE(record.differs(both)) << "nothing recorded yet";
  EXPECT_FALSE(record.differs({})) << "no file is no failure";
  record.store(both);
  EXPECT_FALSE(record.differs(both));
  EXPECT_FALSE(record.differs({both[1], both[0]})) << "order is no change";
  EXPECT_FALSE(record.differs({BrokenPluginAt(a, "another reason"), both[1]}))
      << "the same file failing otherwise is still the same file";

  const struct {
    const char* change;
    std::function<void()> make;
  } changes[] = {
      {"one gone", [] {}},
      {"resized", [&] { library("a.so", "aaaaa"); }},
      {"touched", [&] {
         QFile file(a);
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                      QFileDevice::FileModificationTime));
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.change);
    c.make();
    const std::vector<BrokenPlugin> now =
        std::string_view(c.change) == "one gone"
            ? std::vector<BrokenPlugin>{both[1]}
            : std::vector<BrokenPlugin>{BrokenPluginAt(a, "x"), both[1]};
    EXPECT_TRUE(record.differs(now));
    record.store(now);
    EXPECT_FALSE(record.differs(now));
  }
  record.store({});
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("BrokenPlugins.lst"))) << "nothing left behind";
}

class BrokenPluginStartTest : public PluginWindowTest {
 protected:
  // Starts the program once more on the same folder and shows the window; the messages it
  // gave once it showed.
  QList<testing_support::AskedMessage> startAndShow() {
    m_ui.messages.clear();
    startWith({});
    m_window->show();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_plugins->reportPending(); }, 5000));
    return m_ui.messages;
  }
};

TEST_F(BrokenPluginStartTest, OneMessageAfterTheWindowShowsAndAgainOnlyWhenTheSetChanged) {
  writeFile("Plugins/garbage.so", "not a library at all");
  put("faulty.so");
  put("outdated.so");
  put("hidden.so", "open.so");
  ASSERT_TRUE(QFile::setPermissions(homePath("Plugins/open.so"),
                                    QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                        QFileDevice::ReadOther | QFileDevice::WriteOther));
  put("sort_lines.so");

  // Nothing while the window is still to come.
  startWith({});
  EXPECT_TRUE(m_ui.messages.isEmpty());
  EXPECT_TRUE(m_plugins->reportPending());
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не загружены плагины:");
  m_window->show();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !m_plugins->reportPending(); }, 5000));
  ASSERT_EQ(m_ui.messages.size(), 1);
  const testing_support::AskedMessage& said = m_ui.messages[0];
  EXPECT_EQ(said.icon, platform::MsgIcon::Warning);
  const QStringList lines = said.text.split('\n');
  ASSERT_GE(lines.size(), 6) << said.text.toStdString();
  const struct {
    int line;
    QString start;
  } expected[] = {
      {2, "«faulty.so» — регистрация не удалась: исключение неизвестного вида"},
      {3, "«garbage.so» — не библиотека плагина: "},
      {4, "«open.so» — отказано: файл может изменить любой пользователь: права 0666"},
      {5, "«outdated.so» — собран для другой версии интерфейса плагинов"},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.start.toStdString());
    EXPECT_TRUE(lines[e.line].startsWith(e.start)) << lines[e.line].toStdString();
  }
  EXPECT_EQ(m_plugins->ids(), QStringList({"Сортировка строк"})) << "open.so is never run";

  // The same libraries, the same failures: nothing to say.
  EXPECT_TRUE(startAndShow().isEmpty());
  EXPECT_TRUE(startAndShow().isEmpty());

  // One of them changed: the whole list again.
  QFile outdated(homePath("Plugins/outdated.so"));
  ASSERT_TRUE(outdated.open(QIODevice::ReadWrite));
  ASSERT_TRUE(outdated.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                   QFileDevice::FileModificationTime));
  outdated.close();
  m_ui.answerMessage(platform::MsgAnswer::Ok, "«outdated.so»");
  const auto again = startAndShow();
  ASSERT_EQ(again.size(), 1);
  EXPECT_EQ(again[0].text.count("\n«"), 4);

  // Mended: nothing to say, and nothing kept.
  for (const char* name : {"faulty.so", "garbage.so", "open.so", "outdated.so"})
    ASSERT_TRUE(QFile::remove(homePath("Plugins/") + name));
  EXPECT_TRUE(startAndShow().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(homePath(BrokenPluginRecord::kFileName)));
}

TEST_F(BrokenPluginStartTest, AReloadTheUserAsksForSaysItAtOnce) {
  startWith({"sort_lines.so"});
  writeFile("Plugins/garbage.so", "not a library at all");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "«garbage.so» — не библиотека плагина");
  m_plugins->load(false);
  EXPECT_EQ(m_ui.messages.size(), 1);
  // Told now, so the next start keeps quiet.
  EXPECT_TRUE(startAndShow().isEmpty());
}

}  // namespace
}  // namespace automation

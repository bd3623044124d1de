// Libraries of the plug-in folder that give no plug-in: one message that lists them, and the
// record of the last such message, so that a start repeats it only when something changed.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace automation {

struct BrokenPlugin {
  QString path;
  QString problem;  // the reason in the user's words, see PluginLoad::problem
  // The file as it was when it failed: its name, size and modification time. A library whose
  // key is unchanged is the same failure.
  QString key;
};

// `path` failing for `problem`, keyed by the file as it is now.
BrokenPlugin BrokenPluginAt(const QString& path, const QString& problem);

// "Не загружены плагины:" and a line per library: "«broken.so» — не библиотека плагина: ...".
QString BrokenPluginsMessage(const std::vector<BrokenPlugin>& broken);

// The record of the libraries last reported, a list file of their keys in the program folder.
class BrokenPluginRecord {
 public:
  static constexpr char kFileName[] = "BrokenPlugins.lst";
  explicit BrokenPluginRecord(QString path) : m_path(std::move(path)) {}

  // Whether `broken` is another set of failures than the one recorded (in any order).
  bool differs(const std::vector<BrokenPlugin>& broken) const;
  // Records `broken` as reported; an empty set leaves no file behind.
  void store(const std::vector<BrokenPlugin>& broken) const;

 private:
  QString m_path;
};

}  // namespace automation

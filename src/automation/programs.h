// The menu "&Программы": the user's programs from "Programs.lst" as menu items, each passing the
// text through its program, "Показать LOG", and the functions the settings page works through
// (add, change, remove, launch), each of which keeps the file and the menu in step.
#pragma once

#include <QObject>

#include "automation/program_exchange.h"
#include "automation/program_list.h"

namespace shell {
class FrmMain;
}

namespace automation {

class Programs : public QObject {
  Q_OBJECT
 public:
  explicit Programs(shell::FrmMain& window);

  // Entries in list order; entry i is menu item i + 1 of mnuProgram (item 0 is the separator).
  const ProgramEntries& entries() const { return m_entries; }
  // Reads "Programs.lst" again and rebuilds the menu from it.
  void load();

  // Each of these stores the list at once and rebuilds the menu from the file. add and change
  // refuse an entry that cannot be stored (a caption with ">"), telling the user why; every one
  // reports a failed write. Indexes are 0-based positions in entries().
  bool add(const ProgramEntry& entry);
  bool change(int index, const ProgramEntry& entry);
  bool remove(int index);
  // Writes the list as it is now, replacing the file.
  bool save();

  // The window "Программа" for a new entry (mode 0) or entry `index` (mode 1); OK stores it.
  bool addWithDialog();
  bool changeWithDialog(int index);

  // Hands the entry's whole program line to the desktop's "open" verb: a plain launch, no text
  // passes. False (after telling the user) when the desktop could not open it.
  bool launch(int index);
  // Passes the text through entry `index`'s program, as its menu item does.
  ProgramExchange::Result process(int index);

  ProgramExchange& exchange() { return *m_exchange; }

 private:
  bool store(const ProgramEntries& entries);
  bool acceptable(const ProgramEntry& entry);
  bool editWithDialog(int mode, int index);
  QString listPath() const;

  shell::FrmMain& m_window;
  ProgramExchange* m_exchange;
  ProgramEntries m_entries;
};

// The window's programs, once installed; nullptr before.
Programs* ProgramsOf(shell::FrmMain& window);

void InstallPrograms(shell::FrmMain& window);

}  // namespace automation

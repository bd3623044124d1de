// "Программа": the caption and program line of one entry of the program list, new or edited.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "automation/program_list.h"

class QLineEdit;

namespace automation {

class FrmProgram : public QDialog {
  Q_OBJECT
 public:
  enum Mode { kNew = 0, kEdit = 1 };
  // Asks the user for a program file; nullopt when nothing was chosen.
  using ChooseFile = std::function<std::optional<QString>()>;
  // Says whether the entry may be stored (telling the user why not); OK closes only then.
  using Check = std::function<bool(const ProgramEntry&)>;

  FrmProgram(Mode mode, const ProgramEntry& entry, ChooseFile chooseFile, Check check,
             QWidget* parent = nullptr);

  Mode mode() const { return m_mode; }
  ProgramEntry entry() const;

 private:
  void browse();

  Mode m_mode;
  ChooseFile m_chooseFile;
  Check m_check;
  QLineEdit* m_name;
  QLineEdit* m_path;
};

}  // namespace automation

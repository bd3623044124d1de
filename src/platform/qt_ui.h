// The real dialogs, owned by the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/ui.h"

namespace platform {

class QtUi : public Ui {
 public:
  void setParent(QWidget* parent) { m_parent = parent; }

  MsgAnswer message(const QString& text, const QString& title, MsgButtons buttons,
                    MsgIcon icon) override;
  std::optional<int> choose(const QString& text, const QString& title, const QStringList& buttons,
                            MsgIcon icon) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  FileChoice openFile(const FileRequest& request) override;
  FileChoice saveFile(const FileRequest& request) override;
  std::optional<QString> folder(const QString& title, const QString& initialDir) override;
  std::optional<QColor> colour(const QColor& initial) override;
  std::optional<QFont> font(const QFont& initial) override;
  bool choosePrinter(QPrinter& printer) override;
  int runModal(QDialog& dialog) override;

 private:
  FileChoice fileDialog(const FileRequest& request, bool save);

  QPointer<QWidget> m_parent;
};

}  // namespace platform

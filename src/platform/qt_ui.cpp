#include "platform/qt_ui.h"

#include <QColorDialog>
#include <algorithm>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace platform {
namespace {

// The program's own boxes speak Russian whatever Qt's translation says.
constexpr const char* kOkText = "ОК";
constexpr const char* kCancelText = "Отмена";

}  // namespace

QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    // The description already names its patterns; the dialog is told to hide the list it needs.
    result << parts[i].trimmed() + " (" + patterns.join(' ') + ")";
  }
  return result;
}

namespace {

void prepareBox(QMessageBox& box, const QString& text, const QString& title, MsgIcon icon) {
  box.setText(text);
  box.setWindowTitle(title);
  static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                            QMessageBox::Question, QMessageBox::Warning,
                                            QMessageBox::Critical};
  box.setIcon(icons[int(icon)]);
}

}  // namespace

MsgAnswer QtUi::message(const QString& text, const QString& title, MsgButtons buttons,
                        MsgIcon icon) {
  QMessageBox box(m_parent);
  prepareBox(box, text, title, icon);
  // Russian button texts whatever the desktop's language.
  auto add = [&box](const char* text, QMessageBox::ButtonRole role, MsgAnswer answer) {
    QPushButton* b = box.addButton(QString::fromUtf8(text), role);
    b->setProperty("answer", int(answer));
    return b;
  };
  QPushButton* escape = nullptr;
  switch (buttons) {
    case MsgButtons::Ok: escape = add(kOkText, QMessageBox::AcceptRole, MsgAnswer::Ok); break;
    case MsgButtons::OkCancel:
      add(kOkText, QMessageBox::AcceptRole, MsgAnswer::Ok);
      escape = add(kCancelText, QMessageBox::RejectRole, MsgAnswer::Cancel);
      break;
    case MsgButtons::YesNo:
      add("&Да", QMessageBox::YesRole, MsgAnswer::Yes);
      escape = add("&Нет", QMessageBox::NoRole, MsgAnswer::No);
      break;
    case MsgButtons::YesNoDefaultNo:
      add("&Да", QMessageBox::YesRole, MsgAnswer::Yes);
      escape = add("&Нет", QMessageBox::NoRole, MsgAnswer::No);
      box.setDefaultButton(escape);
      break;
    case MsgButtons::YesNoCancel:
      add("&Да", QMessageBox::YesRole, MsgAnswer::Yes);
      add("&Нет", QMessageBox::NoRole, MsgAnswer::No);
      escape = add(kCancelText, QMessageBox::RejectRole, MsgAnswer::Cancel);
      break;
  }
  box.setEscapeButton(escape);
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (!clicked) return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
  return MsgAnswer(clicked->property("answer").toInt());
}

std::optional<int> QtUi::choose(const QString& text, const QString& title,
                                const QStringList& buttons, MsgIcon icon) {
  QMessageBox box(m_parent);
  prepareBox(box, text, title, icon);
  QList<QAbstractButton*> added;
  for (const QString& caption : buttons) added.append(box.addButton(caption, QMessageBox::ActionRole));
  // Enter gives the first answer, as the callers list the one that keeps the most first.
  if (!added.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
  // Escape answers nothing: the caller leaves everything as it is.
  QPushButton* later = box.addButton(QString::fromUtf8(kCancelText), QMessageBox::RejectRole);
  box.setEscapeButton(later);
  box.exec();
  const qsizetype index = added.indexOf(box.clickedButton());
  if (index < 0) return std::nullopt;
  return int(index);
}

std::optional<QString> QtUi::inputBox(const QString& prompt, const QString& title,
                                      const QString& defaultText) {
  QInputDialog dialog(m_parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setOkButtonText(QString::fromUtf8(kOkText));
  dialog.setCancelButtonText(QString::fromUtf8(kCancelText));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

FileChoice QtUi::fileDialog(const FileRequest& request, bool save) {
  QFileDialog dialog(m_parent, request.title, request.initialDir);
  const QStringList filters = NameFilters(request.filter);
  dialog.setNameFilters(filters);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  const int index = std::clamp(request.filterIndex, 1, int(std::max<qsizetype>(filters.size(), 1)));
  if (!filters.isEmpty()) dialog.selectNameFilter(filters[index - 1]);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  FileChoice choice;
  const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  choice.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (choice.filterIndex <= 0) choice.filterIndex = index;
  if (accepted) choice.path = dialog.selectedFiles().constFirst().trimmed();
  return choice;
}

FileChoice QtUi::openFile(const FileRequest& request) { return fileDialog(request, false); }
FileChoice QtUi::saveFile(const FileRequest& request) { return fileDialog(request, true); }

std::optional<QString> QtUi::folder(const QString& title, const QString& initialDir) {
  const QString dir = QFileDialog::getExistingDirectory(m_parent, title, initialDir);
  if (dir.isEmpty()) return std::nullopt;
  return dir;
}

std::optional<QColor> QtUi::colour(const QColor& initial) {
  const QColor c = QColorDialog::getColor(initial, m_parent);
  if (!c.isValid()) return std::nullopt;
  return c;
}

std::optional<QFont> QtUi::font(const QFont& initial) {
  bool ok = false;
  const QFont f = QFontDialog::getFont(&ok, initial, m_parent);
  if (!ok) return std::nullopt;
  return f;
}

bool QtUi::choosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, m_parent);
  return dialog.exec() == QDialog::Accepted;
}

int QtUi::runModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace platform

#include "text/frm_format.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/settings_store.h"
#include "platform/tab_order.h"
#include "shell/frm_main.h"
#include "shell/window_placement.h"
#include "text/paragraph.h"
#include "text/text_command.h"

namespace text {
namespace {

QLabel* label(const char* name, const QString& caption, QWidget* parent) {
  auto* result = new QLabel(caption, parent);
  result->setObjectName(QString::fromUtf8(name));
  return result;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* result = new QPushButton(caption, parent);
  result->setObjectName(QString::fromUtf8(name));
  return result;
}

FormatOptions readOptions(const platform::SettingsStore& settings) {
  return {settings.get(platform::Setting::RecSpace), settings.get(platform::Setting::PWidth),
          settings.flag(platform::Setting::FirstLB)};
}

void runFormat(shell::FrmMain& window) {
  platform::SettingsStore& settings = window.context().settings;
  FrmFormat dialog(readOptions(settings), &window);
  shell::RestorePosition(dialog, settings, "Format");
  QObject::connect(&dialog, &FrmFormat::recSpaceChanged, [&settings](const QString& text) {
    settings.set(platform::Setting::RecSpace, text);
  });
  QObject::connect(&dialog, &FrmFormat::indentChanged, [&settings](const QString& text) {
    settings.set(platform::Setting::PWidth, text);
  });
  QObject::connect(&dialog, &FrmFormat::capitaliseClicked,
                   [&settings](bool on) { settings.setFlag(platform::Setting::FirstLB, on); });
  const int result = window.context().ui.runModal(dialog);
  shell::StorePosition(dialog, settings, "Format");
  if (result != QDialog::Accepted) {
    window.focusEditor();
    return;
  }
  const FormatOptions options = dialog.options();
  Apply(window, Target::Whole, [&options](const QString& text) {
    return FormatParagraphs(text, options.recSpace, options.indent, options.capitalise);
  });
}

}  // namespace

FrmFormat::FrmFormat(const FormatOptions& options, QWidget* parent)
    : QDialog(parent),
      m_recSpace(new QLineEdit(options.recSpace, this)),
      m_indent(new QLineEdit(options.indent, this)),
      m_capitalise(new QCheckBox(QStringLiteral("Первая буква заглавная"), this)) {
  setObjectName("frmFormat");
  setWindowTitle(QStringLiteral("Форматирование текста"));
  setModal(true);
  m_recSpace->setObjectName("txtRecSpace");
  m_indent->setObjectName("PWidth");
  m_capitalise->setObjectName("chkFirstLB");
  m_capitalise->setChecked(options.capitalise);

  auto* grid = new QGridLayout(this);
  grid->addWidget(label("lblRecSpace", QStringLiteral("Определять по:"), this), 0, 0);
  grid->addWidget(m_recSpace, 0, 1);
  grid->addWidget(label("lblRecSpaceEnd", QStringLiteral("пробелам в начале строки или TAB"), this),
                  0, 2);
  grid->addWidget(label("lblPWidth", QStringLiteral("Отступ"), this), 1, 0);
  grid->addWidget(m_indent, 1, 1);
  grid->addWidget(label("lblPWidthEnd", QStringLiteral("пробелов"), this), 1, 2);
  grid->addWidget(m_capitalise, 2, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  QPushButton* ok = button("cmdOK", QStringLiteral("OK"), this);
  QPushButton* cancel = button("cmdClose", QStringLiteral("Отмена"), this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 3, 0, 1, 3);

  platform::ChainTabOrder({m_recSpace, m_indent, m_capitalise, ok, cancel});

  connect(m_recSpace, &QLineEdit::textChanged, this, &FrmFormat::recSpaceChanged);
  connect(m_indent, &QLineEdit::textChanged, this, &FrmFormat::indentChanged);
  connect(m_capitalise, &QCheckBox::clicked, this, &FrmFormat::capitaliseClicked);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

FormatOptions FrmFormat::options() const {
  return {m_recSpace->text(), m_indent->text(), m_capitalise->isChecked()};
}

void InstallFormatCommand(shell::FrmMain& window) {
  window.commands().bind("mnuFormat", [&window] { runFormat(window); });
}

}  // namespace text

#include "html/frm_html_grad.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "html/html_colour.h"
#include "platform/settings_store.h"
#include "platform/tab_order.h"
#include "platform/ui.h"

namespace html {
namespace {

const platform::SettingDef* const kSettings[2] = {&platform::Setting::LastG1,
                                                  &platform::Setting::LastG2};

QColor qtColour(int colour) { return QColor(colour & 255, (colour >> 8) & 255, (colour >> 16) & 255); }

}  // namespace

FrmHTMLGrad::FrmHTMLGrad(platform::SettingsStore& settings, platform::Ui& ui, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_ui(ui) {
  setObjectName("frmHTMLGrad");
  setWindowTitle(QStringLiteral("HTML - градиент"));
  // Wide enough for the window manager to show the whole title.
  setMinimumWidth(280);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int which = 0; which < 2; ++which) {
    m_colours[which] = settings.number(*kSettings[which], m_colours[which]);
    m_swatches[which] = new QPushButton(this);
    m_swatches[which]->setObjectName(which == 0 ? "pctCol1" : "pctCol2");
    m_swatches[which]->setFixedSize(48, 24);
    m_swatches[which]->setToolTip(which == 0 ? QStringLiteral("Начальный цвет")
                                             : QStringLiteral("Конечный цвет"));
    m_codes[which] = new QLineEdit(this);
    m_codes[which]->setObjectName(which == 0 ? "lbl1" : "lbl2");
    m_codes[which]->setReadOnly(true);
    grid->addWidget(m_swatches[which], which, 0);
    grid->addWidget(m_codes[which], which, 1);
    connect(m_swatches[which], &QPushButton::clicked, this, [this, which] { pick(which); });
    paint(which);
  }
  layout->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("&Отмена"), this);
  cancel->setObjectName("cmbClose");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  platform::ChainTabOrder({m_swatches[0], m_swatches[1], ok, cancel});
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmHTMLGrad::pick(int which) {
  // The dialog's own cancel, not a colour value, tells a cancel: black is a colour like any.
  const std::optional<QColor> chosen = m_ui.colour(qtColour(m_colours[which]));
  if (!chosen) return;
  m_colours[which] = WindowsColour(*chosen);
  m_settings.set(*kSettings[which], QString::number(m_colours[which]));
  paint(which);
}

void FrmHTMLGrad::paint(int which) {
  const QString code = ColorToHtml(m_colours[which]);
  m_swatches[which]->setStyleSheet(QStringLiteral("background-color: #%1;").arg(code));
  m_codes[which]->setText(u'#' + code);
}

}  // namespace html

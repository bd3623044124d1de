#include "automation/frm_program_wait.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/caption_marks.h"

namespace automation {

FrmProgramWait::FrmProgramWait(const QString& caption, QWidget* parent) : QDialog(parent) {
  setObjectName("frmProgramWait");
  setWindowTitle(QStringLiteral("Программа"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(this);
  platform::SetTextWithSuffix(*label, QStringLiteral("Текст обрабатывается программой"),
                              QStringLiteral(" «%1»…").arg(caption));
  label->setObjectName("lblProgram");
  layout->addWidget(label);
  auto* busy = new QProgressBar(this);
  busy->setObjectName("prgBusy");
  busy->setRange(0, 0);  // no end known: the bar just shows that work goes on
  busy->setTextVisible(false);
  layout->addWidget(busy);
  auto* buttons = new QHBoxLayout;
  auto* stop = new QPushButton(QStringLiteral("Остановить"), this);
  stop->setObjectName("cmdStop");
  buttons->addStretch();
  buttons->addWidget(stop);
  layout->addLayout(buttons);
  connect(stop, &QPushButton::clicked, this, &FrmProgramWait::stopRequested);
}

void FrmProgramWait::reject() { Q_EMIT stopRequested(); }

}  // namespace automation

#include "shell/frm_about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/caption_marks.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace shell {

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle(QStringLiteral("О программе"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(QStringLiteral("<h2>%1</h2>").arg(kProgramName), this);
  name->setObjectName("lblName");
  platform::MarkDataCaption(*name);
  auto* version = new QLabel(this);
  platform::SetTextWithSuffix(*version, QStringLiteral("Версия"), u' ' + QString(kVersion));
  version->setObjectName("lblVersion");
  auto* about = new QLabel(
      QStringLiteral("Текстовый редактор с набором инструментов для работы с текстом,\n"
                     "кодировками, HTML и макросами."),
      this);
  about->setObjectName("lblAbout");
  for (QLabel* label : {name, version, about}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

void InstallAbout(FrmMain& window) {
  window.commands().bind("mnuAbout", [&window] {
    FrmAbout about(&window);
    window.context().ui.runModal(about);
  });
}

}  // namespace shell

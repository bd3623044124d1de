#include "text/frm_stat.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/caption_marks.h"
#include "shell/version.h"

namespace text {
namespace {

constexpr int kTitleBarButtons = 120;  // pixels for the icon and the buttons of a title bar

}  // namespace

FrmStat::FrmStat(const QStringList& lines, const QString& fileName, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmStat");
  const QString caption = QStringLiteral("Статистика");
  platform::SetTitleWithSuffix(
      *this, caption,
      u' ' + (fileName.isEmpty() ? QString::fromUtf8(shell::kUntitled) : fileName));
  // Wide enough for the whole title beside the window manager's buttons.
  QFont titleFont = font();
  titleFont.setBold(true);
  setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarButtons);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(lines.join('\n'), this);
  label->setObjectName("lblStat");
  platform::MarkDataCaption(*label);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(label);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace text

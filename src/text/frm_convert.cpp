#include "text/frm_convert.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/tab_order.h"
#include "text/code_page.h"

namespace text {
namespace {

QComboBox* codePageList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (int code = 1; code <= kCodePageCount; ++code) list->addItem(CodePageListName(code));
  return list;
}

}  // namespace

FrmConvert::FrmConvert(int currentCodePage, std::function<void(int, int)> convert,
                       QWidget* parent)
    : QDialog(parent),
      m_source(codePageList(this, "cmbSource")),
      m_dest(codePageList(this, "cmbDest")) {
  setObjectName("frmConvert");
  setWindowTitle(QStringLiteral("Конвертировать"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  auto* from = new QLabel(QStringLiteral("Из:"), this);
  from->setObjectName("lblSource");
  auto* to = new QLabel(QStringLiteral("В:"), this);
  to->setObjectName("lblDest");
  form->addRow(from, m_source);
  form->addRow(to, m_dest);
  layout->addLayout(form);
  auto* buttons = new QHBoxLayout;
  auto* run = new QPushButton(QStringLiteral("Конвертировать"), this);
  run->setObjectName("cmdConvert");
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  close->setObjectName("cmdClose");
  buttons->addWidget(run);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  platform::ChainTabOrder({m_source, m_dest, run, close});
  m_source->setCurrentIndex(std::clamp(currentCodePage, 1, kCodePageCount) - 1);
  m_dest->setCurrentIndex(1);
  connect(run, &QPushButton::clicked, this, [this, convert = std::move(convert)] {
    convert(m_source->currentIndex() + 1, m_dest->currentIndex() + 1);
  });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

}  // namespace text

#include "html/frm_text_to_html.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/settings_store.h"
#include "platform/tab_order.h"

namespace html {
namespace {

namespace Setting = platform::Setting;

struct Option {
  const char* name;
  const char* caption;
  const platform::SettingDef& setting;
  bool TextToHtmlOptions::*flag;
};

const Option kOptions[] = {
    {"chkReplaceSpaces", "Пробелы на &&nbsp;", Setting::HTMLReplaceSpaces,
     &TextToHtmlOptions::replaceSpaces},
    {"chkSpecSymbols", "Заменять спец. символами", Setting::HTMLSpecSymbols,
     &TextToHtmlOptions::specialSymbols},
    {"chkReplaceWithBR", "Перевод строки на <BR>", Setting::HTMLReplaceBR,
     &TextToHtmlOptions::lineBreaks},
    {"chkReplaceParaWithP", "Заменять абзацы на <p>", Setting::HTMLReplacePara,
     &TextToHtmlOptions::paragraphs},
    {"chkHTMLCont", "Вставлять заголовок", Setting::HTMLCont, &TextToHtmlOptions::pageFrame},
};
static_assert(std::size(kOptions) == 5, "the tab chain below names every option");

}  // namespace

FrmTextToHtml::FrmTextToHtml(platform::SettingsStore& settings,
                             std::function<void(const TextToHtmlOptions&)> convert,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmTextToHTML");
  setWindowTitle(QStringLiteral("Текст -> HTML"));
  auto* layout = new QVBoxLayout(this);
  QList<QWidget*> order;
  for (const Option& option : kOptions) {
    // "&&" shows one "&" where Qt would take it for an accelerator.
    auto* box = new QCheckBox(QString::fromUtf8(option.caption), this);
    box->setObjectName(option.name);
    box->setChecked(settings.flag(option.setting));
    connect(box, &QCheckBox::toggled, this,
            [&settings, &option](bool on) { settings.setFlag(option.setting, on); });
    layout->addWidget(box);
    order << box;
  }
  auto* buttons = new QHBoxLayout;
  auto* run = new QPushButton(QStringLiteral("&Конвертировать"), this);
  run->setObjectName("cmdConvert");
  auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
  close->setObjectName("cmdClose");
  buttons->addWidget(run);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  platform::ChainTabOrder({order[0], order[1], order[2], order[3], order[4], run, close});
  connect(run, &QPushButton::clicked, this,
          [this, convert = std::move(convert)] { convert(options()); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

TextToHtmlOptions StoredTextToHtmlOptions(const platform::SettingsStore& settings) {
  TextToHtmlOptions result;
  for (const Option& option : kOptions) result.*(option.flag) = settings.flag(option.setting);
  return result;
}

TextToHtmlOptions FrmTextToHtml::options() const {
  TextToHtmlOptions result;
  for (const Option& option : kOptions)
    if (const auto* box = findChild<QCheckBox*>(QString::fromLatin1(option.name)))
      result.*(option.flag) = box->isChecked();
  return result;
}

}  // namespace html

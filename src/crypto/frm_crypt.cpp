#include "crypto/frm_crypt.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/tab_order.h"
#include "platform/ui.h"
#include "shell/version.h"

namespace crypto {
namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* result = new QPushButton(caption, parent);
  result->setObjectName(QString::fromUtf8(name));
  result->setAutoDefault(false);
  return result;
}

}  // namespace

FrmCrypt::FrmCrypt(platform::Ui& ui, QWidget* parent)
    : QDialog(parent),
      m_ui(ui),
      m_password(new QLineEdit(this)),
      m_legacy(new QCheckBox(QStringLiteral("Старый формат (слабая защита)"), this)) {
  setObjectName("frmCrypt");
  setWindowTitle(QStringLiteral("Шифрование"));
  setModal(true);
  auto* note = new QLabel(QStringLiteral("Пароль: не короче %1 символов; чем длиннее, тем надежнее")
                              .arg(kMinPasswordLength),
                          this);
  note->setObjectName("lblPasswd");
  note->setBuddy(m_password);
  m_password->setObjectName("txtPasswd");
  m_password->setEchoMode(QLineEdit::Password);
  m_password->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
  m_password->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_legacy->setObjectName("chkLegacy");
  m_legacy->setToolTip(QStringLiteral(
      "Для текстов, которые нужно прочесть в прежних версиях: без соли и без проверки "
      "целостности, подбирается за часы."));

  QPushButton* encrypt = button("cmdEncrypt", QStringLiteral("Шифровать"), this);
  QPushButton* decrypt = button("cmdDecrypt", QStringLiteral("Дешифровать"), this);
  QPushButton* close = button("cmdClose", QStringLiteral("Закрыть"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(m_password);
  layout->addWidget(m_legacy);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(encrypt);
  buttons->addWidget(decrypt);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
  platform::ChainTabOrder({m_password, m_legacy, encrypt, decrypt, close});

  connect(encrypt, &QPushButton::clicked, this, [this] { choose(Action::Encrypt); });
  connect(decrypt, &QPushButton::clicked, this, [this] { choose(Action::Decrypt); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

FrmCrypt::~FrmCrypt() { m_password->setText(QString()); }

CipherFormat FrmCrypt::format() const {
  return m_legacy->isChecked() ? CipherFormat::Legacy : CipherFormat::Modern;
}

QString FrmCrypt::takePassword() {
  QString password = m_password->text();
  // Setting the text, unlike clear(), also drops the field's undo history.
  m_password->setText(QString());
  return password;
}

void FrmCrypt::choose(Action action) {
  if (m_textReadOnly)
    return refuse(QStringLiteral("Документ открыт только для чтения: текст не изменён."));
  const QString password = m_password->text();
  if (password.isEmpty()) return refuse(QStringLiteral("Не введен пароль!"));
  if (action == Action::Encrypt && !LongEnoughToEncrypt(password))
    return refuse(QStringLiteral("Пароль для шифрования должен быть не короче %1 символов.")
                      .arg(kMinPasswordLength));
  m_action = action;
  accept();
}

void FrmCrypt::refuse(const QString& message) {
  m_ui.message(message, QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
               platform::MsgIcon::Error);
  m_password->setFocus();
}

}  // namespace crypto

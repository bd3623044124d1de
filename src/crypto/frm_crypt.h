// The window "Шифрование": the password, the choice of the weak old format, and whether to
// encrypt or decrypt. It refuses an empty password (and a short one for encrypting) while it is
// still open, so the user can type another; the caller does the work once it has closed.
#pragma once

#include <QDialog>
#include <QString>

#include "crypto/text_cipher.h"

class QCheckBox;
class QLineEdit;

namespace platform {
class Ui;
}

namespace crypto {

class FrmCrypt : public QDialog {
  Q_OBJECT
 public:
  enum class Action { None, Encrypt, Decrypt };

  explicit FrmCrypt(platform::Ui& ui, QWidget* parent = nullptr);
  ~FrmCrypt() override;

  // What the user chose; None when the window was closed.
  Action action() const { return m_action; }
  CipherFormat format() const;
  // The password typed. The field is emptied, so the caller's copy is the only one left for it
  // to wipe.
  QString takePassword();

 private:
  void choose(Action action);
  void refuse(const QString& message);

  platform::Ui& m_ui;
  QLineEdit* m_password;
  QCheckBox* m_legacy;
  Action m_action = Action::None;
};

}  // namespace crypto

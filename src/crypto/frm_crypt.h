// The window "Шифрование": the password, the choice of the weak old format, and whether to
// encrypt or decrypt. It refuses an empty password (and a short one for encrypting), and any
// change to a read-only text, while it is still open, so the user can type another password or
// close it knowing why; the caller does the work once it has closed.
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

  // A read-only text cannot take the result: the window then says so and stays open, with the
  // password as typed.
  void setTextReadOnly(bool readOnly) { m_textReadOnly = readOnly; }

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
  bool m_textReadOnly = false;
};

}  // namespace crypto

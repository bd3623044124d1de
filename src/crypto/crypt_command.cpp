#include "crypto/crypt_command.h"

#include <QApplication>

#include "crypto/frm_crypt.h"
#include "crypto/secret_bytes.h"
#include "crypto/text_cipher.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace crypto {
namespace {

// Deriving the key takes a noticeable moment by design.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// Puts the result in place as one undo step; on failure says why and leaves the text alone.
// UTF-8 both ways, so a zero byte of a legacy cipher text is kept like any other.
void apply(shell::FrmMain& window, FrmCrypt::Action action, CipherFormat format,
           const QString& password) {
  platform::EditControl& editor = window.txtMain();
  QByteArray text = editor.selectedTextUtf8();
  const bool selection = !text.isEmpty();
  if (!selection) text = editor.textUtf8();
  CryptResult result;
  {
    const WaitCursor wait;
    result = action == FrmCrypt::Action::Encrypt ? EncryptText(text, password, format)
                                                 : DecryptText(text, password);
  }
  if (!result.ok()) {
    window.context().ui.message(CryptErrorMessage(result.error),
                                QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                                platform::MsgIcon::Error);
    return;
  }
  if (selection)
    editor.setSelectedTextUtf8(result.bytes);
  else
    editor.setTextUtf8(result.bytes);
}

void runCrypt(shell::FrmMain& window) {
  FrmCrypt dialog(window.context().ui, &window);
  dialog.setTextReadOnly(window.txtMain().isReadOnly());
  const int answer = window.context().ui.runModal(dialog);
  QString password = dialog.takePassword();
  if (answer == QDialog::Accepted && dialog.action() != FrmCrypt::Action::None)
    apply(window, dialog.action(), dialog.format(), password);
  WipeString(password);
  window.focusEditor();
}

}  // namespace

void InstallCryptCommand(shell::FrmMain& window) {
  window.commands().bind("mnuHash", [&window] { runCrypt(window); });
}

}  // namespace crypto

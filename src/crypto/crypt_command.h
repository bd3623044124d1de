// The command "Ши&фрование": encrypts or decrypts the selection, or the whole text when nothing
// is selected, with the password given in the window "Шифрование".
#pragma once

namespace shell {
class FrmMain;
}

namespace crypto {

void InstallCryptCommand(shell::FrmMain& window);

}  // namespace crypto

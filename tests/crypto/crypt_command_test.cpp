// "Ши&фрование" on the real main window: the password window as the user fills it in, the
// selection-or-whole rule, one undo step, and a document that stays as it was on every refusal
// and failure.
#include "crypto/crypt_command.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>

#include "cipher/modern_cipher.h"
#include "crypto/text_cipher.h"
#include "platform/edit_control.h"
#include "shell/version.h"
#include "support/main_window_fixture.h"

namespace crypto {
namespace {

using testing_support::MainWindowTest;

const QString kPassword = QStringLiteral("длинный пароль");
const QString kWrongPassword = QStringLiteral("другой пароль");

class CryptCommandTest : public MainWindowTest {
 protected:
  platform::EditControl& editor() { return m_window->txtMain(); }

  // The user types the password, sets the old-format box, and presses the button; then
  // answers the message about the outcome, when one is expected.
  void use(const char* button, const QString& password, bool legacy = false,
           const QString& message = QString()) {
    m_ui.answerModal([=](QDialog& d) {
      d.findChild<QLineEdit*>("txtPasswd")->setText(password);
      if (legacy) d.findChild<QCheckBox*>("chkLegacy")->click();
      d.findChild<QPushButton*>(button)->click();
      return d.result();
    });
    if (!message.isEmpty()) m_ui.answerMessage(platform::MsgAnswer::Ok, message);
    click("mnuHash");
  }
  void expectRefusal(const QString& message) {
    ASSERT_FALSE(m_ui.messages.isEmpty());
    EXPECT_EQ(m_ui.messages.last().text, message);
    EXPECT_EQ(m_ui.messages.last().title, QString::fromUtf8(shell::kProgramName));
    EXPECT_EQ(m_ui.messages.last().icon, platform::MsgIcon::Error);
  }
};

TEST_F(CryptCommandTest, WindowOffersALongHiddenPasswordAndTheWeakFormatOnlyOnRequest) {
  start();
  m_ui.answerModal([](QDialog& d) {
    EXPECT_EQ(d.objectName(), "frmCrypt");
    EXPECT_EQ(d.windowTitle(), "Шифрование");
    auto* field = d.findChild<QLineEdit*>("txtPasswd");
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(QFontInfo(field->font()).fixedPitch());
    field->setText(QString(64, u'ж'));
    EXPECT_EQ(field->text().size(), 64) << "no 20-character limit";
    EXPECT_FALSE(d.findChild<QCheckBox*>("chkLegacy")->isChecked());
    d.findChild<QPushButton*>("cmdClose")->click();
    return d.result();
  });
  editor().setText("текст");
  click("mnuHash");
  EXPECT_EQ(editor().text(), "текст");
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(CryptCommandTest, EncryptsTheSelectionOnlyAsOneUndoStepAndDecryptsItBack) {
  start();
  const QString original = QStringLiteral("первая\r\nвторая строка\r\nтретья");
  editor().setText(original);
  editor().setSelection({1, 0, 1, 13});
  use("cmdEncrypt", kPassword);
  const QStringList lines = editor().text().split("\r\n");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "первая");
  EXPECT_TRUE(lines[1].startsWith(modern::kPrefix)) << lines[1].toStdString();
  EXPECT_EQ(lines[2], "третья");
  const QString encrypted = editor().text();

  editor().undo();
  EXPECT_EQ(editor().text(), original);
  editor().redo();
  EXPECT_EQ(editor().text(), encrypted);

  // The cipher line selected with its line break: the break stays.
  editor().setSelection({1, 0, 2, 0});
  use("cmdDecrypt", kPassword);
  EXPECT_EQ(editor().text(), original);
  EXPECT_TRUE(m_ui.messages.isEmpty());
  EXPECT_TRUE(m_ui.allAnswered());
}

TEST_F(CryptCommandTest, WithoutASelectionTheWholeTextIsReplaced) {
  start();
  const QString original = QStringLiteral("Весь текст,\r\nи «ещё» строка");
  editor().setText(original);
  use("cmdEncrypt", kPassword, true);
  const QString legacy = editor().text();
  EXPECT_NE(legacy, original);
  EXPECT_FALSE(legacy.startsWith(modern::kPrefix));
  use("cmdDecrypt", kPassword);
  EXPECT_EQ(editor().text(), original);
  editor().undo();
  EXPECT_EQ(editor().text(), legacy) << "decrypting is one undo step too";

  editor().setText(QString::fromLatin1(
      modern::Seal(original.toUtf8(), kPassword.toUtf8(), modern::MinimalLimits()).bytes));
  use("cmdDecrypt", kPassword);
  EXPECT_EQ(editor().text(), original);
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

// Refused in the open window, which stays open for another try; the text is not touched.
TEST_F(CryptCommandTest, AnEmptyOrShortPasswordIsRefusedBeforeAnythingChanges) {
  start();
  editor().setText("текст");
  m_ui.answerModal([](QDialog& d) {
    for (const char* button : {"cmdEncrypt", "cmdDecrypt"}) {
      d.findChild<QPushButton*>(button)->click();
      EXPECT_TRUE(d.isVisible()) << button;
    }
    d.findChild<QLineEdit*>("txtPasswd")->setText("1234567");
    d.findChild<QPushButton*>("cmdEncrypt")->click();
    EXPECT_TRUE(d.isVisible());
    d.findChild<QPushButton*>("cmdClose")->click();
    return d.result();
  });
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не введен пароль!");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "Не введен пароль!");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "не короче 8 символов");
  click("mnuHash");
  EXPECT_EQ(m_ui.messages.size(), 3);
  EXPECT_EQ(m_ui.messages[0].text, "Не введен пароль!");
  expectRefusal(QStringLiteral("Пароль для шифрования должен быть не короче 8 символов."));
  EXPECT_EQ(editor().text(), "текст");
  editor().undo();
  EXPECT_EQ(editor().text(), "") << "the only step to undo is setting the text";
  EXPECT_TRUE(m_ui.allAnswered());
}

// A read-only text used to close the window and change nothing without a word: the window now
// says why and stays open with the password as typed.
TEST_F(CryptCommandTest, AReadOnlyTextIsRefusedWithTheWindowStillOpen) {
  start();
  const QString sealed =
      QString::fromLatin1(modern::Seal("тайна", kPassword.toUtf8(), modern::MinimalLimits()).bytes);
  editor().setText(sealed);
  editor().setReadOnly(true);
  m_ui.answerModal([](QDialog& d) {
    auto* field = d.findChild<QLineEdit*>("txtPasswd");
    field->setText(kPassword);
    for (const char* button : {"cmdEncrypt", "cmdDecrypt"}) {
      SCOPED_TRACE(button);
      d.findChild<QPushButton*>(button)->click();
      EXPECT_TRUE(d.isVisible());
      EXPECT_EQ(field->text(), kPassword);
    }
    d.findChild<QPushButton*>("cmdClose")->click();
    return d.result();
  });
  m_ui.answerMessage(platform::MsgAnswer::Ok, "только для чтения");
  m_ui.answerMessage(platform::MsgAnswer::Ok, "только для чтения");
  click("mnuHash");
  expectRefusal(QStringLiteral("Документ открыт только для чтения: текст не изменён."));
  EXPECT_EQ(editor().text(), sealed);
  EXPECT_TRUE(m_ui.allAnswered());

  // Editable again, the same password decrypts it.
  editor().setReadOnly(false);
  use("cmdDecrypt", kPassword);
  EXPECT_EQ(editor().text(), "тайна");
}

// Texts of earlier versions may have short passwords: decrypting takes them.
TEST_F(CryptCommandTest, AShortPasswordStillDecrypts) {
  start();
  editor().setText(QString::fromUtf8(
      EncryptText(QByteArray("старый текст"), u"abc", CipherFormat::Legacy).bytes));
  use("cmdDecrypt", "abc");
  EXPECT_EQ(editor().text(), "старый текст");
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(CryptCommandTest, FailuresLeaveTheDocumentAsItWas) {
  start();
  const QString sealed =
      QString::fromLatin1(modern::Seal("тайна", kPassword.toUtf8(), modern::MinimalLimits()).bytes);
  QString changed = sealed;
  changed[30] = changed[30] == u'Q' ? u'R' : u'Q';
  struct Case {
    const char* what;
    QString text;
    const char* button;
    QString password;
    bool legacy;
    QString message;
  } cases[] = {
      {"wrong password", sealed, "cmdDecrypt", kWrongPassword, false,
       "Неверный пароль или поврежденный текст"},
      {"changed character", changed, "cmdDecrypt", kPassword, false,
       "Неверный пароль или поврежденный текст"},
      {"not a cipher text", "обычный текст", "cmdDecrypt", kPassword, false,
       "Неверный пароль или поврежденный текст"},
      {"old format, other alphabet", "日本語", "cmdEncrypt", kPassword, true,
       "В тексте есть знаки, которых нет в кодировке Windows-1251"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor().setText(c.text);
    use(c.button, c.password, c.legacy, c.message);
    EXPECT_EQ(editor().text(), c.text);
    editor().undo();
    EXPECT_EQ(editor().text(), "") << "the only step to undo is setting the text";
    EXPECT_TRUE(m_ui.allAnswered());
  }
}

}  // namespace
}  // namespace crypto

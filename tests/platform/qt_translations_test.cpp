// Qt's own dialogs speak the interface language, and the program's own boxes say "ОК" and
// "Отмена" whatever Qt's translation says.
#include "platform/qt_translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>

#include "platform/qt_ui.h"

namespace platform {
namespace {

QString cancelText() {
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(UseQtTranslations, RussianThenEnglish) {
  ASSERT_TRUE(UseQtTranslations("ru")) << "Qt's translations are installed with the program";
  EXPECT_EQ(cancelText(), "Отмена");
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
  ASSERT_TRUE(UseQtTranslations("en"));
  EXPECT_EQ(cancelText(), "Cancel");
  EXPECT_FALSE(UseQtTranslations("xx")) << "a language Qt has no translation for";
  EXPECT_EQ(cancelText(), "Cancel");
}

TEST(QtUiInputBox, SaysOkAndCancelInRussian) {
  UseQtTranslations("en");  // the program's own words hold whatever Qt speaks
  QtUi ui;
  QStringList buttons;
  QTimer::singleShot(0, [&buttons] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (const QPushButton* b : dialog->findChildren<QPushButton*>()) buttons << b->text();
    dialog->setTextValue("42");
    dialog->accept();
  });
  EXPECT_EQ(ui.inputBox("Введите позицию", "Переход", ""), std::optional<QString>("42"));
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"ОК", "Отмена"}));
}

}  // namespace
}  // namespace platform

// The real message box with named buttons: Enter gives the first answer, Escape none.
#include "platform/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace platform {
namespace {

TEST(QtUiChoose, EnterGivesTheFirstButtonAndEscapeNothing) {
  struct {
    const char* name;
    Qt::Key key;
    std::optional<int> answer;
  } cases[] = {{"Enter", Qt::Key_Return, 0}, {"Escape", Qt::Key_Escape, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QtUi ui;
    QString defaultText;
    QTimer::singleShot(0, [&defaultText, key = c.key] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      if (box->defaultButton()) defaultText = box->defaultButton()->text();
      QTest::keyClick(box, key);
    });
    const std::optional<int> answer =
        ui.choose("Сохранить?", "Сохранение", {"&Первый", "&Второй"}, MsgIcon::Question);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(defaultText, "&Первый");
  }
}

}  // namespace
}  // namespace platform

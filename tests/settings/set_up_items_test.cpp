// The "Настроить" items of the highlight, plug-in and macro menus open the settings window on
// their page, with that page's controls, whatever page was shown before.
#include <QListWidget>

#include "settings/opened_page_fixture.h"

namespace settings {
namespace {

using SetUpItemsTest = OpenedPageTest;

TEST_F(SetUpItemsTest, EachItemShowsItsPage) {
  struct Row {
    const char* item;
    int page;
    const char* list;  // a control only that page has
  } rows[] = {
      {"mnuSetHightLight", kHighLightPage, "lstColors"},
      {"mnuSetPlugins", kPluginsPage, "lstPlugins"},
      {"mnuSetMacro", kMacroPage, "lstMacroOther"},
  };
  start();
  click("mnuSettings");
  FrmSettings* window = FindSettings(*m_window);
  ASSERT_NE(window, nullptr);
  window->showPage(kMainPage);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.item);
    click(row.item);
    ASSERT_EQ(FindSettings(*m_window), window) << "one settings window";
    EXPECT_EQ(window->currentPage(), row.page);
    QGroupBox& frame = window->frame(row.page);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isEnabled());
    EXPECT_NE(frame.findChild<QListWidget*>(row.list), nullptr);
    EXPECT_EQ(setting("LastSI"), QString::number(row.page));
  }
}

}  // namespace
}  // namespace settings

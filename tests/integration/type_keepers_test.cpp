// What else on the integration page keeps a file type with the program, so that undoing one
// choice never undoes another that shares its type.
#include "integration/type_keepers.h"

#include <gtest/gtest.h>

namespace integration {
namespace {

TEST(KeeperOf, ACheckedExtensionOfTheSameTypeOrTheHtmlEditor) {
  const AssociationList list = {{"htm", true}, {".html", true}, {"txt", false}, {"css", true}};
  struct {
    const char* what;
    const char* type;
    int except;
    bool htmlEditor;
    const char* expect;
  } cases[] = {
      {"another line of the type", "text/html", 0, false, "отмеченное расширение «.html»"},
      {"the first line of the type", "text/html", 1, false, "отмеченное расширение «.htm»"},
      {"an unchecked line keeps nothing", "text/plain", -1, false, ""},
      {"a type no line has", "image/png", -1, true, ""},
      {"a line of its own type only", "text/css", 3, true, ""},
      {"the HTML editor", "text/html", -1, true, "отмеченное расширение «.htm»"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(KeeperOf(c.type, list, c.except, c.htmlEditor), QString::fromUtf8(c.expect));
  }
  const AssociationList none = {{"htm", false}};
  EXPECT_EQ(KeeperOf("text/html", none, -1, true), "флажок «HTML-редактор по-умолчанию»");
  EXPECT_EQ(KeeperOf("text/html", none, -1, false), "");
}

}  // namespace
}  // namespace integration

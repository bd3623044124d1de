// Every caret move refreshes the highlighted line, the edit commands and the status bar.
#include "editor/selection_events.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <functional>

#include "platform/edit_control.h"
#include "support/main_window_fixture.h"

namespace editor {
namespace {

using testing_support::MainWindowTest;

TEST(StatusText, Format) {
  StatusInfo info{3, 10, "Dos - 866", 5, 12, 345};
  EXPECT_EQ(StatusText(info), "3 : 10 | Dos - 866 | 5 : 13 | Всего символов: 345");
}

class SelectionEventsTest : public MainWindowTest {
 protected:
  bool enabled(const char* name) {
    return m_window->commands().action(QString::fromUtf8(name))->isEnabled();
  }
};

TEST_F(SelectionEventsTest, StatusBarFollowsTheCaret) {
  shell::FrmMain& w = start();
  // A new document is written in UTF-8, and the status bar says so.
  EXPECT_EQ(w.statusText().text(), "1 : 1 | UTF-8 | 1 : 1 | Всего символов: 0");
  w.txtMain().setText("первая\r\nвторая строка\r\n");
  w.txtMain().setSelection({1, 3, 1, 3});
  EXPECT_EQ(w.statusText().text(), "2 : 3 | UTF-8 | 4 : 14 | Всего символов: 23");
  EXPECT_EQ(w.txtMain().highlightedLine(), 1);
  EXPECT_EQ(w.selectionRange(), (platform::SelRange{1, 3, 1, 3, false}));
}

TEST_F(SelectionEventsTest, EditCommandsFollowTheEditor) {
  shell::FrmMain& w = start();
  EXPECT_FALSE(enabled("mnuUndo"));
  w.txtMain().setText("abc");
  EXPECT_TRUE(enabled("mnuUndo"));
  w.txtMain().setSelection({0, 0, 0, 0});
  EXPECT_FALSE(enabled("mnuCut"));
  EXPECT_FALSE(enabled("mnuCopy"));
  EXPECT_FALSE(enabled("mnuDelete"));
  w.txtMain().setSelection({0, 0, 0, 2});
  EXPECT_TRUE(enabled("mnuCut"));
  EXPECT_TRUE(enabled("mnuCopy"));
  EXPECT_TRUE(enabled("mnuDelete"));
  w.commands().action("mnuUndo")->trigger();
  EXPECT_TRUE(enabled("mnuRedo"));
}

// Text copied elsewhere could not be pasted until the caret moved: the paste command kept the
// state it had before the clipboard changed.
TEST_F(SelectionEventsTest, PasteFollowsTheClipboardWhereverTheCaretStands) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  shell::FrmMain& w = start();
  w.txtMain().setText("abc");
  w.txtMain().setSelection({0, 1, 0, 1});
  EXPECT_FALSE(enabled("mnuPaste")) << "nothing to paste";
  const auto picture = [] {
    auto* data = new QMimeData;
    data->setImageData(QImage(2, 2, QImage::Format_RGB32));
    return data;
  };
  const struct {
    const char* what;
    std::function<void()> change;
    bool pasteable;
  } steps[] = {
      {"text", [clipboard] { clipboard->setText("вставка"); }, true},
      {"a picture", [clipboard, &picture] { clipboard->setMimeData(picture()); }, false},
      {"text again", [clipboard] { clipboard->setText("ещё"); }, true},
      {"nothing", [clipboard] { clipboard->clear(); }, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    EXPECT_EQ(enabled("mnuPaste"), step.pasteable);
    EXPECT_EQ(w.txtMain().selection(), (platform::SelRange{0, 1, 0, 1})) << "the caret stays";
  }
  // A read-only text takes no paste, whatever the clipboard holds.
  w.txtMain().setReadOnly(true);
  clipboard->setText("вставка");
  EXPECT_FALSE(enabled("mnuPaste"));
}

TEST_F(SelectionEventsTest, CurrentLineMarkCanBeOff) {
  m_settings->set(platform::Setting::HighLightCurrentLine, "0");
  shell::FrmMain& w = start();
  w.txtMain().setText("a\r\nb");
  w.txtMain().setSelection({1, 0, 1, 1});
  EXPECT_EQ(w.txtMain().highlightedLine(), -1);
}

}  // namespace
}  // namespace editor

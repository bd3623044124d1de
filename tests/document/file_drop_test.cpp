// Files dropped on the window open as "&Открыть" opens them; dropped text still goes where it
// is dropped. The drops are real drag events handed to the window as the window system hands
// them (enter, move, drop), offscreen.
#include "document/file_drop.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QFile>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "document/open_file.h"
#include "document/piece_load.h"
#include "platform/edit_control.h"
#include "platform/piece_reader.h"
#include "support/main_window_fixture.h"

namespace document {
namespace {

using platform::MsgAnswer;

// What a file manager offers: the files' addresses, and their paths as text besides.
std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data->setUrls(urls);
  data->setText(paths.join('\n'));
  return data;
}

std::unique_ptr<QMimeData> textData(const QString& text) {
  auto data = std::make_unique<QMimeData>();
  data->setText(text);
  return data;
}

class FileDropTest : public testing_support::MainWindowTest {
 protected:
  shell::FrmMain& showWindow() {
    shell::FrmMain& w = start();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    return w;
  }
  // The editing surface of an editing control (of txtMain when none is named).
  QWidget& textArea(const char* control = nullptr) {
    platform::EditControl* edit = control
                                      ? m_window->findChild<platform::EditControl*>(control)
                                      : &m_window->txtMain();
    EXPECT_NE(edit, nullptr) << control;
    auto* view = qobject_cast<QAbstractScrollArea*>(edit->focusWidget());
    EXPECT_NE(view, nullptr);
    return *view->viewport();
  }
  QWidget& statusBar() { return *m_window->findChild<QWidget*>("sbStatusBar"); }

  // Drags `data` over `target` and drops it there; the action the drop was taken with, or
  // IgnoreAction when it was refused.
  // Drags `data` over the middle of `under` and drops it there, through the window as the
  // window system delivers a drag (to the widget under the mouse that takes drops, or else its
  // nearest parent that does). The action the drop was taken with, or IgnoreAction.
  Qt::DropAction drop(QWidget& under, const QMimeData& data,
                      Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
    QWindow* window = m_window->windowHandle();
    const QPoint at = under.mapTo(m_window.get(), under.rect().center());
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    if (!move.isAccepted()) return Qt::IgnoreAction;
    QDropEvent dropped(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &dropped);
    return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
  }
  // The open waits until the drop is over.
  bool opened(const QString& path) {
    return QTest::qWaitFor([&] { return m_window->document().path() == path; }, 3000);
  }
};

TEST_F(FileDropTest, AFileDroppedOnTheTextOrTheRestOfTheWindowOpens) {
  const QString first = writeFile("first.txt", "первый");
  const QString second = writeFile("second.txt", "второй");
  showWindow();
  m_window->txtMain().setText("old");
  QCoreApplication::processEvents();
  m_window->document().setDirty(false);
  const struct {
    const char* where;
    std::function<QWidget&()> target;
    QString path;
    QString text;
  } cases[] = {
      {"the text", [this]() -> QWidget& { return textArea(); }, first, "первый"},
      {"the status bar", [this]() -> QWidget& { return statusBar(); }, second, "второй"},
      {"the window", [this]() -> QWidget& { return *m_window; }, first, "первый"},
      {"the code library's text", [this]() -> QWidget& { return textArea("txtCodeLib"); },
       second, "второй"},
  };
  click("mnuCodeLib");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    // A file manager offers a move too; taken as one, it would delete the file.
    EXPECT_EQ(drop(c.target(), *filesData({c.path})), Qt::CopyAction);
    ASSERT_TRUE(opened(c.path));
    EXPECT_EQ(m_window->txtMain().text(), c.text) << "the file, not its name in the old text";
    EXPECT_FALSE(m_window->document().Dirty());
    EXPECT_TRUE(QFile::exists(c.path));
  }
  EXPECT_EQ(setting("Last Dir"), homePath()) << "stored as an open stores it";
}

TEST_F(FileDropTest, AModifiedDocumentIsAskedAboutFirst) {
  const QString path = writeFile("dropped.txt", "с диска");
  showWindow();
  const struct {
    MsgAnswer answer;
    bool opens;
  } answers[] = {{MsgAnswer::Cancel, false}, {MsgAnswer::No, true}};
  for (const auto& a : answers) {
    SCOPED_TRACE(int(a.answer));
    m_window->txtMain().setText("изменённый текст");
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_window->document().Dirty());
    m_ui.answerMessage(a.answer, "Сохранить предыдущий документ перед открытием?");
    ASSERT_EQ(drop(textArea(), *filesData({path})), Qt::CopyAction);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_ui.allAnswered(); }, 3000));
    EXPECT_EQ(m_window->document().path() == path, a.opens);
    EXPECT_EQ(m_window->txtMain().text(), a.opens ? "с диска" : "изменённый текст");
  }
}

TEST_F(FileDropTest, TextStaysTextAndNeitherAnAddressNorAFolderOpens) {
  showWindow();
  m_window->txtMain().setText("ab");
  auto link = std::make_unique<QMimeData>();
  link->setUrls({QUrl("https://example.org/page")});
  link->setText("https://example.org/page");
  QDir().mkpath(homePath("folder"));
  auto folder = filesData({homePath("folder")});
  folder->setText(QString());

  // Dropped text goes in; nothing is opened.
  EXPECT_NE(drop(textArea(), *textData("X")), Qt::IgnoreAction);
  EXPECT_TRUE(m_window->txtMain().text().contains("X")) << m_window->txtMain().text().toStdString();
  // A web address is no file to open; the text component does with it what it always did.
  drop(textArea(), *link);
  // Outside the text, neither text nor a folder is taken.
  EXPECT_EQ(drop(statusBar(), *textData("Y")), Qt::IgnoreAction);
  EXPECT_EQ(drop(statusBar(), *folder), Qt::IgnoreAction);
  // A drag that may only be moved is refused: the file would be gone.
  const QString file = writeFile("moved.txt", "x");
  EXPECT_EQ(drop(statusBar(), *filesData({file}), Qt::MoveAction), Qt::IgnoreAction);
  QCoreApplication::processEvents();
  EXPECT_TRUE(m_window->document().isUntitled());
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(FileDropTest, OfSeveralFilesTheFirstOpens) {
  const QString a = writeFile("a.txt", "A");
  const QString b = writeFile("b.txt", "B");
  showWindow();
  ASSERT_EQ(drop(*m_window, *filesData({homePath(), a, b})), Qt::CopyAction)
      << "the folder is passed over";
  ASSERT_TRUE(opened(a));
  EXPECT_EQ(m_window->txtMain().text(), "A");
}

// A file dropped as a big one starts to come in waits in the queue until the load's own event
// loop takes it, before the first piece when reading and sizing up the file takes a while. Opened
// then, the small file's text would be taken for the big one's, and a save would write it over
// the big file.
TEST_F(FileDropTest, NothingOpensWhileABigFileComesIn) {
  const QByteArray line("big file line 0123456789\r\n");
  const QByteArray bytes = line.repeated(int(platform::kPieceLoadThreshold / line.size()) + 2);
  const QString big = writeFile("big.txt", bytes);
  const QString small = writeFile("small.txt", "small");
  shell::FrmMain& w = showWindow();
  bool started = false;
  std::optional<bool> openedBeforeFirstPiece;
  w.hooks().add(shell::PathHook::ColoursForLoad, [&](const QString&) {
    if (std::exchange(started, true)) return;
    // Both queued now, so they come first in the load's loop, before any piece is in.
    EXPECT_EQ(drop(textArea(), *filesData({small})), Qt::CopyAction);
    QTimer::singleShot(0, &w, [&] {
      if (LoadUnderWay(w) && !w.txtMain().isLoading()) openedBeforeFirstPiece = LFile(w, small);
    });
  });
  ASSERT_TRUE(LFile(w, big));
  QCoreApplication::processEvents();
  ASSERT_TRUE(started);
  ASSERT_TRUE(openedBeforeFirstPiece.has_value()) << "the open came before the first piece";
  EXPECT_FALSE(*openedBeforeFirstPiece);
  EXPECT_EQ(w.document().path(), big);
  EXPECT_FALSE(w.document().isPartial());
  EXPECT_FALSE(w.document().Dirty());
  EXPECT_EQ(w.txtMain().textUtf8(), bytes);
  EXPECT_TRUE(m_ui.messages.isEmpty());
}

}  // namespace
}  // namespace document

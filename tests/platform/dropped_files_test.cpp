// Which files a drag carries, and how a drag of files is taken.
#include "platform/dropped_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

namespace platform {
namespace {

TEST(DroppedFiles, AreTheLocalFilesInTheirOrderWithoutFolders) {
  QTemporaryDir dir;
  const QString a = dir.filePath("a b.txt");
  const QString c = dir.filePath("ц.txt");
  for (const QString& path : {a, c}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const struct {
    const char* what;
    QList<QUrl> urls;
    QString text;
    QStringList expect;
  } cases[] = {
      {"text only", {}, "/etc/passwd", {}},
      {"files", {QUrl::fromLocalFile(c), QUrl::fromLocalFile(a)}, "", {c, a}},
      {"a folder among them", {QUrl::fromLocalFile(dir.path()), QUrl::fromLocalFile(a)}, "", {a}},
      {"a web address", {QUrl("https://example.org/a.txt")}, "https://example.org/a.txt", {}},
      {"a missing file", {QUrl::fromLocalFile(dir.filePath("gone.txt"))}, "", {}},
  };
  for (const auto& c2 : cases) {
    SCOPED_TRACE(c2.what);
    QMimeData data;
    if (!c2.urls.isEmpty()) data.setUrls(c2.urls);
    if (!c2.text.isEmpty()) data.setText(c2.text);
    EXPECT_EQ(DroppedFiles(&data), c2.expect);
  }
  EXPECT_TRUE(DroppedFiles(nullptr).isEmpty());
}

TEST(AcceptFileDrag, TakesFilesAsACopyAndNeverAsAMove) {
  QTemporaryDir dir;
  QFile x(dir.filePath("x.txt"));
  ASSERT_TRUE(x.open(QIODevice::WriteOnly));
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(x.fileName())});
  QMimeData text;
  text.setText("x");
  const struct {
    const char* what;
    const QMimeData* data;
    Qt::DropActions offered;
    bool taken;
    Qt::DropAction action;
  } cases[] = {
      {"copy or move", &files, Qt::CopyAction | Qt::MoveAction, true, Qt::CopyAction},
      {"move only", &files, Qt::MoveAction, false, Qt::IgnoreAction},
      {"link only", &files, Qt::LinkAction, true, Qt::LinkAction},
      {"text", &text, Qt::CopyAction, false, Qt::IgnoreAction},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QDropEvent event(QPointF(1, 1), c.offered, c.data, Qt::LeftButton, Qt::NoModifier);
    event.setAccepted(false);
    EXPECT_EQ(AcceptFileDrag(event), c.taken);
    EXPECT_EQ(event.isAccepted(), c.taken);
    if (c.taken) {
      EXPECT_EQ(event.dropAction(), c.action);
    }
  }
}

TEST(FileDropHandlerOf, IsTheHandlerOfTheWidgetsOwnWindow) {
  QWidget window;
  auto* inner = new QWidget(new QWidget(&window));
  QWidget other;
  EXPECT_EQ(FileDropHandlerOf(*inner), nullptr) << "no handler: drops stay the widget's";
  QStringList opened;
  SetFileDropHandler(window, [&opened](const QStringList& paths) { opened += paths; });
  const FileDropHandler* open = FileDropHandlerOf(*inner);
  ASSERT_NE(open, nullptr);
  (*open)({"/a.txt"});
  EXPECT_EQ(opened, QStringList({"/a.txt"}));
  EXPECT_EQ(FileDropHandlerOf(other), nullptr) << "another window's drops are its own";
  // Set again, it replaces the first.
  SetFileDropHandler(window, [&opened](const QStringList&) { opened << "second"; });
  (*FileDropHandlerOf(window))({});
  EXPECT_EQ(opened, QStringList({"/a.txt", "second"}));
}

}  // namespace
}  // namespace platform

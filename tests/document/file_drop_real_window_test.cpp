// A file dragged from another program and dropped on the window, through the window system's
// drag-and-drop protocol: this test process is the file manager, the program runs as a child
// under the X server of scripts/real-window-tests.sh, and xdotool moves the mouse. Elsewhere
// (offscreen) skipped.
#include <gtest/gtest.h>

#include <QDrag>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "support/child_program.h"

namespace document {
namespace {

// A file manager's file: pressed, it starts a drag of the file offering a copy or a move.
class FileIcon : public QWidget {
 public:
  explicit FileIcon(QString path) : m_path(std::move(path)) {
    setWindowTitle("file manager");
    resize(160, 120);
  }
  bool dragging = false;
  bool finished = false;
  Qt::DropAction accepted = Qt::IgnoreAction;  // what the target last said it would take
  Qt::DropAction result = Qt::IgnoreAction;

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(m_path)});
    drag->setMimeData(data);
    QObject::connect(drag, &QDrag::actionChanged, this,
                     [this](Qt::DropAction action) { accepted = action; });
    dragging = true;
    result = drag->exec(Qt::CopyAction | Qt::MoveAction);
    finished = true;
  }

 private:
  QString m_path;
};

// Mouse moves for xdotool, each started once its condition holds and the one before is done. The
// drag runs a loop of its own, so the steps go on from a timer rather than from the test.
class MouseScript : public QObject {
 public:
  struct Step {
    std::function<bool()> ready;
    QStringList xdotool;
  };
  explicit MouseScript(std::vector<Step> steps) : m_steps(std::move(steps)) {
    connect(&m_timer, &QTimer::timeout, this, [this] { next(); });
    m_timer.start(20);
  }
  bool done() const { return m_at == m_steps.size() && !running(); }

 private:
  bool running() const { return m_tool && m_tool->state() != QProcess::NotRunning; }
  void next() {
    if (running() || m_at == m_steps.size() || !m_steps[m_at].ready()) return;
    m_tool = std::make_unique<QProcess>();
    m_tool->start("xdotool", m_steps[m_at++].xdotool);
  }

  std::vector<Step> m_steps;
  std::size_t m_at = 0;
  std::unique_ptr<QProcess> m_tool;
  QTimer m_timer;
};

QPoint centre(const QString& window) {
  const QString shape =
      testing_support::RunTool("xdotool", {"getwindowgeometry", "--shell", window})
          .value_or(QString());
  int values[4] = {0, 0, 0, 0};
  const char* names[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
  for (const QString& line : shape.split('\n'))
    for (int i = 0; i < 4; ++i)
      if (line.startsWith(names[i])) values[i] = line.mid(int(std::strlen(names[i]))).toInt();
  return {values[0] + values[2] / 2, values[1] + values[3] / 2};
}

class RealWindowFileDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a window system with a window manager";
  }
};

TEST_F(RealWindowFileDropTest, AFileDraggedFromAnotherProgramOpens) {
  testing_support::ChildProgram program;
  const QString path = program.path("dropped.txt");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("from the file manager");
  }
  const QString window = program.start();
  ASSERT_FALSE(window.isEmpty()) << "the program's window never became active";

  FileIcon icon(path);
  const QPoint target = centre(window);
  // Beside the program's window, wherever the window manager put that.
  icon.move(target.x() > 640 ? 20 : 1280 - 200, 700);
  icon.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&icon));
  ASSERT_TRUE(QTest::qWaitFor([&] { return icon.mapToGlobal(QPoint(0, 0)).y() >= 700; }, 3000));
  const QPoint from = icon.mapToGlobal(icon.rect().center());
  const auto at = [](QPoint p) {
    return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())};
  };
  MouseScript script({
      {[] { return true; }, at(from) + QStringList{"mousedown", "1"}},
      {[&] { return icon.dragging; }, at(from - QPoint(20, 20))},
      {[] { return true; }, at(target)},
      {[] { return true; }, at(target + QPoint(4, 4))},
      // Let go once the program has said it takes the file.
      {[&] { return icon.accepted != Qt::IgnoreAction; }, {"mouseup", "1"}},
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return icon.finished && script.done(); }, 15000))
      << "the drag never ended";
  EXPECT_EQ(icon.result, Qt::CopyAction) << "taken as a copy: a move would delete the file";
  EXPECT_TRUE(QTest::qWaitFor([&] { return program.title().startsWith("dropped.txt - "); }, 5000))
      << program.title().toStdString();
  EXPECT_TRUE(QFile::exists(path));
}

}  // namespace
}  // namespace document

// The yardstick of whole-process timings: a bare QsciScintilla window that opens the file named on
// the command line (UTF-8, or else Windows-1251) and ends once it has painted, as the program
// does under OSTREL_QUIT_AFTER_LOAD=1. With "--make DIR" it writes the documents the timings use.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Russian prose with Latin words and digits, in lines of varied length, cut between characters:
// a cut inside a UTF-8 sequence would make the file no UTF-8 at all.
QByteArray prose(qsizetype bytes, bool utf8) {
  const QString line = QStringLiteral(
      "Съешь же ещё этих мягких французских булок, да выпей чаю: text 12345, line end.");
  auto cp1251 = QStringEncoder("windows-1251");
  std::vector<QByteArray> lines;
  for (int length = 20; length < 80; ++length) {
    const QString part = line.left(length) + QStringLiteral("\r\n");
    lines.push_back(utf8 ? part.toUtf8() : QByteArray(cp1251.encode(part)));
  }
  QByteArray out;
  out.reserve(bytes + 256);
  for (std::size_t n = 0; out.size() < bytes; ++n) out += lines[n % lines.size()];
  out.truncate(out.lastIndexOf('\n', bytes - 1) + 1);
  return out;
}

int makeDocuments(const QString& dir) {
  QDir().mkpath(dir);
  struct Doc {
    const char* name;
    qsizetype bytes;
    bool utf8;
  };
  for (const Doc& doc : {Doc{"1mb-utf8.txt", 1 << 20, true}, Doc{"20mb-utf8.txt", 20 << 20, true},
                         Doc{"20mb-1251.txt", 20 << 20, false},
                         Doc{"100mb-utf8.txt", 100 << 20, true},
                         Doc{"100mb-1251.txt", 100 << 20, false}}) {
    QFile file(QDir(dir).filePath(QString::fromLatin1(doc.name)));
    const QByteArray text = prose(doc.bytes, doc.utf8);
    if (file.exists() && file.size() == text.size()) continue;
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
      std::fprintf(stderr, "cannot write %s\n", doc.name);
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == "--make") return makeDocuments(args[2]);
  QsciScintilla editor;
  editor.setUtf8(true);
  if (args.size() > 1) {
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly)) return 1;
    const QByteArray bytes = file.readAll();
    if (QByteArrayView(bytes).isValidUtf8()) {
      editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, bytes.constData());
    } else {
      editor.setText(QStringDecoder("windows-1251").decode(bytes));
    }
  }
  editor.resize(1000, 700);
  editor.show();
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&editor] {
    if (!editor.windowHandle() || !editor.windowHandle()->isExposed()) return;
    editor.repaint();
    std::fprintf(stderr, "painted at %lld us\n",
               static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::system_clock::now().time_since_epoch()).count()));
    QCoreApplication::exit(0);
  });
  ticks.start(2);
  return app.exec();
}

// Keeping unsaved text safe from a crash: while the document has unsaved changes, its text is
// written in the background to a private file of the program directory, a few seconds after the
// first change that is not kept yet. Saving the document or a clean exit removes the file; a
// file left by a run that died is offered back at the next start.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <future>
#include <memory>

class QLockFile;

namespace shell {
class FrmMain;
}

namespace document {

struct RecoveredDocument;

class Recovery : public QObject {
  Q_OBJECT
 public:
  explicit Recovery(shell::FrmMain& window);
  // A clean end: the text was saved or deliberately let go, so nothing is left to recover.
  ~Recovery() override;

  // This run's file; "" before the first text was kept.
  QString filePath() const { return m_path; }
  // Keeps the text now rather than when the timer says (after a restore, and in tests); waits
  // until it is written.
  void keepNow();

 private:
  void changed();
  void dirtyChanged(bool dirty);
  void keep();
  bool prepare();  // the folder, this run's lock and file name
  void finishWriting();
  void discard();

  shell::FrmMain& m_window;
  QTimer m_timer;
  QString m_path;
  std::unique_ptr<QLockFile> m_lock;
  std::future<bool> m_writing;
  QByteArray m_text;  // the last copy; the writer shares it until it is done
};

// Files that runs which ended without a clean exit left behind, oldest first. A file whose run is
// still going (another window of the program) is not among them.
QStringList OrphanedRecoveryFiles(const QString& programDir);

// Offers each orphaned document in turn: restore it in this window, restore it and open the file
// it came from beside it in a second window, discard it, or leave it for the next start. Once one
// is restored the rest wait for the next start. `openBeside` starts the second window.
void OfferRecoveredDocuments(shell::FrmMain& window,
                             const std::function<void(const QString& path)>& openBeside);

// Puts a recovered document into the window: its text, unsaved, under its own path, code page
// and file format.
void RestoreDocument(shell::FrmMain& window, const RecoveredDocument& document);

void InstallRecovery(shell::FrmMain& window);

}  // namespace document

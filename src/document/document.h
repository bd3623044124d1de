// The one document the program edits: its path, modified flag and code page. The text itself
// lives in the editing control.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include "platform/text_file.h"

namespace document {

// Why the text is only part of its file: such a text is never written over the file.
enum class Partial {
  No,
  Shrunk,   // the file changed size while it was read
  Loading,  // a big file is still coming in
  Stopped,  // the user stopped loading a big file
};

class Document : public QObject {
  Q_OBJECT
 public:
  const QString& path() const { return m_path; }
  bool isUntitled() const { return m_path.isEmpty(); }
  // The file name: the part of the path after its last separator.
  QString fileName() const;

  bool Dirty() const { return m_dirty; }
  void setDirty(bool dirty) {
    if (dirty == m_dirty) return;
    m_dirty = dirty;
    Q_EMIT dirtyChanged(dirty);
  }
  // Only part of the file was read (it changed size under the reader): the text is not the
  // file's, so it must never be written over it.
  bool isPartial() const { return m_partial != Partial::No; }
  Partial partial() const { return m_partial; }
  void setPartial(bool partial) { m_partial = partial ? Partial::Shrunk : Partial::No; }
  void setPartial(Partial partial) { m_partial = partial; }
  // What writing the text back over its file would change (mixed line ends, bad bytes), and
  // whether the user has already agreed to that for this document.
  const platform::ReadFidelity& fidelity() const { return m_fidelity; }
  void setFidelity(const platform::ReadFidelity& fidelity) {
    m_fidelity = fidelity;
    m_changeAgreed = false;
    m_keepsWindows1251 = false;
  }
  bool changeAgreed() const { return m_changeAgreed; }
  void agreeToChange() { m_changeAgreed = true; }
  // The user chose to keep this Windows-1251 document in Windows-1251 when a save found
  // characters it lacks: they become "?" at every save without another question. Another text
  // read in or a new document (setFidelity) forgets the answer.
  bool keepsWindows1251() const { return m_keepsWindows1251; }
  void setKeepsWindows1251(bool keep) { m_keepsWindows1251 = keep; }
  int CurCodir() const { return m_curCodir; }
  void setCurCodir(int codePage) {
    m_curCodir = codePage;
    Q_EMIT curCodirChanged(codePage);
  }

  // The caption the window shows for the document now, and the one right after start.
  QString caption() const;
  static QString startCaption();

  // The document now refers to `path` ("" for untitled): a file that exists; the caption
  // follows.
  void setPath(const QString& path);
  // The document carries the name of a file that does not exist yet (one named on the command
  // line): the first save creates it. Any later setPath ends that.
  void setNewFilePath(const QString& path);
  bool isNewFile() const { return m_newFile; }

  // Notes the file as it stands on disk now (after loading or saving it), so a later check
  // can tell whether another program changed it since.
  void rememberDiskState();
  bool diskChangedSinceRemembered() const;

 Q_SIGNALS:
  void captionChanged(const QString& caption);
  void curCodirChanged(int codePage);
  void dirtyChanged(bool dirty);
  // A big file is coming in (see piece_load.h): how much of it is read, in percent.
  void loadProgress(int percent);

 private:
  QString m_path;
  bool m_newFile = false;
  bool m_dirty = false;
  Partial m_partial = Partial::No;
  platform::ReadFidelity m_fidelity;
  bool m_changeAgreed = false;
  bool m_keepsWindows1251 = false;
  int m_curCodir = 1;
  QDateTime m_diskTime;
  qint64 m_diskSize = -1;
};

}  // namespace document

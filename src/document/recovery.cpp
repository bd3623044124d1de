#include "document/recovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QUuid>
#include <system_error>

#include "document/recovery_file.h"
#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace document {
namespace {

// A write still going when the timer fires is given this long before the next try.
constexpr int kBusyRetryMs = 200;

QString folderOf(const QString& programDir) {
  return QDir(programDir).filePath(QString::fromLatin1(kRecoveryFolder));
}

QString lockPathOf(const QString& recoveryFile) {
  return recoveryFile.chopped(int(qstrlen(kRecoverySuffix))) + QStringLiteral(".lock");
}

// The lock of a run stays valid for as long as its process lives, however long that is: only a
// dead owner makes it stale, never its age.
std::unique_ptr<QLockFile> lockFor(const QString& recoveryFile) {
  auto lock = std::make_unique<QLockFile>(lockPathOf(recoveryFile));
  lock->setStaleLockTime(0);
  return lock;
}

QString describe(const RecoveredDocument& document) {
  const QString name =
      document.path.isEmpty() ? QString::fromUtf8(shell::kUntitled) : document.path;
  QString text = QStringLiteral("После сбоя программы остался несохраненный текст документа\n«") +
                 name + QStringLiteral("»");
  if (document.saved.isValid())
    text += QStringLiteral(",\nсохраненный ") +
            document.saved.toLocalTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
  return text + QStringLiteral(".\n\nЧто с ним сделать?\n(«Отмена» — спросить снова при следующем запуске.)");
}

}  // namespace

Recovery::Recovery(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("recovery"));
  m_timer.setSingleShot(true);
  connect(&m_timer, &QTimer::timeout, this, &Recovery::keep);
  connect(&window.txtMain(), &platform::EditControl::changed, this, &Recovery::changed);
  connect(&window.document(), &Document::dirtyChanged, this, &Recovery::dirtyChanged);
}

Recovery::~Recovery() {
  m_timer.stop();
  discard();
}

void Recovery::changed() {
  // The first change not kept yet starts the clock; later ones ride along, so steady typing
  // is kept every few seconds rather than never.
  if (m_window.document().Dirty() && !m_timer.isActive())
    m_timer.start(m_window.context().settings.number(platform::Setting::RecoveryDelay, 3000));
}

void Recovery::dirtyChanged(bool dirty) {
  if (dirty) {
    changed();
    return;
  }
  m_timer.stop();
  discard();
}

bool Recovery::prepare() {
  if (m_lock) return true;
  const QString folder = folderOf(m_window.context().paths.programDir());
  if (!QFileInfo::exists(folder)) {
    QDir().mkpath(folder);
    // The text of the user's documents is nobody else's business.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ExeOwner);
  }
  const QString name = QString::number(QCoreApplication::applicationPid()) + u'-' +
                       QUuid::createUuid().toString(QUuid::Id128).left(12) +
                       QString::fromLatin1(kRecoverySuffix);
  const QString path = QDir(folder).filePath(name);
  auto lock = lockFor(path);
  if (!lock->tryLock(0)) {
    qWarning("recovery: cannot lock %s", qPrintable(lock->fileName()));
    return false;
  }
  m_lock = std::move(lock);
  m_path = path;
  return true;
}

void Recovery::finishWriting() {
  if (!m_writing.valid()) return;
  if (!m_writing.get()) qWarning("recovery: could not keep the text in %s", qPrintable(m_path));
}

void Recovery::keep() {
  if (!m_window.document().Dirty()) return;
  if (m_writing.valid() &&
      m_writing.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    m_timer.start(kBusyRetryMs);
    return;
  }
  finishWriting();
  if (!prepare()) return;
  const platform::EditControl& editor = m_window.txtMain();
  RecoveredDocument header;
  header.path = m_window.document().path();
  header.codePage = m_window.document().CurCodir();
  header.format = editor.fileFormat();
  header.saved = QDateTime::currentDateTimeUtc();
  // The one copy made on this thread, into memory kept from the last keep; the writing happens
  // beside the window.
  editor.copyTextUtf8(m_text);
  const QByteArray text = m_text;
  const QString path = m_path;
  auto write = [path, header, text] { return WriteRecoveryFile(path, header, text); };
  try {
    m_writing = std::async(std::launch::async, write);
  } catch (const std::system_error&) {
    m_writing = std::async(std::launch::deferred, write);
  }
}

void Recovery::keepNow() {
  m_timer.stop();
  keep();
  finishWriting();
}

void Recovery::discard() {
  finishWriting();
  if (!m_path.isEmpty()) QFile::remove(m_path);
}

QStringList OrphanedRecoveryFiles(const QString& programDir) {
  const QDir folder(folderOf(programDir));
  QStringList orphans;
  const QStringList names = folder.entryList({QStringLiteral("*") + kRecoverySuffix}, QDir::Files,
                                             QDir::Time | QDir::Reversed);
  for (const QString& name : names) {
    const QString path = folder.filePath(name);
    auto lock = lockFor(path);
    // A lock nobody living holds: its run ended without cleaning up.
    if (!lock->tryLock(0)) continue;
    lock->unlock();
    orphans << path;
  }
  return orphans;
}

void RestoreDocument(shell::FrmMain& window, const RecoveredDocument& document) {
  platform::EditControl& editor = window.txtMain();
  Document& doc = window.document();
  doc.setPartial(false);
  doc.setFidelity({});
  editor.setReadOnly(false);
  editor.setTextUtf8(document.utf8);
  editor.setFileFormat(document.format);
  doc.setPath(document.path);
  doc.setCurCodir(document.codePage);
  // The file on disk is older than this text; what the user sees now is the point of reference.
  if (!document.path.isEmpty()) doc.rememberDiskState();
  doc.setDirty(true);
}

void OfferRecoveredDocuments(shell::FrmMain& window,
                             const std::function<void(const QString&)>& openBeside) {
  shell::AppContext& ctx = window.context();
  for (const QString& path : OrphanedRecoveryFiles(ctx.paths.programDir())) {
    const std::optional<RecoveredDocument> document = ReadRecoveryFile(path);
    if (!document) continue;  // damaged: left where it is, for the user to look at
    QStringList buttons{QStringLiteral("&Восстановить")};
    const bool beside = !document->path.isEmpty() && QFileInfo(document->path).isFile();
    if (beside) buttons << QStringLiteral("Восстановить и открыть &файл рядом");
    buttons << QStringLiteral("&Удалить");
    const int discardButton = int(buttons.size()) - 1;
    const std::optional<int> answer = ctx.ui.choose(describe(*document),
                                                    QString::fromUtf8(shell::kProgramName),
                                                    buttons, platform::MsgIcon::Question);
    if (!answer) continue;  // asked again at the next start
    if (*answer == discardButton) {
      QFile::remove(path);
      continue;
    }
    RestoreDocument(window, *document);
    // This run keeps the text from now on; only then is the old file let go.
    if (auto* recovery = window.findChild<Recovery*>(QStringLiteral("recovery")))
      recovery->keepNow();
    QFile::remove(path);
    if (beside && *answer == 1) openBeside(document->path);
    return;  // one document per window: the others wait for the next start
  }
}

void InstallRecovery(shell::FrmMain& window) {
  new Recovery(window);
  window.hooks().add(shell::Hook::StartupDone, [&window] {
    // Once the window is up, so the question has it behind it.
    QTimer::singleShot(0, &window, [&window] {
      OfferRecoveredDocuments(window, [](const QString& path) {
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {path});
      });
    });
  });
}

}  // namespace document

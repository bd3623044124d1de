#include "automation/program_exchange.h"

#include <string.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "automation/frm_program_wait.h"
#include "automation/macro_runner.h"
#include "automation/program_line.h"
#include "automation/program_log.h"
#include "platform/edit_control.h"
#include "platform/file_reader.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace automation {
namespace {

using platform::Encoding;
using platform::LineEnd;
using platform::TextFormat;
namespace TextFile = platform::TextFile;

constexpr int kBusyDelay = 1000;
// Lines of a program's error output shown in a message: enough for the first complaints.
constexpr qsizetype kErrorLines = 10;

QString withoutShortcut(const QString& caption) {
  const qsizetype tab = caption.indexOf(u'\t');
  return tab < 0 ? caption : caption.left(tab);
}

bool hasSelection(const platform::EditControl& editor) {
  const platform::SelRange range = editor.selection();
  return range.startLine != range.endLine || range.startCol != range.endCol;
}

// The text goes out as the document is stored: its encoding and its own line ends, so a filter
// written for this system sees no stray CR. A UTF-8 byte-order mark would only be noise to a
// filter; a UTF-16 one is how the result is recognised.
TextFormat exchangeFormat(TextFormat format) {
  format.bom = format.encoding == Encoding::Utf16Le || format.encoding == Encoding::Utf16Be;
  return format;
}

// Writes the text and one line end (every line of a text file ends with one). The file is the
// user's alone while it exists. `converted` receives the bytes written when they are not simply
// the text and a CR LF.
std::optional<QString> writeInput(const QString& path, const QByteArray& utf8,
                                  const TextFormat& doc, QByteArray& converted) {
  if (const QString kind = platform::NotARegularFile(path); !kind.isEmpty()) return kind;
  TextFormat format = TextFile::formatForWriting(utf8, exchangeFormat(doc));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner))
    return file.errorString();
  bool written = true;
  const auto sink = [&file, &written](QByteArrayView piece) {
    if (written) written = file.write(piece.data(), piece.size()) == piece.size();
  };
  if (format == TextFormat{Encoding::Utf8, false, LineEnd::CrLf}) {
    // The editor's own text: it goes out as it is.
    sink(utf8);
    sink("\r\n");
  } else {
    converted.reserve(utf8.size() + utf8.size() / 8);
    const auto keep = [&sink, &converted](QByteArrayView piece) {
      sink(piece);
      converted.append(piece);
    };
    TextFile::encodeFromUtf8(utf8, format, keep);
    format.bom = false;
    TextFile::encodeFromUtf8("\r\n", format, keep);
  }
  if (!written || !file.flush()) return file.errorString();
  return std::nullopt;
}

// Empties a result file of the user's choosing, so that what an earlier run left there is never
// taken for this run's result. A missing file stays missing: no result is then told apart.
std::optional<QString> emptyOutput(const QString& path) {
  if (!QFileInfo::exists(path)) return std::nullopt;
  if (const QString kind = platform::NotARegularFile(path); !kind.isEmpty()) return kind;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return file.errorString();
  return std::nullopt;
}

// The result as UTF-8 with CR LF line ends, read as any text file is read.
QByteArray resultText(const QByteArray& bytes) {
  platform::ReadFidelity fidelity;
  const TextFormat format = TextFile::detect(bytes, &fidelity);
  QByteArray utf8;
  if (format.encoding == Encoding::Utf8 && format.lineEnd == LineEnd::CrLf && fidelity.exact()) {
    // Already the editor's own text: taken as it is, without a copy.
    utf8 = format.bom ? bytes.sliced(3) : bytes;
  } else {
    utf8.reserve(TextFile::decodedSize(bytes, format));
    TextFile::decodeToUtf8(bytes, format, [&utf8](QByteArrayView piece) { utf8.append(piece); });
  }
  return utf8;
}

// The first lines of the program's error output, after an empty line; "" when it wrote none.
QString errorsOf(const platform::ProcessOutcome& outcome) {
  QString errors = QString::fromLocal8Bit(outcome.errors);
  errors.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = errors.trimmed().split(u'\n');
  if (lines.size() == 1 && lines.first().isEmpty()) return QString();
  if (lines.size() > kErrorLines) {
    lines.resize(kErrorLines);
    lines << QStringLiteral("…");
  }
  return QStringLiteral("\n\n") + lines.join(u'\n');
}

// "6, SIGABRT": the number, and the name a user can look up.
QString signalName(int number) {
  const char* name = sigabbrev_np(number);
  return name ? QStringLiteral("%1, SIG%2").arg(number).arg(QLatin1StringView(name))
              : QString::number(number);
}

}  // namespace

struct ProgramExchange::Exchange {
  ProgramCall call;
  QString privateFolder;
  QByteArray sent;  // UTF-8
  bool wroteInput = false;
  bool inputExisted = false;  // the user named a file that was there before the run
  QByteArray converted;       // the input file's bytes, when they are not `sent` and a CR LF

  // The result file holds exactly what was written: the program gave the text back unchanged,
  // which a comparison finds faster than reading the file as text would.
  bool cameBackAsWritten(QByteArrayView bytes) const {
    if (!wroteInput) return false;
    if (!converted.isEmpty()) return bytes == QByteArrayView(converted);
    return bytes.size() == sent.size() + 2 && bytes.startsWith(sent) && bytes.endsWith("\r\n");
  }

  bool isPrivate(const QString& path) const { return path.startsWith(privateFolder + u'/'); }
  // The input file goes once the result is in; one of the private folder goes with the folder.
  // A file that was there before (the document's own file, named through $openedfile) is the
  // user's and stays.
  void removeInput() const {
    if (call.inputFile.isEmpty() || isPrivate(call.inputFile) || inputExisted) return;
    QFile::remove(call.inputFile);
  }
};

ProgramExchange::ProgramExchange(shell::FrmMain& window) : QObject(&window), m_window(window) {
  m_busyTimer.setSingleShot(true);
  m_busyTimer.setInterval(kBusyDelay);
  connect(&m_busyTimer, &QTimer::timeout, this, &ProgramExchange::showBusyWindow);
  connect(&m_process, &platform::ProcessRun::started, &m_busyTimer, qOverload<>(&QTimer::start));
  window.installEventFilter(this);
  window.hooks().add(shell::PathHook::MacroMenuOnOpen, [this](const QString&) {
    if (m_running) m_documentReplaced = true;
  });
}

ProgramExchange::Result ProgramExchange::run(const QString& commandLine, const QString& caption) {
  if (m_running) return Result::Refused;
  m_caption = caption;
  if (m_window.txtMain().isReadOnly()) {
    tell(QStringLiteral("Документ открыт только для чтения: результат программы «%1» некуда "
                        "поместить.")
             .arg(withoutShortcut(caption)));
    return Result::Refused;
  }
  // A folder of its own for every run: nobody else can read the text or slip in a result.
  const QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("ostrel-program-XXXXXX")));
  if (!folder.isValid()) {
    tell(QStringLiteral("Не удалось создать временную папку: ") + folder.errorString());
    return Result::Failed;
  }
  MacroRunner* macros = MacroRunnerOf(m_window);
  const auto built = BuildProgramCall(
      commandLine, [macros](const QString& text) { return macros ? macros->expand(text) : text; },
      folder.path());
  if (const auto* error = std::get_if<ProgramLineError>(&built)) {
    tell(error->message);
    return Result::Failed;
  }
  Exchange run;
  run.call = std::get<ProgramCall>(built);
  run.privateFolder = folder.path();
  if (!run.call.exchangesText()) {
    QString reason;
    if (platform::StartDetached(run.call.program, run.call.arguments, &reason))
      return Result::Started;
    tell(QStringLiteral("Не удалось запустить программу «%1»:\n%2").arg(run.call.program, reason));
    return Result::Failed;
  }
  const Result result = exchange(run);
  m_window.focusEditor();
  return result;
}

ProgramExchange::Result ProgramExchange::exchange(Exchange& run) {
  platform::EditControl& editor = m_window.txtMain();
  const ProgramCall& call = run.call;
  if (!call.outputFile.isEmpty() && !run.isPrivate(call.outputFile)) {
    if (const auto error = emptyOutput(call.outputFile)) {
      tell(QStringLiteral("Нельзя взять результат программы из файла «%1»: %2")
               .arg(call.outputFile, *error));
      return Result::Failed;
    }
  }
  run.sent = hasSelection(editor) ? editor.selectedTextUtf8() : editor.textUtf8();
  if (!call.inputFile.isEmpty()) {
    run.wroteInput = true;
    run.inputExisted = QFileInfo::exists(call.inputFile);
    if (const auto error =
            writeInput(call.inputFile, run.sent, editor.fileFormat(), run.converted)) {
      tell(QStringLiteral("Не удалось записать текст для программы в файл «%1»: %2")
               .arg(call.inputFile, *error));
      run.removeInput();
      return Result::Failed;
    }
  }
  log(ProgramLogStart(QDateTime::currentDateTime(), m_caption));
  m_documentReplaced = false;
  setRunning(true);
  const platform::ProcessOutcome outcome = m_process.run(call.program, call.arguments);
  m_busyTimer.stop();
  delete m_busyWindow;
  setRunning(false);
  const Result result = finish(run, outcome);
  run.removeInput();
  return result;
}

ProgramExchange::Result ProgramExchange::finish(Exchange& run,
                                                const platform::ProcessOutcome& outcome) {
  using End = platform::ProcessOutcome::End;
  const QString name = withoutShortcut(m_caption);
  switch (outcome.end) {
    case End::Stopped:
      log(ProgramLogEnd(QDateTime::currentDateTime(), false));
      return Result::Stopped;
    case End::FailedToStart:
      return fail(QStringLiteral("Не удалось запустить программу «%1»:\n%2\n\nТекст не изменен.")
                      .arg(run.call.program, outcome.reason));
    // Whatever a killed program left behind is half its work.
    case End::Crashed:
      return fail(
          QStringLiteral("Программа «%1» завершилась аварийно (сигнал %2). Текст не изменен.")
              .arg(name, signalName(outcome.signal)) +
          errorsOf(outcome));
    case End::Exited:
      break;
  }
  return takeResult(run, outcome);
}

ProgramExchange::Result ProgramExchange::takeResult(Exchange& run,
                                                    const platform::ProcessOutcome& outcome) {
  const QString name = withoutShortcut(m_caption);
  const QString failed = outcome.exitCode == 0
                             ? QString()
                             : QStringLiteral(" завершилась с кодом %1 и").arg(outcome.exitCode);
  const QString& from = run.call.resultFile();
  QString reason;
  const auto bytes = platform::ReadRegularFile(from, &reason);
  if (!bytes) {
    return fail(QStringLiteral("Программа «%1»%2 не оставила результата в файле «%3» (%4). "
                               "Текст не изменен.")
                    .arg(name, failed, from, reason) +
                errorsOf(outcome));
  }
  // An empty result with a failure code is a program that gave up, not an empty text.
  if (bytes->bytes.isEmpty() && outcome.exitCode != 0) {
    return fail(
        QStringLiteral("Программа «%1»%2 не вернула текст. Текст не изменен.").arg(name, failed) +
        errorsOf(outcome));
  }
  // The text sent is not in the editor any more: the result belongs to no document there.
  if (m_documentReplaced) {
    return fail(QStringLiteral("Пока работала программа «%1», в редакторе открыт другой документ "
                               "или документ перечитан с диска. "
                               "Результат программы не вставлен.")
                    .arg(name));
  }
  QByteArray decoded;
  QByteArrayView result = run.sent;
  if (!run.cameBackAsWritten(bytes->bytes)) {
    decoded = resultText(bytes->bytes);
    // The line end written after the text comes off again, so a program that hands the text
    // back unchanged gives exactly the text sent, and repeated runs don't add empty lines.
    result = decoded;
    if (result.endsWith("\r\n")) result.chop(2);
  }
  const bool changed = result != QByteArrayView(run.sent);
  if (outcome.exitCode != 0 && !takeFailedResult(name, outcome, changed)) return Result::Failed;
  platform::EditControl& editor = m_window.txtMain();
  // Where the user's selection is now: the window stayed usable while the program ran.
  if (hasSelection(editor))
    editor.setSelectedTextUtf8(result);
  else
    editor.setTextUtf8(result);
  log(ProgramLogEnd(QDateTime::currentDateTime(), changed));
  return Result::Done;
}

bool ProgramExchange::takeFailedResult(const QString& name, const platform::ProcessOutcome& outcome,
                                       bool changed) {
  // A program that failed without touching the text has nothing to offer, but the user learns
  // that it failed.
  if (!changed) {
    fail(QStringLiteral("Программа «%1» завершилась с кодом %2 и не изменила текст.")
             .arg(name)
             .arg(outcome.exitCode) +
         errorsOf(outcome));
    return false;
  }
  // Some programs report mere warnings with a failure code and still leave a good result: the
  // user decides, and keeping the text is what a hasty Enter does.
  const platform::MsgAnswer answer = m_window.context().ui.message(
      QStringLiteral("Программа завершилась с кодом %1. Вставить результат?")
              .arg(outcome.exitCode) +
          errorsOf(outcome),
      QString::fromUtf8(shell::kProgramName), platform::MsgButtons::YesNoDefaultNo,
      platform::MsgIcon::Question);
  if (answer == platform::MsgAnswer::Yes) return true;
  log(ProgramLogEnd(QDateTime::currentDateTime(), false));
  return false;
}

ProgramExchange::Result ProgramExchange::fail(const QString& text) {
  // The log's entry is complete before the message shows, for a user who looks at it meanwhile.
  log(ProgramLogEnd(QDateTime::currentDateTime(), false));
  tell(text);
  return Result::Failed;
}

void ProgramExchange::setRunning(bool running) {
  m_running = running;
  // While the program runs, Escape in the window is its stop, as it is a load's or a script's:
  // the exit on Escape must not close the window around a running filter.
  if (running)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
  Q_EMIT runningChanged(running);
}

void ProgramExchange::showBusyWindow() {
  if (!m_running || m_busyWindow) return;
  m_busyWindow = new FrmProgramWait(withoutShortcut(m_caption), &m_window);
  connect(m_busyWindow, &FrmProgramWait::stopRequested, this, &ProgramExchange::stop);
  m_busyWindow->show();
}

void ProgramExchange::tell(const QString& text) {
  m_window.context().ui.message(text, QString::fromUtf8(shell::kProgramName),
                                platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

void ProgramExchange::log(const QString& lines) {
  if (!m_window.context().settings.flag(platform::Setting::BlockToLog)) return;
  AppendProgramLog(m_window.context().paths.file(QStringLiteral("Program.log")), lines);
}

bool ProgramExchange::eventFilter(QObject* watched, QEvent* event) {
  if (m_running && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (widget && widget->window() == &m_window && key.key() == Qt::Key_Escape &&
        key.modifiers() == Qt::NoModifier) {
      if (event->type() == QEvent::KeyPress) stop();
      // Taken as overridden, so no shortcut fires; the press that follows stops the program.
      event->accept();
      return true;
    }
  }
  if (watched == &m_window && event->type() == QEvent::Close && m_running) {
    event->ignore();
    tell(QStringLiteral("Текст обрабатывается программой «%1». Дождитесь её окончания или "
                        "остановите её.")
             .arg(withoutShortcut(m_caption)));
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace automation

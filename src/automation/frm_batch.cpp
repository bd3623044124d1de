#include "automation/frm_batch.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "html/frm_text_to_html.h"
#include "platform/named_controls.h"
#include "shell/app_context.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace automation {
namespace {

using platform::BuddyLabel;
using platform::Named;

namespace Setting = platform::Setting;

constexpr int kPageCount = 3;
const char* const kPageCaptions[kPageCount] = {"Настройки", "Файлы", "Действия"};

QListWidget* multiList(const char* name, QWidget* parent) {
  auto* list = Named(new QListWidget(parent), name);
  list->setSelectionMode(QAbstractItemView::MultiSelection);
  return list;
}

QComboBox* codePageList(const char* name, QWidget* parent) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItems(BatchCodePageNames());
  return list;
}

}  // namespace

FrmBatch::FrmBatch(shell::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
  setObjectName(QStringLiteral("FRMbATCH"));
  setWindowTitle(QStringLiteral("Пакетная обработка"));
  auto* layout = new QVBoxLayout(this);

  auto* pageRow = new QHBoxLayout;
  for (int i = 0; i < kPageCount; ++i) {
    m_pages[i] = new QRadioButton(QString::fromUtf8(kPageCaptions[i]), this);
    m_pages[i]->setObjectName(QStringLiteral("optOption%1").arg(i));
    pageRow->addWidget(m_pages[i]);
    connect(m_pages[i], &QRadioButton::clicked, this, [this, i] {
      showPage(i);
      m_context.settings.set(Setting::PODefault, QString::number(i));
    });
  }
  pageRow->addStretch();
  layout->addLayout(pageRow);
  m_stack = Named(new QStackedWidget(this), "stkPages");
  layout->addWidget(m_stack, 1);

  // Settings: the replacement list and the two code pages.
  auto* settingsPage = new QWidget(m_stack);
  auto* settingsLayout = new QVBoxLayout(settingsPage);
  auto* multiFrame = Named(new QGroupBox(QStringLiteral("Мультизамена"), settingsPage), "fraMulti");
  m_multi = Named(new QPlainTextEdit(multiFrame), "txtMulti");
  (new QVBoxLayout(multiFrame))->addWidget(m_multi);
  settingsLayout->addWidget(multiFrame, 1);
  auto* codeFrame =
      Named(new QGroupBox(QStringLiteral("Смена кодировки"), settingsPage), "fraCodePage");
  auto* codeGrid = new QGridLayout(codeFrame);
  m_from = codePageList("cmbRes", codeFrame);
  m_to = codePageList("cmbDest", codeFrame);
  codeGrid->addWidget(BuddyLabel({"lblRes", "Из:", m_from}, codeFrame), 0, 0);
  codeGrid->addWidget(m_from, 0, 1);
  codeGrid->addWidget(BuddyLabel({"lblDest", "В:", m_to}, codeFrame), 1, 0);
  codeGrid->addWidget(m_to, 1, 1);
  settingsLayout->addWidget(codeFrame);
  m_stack->addWidget(settingsPage);

  // Files: the folder and its files.
  auto* filesPage = new QWidget(m_stack);
  auto* filesLayout = new QVBoxLayout(filesPage);
  auto* folderRow = new QHBoxLayout;
  m_directory = Named(new QLineEdit(filesPage), "txtDirectory");
  m_browse = Named(new QPushButton(QStringLiteral("..."), filesPage), "cmdBrowse");
  folderRow->addWidget(BuddyLabel({"lblDirectory", "Директория:", m_directory}, filesPage));
  folderRow->addWidget(m_directory, 1);
  folderRow->addWidget(m_browse);
  filesLayout->addLayout(folderRow);
  m_files = multiList("lstFiles", filesPage);
  filesLayout->addWidget(m_files, 1);
  m_stack->addWidget(filesPage);

  // Actions, in the order they are applied.
  m_actions = multiList("lstPlugs", m_stack);
  m_actions->addItems(BatchActionCaptions());
  m_stack->addWidget(m_actions);

  m_progress = Named(new QProgressBar(this), "pPortion");
  m_progress->setTextVisible(false);
  m_progress->setRange(0, 1);
  m_progress->setValue(0);
  layout->addWidget(m_progress);
  auto* buttons = new QHBoxLayout;
  m_ok = Named(new QPushButton(QStringLiteral("Выполнить"), this), "cmdOK");
  m_stop = Named(new QPushButton(QStringLiteral("Остановить"), this), "cmdStop");
  m_close = Named(new QPushButton(QStringLiteral("Закрыть"), this), "cmdClose");
  buttons->addStretch();
  for (QPushButton* button : {m_ok, m_stop, m_close}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  m_stop->setEnabled(false);

  connect(m_browse, &QPushButton::clicked, this, &FrmBatch::browse);
  connect(m_directory, &QLineEdit::editingFinished, this,
          [this] { setFolder(m_directory->text()); });
  connect(m_ok, &QPushButton::clicked, this, &FrmBatch::run);
  connect(m_stop, &QPushButton::clicked, this, [this] {
    if (m_job) m_job->stop();
  });
  connect(m_close, &QPushButton::clicked, this, &FrmBatch::reject);
  showPage(m_context.settings.number(Setting::PODefault, 0) % kPageCount);
  resize(480, 420);
}

FrmBatch::~FrmBatch() = default;

void FrmBatch::showPage(int page) {
  if (page < 0 || page >= kPageCount) page = 0;
  m_pages[page]->setChecked(true);
  m_stack->setCurrentIndex(page);
}

void FrmBatch::browse() {
  QString start = m_context.settings.get(Setting::LastDir);
  if (start.isEmpty()) start = m_context.paths.programDir();
  if (const auto folder = m_context.ui.folder(QStringLiteral("Выбор директории"), start))
    setFolder(*folder);
}

void FrmBatch::setFolder(const QString& folder) {
  m_directory->setText(QDir::toNativeSeparators(folder));
  m_files->clear();
  if (folder.isEmpty()) return;
  m_files->addItems(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name));
  m_files->selectAll();
}

QString FrmBatch::missingChoice() const {
  if (m_directory->text().trimmed().isEmpty()) return QStringLiteral("Не выбран путь (директория)!");
  if (m_actions->selectedItems().isEmpty()) return QStringLiteral("Не выбрано ни одного действия!");
  if (m_files->selectedItems().isEmpty()) return QStringLiteral("Не выбрано ни одного файла");
  return QString();
}

BatchRequest FrmBatch::request() const {
  BatchRequest r;
  r.folder = QDir::fromNativeSeparators(m_directory->text().trimmed());
  for (int i = 0; i < m_files->count(); ++i)
    if (m_files->item(i)->isSelected()) r.files << m_files->item(i)->text();
  for (int i = 0; i < m_actions->count(); ++i)
    if (m_actions->item(i)->isSelected()) r.actions << i;
  r.settings.multiList = m_multi->toPlainText();
  r.settings.fromCodePage = BatchCodePageOfIndex(m_from->currentIndex());
  r.settings.toCodePage = BatchCodePageOfIndex(m_to->currentIndex());
  r.settings.htmlOptions = html::StoredTextToHtmlOptions(m_context.settings);
  return r;
}

void FrmBatch::run() {
  if (isRunning()) return;
  if (const QString missing = missingChoice(); !missing.isEmpty()) {
    m_context.ui.message(missing, QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                         platform::MsgIcon::None);
    return;
  }
  BatchRequest r = request();
  const int selected = int(r.files.size());
  m_job = std::make_unique<BatchJob>(std::move(r));
  connect(m_job.get(), &BatchJob::progress, this, [this](int done, int total) {
    m_progress->setRange(0, total);
    m_progress->setValue(done);
  });
  connect(m_job.get(), &BatchJob::finished, this,
          [this](const BatchReport& report) { finish(report); });
  m_progress->setRange(0, selected);
  m_progress->setValue(0);
  setRunning(true);
  m_job->start();
}

void FrmBatch::setRunning(bool running) {
  for (QWidget* w : std::initializer_list<QWidget*>{m_close, m_directory, m_files, m_actions,
                                                    m_browse, m_ok, m_multi, m_from, m_to})
    w->setEnabled(!running);
  m_stop->setEnabled(running);
}

void FrmBatch::finish(const BatchReport& report) {
  setRunning(false);
  m_context.settings.set(Setting::LastDir,
                         QDir::fromNativeSeparators(m_directory->text().trimmed()) + u'/');
  m_context.ui.message(BatchReportText(report), QStringLiteral("Пакетная обработка "),
                       platform::MsgButtons::Ok, platform::MsgIcon::Information);
  // The job is done with; deleting it from inside its own signal would pull the rug.
  QMetaObject::invokeMethod(this, [this] { if (!isRunning()) m_job.reset(); },
                            Qt::QueuedConnection);
}

void FrmBatch::reject() {
  if (isRunning()) return;
  QDialog::reject();
}

void InstallBatch(shell::FrmMain& window) {
  window.commands().bind(QStringLiteral("mnuBatch"), [&window] {
    FrmBatch dialog(window.context(), &window);
    window.context().ui.runModal(dialog);
    window.focusEditor();
  });
}

}  // namespace automation

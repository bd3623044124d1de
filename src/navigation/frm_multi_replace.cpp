#include "navigation/frm_multi_replace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/file_dialogs.h"
#include "navigation/multi_replace.h"
#include "navigation/multi_replace_files.h"
#include "platform/edit_control.h"
#include "platform/settings_store.h"
#include "platform/tab_order.h"
#include "shell/frm_main.h"
#include "shell/version.h"
#include "shell/window_placement.h"

namespace navigation {
namespace {

constexpr const char* kFilter = "Файлы Ostrel XP(*.lst)|*.lst";
const QString kPlaceName = QStringLiteral("Multi");
const QString kLastList = QStringLiteral("LastMr.lst");
const QString kSavedLists = QStringLiteral("Multies.lst");

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  // Enter in the path field or the list must not run a button.
  b->setAutoDefault(false);
  return b;
}

}  // namespace

FrmMultiReplace::FrmMultiReplace(shell::FrmMain& window)
    : QDialog(&window),
      m_window(window),
      m_list(new QPlainTextEdit(this)),
      m_files(new QComboBox(this)),
      m_matchCase(new QCheckBox(QStringLiteral("С учетом регистра"), this)) {
  setObjectName("frmMultiReplace");
  setWindowTitle(QStringLiteral("Мультизамена"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  m_list->setObjectName("txtMulti");
  // One pair a line: a wrapped line would look like two.
  m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_list->setTabChangesFocus(true);
  m_files->setObjectName("cmbMulti");
  m_files->setEditable(true);
  m_files->setInsertPolicy(QComboBox::NoInsert);
  m_files->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_files->setMinimumContentsLength(20);
  m_matchCase->setObjectName("chkMatchCase");

  auto* replace = button(this, "cmdRepl", QStringLiteral("Заненить"));
  auto* open = button(this, "cmdOpen", QStringLiteral("Открыть"));
  auto* load = button(this, "cmdLoad", QStringLiteral("Загрузить"));
  auto* save = button(this, "cmdSave", QStringLiteral("Сохранить"));
  auto* close = button(this, "cmdClose", QStringLiteral("Закрыть"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addWidget(m_matchCase);
  auto* files = new QHBoxLayout;
  files->addWidget(m_files, 1);
  files->addWidget(load);
  layout->addLayout(files);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(replace);
  buttons->addWidget(open);
  buttons->addWidget(save);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  resize(440, 340);

  platform::ChainTabOrder({m_list, m_matchCase, m_files, load, replace, open, save, close});
  connect(m_matchCase, &QCheckBox::clicked, this, [this](bool checked) {
    m_window.context().settings.setFlag(platform::Setting::MultiMatchCase, checked);
  });
  connect(replace, &QPushButton::clicked, this, &FrmMultiReplace::replaceAll);
  connect(open, &QPushButton::clicked, this, &FrmMultiReplace::openList);
  connect(load, &QPushButton::clicked, this, &FrmMultiReplace::loadList);
  connect(save, &QPushButton::clicked, this, &FrmMultiReplace::saveList);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void FrmMultiReplace::openWindow() {
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  fill();
  shell::RestorePosition(*this, m_window.context().settings, kPlaceName);
  // The window manager activates a window it maps; asking for that before the window is mapped
  // made it place the window's inside, not its frame, at the remembered place now and then.
  show();
  raise();
}

void FrmMultiReplace::fill() {
  shell::AppContext& ctx = m_window.context();
  // A list that cannot be read shows as empty; the next run writes it anew.
  setListText(ReadReplacementList(ctx.paths.file(kLastList)).value_or(QString()));
  m_files->clear();
  m_files->addItems(ReadListItems(ctx.paths.file(kSavedLists)));
  m_files->setCurrentIndex(-1);
  m_files->clearEditText();
  m_matchCase->setChecked(ctx.settings.flag(platform::Setting::MultiMatchCase));
}

QString FrmMultiReplace::listText() const {
  // The raw text: toPlainText() would turn non-breaking spaces, which a pair may well replace,
  // into ordinary ones.
  QString text = m_list->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return text;
}

void FrmMultiReplace::setListText(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  m_list->setPlainText(plain);
}

void FrmMultiReplace::replaceAll() {
  shell::AppContext& ctx = m_window.context();
  const QString list = listText();
  platform::EditControl& editor = m_window.txtMain();
  const QByteArray before = editor.textUtf8();
  qsizetype replaced = 0;
  const QByteArray after =
      ApplyReplacements(before, ParseReplacementList(list), m_matchCase->isChecked(), &replaced);
  // The whole text goes back as one undo step, and only when it changed: putting back the same
  // text would mark an unchanged document modified, leave an undo step that undoes nothing and
  // throw away the caret's place.
  if (replaced > 0 && after != before) editor.setTextUtf8(after);
  // A list that cannot be written is not kept; the replacement is done all the same.
  WriteReplacementList(ctx.paths.file(kLastList), list);
  focusEditor();
}

void FrmMultiReplace::openList() {
  shell::AppContext& ctx = m_window.context();
  const platform::FileRequest request{
      QString::fromUtf8(kFilter), QStringLiteral("Загрузка мультизамены"), document::LastDir(ctx)};
  const QString path = ctx.ui.openFile(request).path;
  if (path.isEmpty()) return;
  readList(path);
}

void FrmMultiReplace::loadList() { readList(m_files->currentText()); }

void FrmMultiReplace::readList(const QString& path) {
  QString error;
  const std::optional<QString> list = ReadReplacementList(path, &error);
  if (!list) {
    m_window.context().ui.message(error, QString::fromUtf8(shell::kProgramName),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Error);
    return;
  }
  setListText(*list);
}

void FrmMultiReplace::saveList() {
  shell::AppContext& ctx = m_window.context();
  const platform::FileRequest request{QString::fromUtf8(kFilter),
                                      QStringLiteral("Сохранение списка мультизамены"),
                                      document::LastDir(ctx)};
  const QString path = ctx.ui.saveFile(request).path;
  if (path.isEmpty()) return;
  ctx.settings.set(platform::Setting::LastDir, QFileInfo(path).absolutePath());
  QString error;
  if (!WriteReplacementList(path, listText(), &error)) {
    // A list that was not written is not offered for loading either.
    ctx.ui.message(error, QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
                   platform::MsgIcon::Error);
    return;
  }
  m_files->addItem(path);
  AppendListItem(ctx.paths.file(kSavedLists), path);
}

void FrmMultiReplace::reject() { close(); }

void FrmMultiReplace::closeEvent(QCloseEvent* event) {
  shell::StorePosition(*this, m_window.context().settings, kPlaceName);
  event->accept();
  Q_EMIT closed();
  focusEditor();
}

void FrmMultiReplace::focusEditor() {
  m_window.activateWindow();
  m_window.focusEditor();
}

void InstallMultiReplace(shell::FrmMain& window) {
  auto dialog = std::make_shared<QPointer<FrmMultiReplace>>();
  window.commands().bind("mnuMultiReplace", [&window, dialog] {
    if (!*dialog) {
      *dialog = new FrmMultiReplace(window);
      // A closed window is deleted later; the next command makes a new one at once.
      QObject::connect(*dialog, &FrmMultiReplace::closed, &window, [dialog] { *dialog = nullptr; });
    }
    (*dialog)->openWindow();
  });
}

}  // namespace navigation

#include "automation/code_library_panel.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/edit_control.h"
#include "shell/frm_main.h"

namespace automation {
namespace {

namespace Setting = platform::Setting;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

constexpr int kPanelWidth = 260;
const QString kTitle = QStringLiteral("Библиотека кода");
const QString kNewItem = QStringLiteral("Новая вкладка");

// One regular local file, the only thing the list takes.
std::optional<QString> droppedFile(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = mime->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return std::nullopt;
  const QString path = urls.first().toLocalFile();
  if (!QFileInfo(path).isFile()) return std::nullopt;
  return path;
}

template <typename DragEvent>
void acceptFile(DragEvent* event) {
  if (droppedFile(event->mimeData())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

// Remove and rename act on the chosen item.
void enableItemCommands(shell::Commands& commands, bool chosen) {
  for (const char* name : {"mnuRemoveCode", "mnuRename"})
    if (QAction* item = commands.action(QString::fromUtf8(name))) item->setEnabled(chosen);
}

}  // namespace

CodeItemList::CodeItemList(QWidget* parent) : QListWidget(parent) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

void CodeItemList::dragEnterEvent(QDragEnterEvent* event) { acceptFile(event); }
void CodeItemList::dragMoveEvent(QDragMoveEvent* event) { acceptFile(event); }

void CodeItemList::dropEvent(QDropEvent* event) {
  const auto path = droppedFile(event->mimeData());
  if (!path) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  Q_EMIT fileDropped(*path);
}

FrmCodeLib::FrmCodeLib(shell::FrmMain& window)
    : QWidget(&window), m_window(window), m_file(window.context().paths) {
  setObjectName(QStringLiteral("frmCodeLib"));
  setWindowTitle(kTitle);
  setFixedWidth(kPanelWidth);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* title = new QLabel(kTitle, this);
  title->setObjectName(QStringLiteral("lblCodeLib"));
  title->setContentsMargins(3, 2, 3, 2);
  layout->addWidget(title);
  auto* split = new QSplitter(Qt::Vertical, this);
  m_lstCodeItems = new CodeItemList(split);
  m_lstCodeItems->setObjectName(QStringLiteral("lstCodeItems"));
  m_lstCodeItems->setContextMenuPolicy(Qt::CustomContextMenu);
  m_txtCodeLib = new platform::EditControl(split);
  m_txtCodeLib->setObjectName(QStringLiteral("txtCodeLib"));
  split->addWidget(m_lstCodeItems);
  split->addWidget(m_txtCodeLib);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);
  title->setBuddy(m_lstCodeItems);
  showText(QString());

  connect(m_lstCodeItems, &QListWidget::currentRowChanged, this, &FrmCodeLib::rowChosen);
  connect(m_lstCodeItems, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { insertItem(m_lstCodeItems->row(item)); });
  connect(m_lstCodeItems, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    updateCommands();
    if (QMenu* menu = m_window.commands().menu(QStringLiteral("mnuCode")))
      menu->popup(m_lstCodeItems->viewport()->mapToGlobal(at));
  });
  // Taken once the drop is over: the question about a changed text, asked inside the drop,
  // would hold the file manager's drag until it was answered.
  connect(m_lstCodeItems, &CodeItemList::fileDropped, this, &FrmCodeLib::dropFile,
          Qt::QueuedConnection);
  connect(m_txtCodeLib, &platform::EditControl::changed, this, [this] {
    if (!m_showing) m_edited = true;
  });
}

void FrmCodeLib::fill() {
  if (!settleEdits()) return;
  const auto library = m_file.load();  // a file that cannot be read lists nothing
  {
    const QSignalBlocker quiet(m_lstCodeItems);
    m_lstCodeItems->clear();
    if (library)
      for (const CodeEntry& entry : library->entries) m_lstCodeItems->addItem(entry.name);
  }
  showRow(-1);
}

bool FrmCodeLib::settleEdits() {
  if (!m_edited || m_shownRow < 0) {
    m_edited = false;
    return true;
  }
  const QString name = m_lstCodeItems->item(m_shownRow)->text();
  const MsgAnswer answer = m_window.context().ui.message(
      QStringLiteral("Текст «%1» изменён. Сохранить изменения?").arg(name), kTitle,
      MsgButtons::YesNo, MsgIcon::Question);
  if (answer != MsgAnswer::Yes) {
    m_edited = false;
    return true;
  }
  return saveShown();
}

void FrmCodeLib::addItem() {
  if (!settleEdits()) return;
  {
    const QSignalBlocker quiet(m_lstCodeItems);
    m_lstCodeItems->addItem(kNewItem);
  }
  showRow(m_lstCodeItems->count() - 1, QString());
}

void FrmCodeLib::removeItem() {
  const int row = m_shownRow;
  if (row < 0) return;
  auto library = libraryForSave();
  if (!library) return;
  library->entries.removeAt(row);
  if (!write(*library)) return;
  {
    const QSignalBlocker quiet(m_lstCodeItems);
    delete m_lstCodeItems->takeItem(row);
  }
  showRow(-1);
}

void FrmCodeLib::renameItem() {
  const int row = m_shownRow;
  if (row < 0) return;
  platform::Ui& ui = m_window.context().ui;
  const auto answer =
      ui.inputBox(QStringLiteral("Введите новое название"), QStringLiteral("Переименование"),
                  m_lstCodeItems->item(row)->text());
  if (!answer || answer->isEmpty()) return;
  // The name becomes a header line of the file: it must stay one line and read back as a name.
  if (!IsCodeItemName(*answer)) {
    ui.message(QStringLiteral("Название не может начинаться с «>>» или содержать перенос строки."),
               QStringLiteral("Переименование"), MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  auto library = libraryForSave();
  // Checked under the old name, the one the user sees in the list.
  if (!library || !storable(library->entries)) return;
  library->entries[row].name = *answer;
  if (!write(*library)) return;
  m_lstCodeItems->item(row)->setText(*answer);
  m_edited = false;
}

void FrmCodeLib::saveLibrary() {
  if (!saveShown()) return;
  if (m_shownRow >= 0) showRow(m_shownRow);
}

void FrmCodeLib::dropFile(const QString& path) {
  const auto file = platform::TextFile::read(path);
  if (!file || !settleEdits()) return;
  {
    const QSignalBlocker quiet(m_lstCodeItems);
    m_lstCodeItems->addItem(DroppedItemName(path));
  }
  // The dropped item is the chosen one, so a save stores the text under its own name.
  showRow(m_lstCodeItems->count() - 1, file->text);
  m_edited = true;
}

void FrmCodeLib::updateCommands() { enableItemCommands(m_window.commands(), m_shownRow >= 0); }

void FrmCodeLib::rowChosen(int row) {
  if (row == m_shownRow) return;
  if (!settleEdits()) {
    const QSignalBlocker quiet(m_lstCodeItems);
    m_lstCodeItems->setCurrentRow(m_shownRow);
    return;
  }
  showRow(row);
}

void FrmCodeLib::showRow(int row, const std::optional<QString>& text) {
  {
    const QSignalBlocker quiet(m_lstCodeItems);
    m_lstCodeItems->setCurrentRow(row);
  }
  m_shownRow = row;
  showText(text ? *text : storedText(row).value_or(QString()));
  updateCommands();
}

void FrmCodeLib::showText(const QString& text) {
  m_showing = true;
  m_txtCodeLib->setReadOnly(false);
  m_txtCodeLib->setText(text);
  // With no item chosen, typed text would belong to nothing and be lost unasked.
  m_txtCodeLib->setReadOnly(m_shownRow < 0);
  m_showing = false;
  m_edited = false;
}

void FrmCodeLib::insertItem(int row) {
  const auto text = storedText(row);
  if (!text) return;
  m_window.txtMain().setSelectedText(*text);
  m_window.focusEditor();
}

int FrmCodeLib::occurrence(int row) const {
  const QString name = m_lstCodeItems->item(row)->text();
  int before = 0;
  for (int i = 0; i < row; ++i)
    if (m_lstCodeItems->item(i)->text() == name) ++before;
  return before;
}

std::optional<QString> FrmCodeLib::storedText(int row) const {
  if (row < 0 || row >= m_lstCodeItems->count()) return std::nullopt;
  const auto library = m_file.load();
  if (!library) return std::nullopt;
  // Items of the same name each keep their own entry, in list order as in the file.
  return FindCodeItem(library->entries, m_lstCodeItems->item(row)->text(), occurrence(row));
}

std::optional<CodeLibraryFile::Contents> FrmCodeLib::libraryForSave() {
  QString error;
  auto stored = m_file.load(&error);
  if (!stored) {
    // Without the stored texts a save would empty every other item.
    m_window.context().ui.message(
        QStringLiteral("Библиотека кода не сохранена: её файл не читается.\n%1").arg(error), kTitle,
        MsgButtons::Ok, MsgIcon::Error);
    return std::nullopt;
  }
  CodeLibraryFile::Contents library{{}, stored->format};
  for (int row = 0; row < m_lstCodeItems->count(); ++row) {
    const QString name = m_lstCodeItems->item(row)->text();
    const QString text =
        row == m_shownRow
            ? m_txtCodeLib->text()
            : FindCodeItem(stored->entries, name, occurrence(row)).value_or(QString());
    library.entries.append({name, text});
  }
  return library;
}

bool FrmCodeLib::storable(const QList<CodeEntry>& entries) {
  // A line beginning with ">>" would read back as the header of a new item and cut this one's
  // text there: nothing is written, and the text stays in the editor to be mended.
  for (const CodeEntry& entry : entries) {
    const std::optional<int> line = CodeTextHeaderLine(entry.text);
    if (!line) continue;
    m_window.context().ui.message(
        QStringLiteral("Текст «%1» не сохранён: его строка %2 начинается с «>>», а такая строка "
                       "в библиотеке кода читается как начало нового элемента.\nИзмените начало "
                       "этой строки и сохраните снова.")
            .arg(entry.name, QString::number(*line)),
        kTitle, MsgButtons::Ok, MsgIcon::Warning);
    return false;
  }
  return true;
}

bool FrmCodeLib::write(const CodeLibraryFile::Contents& library) {
  if (!storable(library.entries)) return false;
  QString error;
  if (m_file.save(library.entries, library.format, &error)) return true;
  m_window.context().ui.message(
      QStringLiteral("Не удалось сохранить библиотеку кода; файл остался прежним.\n%1").arg(error),
      kTitle, MsgButtons::Ok, MsgIcon::Error);
  return false;
}

bool FrmCodeLib::saveShown() {
  const auto library = libraryForSave();
  if (!library || !write(*library)) return false;
  m_edited = false;
  return true;
}

void InstallCodeLibrary(shell::FrmMain& window) {
  const auto panel = [&window]() -> FrmCodeLib& {
    return window.madeSidePanel<FrmCodeLib>(shell::Side::Left);
  };
  shell::Commands& c = window.commands();
  c.bind(QStringLiteral("mnuCodeLib"), [&window, panel] {
    QAction* item = window.commands().action(QStringLiteral("mnuCodeLib"));
    const bool on = item && item->isChecked();
    window.context().settings.setFlag(Setting::CodeLibrary, on);
    // Hiding keeps the text; still, the user hears about changes now, not when the panel returns.
    if (on)
      panel().fill();
    else if (auto* made = qobject_cast<FrmCodeLib*>(window.sidePanel(shell::Side::Left)))
      made->settleEdits();
    window.setSidePanelShown(shell::Side::Left, on);
  });
  c.bind(QStringLiteral("mnuAddCode"), [panel] { panel().addItem(); });
  c.bind(QStringLiteral("mnuRemoveCode"), [panel] { panel().removeItem(); });
  c.bind(QStringLiteral("mnuRename"), [panel] { panel().renameItem(); });
  c.bind(QStringLiteral("mnuSaveCode"), [panel] { panel().saveLibrary(); });
  enableItemCommands(c, false);  // nothing is chosen before the panel is made
  window.hooks().add(shell::Hook::CodeLibraryPanel, [panel] { panel().fill(); });
}

}  // namespace automation

#include "html/frm_console.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/tab_order.h"
#include "platform/text_file.h"

namespace html {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* result = new QPushButton(caption, parent);
  result->setObjectName(name);
  return result;
}

}  // namespace

FrmConsole::FrmConsole(ConsoleHost host, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_host(std::move(host)) {
  setObjectName("frmConsole");
  setWindowTitle(QStringLiteral("HTML Статистика"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  m_command = new QComboBox(this);
  m_command->setObjectName("cmbNewCmd");
  m_command->setEditable(true);
  // Typed commands are not remembered.
  m_command->setInsertPolicy(QComboBox::NoInsert);
  m_command->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  auto* go = button(this, "cmdExecute", QStringLiteral("Go"));
  top->addWidget(m_command);
  top->addWidget(go);
  layout->addLayout(top);
  m_list = new QListWidget(this);
  m_list->setObjectName("stat");
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(m_list);
  auto* bottom = new QHBoxLayout;
  auto* clear = button(this, "cmdClearConsole", QStringLiteral("Очистить"));
  auto* close = button(this, "cmdClose", QStringLiteral("Закрыть"));
  bottom->addStretch();
  bottom->addWidget(clear);
  bottom->addWidget(close);
  layout->addLayout(bottom);
  platform::ChainTabOrder({m_command, go, m_list, clear, close});
  resize(420, 320);

  m_menu = new QMenu(this);
  m_menu->setObjectName("mnuConsole");
  const struct {
    const char* name;
    const char* caption;
    void (FrmConsole::*work)();
  } items[] = {
      {"mnuCopy", "Копировать", &FrmConsole::copyCurrent},
      {"mnuSelectAll", "Выделить все", &FrmConsole::selectAll},
      {"mnuSaveToFile", "Сохранить в файл ...", &FrmConsole::saveToFile},
      {"mnuExportToEdidor", "Экспорт в редактор", &FrmConsole::exportToEditor},
  };
  for (const auto& item : items) {
    QAction* action = m_menu->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(item.name);
    connect(action, &QAction::triggered, this, item.work);
  }
  connect(m_list, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });
  connect(go, &QPushButton::clicked, this,
          [this] { RunConsoleCommand(m_command->currentText()); });
  connect(clear, &QPushButton::clicked, this, &FrmConsole::clearLines);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void FrmConsole::addLines(const QStringList& lines) { m_list->addItems(lines); }

void FrmConsole::clearLines() { m_list->clear(); }

QStringList FrmConsole::lines() const {
  QStringList result;
  result.reserve(m_list->count());
  for (int i = 0; i < m_list->count(); ++i) result << m_list->item(i)->text();
  return result;
}

void FrmConsole::RunConsoleCommand(const QString& command) {
  const QString word = command.section(u' ', 0, 0);
  if (word == u"openfile") {
    if (m_host.openFile) m_host.openFile(selectedLine());
  } else if (word == u"execfile") {
    // Nothing to hand to the desktop: nothing visible happens.
    const QString target = selectedLine();
    if (!target.isEmpty() && m_host.execFile) m_host.execFile(target);
  }
  // "fileexists" is known and does nothing, like every other word.
}

QString FrmConsole::selectedLinesText() const {
  QString text;
  for (int i = 0; i < m_list->count(); ++i)
    if (m_list->item(i)->isSelected()) text += m_list->item(i)->text() + QStringLiteral("\r\n");
  return text;
}

QString FrmConsole::selectedLine() const {
  const QListWidgetItem* current = m_list->currentItem();
  if (current && current->isSelected()) return current->text();
  for (int i = 0; i < m_list->count(); ++i)
    if (m_list->item(i)->isSelected()) return m_list->item(i)->text();
  return QString();
}

void FrmConsole::copyCurrent() {
  if (const QListWidgetItem* current = m_list->currentItem(); current && m_host.copy)
    m_host.copy(current->text());
}

void FrmConsole::selectAll() { m_list->selectAll(); }

void FrmConsole::saveToFile() {
  const QString text = selectedLinesText() + QStringLiteral("\r\n");
  const QString path = m_host.askSavePath ? m_host.askSavePath() : QString();
  if (path.isEmpty()) return;
  // A failed write leaves the old file as it was; the console says nothing about it.
  platform::TextFile::write(path, text, platform::TextFormat{});
}

void FrmConsole::exportToEditor() {
  // With no line selected the editor's selection stays: exporting nothing must not delete it.
  const QString text = selectedLinesText();
  if (!text.isEmpty() && m_host.exportText) m_host.exportText(text);
}

void FrmConsole::closeEvent(QCloseEvent* event) {
  event->accept();
  if (m_host.closed) m_host.closed();
}

}  // namespace html

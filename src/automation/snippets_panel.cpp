#include "automation/snippets_panel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "automation/snippets.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"

namespace automation {
namespace {

namespace Setting = platform::Setting;

constexpr int kSnippetsPanelWidth = 180;

// The exact spelling first; the folder itself is found without regard to letter case too.
int indexOfGroup(const QComboBox& groups, const QString& group) {
  const int exact = groups.findText(group, Qt::MatchExactly | Qt::MatchCaseSensitive);
  return exact >= 0 ? exact : groups.findText(group, Qt::MatchFixedString);
}

}  // namespace

FrmHTMLTags::FrmHTMLTags(shell::FrmMain& window) : QWidget(&window), m_window(window) {
  setObjectName(QStringLiteral("frmHTMLTags"));
  setWindowTitle(QStringLiteral("Сниппеты"));
  setFixedWidth(kSnippetsPanelWidth);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* title = new QLabel(windowTitle(), this);
  title->setObjectName(QStringLiteral("lblHTMLTags"));
  title->setContentsMargins(3, 2, 3, 2);
  layout->addWidget(title);
  m_cmbPathList = new QComboBox(this);
  m_cmbPathList->setObjectName(QStringLiteral("cmbPathList"));
  layout->addWidget(m_cmbPathList);
  m_lstTags = new QListWidget(this);
  m_lstTags->setObjectName(QStringLiteral("lstTags"));
  layout->addWidget(m_lstTags, 1);
  title->setBuddy(m_cmbPathList);

  // Only the user's choice counts: filling the drop-down must not store a group.
  connect(m_cmbPathList, &QComboBox::activated, this,
          [this](int index) { chooseGroup(m_cmbPathList->itemText(index)); });
  connect(m_lstTags, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { insertSnippet(*item); });
}

void FrmHTMLTags::fillGroups() {
  const QSignalBlocker quiet(m_cmbPathList);
  m_cmbPathList->clear();
  m_cmbPathList->addItems(SnippetGroups(m_window.context().paths.file(QStringLiteral("Snippets"))));
  m_cmbPathList->setCurrentIndex(indexOfGroup(*m_cmbPathList, m_group));
}

void FrmHTMLTags::showGroup(const QString& group) {
  m_group = group;
  {
    const QSignalBlocker quiet(m_cmbPathList);
    m_cmbPathList->setCurrentIndex(indexOfGroup(*m_cmbPathList, group));
  }
  m_lstTags->clear();
  if (const auto dir = SnippetGroupDir(m_window.context().paths, group))
    m_lstTags->addItems(SnippetNames(*dir));
}

void FrmHTMLTags::chooseGroup(const QString& group) {
  showGroup(group);
  m_window.context().settings.set(Setting::LastSPath, group);
}

void FrmHTMLTags::insertSnippet(const QListWidgetItem& item) {
  const auto path = SnippetFile(m_window.context().paths, m_group, item.text());
  if (!path) return;
  // A snippet that cannot be read inserts nothing.
  const auto snippet = platform::TextFile::read(*path);
  if (!snippet) return;
  platform::EditControl& editor = m_window.txtMain();
  editor.setSelectedText(WrapSelection(snippet->text, editor.selectedText()));
  m_window.focusEditor();
}

void InstallSnippets(shell::FrmMain& window) {
  // The panel is made when first shown, on the group the user chose last.
  const auto panel = [&window]() -> FrmHTMLTags& {
    const bool fresh = !window.sidePanel(shell::Side::Right);
    auto& made = window.madeSidePanel<FrmHTMLTags>(shell::Side::Right);
    if (fresh) made.showGroup(window.context().settings.get(Setting::LastSPath));
    return made;
  };
  window.commands().bind(QStringLiteral("mnuHTMLTags"), [&window, panel] {
    QAction* item = window.commands().action(QStringLiteral("mnuHTMLTags"));
    const bool on = item && item->isChecked();
    window.context().settings.setFlag(Setting::HTMLTags, on);
    if (on) panel().fillGroups();
    window.setSidePanelShown(shell::Side::Right, on);
  });
  window.hooks().add(shell::Hook::SnippetsPanel, [panel] { panel().fillGroups(); });
  // At start-up, once the settings are read; a panel not made yet reads the group when it is.
  window.hooks().add(shell::Hook::SnippetList, [&window] {
    if (auto* made = qobject_cast<FrmHTMLTags*>(window.sidePanel(shell::Side::Right)))
      made->showGroup(window.context().settings.get(Setting::LastSPath));
  });
}

}  // namespace automation

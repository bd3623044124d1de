#include "shell/frm_main.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "document/recent_files.h"
#include "platform/caption_marks.h"
#include "platform/edit_control.h"
#include "platform/settings_store.h"

namespace shell {

FrmMain::FrmMain(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context) {
  setObjectName("frmMain");
  // The title names the document; no language file renames it.
  platform::MarkDataCaption(*this);
  setWindowTitle(document::Document::startCaption());
  resize(800, 600);

  auto* central = new QWidget(this);
  central->setObjectName("pnlMain");
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  m_txtMain = new platform::EditControl(central);
  m_txtMain->setObjectName("txtMain");
  layout->addWidget(m_txtMain, 1);
  setCentralWidget(central);

  m_commands = new Commands(*this);
  m_statusText = new QLabel(this);
  m_statusText->setObjectName("sbStatusText");
  platform::MarkDataCaption(*m_statusText);
  statusBar()->setObjectName("sbStatusBar");
  statusBar()->addWidget(m_statusText, 1);
  m_statusNote = new QLabel(this);
  m_statusNote->setObjectName("sbStatusNote");
  platform::MarkDataCaption(*m_statusNote);
  statusBar()->addPermanentWidget(m_statusNote);

  connect(&m_document, &document::Document::captionChanged, this, &QWidget::setWindowTitle);
  // A click on the bar itself hands the focus back to the text.
  connect(m_commands->toolBar(), &QToolBar::actionTriggered, this, [this] { focusEditor(); });
}

FrmMain::~FrmMain() { Q_EMIT destroying(); }

void FrmMain::setToolBarShown(bool shown) {
  m_toolBarShown = shown;
  m_commands->toolBar()->setVisible(shown);
  relayout();
}

void FrmMain::setStatusBarShown(bool shown) {
  m_statusShown = shown;
  statusBar()->setVisible(shown);
  relayout();
}

void FrmMain::setSidePanel(Side side, QWidget* panel) {
  const int i = side == Side::Left ? 0 : 1;
  auto* layout = static_cast<QHBoxLayout*>(centralWidget()->layout());
  if (m_panels[i]) {
    layout->removeWidget(m_panels[i]);
    m_panels[i]->deleteLater();
  }
  m_panels[i] = panel;
  if (panel) {
    layout->insertWidget(side == Side::Left ? 0 : layout->count(), panel);
    panel->setVisible(m_panelShown[i]);
  }
  relayout();
}

void FrmMain::setSidePanelShown(Side side, bool shown) {
  const int i = side == Side::Left ? 0 : 1;
  m_panelShown[i] = shown;
  if (m_panels[i]) m_panels[i]->setVisible(shown);
  relayout();
}

void FrmMain::setTopMost(bool on) {
  const bool visible = isVisible();
  const QRect place = geometry();
  setAttribute(Qt::WA_ShowWithoutActivating, true);
  setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window on most platforms
  if (visible) {
    setGeometry(place);
    show();
  }
  setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void FrmMain::relayout() {
  // A hidden window is laid out when it is shown (its resize event comes here then); laying it
  // out for each bar and panel the start-up steps set cost half a millisecond.
  if (!isVisible()) return;
  if (QLayout* layout = centralWidget()->layout()) layout->activate();
  if (m_context.settings.flag(platform::Setting::Split))
    m_txtMain->setSplitterPosition(m_txtMain->height() / 2);
  focusEditor();
}

void FrmMain::focusEditor() {
  if (QWidget* target = m_txtMain->focusWidget()) target->setFocus();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  if (m_shutdown && !m_shutdown()) {
    event->ignore();
    return;
  }
  event->accept();
}

void FrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  relayout();
}

}  // namespace shell

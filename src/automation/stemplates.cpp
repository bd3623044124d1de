#include "automation/stemplates.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>

#include "automation/templates.h"
#include "platform/edit_control.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "shell/menu_array.h"

namespace automation {
namespace {

namespace Setting = platform::Setting;

constexpr int kAlt = 4;
constexpr int kListWidth = 200;
constexpr int kListHeight = 150;

QString setsFolder(shell::FrmMain& window) {
  return window.context().paths.file(QStringLiteral("STemplates"));
}

// The pop-up list `lstStemplate`: filled for the active set, placed at the caret, gone as soon
// as it loses the focus.
class SpecialTemplatePopup : public QObject {
 public:
  explicit SpecialTemplatePopup(shell::FrmMain& window)
      : QObject(&window), m_window(window), m_list(new QListWidget(&window)) {
    m_list->setObjectName(QStringLiteral("lstStemplate"));
    // Hiding the list as the window goes takes its focus away: nothing to hand back then.
    connect(&window, &shell::FrmMain::destroying, this,
            [this] { m_list->removeEventFilter(this); });
    m_list->resize(kListWidth, kListHeight);
    m_list->hide();
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { insertChosen(); });
  }

  void buildMenu() {
    shell::MenuArray* menu = m_window.commands().array(QStringLiteral("mnuSpecialTemplate"));
    if (!menu) return;
    menu->clear();
    for (const QString& set : SpecialTemplateSets(setsFolder(m_window)))
      menu->add(set)->setCheckable(true);
    tick(m_window.context().settings.number(Setting::SpecialTemplate));
  }

  void choose(int index) {
    m_window.context().settings.set(Setting::SpecialTemplate, QString::number(index));
    tick(index);
  }

  // Alt+T: the active set's pieces at the caret.
  void onKeyDown(platform::KeyPress& press) {
    if (press.shift != kAlt || press.key != Qt::Key_T) return;
    // The key belongs to the program even with no set active: it never types a "t".
    press.handled = true;
    const QString set = activeSet();
    if (set.isEmpty()) return;
    m_set = set;
    m_list->clear();
    m_list->addItems(TemplateNames(QDir(setsFolder(m_window)).filePath(set)));
    if (m_list->count() == 0) return;
    m_list->setCurrentRow(0);
    place();
    m_list->show();
    m_list->raise();
    m_list->setFocus(Qt::PopupFocusReason);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_list) return false;
    if (event->type() == QEvent::FocusOut) {
      close();
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        insertChosen();
        return true;
      }
      if (key == Qt::Key_Escape) {
        close();
        return true;
      }
    }
    return false;
  }

 private:
  QString activeSet() const {
    const int index = m_window.context().settings.number(Setting::SpecialTemplate);
    shell::MenuArray* menu = m_window.commands().array(QStringLiteral("mnuSpecialTemplate"));
    if (index <= 0 || !menu || index >= menu->count()) return {};
    return shell::CaptionWithoutShortcut(menu->item(index)->text());
  }

  void tick(int index) {
    shell::MenuArray* menu = m_window.commands().array(QStringLiteral("mnuSpecialTemplate"));
    if (!menu) return;
    for (int i = 0; i < menu->count(); ++i) menu->item(i)->setChecked(i == index);
  }

  // One line below the caret's line; above it when the list would leave the window.
  void place() {
    platform::EditControl& editor = m_window.txtMain();
    const platform::SelRange sel = editor.selection();
    const QPoint caret = editor.pointOfPosition(sel.endLine, sel.endCol);
    const int lineHeight = editor.fontMetrics().height();
    const QPoint top = editor.mapTo(&m_window, caret);
    QPoint at(top.x(), top.y() + lineHeight);
    if (at.y() + m_list->height() > m_window.height()) at.setY(top.y() - m_list->height());
    at.setX(std::clamp(at.x(), 0, std::max(0, m_window.width() - m_list->width())));
    at.setY(std::max(at.y(), 0));
    m_list->move(at);
  }

  void insertChosen() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item) {
      const QString path =
          QDir(setsFolder(m_window)).filePath(m_set + u'/' + item->text() + QStringLiteral(".lst"));
      if (const auto file = platform::TextFile::read(path))
        m_window.txtMain().setSelectedText(SpecialTemplateText(file->text));
    }
    close();
  }

  void close() {
    if (!m_list->isVisible()) return;
    m_list->hide();
    m_window.focusEditor();
  }

  shell::FrmMain& m_window;
  QListWidget* m_list;
  QString m_set;
};

}  // namespace

QStringList SpecialTemplateSets(const QString& folder) {
  return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
}

QString SpecialTemplateText(const QString& fileText) {
  if (fileText.endsWith(QStringLiteral("\r\n"))) return fileText.chopped(2);
  if (fileText.endsWith(u'\n') || fileText.endsWith(u'\r')) return fileText.chopped(1);
  return fileText;
}

void InstallSpecialTemplates(shell::FrmMain& window) {
  auto* popup = new SpecialTemplatePopup(window);
  window.hooks().add(shell::Hook::SpecialTemplate, [popup] { popup->buildMenu(); });
  window.commands().bindArray(QStringLiteral("mnuSpecialTemplate"),
                              [popup](int index) { popup->choose(index); });
  QObject::connect(&window.txtMain(), &platform::EditControl::keyDown, popup,
                   [popup](platform::KeyPress& press) { popup->onKeyDown(press); });
}

}  // namespace automation

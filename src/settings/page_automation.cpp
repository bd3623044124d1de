// "Автомат": the words the auto-complete list offers and the replace-as-you-type pairs, each
// with the option that switches it on. A change is written to its list file at once and the
// editor uses it from the next key on.
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "editor/auto_change.h"
#include "editor/auto_complete.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "settings/settings_pages.h"
#include "shell/frm_main.h"

namespace settings {
namespace {

namespace Setting = platform::Setting;
using platform::Named;

const QString kAutoCompleteTitle = QStringLiteral("Автозавершение");
const QString kAutoChangeTitle = QStringLiteral("Автозамена");

// A frame of "Включить", a list and its "Добавить" and "Удалить"; "Удалить" only with an entry
// chosen.
struct ListGroup {
  QGroupBox* group;
  QListWidget* list;
  QPushButton* add;
  QPushButton* remove;
};

struct ListGroupNames {
  const char* frame;
  const char* check;
  const char* list;
  const char* add;
  const char* remove;
};

ListGroup listGroup(QWidget& frame, shell::FrmMain& window, const ListGroupNames& names,
                    const QString& caption, const platform::SettingDef& option) {
  ListGroup g;
  g.group = PageGroup(&frame, names.frame, caption);
  auto* check = SettingCheckBox(g.group, names.check, QStringLiteral("Включить"),
                                window.context().settings, option, Reading::Truth);
  g.list = Named(new QListWidget(g.group), names.list);
  g.add = Named(new QPushButton(QStringLiteral("Добавить"), g.group), names.add);
  g.remove = Named(new QPushButton(QStringLiteral("Удалить"), g.group), names.remove);
  auto* layout = new QVBoxLayout(g.group);
  layout->addWidget(check);
  auto* row = new QHBoxLayout;
  row->addWidget(g.list, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(g.add);
  buttons->addWidget(g.remove);
  buttons->addStretch(1);
  row->addLayout(buttons);
  layout->addLayout(row, 1);
  const auto follow = [list = g.list, remove = g.remove] {
    remove->setEnabled(list->currentRow() >= 0);
  };
  QObject::connect(g.list, &QListWidget::currentRowChanged, g.group, follow);
  follow();
  return g;
}

// Fills the list anew, choosing `row` when it is there.
void refill(QListWidget& list, const QStringList& entries, int row) {
  list.clear();
  list.addItems(entries);
  list.setCurrentRow(row < list.count() ? row : -1);
}

std::optional<QString> ask(shell::FrmMain& window, const QString& prompt, const QString& title) {
  std::optional<QString> answer = window.context().ui.inputBox(prompt, title, QString());
  if (answer && answer->isEmpty()) answer.reset();
  return answer;
}

QGroupBox* autoCompleteGroup(QWidget& frame, shell::FrmMain& window) {
  const ListGroup g = listGroup(frame, window,
                                {"fraAutoComplete", "chkEnableAutoComplete", "lstAutoComplete",
                                 "cmdAutoCompleteAdd", "cmdAutoCompleteRemove"},
                                kAutoCompleteTitle, Setting::AutoComplete);
  refill(*g.list, editor::AutoCompleteWords(window), -1);
  // The file is written from the list; when that fails the list shows what the file holds.
  const auto store = [&window, list = g.list](const QStringList& words, int row) {
    if (const auto problem = editor::StoreAutoCompleteWords(window, words)) {
      PageWarning(window, *problem, kAutoCompleteTitle);
      refill(*list, editor::AutoCompleteWords(window), -1);
      return;
    }
    refill(*list, words, row);
  };
  const auto wordsOf = [](const QListWidget& list) {
    QStringList words;
    for (int i = 0; i < list.count(); ++i) words << list.item(i)->text();
    return words;
  };
  QObject::connect(g.add, &QPushButton::clicked, g.group, [&window, list = g.list, store, wordsOf] {
    const auto word =
        ask(window, QStringLiteral("Введите слово для дополнения"), kAutoCompleteTitle);
    if (!word) return;
    QStringList words = wordsOf(*list);
    words << *word;
    store(words, int(words.size()) - 1);
  });
  QObject::connect(g.remove, &QPushButton::clicked, g.group, [list = g.list, store, wordsOf] {
    const int row = list->currentRow();
    if (row < 0) return;
    QStringList words = wordsOf(*list);
    words.removeAt(row);
    store(words, std::min(row, int(words.size()) - 1));
  });
  return g.group;
}

// The list shows the table the typing uses, pair 1 in row 0.
QStringList pairLines(shell::FrmMain& window) {
  const editor::AutoChangeTable* table = editor::AutoChangeTableOf(window);
  QStringList lines;
  for (std::size_t i = 1; table && i < table->size(); ++i)
    lines << (*table)[i].find + QStringLiteral("==") + (*table)[i].replacement;
  return lines;
}

QGroupBox* autoChangeGroup(QWidget& frame, shell::FrmMain& window) {
  const ListGroup g = listGroup(frame, window,
                                {"fraAutoChange", "chkAutoChange", "lstAutoChange",
                                 "cmdAddAutoChange", "cmdRemoveAutoChange"},
                                kAutoChangeTitle, Setting::AutoChange);
  refill(*g.list, pairLines(window), -1);
  if (!editor::AutoChangeTableOf(window)) {
    // Without the feature there is no table to change.
    g.list->setEnabled(false);
    g.add->setEnabled(false);
    return g.group;
  }
  QObject::connect(g.add, &QPushButton::clicked, g.group, [&window, list = g.list] {
    const auto find = ask(window, QStringLiteral("Что заменять?"), kAutoChangeTitle);
    if (!find) return;
    const auto replacement = ask(window, QStringLiteral("На что?"), kAutoChangeTitle);
    if (!replacement) return;
    const auto problem = editor::AddAutoChangePair(window, {*find, *replacement});
    if (problem) PageWarning(window, *problem, kAutoChangeTitle);
    const QStringList lines = pairLines(window);
    refill(*list, lines, problem ? list->currentRow() : int(lines.size()) - 1);
  });
  QObject::connect(g.remove, &QPushButton::clicked, g.group, [&window, list = g.list] {
    const int row = list->currentRow();
    if (row < 0) return;
    if (const auto problem = editor::RemoveAutoChangePair(window, row + 1))
      PageWarning(window, *problem, kAutoChangeTitle);
    const QStringList lines = pairLines(window);
    refill(*list, lines, std::min(row, int(lines.size()) - 1));
  });
  return g.group;
}

}  // namespace

void BuildAutomationPage(QGroupBox& frame, shell::FrmMain& window) {
  auto* layout = new QVBoxLayout(&frame);
  layout->addWidget(autoCompleteGroup(frame, window), 1);
  layout->addWidget(autoChangeGroup(frame, window), 1);
}

}  // namespace settings

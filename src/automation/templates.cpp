#include "automation/templates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "automation/macro_runner.h"
#include "document/file_commands.h"
#include "document/open_file.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "shell/menu_array.h"

namespace automation {
namespace {

QString templatesFolder(shell::FrmMain& window) {
  return window.context().paths.file(QStringLiteral("Templates"));
}

QString templatePath(shell::FrmMain& window, const QString& name) {
  return QDir(templatesFolder(window)).filePath(name + QStringLiteral(".lst"));
}

// A name becomes a file name: it may not leave the folder, and a "." would cut the name short
// when the folder is listed again.
std::optional<QString> badName(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("Название шаблона не может быть пустым.");
  if (name.contains(u'.') || name.contains(u'/') || name.contains(u'\\'))
    return QStringLiteral("Название шаблона не может содержать точку или косую черту:\n") + name;
  return std::nullopt;
}

}  // namespace

QStringList TemplateNames(const QString& folder) {
  QStringList names;
  const QStringList files =
      QDir(folder).entryList({QStringLiteral("*.lst")}, QDir::Files, QDir::Unsorted);
  for (const QString& file : files) names << file.section(u'.', 0, 0);
  return names;
}

void BuildTemplateMenu(shell::FrmMain& window) {
  shell::MenuArray* menu = window.commands().array(QStringLiteral("mnuTemplate"));
  if (!menu) return;
  menu->clear();
  for (const QString& name : TemplateNames(templatesFolder(window))) menu->add(name);
}

bool ChooseTemplate(shell::FrmMain& window, const QString& name) {
  if (!document::SavePreviousIfWanted(window)) return false;
  const auto file = platform::TextFile::read(templatePath(window, name));
  if (!file) return false;
  MacroRunner* runner = MacroRunnerOf(window);
  const QString text = runner ? runner->expand(file->text) : file->text;
  document::BecomeUntitled(window, text, true);
  window.focusEditor();
  return true;
}

std::optional<QString> AddTemplate(shell::FrmMain& window, const QString& name) {
  if (auto bad = badName(name)) return bad;
  QDir().mkpath(templatesFolder(window));
  QString error;
  if (!platform::TextFile::writeBytes(templatePath(window, name), {}, &error))
    return QStringLiteral("Невозможно создать шаблон ") + name + "\n\n" + error;
  BuildTemplateMenu(window);
  return std::nullopt;
}

std::optional<QString> RemoveTemplate(shell::FrmMain& window, const QString& name) {
  if (auto bad = badName(name)) return bad;
  QFile file(templatePath(window, name));
  if (!file.remove())
    return QStringLiteral("Невозможно удалить шаблон ") + name + "\n\n" + file.errorString();
  BuildTemplateMenu(window);
  return std::nullopt;
}

bool EditTemplate(shell::FrmMain& window, const QString& name) {
  if (badName(name)) return false;
  return document::LFile(window, templatePath(window, name));
}

bool TemplateExists(shell::FrmMain& window, const QString& name) {
  return !badName(name) && QFileInfo::exists(templatePath(window, name));
}

void InstallTemplates(shell::FrmMain& window) {
  window.hooks().add(shell::Hook::TemplatesMenu, [&window] { BuildTemplateMenu(window); });
  window.commands().bindArray(QStringLiteral("mnuTemplate"), [&window](int index) {
    shell::MenuArray* menu = window.commands().array(QStringLiteral("mnuTemplate"));
    if (index < menu->fixedCount() || index >= menu->count()) return;
    ChooseTemplate(window, shell::CaptionWithoutShortcut(menu->item(index)->text()));
  });
}

}  // namespace automation

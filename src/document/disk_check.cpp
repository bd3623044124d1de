#include "document/disk_check.h"

#include "platform/edit_control.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace document {

void CheckDiskChange(shell::FrmMain& window) {
  static bool asking = false;  // the question itself moves the focus away and back
  Document& doc = window.document();
  if (asking || !window.context().settings.flag(platform::Setting::WarnIfChanged)) return;
  if (doc.isUntitled() || !doc.diskChangedSinceRemembered()) return;
  const auto onDisk = platform::TextFile::read(doc.path());
  doc.rememberDiskState();
  if (!onDisk) return;
  platform::EditControl& editor = window.txtMain();
  if (onDisk->text == editor.text()) return;
  asking = true;
  const auto answer = window.context().ui.message(
      QStringLiteral("Документ был изменен другой программой.\nХотите его обновить"),
      QString::fromUtf8(shell::kProgramName) + " " + shell::kVersion, platform::MsgButtons::YesNo,
      platform::MsgIcon::Question);
  asking = false;
  if (answer == platform::MsgAnswer::Yes) {
    const bool dirty = doc.Dirty();
    editor.setText(onDisk->text);
    doc.setDirty(dirty);
  }
}

void InstallDiskCheck(shell::FrmMain& window) {
  QObject::connect(&window.txtMain(), &platform::EditControl::gotFocus, &window,
                   [&window] { CheckDiskChange(window); });
}

}  // namespace document

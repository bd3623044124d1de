#include <QUrl>

#include "shell/frm_main.h"
#include "shell/main_commands.h"
#include "shell/version.h"

namespace shell {

void InstallHelpCommands(FrmMain& window) {
  Commands& c = window.commands();
  AppContext& ctx = window.context();
  c.bind("mnuIndex", [&ctx] { ctx.shell.open(ctx.paths.file("Help/index.html")); });
  c.bind("mnuReleasenotes", [&ctx] { ctx.shell.open(ctx.paths.file("Help/read_me.html")); });
  c.bind("mnuHomePage", [&ctx] { ctx.shell.open(QString::fromUtf8(kHomePage)); });
  c.bind("mnuLetterToAuthor", [&ctx] {
    const QString subject = QStringLiteral("Ostrel_XP_") + kVersion;
    ctx.shell.open("mailto:" + QString::fromUtf8(kAuthorMail) +
                   "?subject=" + QString::fromUtf8(QUrl::toPercentEncoding(subject)));
  });
}

}  // namespace shell

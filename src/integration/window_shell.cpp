#include "integration/window_shell.h"

#include <QCoreApplication>
#include <QObject>

#include "integration/shell_integration.h"
#include "shell/frm_main.h"

namespace integration {
namespace {

constexpr char kHolderName[] = "ShellIntegration";

// Keeps the integration as long as the window lives.
class Holder : public QObject {
 public:
  explicit Holder(QObject* parent)
      : QObject(parent), shell(QCoreApplication::applicationFilePath()) {
    setObjectName(QString::fromLatin1(kHolderName));
  }
  ShellIntegration shell;
};

}  // namespace

ShellIntegration& ShellIntegrationOf(shell::FrmMain& window) {
  auto* holder = dynamic_cast<Holder*>(
      window.findChild<QObject*>(QString::fromLatin1(kHolderName), Qt::FindDirectChildrenOnly));
  if (!holder) holder = new Holder(&window);
  return holder->shell;
}

}  // namespace integration

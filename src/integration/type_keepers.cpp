#include "integration/type_keepers.h"

#include "integration/shell_integration.h"

namespace integration {

QString KeeperOf(const QString& mimeType, const AssociationList& list, int except,
                 bool htmlEditor) {
  for (int i = 0; i < list.size(); ++i) {
    if (i == except || !list[i].checked) continue;
    if (ShellIntegration::mimeTypeOf(list[i].extension) == mimeType)
      return QStringLiteral("отмеченное расширение «%1»").arg(*normalizeExtension(list[i].extension));
  }
  if (htmlEditor && mimeType == QLatin1String(kHtmlType))
    return QStringLiteral("флажок «HTML-редактор по-умолчанию»");
  return QString();
}

}  // namespace integration

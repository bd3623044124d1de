#include "automation/snippets.h"

#include <QDir>

#include "platform/app_paths.h"

namespace automation {
namespace {

const QString kMarker = QStringLiteral("$txt$");
const QString kExtension = QStringLiteral(".lst");

}  // namespace

QStringList SnippetGroups(const QString& snippetsDir) {
  const QDir folder(snippetsDir);
  if (!folder.exists()) return {};
  return folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QStringList SnippetNames(const QString& groupDir) {
  const QDir folder(groupDir);
  if (groupDir.isEmpty() || !folder.exists()) return {};
  // Name filters match without regard to letter case unless told otherwise.
  QStringList names =
      folder.entryList({QLatin1Char('*') + kExtension}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (QString& name : names) name.chop(kExtension.size());
  return names;
}

bool IsSnippetGroup(const QString& group) {
  return !group.isEmpty() && group != QLatin1String(".") && group != QLatin1String("..") &&
         !group.contains(QLatin1Char('/')) && !group.contains(QLatin1Char('\\'));
}

std::optional<QString> SnippetGroupDir(const platform::AppPaths& paths, const QString& group) {
  if (!IsSnippetGroup(group)) return std::nullopt;
  return paths.file(QStringLiteral("Snippets/") + group);
}

std::optional<QString> SnippetFile(const platform::AppPaths& paths, const QString& group,
                                   const QString& name) {
  if (!IsSnippetGroup(group) || name.contains(QLatin1Char('/'))) return std::nullopt;
  return paths.file(QStringLiteral("Snippets/") + group + QLatin1Char('/') + name + kExtension);
}

QString WrapSelection(const QString& snippet, const QString& selection) {
  QString result = snippet;
  return result.replace(kMarker, selection, Qt::CaseSensitive);
}

}  // namespace automation

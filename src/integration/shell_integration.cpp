// The default application of a type is the first desktop ID on its line of
// [Default Applications] in the user's mimeapps.list; the "Open with" choices are the IDs of
// [Added Associations] and of the desktop entries whose MimeType line names the type.
#include "integration/shell_integration.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <utility>

#include "integration/desktop_entry.h"
#include "integration/key_file_lines.h"
#include "integration/xdg_places.h"
#include "platform/process_run.h"
#include "platform/text_file.h"

namespace integration {
namespace {

const QString kEntryGroup = QStringLiteral("Desktop Entry");
const QString kMimeTypeKey = QStringLiteral("MimeType");

QString ourId() { return QLatin1String(DesktopEntry::kId); }
QString entryPath(const XdgPlaces& places) { return places.applications + u'/' + ourId(); }

bool fail(QString* error, const QString& message) {
  if (error) *error = message;
  return false;
}

// The XDG folders, or a failure when the environment names none.
std::optional<XdgPlaces> places(QString* error) {
  const XdgPlaces found = XdgPlaces::current();
  if (found.isValid()) return found;
  fail(error, QStringLiteral("Не найдены папки пользователя: не заданы HOME и XDG_DATA_HOME"));
  return std::nullopt;
}

// mimeapps.list with the record of previous defaults, for the changes of a default.
struct DefaultsFiles {
  XdgPlaces where;
  KeyFileLines mimeapps, previous;

  static std::optional<DefaultsFiles> load(QString* error) {
    const auto found = places(error);
    if (!found) return std::nullopt;
    auto mimeapps = KeyFileLines::load(found->mimeapps, error);
    auto previous = mimeapps ? KeyFileLines::load(found->previousDefaults, error) : std::nullopt;
    if (!previous) return std::nullopt;
    return DefaultsFiles{*found, std::move(*mimeapps), std::move(*previous)};
  }
};

// What mimeapps.list says now; nullopt when there is no place for it or it cannot be read.
std::optional<KeyFileLines> currentMimeapps() {
  const XdgPlaces where = XdgPlaces::current();
  if (!where.isValid()) return std::nullopt;
  return KeyFileLines::load(where.mimeapps);
}

bool isOurDefault(const KeyFileLines& mimeapps, const QString& type) {
  const auto ids = KeyFileLines::splitList(mimeapps.value(kDefaultGroup, type).value_or(QString()));
  return !ids.isEmpty() && ids.front() == ourId();
}

bool isAddedBy(const KeyFileLines& mimeapps, const QString& type) {
  return KeyFileLines::splitList(mimeapps.value(kAddedGroup, type).value_or(QString()))
      .contains(ourId());
}

// A list value with our ID added at the front or the end, or taken out; the key goes when the
// list is left empty.
void editList(KeyFileLines& file, const QString& group, const QString& type,
              const std::optional<bool>& addFirst) {
  QStringList ids = KeyFileLines::splitList(file.value(group, type).value_or(QString()));
  ids.removeAll(ourId());
  if (addFirst) *addFirst ? ids.prepend(ourId()) : ids.append(ourId());
  if (ids.isEmpty())
    file.remove(group, type);
  else
    file.setValue(group, type, KeyFileLines::joinList(ids));
}

}  // namespace

ShellIntegration::ShellIntegration(QString programPath) : m_programPath(std::move(programPath)) {}

std::optional<QString> ShellIntegration::mimeTypeOf(const QString& extension) {
  const auto ext = normalizeExtension(extension);
  if (!ext) return std::nullopt;
  const QMimeType type =
      QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + *ext, QMimeDatabase::MatchExtension);
  if (!type.isValid() || type.isDefault()) return std::nullopt;
  return type.name();
}

bool ShellIntegration::Associate(const QString& extension, QString* error) {
  if (extension.trimmed().isEmpty()) return true;
  if (!normalizeExtension(extension))
    return fail(error, QStringLiteral("«%1» не может быть расширением файла").arg(extension));
  const auto type = mimeTypeOf(extension);
  if (!type)
    return fail(error, QStringLiteral("Тип файлов «%1» системе неизвестен")
                           .arg(*normalizeExtension(extension)));
  return takeDefault(*type, error);
}

bool ShellIntegration::associateChecked(const AssociationList& list, QString* error) {
  QStringList errors;
  for (const AssociationItem& item : list) {
    QString reason;
    if (item.checked && !Associate(item.extension, &reason)) errors.append(reason);
  }
  if (errors.isEmpty()) return true;
  return fail(error, errors.join(u'\n'));
}

bool ShellIntegration::unassociate(const QString& extension, QString* error) {
  if (extension.trimmed().isEmpty()) return true;
  const auto type = mimeTypeOf(extension);
  if (!type)
    return fail(error, QStringLiteral("«%1»: тип файлов системе неизвестен").arg(extension));
  return giveBackDefault(*type, error);
}

bool ShellIntegration::setOpenWith(bool on, QString* error) {
  const auto where = places(error);
  if (!where) return false;
  auto mimeapps = KeyFileLines::load(where->mimeapps, error);
  if (!mimeapps) return false;
  const QString type = QLatin1String(kTextType);
  if (on && !updateEntry(type, true, error)) return false;
  editList(*mimeapps, kAddedGroup, type, on ? std::optional(false) : std::nullopt);
  if (!mimeapps->save(where->mimeapps, error)) return false;
  if (!on && !updateEntry(type, false, error)) return false;
  refreshDatabase();
  return true;
}

bool ShellIntegration::setDefaultHtmlEditor(bool on, QString* error) {
  const QString type = QLatin1String(kHtmlType);
  return on ? takeDefault(type, error) : giveBackDefault(type, error);
}

bool ShellIntegration::isDefaultFor(const QString& mimeType) const {
  const auto mimeapps = currentMimeapps();
  return mimeapps && isOurDefault(*mimeapps, mimeType);
}

bool ShellIntegration::isInOpenWith() const {
  const auto mimeapps = currentMimeapps();
  return mimeapps && isAddedBy(*mimeapps, QLatin1String(kTextType));
}

bool ShellIntegration::takeDefault(const QString& mimeType, QString* error) {
  auto files = DefaultsFiles::load(error);
  if (!files) return false;
  auto& [where, mimeapps, previous] = *files;
  // The entry first: a default must never name an entry that is not there.
  if (!updateEntry(mimeType, true, error)) return false;
  // Taking a type the program already has must not overwrite the record of who had it before.
  if (!isOurDefault(mimeapps, mimeType)) {
    previous.setValue(kPreviousGroup, mimeType,
                       mimeapps.value(kDefaultGroup, mimeType).value_or(QString()));
    if (!previous.save(where.previousDefaults, error)) return false;
  }
  editList(mimeapps, kDefaultGroup, mimeType, true);
  if (!mimeapps.save(where.mimeapps, error)) return false;
  refreshDatabase();
  return true;
}

bool ShellIntegration::giveBackDefault(const QString& mimeType, QString* error) {
  auto files = DefaultsFiles::load(error);
  if (!files) return false;
  auto& [where, mimeapps, previous] = *files;
  if (isOurDefault(mimeapps, mimeType)) {
    const auto before = previous.value(kPreviousGroup, mimeType);
    if (before && !before->isEmpty())
      mimeapps.setValue(kDefaultGroup, mimeType, *before);
    else if (before)
      mimeapps.remove(kDefaultGroup, mimeType);
    else
      editList(mimeapps, kDefaultGroup, mimeType, std::nullopt);  // no record: just step aside
    if (!mimeapps.save(where.mimeapps, error)) return false;
  }
  previous.remove(kPreviousGroup, mimeType);
  if (!previous.save(where.previousDefaults, error)) return false;
  if (!updateEntry(mimeType, false, error)) return false;
  refreshDatabase();
  return true;
}

bool ShellIntegration::updateEntry(const QString& mimeType, bool handled, QString* error) {
  const auto where = places(error);
  if (!where) return false;
  const QString path = entryPath(*where);
  auto entry = KeyFileLines::load(path, error);
  if (!entry) return false;
  if (QFile::exists(path) &&
      entry->value(kEntryGroup, QLatin1String(DesktopEntry::kOwnerKey)) != QStringLiteral("true"))
    return fail(error, QStringLiteral("Файл «%1» создан не этой программой").arg(path));
  QStringList types = KeyFileLines::splitList(entry->value(kEntryGroup, kMimeTypeKey).value_or(QString()));
  if (!handled) {
    // A type stays while the program is still its default or an added choice for it.
    const auto mimeapps = KeyFileLines::load(where->mimeapps, error);
    if (!mimeapps) return false;
    if (isOurDefault(*mimeapps, mimeType) || isAddedBy(*mimeapps, mimeType)) return true;
    types.removeAll(mimeType);
    if (types.isEmpty()) return !QFile::exists(path) || QFile::remove(path) ||
                                fail(error, QStringLiteral("Не удалось удалить файл «%1»").arg(path));
  } else if (!types.contains(mimeType)) {
    types.append(mimeType);
  }
  const auto text = DesktopEntry::content(m_programPath, types);
  if (!text)
    return fail(error, QStringLiteral("Путь программы «%1» нельзя записать в ярлык").arg(m_programPath));
  if (!QDir().mkpath(where->applications))
    return fail(error, QStringLiteral("Не удалось создать папку «%1»").arg(where->applications));
  return platform::TextFile::writeBytes(path, text->toUtf8(), error);
}

void ShellIntegration::refreshDatabase() const {
  if (!m_updateDatabase) return;
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
  if (tool.isEmpty()) return;
  platform::StartDetached(tool, {XdgPlaces::current().applications});
}

}  // namespace integration

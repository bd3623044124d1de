// Registering the program with the desktop for the current user only: default application of
// chosen file types, a choice in every text file's "Open with" list, the default HTML editor.
// Everything lives in the user's XDG folders (a desktop entry of our own and mimeapps.list),
// and every change is undone by the same functions; nothing needs root rights.
#pragma once

#include <QString>

#include "integration/association_list.h"

namespace integration {

inline constexpr char kDefaultGroup[] = "Default Applications";
inline constexpr char kAddedGroup[] = "Added Associations";
inline constexpr char kPreviousGroup[] = "Previous Defaults";
inline constexpr char kTextType[] = "text/plain";
inline constexpr char kHtmlType[] = "text/html";

class ShellIntegration {
 public:
  // `programPath`: the executable the desktop entry starts. The XDG folders are looked up anew by
  // every call.
  explicit ShellIntegration(QString programPath);

  // After each change, run update-desktop-database on the applications folder when it is
  // installed (it only refreshes a cache; its absence is no failure). On by default.
  void setUpdatesDatabase(bool on) { m_updateDatabase = on; }

  // The MIME type the system gives files with this extension; nullopt for an invalid extension
  // or one the system does not know.
  static std::optional<QString> mimeTypeOf(const QString& extension);

  // Makes the program the default application of the extension's type, first recording which
  // application was the default. An extension that is empty after trimming changes nothing and
  // succeeds. Each function returns false with the reason in `error` and then leaves
  // mimeapps.list as it was.
  bool Associate(const QString& extension, QString* error = nullptr);
  // Associates every checked extension, in list order; all are tried, the errors are joined.
  bool associateChecked(const AssociationList& list, QString* error = nullptr);
  // Gives the type back to the default it had before Associate, when the program is still its
  // default; a default the user chose since stays.
  bool unassociate(const QString& extension, QString* error = nullptr);

  // Adds the program to (or removes it from) the "Open with" choices of every text file.
  bool setOpenWith(bool on, QString* error = nullptr);
  // Makes the program the default HTML editor, or gives text/html back to its previous default.
  bool setDefaultHtmlEditor(bool on, QString* error = nullptr);

  // What mimeapps.list says now.
  bool isDefaultFor(const QString& mimeType) const;
  bool isInOpenWith() const;

 private:
  bool takeDefault(const QString& mimeType, QString* error);
  bool giveBackDefault(const QString& mimeType, QString* error);
  // Adds or removes a type on the entry's MimeType line; the entry is removed with its last type.
  bool updateEntry(const QString& mimeType, bool handled, QString* error);
  void refreshDatabase() const;

  QString m_programPath;
  bool m_updateDatabase = true;
};

}  // namespace integration

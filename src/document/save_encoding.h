// Saving a Windows-1251 document that has come to hold characters Windows-1251 lacks: the user
// decides whether the file becomes UTF-8 or those characters become "?"; a save nobody watches
// writes UTF-8 and says so in the status bar, leaving the decision to the next save by hand.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "platform/text_file.h"

#include "document/document.h"
#include "platform/ui.h"

class QLabel;

namespace platform {
class EditControl;
}

namespace document {

// Who starts a save: the user, who can be asked, or a timer, with nobody to ask.
enum class SaveBy { User, Timer };

// The characters of UTF-8 text that Windows-1251 has no code for, each once, in the order they
// first appear. A malformed byte counts as U+FFFD.
QList<char32_t> CharactersWindows1251Lacks(QByteArrayView utf8);
// The same text with each such character (one code point, whatever its length) made "?".
QByteArray ReplaceCharactersWindows1251Lacks(QByteArrayView utf8);
// The characters as the user is shown them: the first few, each in «», invisible ones and
// marks by their code (U+200B), then how many more there are.
QString NameCharacters(const QList<char32_t>& characters);

// What a save is to do about the encoding; see PlanSaveEncoding.
struct SaveEncodingPlan {
  enum class Kind {
    AsIs,        // nothing to settle: the text fits the file's encoding, or is converted
    Cancelled,   // the user cancelled: nothing is to be written
    Replaced,    // the characters became "?" in the editor, as the user chose before
    Unattended,  // written in UTF-8 without asking; the document's encoding stays as it was
    Skipped,     // a timer's save, after the user chose Windows-1251: nothing is written
  };
  Kind kind = Kind::AsIs;
  QString characters;               // named as NameCharacters names them
  platform::TextFormat ownFormat;   // the document's format before an unattended save
};

// What settling the encoding works on: the main window's document, editor, status line and
// dialogs, and the code page the save converts into (1 for none).
struct SaveEncodingScene {
  Document& doc;
  platform::EditControl& editor;
  QLabel& status;
  platform::Ui& ui;
  int saveCodePage;
};

// Settles the encoding before a save writes the document's own encoding (no code-page
// conversion) while that encoding is Windows-1251 and the text holds characters it lacks.
// A user's save asks once per document: "Сохранить в UTF-8" makes the document UTF-8 from now
// on, "Оставить Windows-1251" makes those characters "?" in the editor (and so in the file),
// now and at every later save. A timer's save asks nothing; after that choice it writes nothing,
// for it must not change the text under the user's hands nor write what the user refused.
SaveEncodingPlan PlanSaveEncoding(const SaveEncodingScene& scene, SaveBy by);

// After a successful write: an unattended widening keeps the document's own encoding (so the
// next save by hand still asks), and what happened without a question goes to the status bar.
void FinishSaveEncoding(const SaveEncodingScene& scene, const SaveEncodingPlan& plan);

// The status-bar words for a copy written in UTF-8 because of these characters; `what` names
// the copy ("Файл", "Резервная копия").
QString WrittenInUtf8Note(const QString& what, const QString& characters);

}  // namespace document

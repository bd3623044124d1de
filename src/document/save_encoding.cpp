#include "document/save_encoding.h"

#include <QLabel>
#include <QSet>

#include "platform/cp1251.h"
#include "platform/edit_control.h"
#include "shell/version.h"

namespace document {
namespace {

using Kind = SaveEncodingPlan::Kind;

// How many characters a question or a note names before it only counts the rest.
constexpr int kNamedCharacters = 8;

bool lacking(char32_t c) { return c > 0xFFFF || cp1251::code(QChar(char16_t(c))) < 0; }

// Calls each(character, offset, length) for every character of the text that is not ASCII; a
// malformed byte comes as U+FFFD of length 1.
template <typename Each>
void forEachWide(QByteArrayView utf8, Each&& each) {
  for (qsizetype i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++i;
      continue;
    }
    const platform::TextFile::Utf8Character c = platform::TextFile::utf8CharacterAt(utf8, i);
    each(c.code, i, c.length);
    i += c.length;
  }
}

QString nameOne(char32_t c) {
  if (QChar::isPrint(c) && !QChar::isMark(c) && !QChar::isSpace(c))
    return QStringLiteral("«") + QString::fromUcs4(&c, 1) + QStringLiteral("»");
  return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, '0');
}

enum class Answer { Utf8, KeepWindows1251, Cancel };

Answer ask(const SaveEncodingScene& scene, const QString& characters) {
  const Document& doc = scene.doc;
  const QString name = doc.isUntitled() ? QString::fromUtf8(shell::kUntitled) : doc.fileName();
  const QString text =
      QStringLiteral(
          "Документ «%1» прочитан в кодировке Windows-1251, а теперь в нём есть знаки, "
          "которых в этой кодировке нет: %2.\n\n"
          "«Сохранить в UTF-8»: файл будет записан в UTF-8, все знаки сохранятся.\n"
          "«Оставить Windows-1251»: эти знаки станут «?» в файле и в документе.")
          .arg(name, characters);
  const std::optional<int> answer = scene.ui.choose(
      text, QStringLiteral("Сохранение"),
      {QStringLiteral("&Сохранить в UTF-8"), QStringLiteral("&Оставить Windows-1251")},
      platform::MsgIcon::Question);
  if (!answer) return Answer::Cancel;
  return *answer == 0 ? Answer::Utf8 : Answer::KeepWindows1251;
}

// The characters become "?" in the editor, as one step the user can undo; the selection stays.
// Only the lines that hold them are rewritten, so the marks the user set on lines (bookmarks,
// dividers) stay where they were.
void replaceInEditor(platform::EditControl& editor) {
  const platform::SelRange selection = editor.selection();
  editor.beginEditRun();
  for (int line = 0, lines = editor.lineCount(); line < lines; ++line) {
    const QString text = editor.lineText(line);
    const QByteArray utf8 = text.toUtf8();
    const QByteArray replaced = ReplaceCharactersWindows1251Lacks(utf8);
    if (replaced == utf8) continue;
    editor.setSelection({line, 0, line, int(text.size())}, false);
    editor.setSelectedTextUtf8(replaced);
  }
  editor.endEditRun();
  editor.setSelection(selection, false);
}

}  // namespace

QList<char32_t> CharactersWindows1251Lacks(QByteArrayView utf8) {
  QList<char32_t> found;
  QSet<char32_t> seen;
  forEachWide(utf8, [&](char32_t c, qsizetype, int) {
    if (lacking(c) && !seen.contains(c)) {
      seen.insert(c);
      found.append(c);
    }
  });
  return found;
}

QByteArray ReplaceCharactersWindows1251Lacks(QByteArrayView utf8) {
  QByteArray result;
  result.reserve(utf8.size());
  qsizetype copied = 0;
  forEachWide(utf8, [&](char32_t c, qsizetype at, int length) {
    if (!lacking(c)) return;
    result.append(utf8.sliced(copied, at - copied));
    result.append('?');
    copied = at + length;
  });
  result.append(utf8.sliced(copied));
  return result;
}

QString NameCharacters(const QList<char32_t>& characters) {
  QStringList names;
  for (qsizetype i = 0; i < characters.size() && i < kNamedCharacters; ++i)
    names << nameOne(characters[i]);
  QString result = names.join(' ');
  if (characters.size() > kNamedCharacters)
    result += QStringLiteral(" и ещё %1").arg(characters.size() - kNamedCharacters);
  return result;
}

QString WrittenInUtf8Note(const QString& what, const QString& characters) {
  return what + QStringLiteral(" в UTF-8: в Windows-1251 нет знаков ") + characters;
}

SaveEncodingPlan PlanSaveEncoding(const SaveEncodingScene& scene, SaveBy by) {
  platform::EditControl& editor = scene.editor;
  const platform::TextFormat format = editor.fileFormat();
  // A text converted into a code page is single bytes by definition: "?" is the conversion's.
  if (format.encoding != platform::Encoding::Windows1251 || scene.saveCodePage != 1) return {};
  const QByteArray utf8 = editor.textUtf8();
  if (platform::TextFile::fitsWindows1251(utf8)) return {};
  SaveEncodingPlan plan{Kind::AsIs, NameCharacters(CharactersWindows1251Lacks(utf8)), format};
  Document& doc = scene.doc;
  if (by == SaveBy::Timer) {
    if (doc.keepsWindows1251()) {
      plan.kind = Kind::Skipped;
      scene.status.setText(
          QStringLiteral("Автосохранение пропущено: в Windows-1251 нет знаков ") + plan.characters +
          QStringLiteral("; при сохранении вручную они станут «?»"));
      return plan;
    }
    plan.kind = Kind::Unattended;
    return plan;
  }
  if (doc.keepsWindows1251()) {
    plan.kind = Kind::Replaced;
  } else {
    switch (ask(scene, plan.characters)) {
      case Answer::Cancel: plan.kind = Kind::Cancelled; return plan;
      case Answer::Utf8:
        // The answer holds even when this write fails: the document is UTF-8 now.
        editor.setFileFormat({platform::Encoding::Utf8, false, format.lineEnd});
        return plan;
      case Answer::KeepWindows1251: doc.setKeepsWindows1251(true); break;
    }
  }
  replaceInEditor(editor);
  return plan;
}

void FinishSaveEncoding(const SaveEncodingScene& scene, const SaveEncodingPlan& plan) {
  if (plan.kind == Kind::Unattended) {
    scene.editor.setFileFormat(plan.ownFormat);
    scene.status.setText(
        WrittenInUtf8Note(QStringLiteral("Файл записан"), plan.characters) +
        QStringLiteral("; при сохранении вручную будет задан вопрос о кодировке"));
  } else if (plan.kind == Kind::Replaced) {
    scene.status.setText(
        QStringLiteral("Знаки, которых нет в Windows-1251, записаны как «?»: ") + plan.characters);
  }
}

}  // namespace document

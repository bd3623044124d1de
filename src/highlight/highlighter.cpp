#include "highlight/highlighter.h"

#include <Qsci/qscilexer.h>

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

#include "highlight/builtin_lexers.h"
#include "highlight/keyword_case.h"
#include "highlight/ohf_lexer.h"
#include "platform/file_reader.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace highlight {
namespace {

namespace Setting = platform::Setting;

constexpr int kLexerStyles = 128;

QString syntaxFolder(shell::FrmMain& window) {
  return window.context().paths.file(QStringLiteral("Syntax"));
}

// Colours every style of a lexer as the item it stands for; items that are no text's colour
// (the margins, the caret line) leave a style in the colours of plain text.
template <typename ItemOf>
void paint(QsciLexer& lexer, const ColourScheme& colours, const QFont& font, ItemOf itemOf) {
  const ItemLook& text = colours[ColourItem::Text];
  lexer.setDefaultColor(text.fore);
  lexer.setDefaultPaper(colours[ColourItem::Background].back);
  lexer.setDefaultFont(platform::FontWithStyle(font, text.fontStyle));
  for (int style = 0; style < kLexerStyles; ++style) {
    if (lexer.description(style).isEmpty()) continue;
    const ColourItem item = itemOf(style);
    const ItemLook& look = colours[item].fore.isValid() && colours[item].back.isValid()
                               ? colours[item]
                               : text;
    lexer.setColor(look.fore, style);
    lexer.setPaper(look.back, style);
    lexer.setFont(platform::FontWithStyle(font, look.fontStyle), style);
  }
}

QStringList wordsOf(const char* list) {
  return list ? QString::fromUtf8(list).split(u' ', Qt::SkipEmptyParts) : QStringList();
}

}  // namespace

HighLighter::HighLighter(shell::FrmMain& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("HighLighter"));
}

HighLighter* HighLighterOf(shell::FrmMain& window) {
  return window.findChild<HighLighter*>(QStringLiteral("HighLighter"), Qt::FindDirectChildrenOnly);
}

void HighLighter::LoadHighLights() {
  const QDir folder(syntaxFolder(m_window));
  if (!folder.exists()) return;
  const QStringList names =
      folder.entryList({QStringLiteral("*.ohf")}, QDir::Files | QDir::Readable, QDir::Unsorted);
  for (const QString& name : names) LoadHighLightFile(folder.filePath(name));
}

int HighLighter::LoadHighLightFile(const QString& path) {
  auto definition = std::make_shared<const OhfDefinition>(ReadOhfFile(path));
  m_definitions[definition->description] = definition;
  const int index = m_list.append(definition->description, definition->extensions);
  if (shell::MenuArray* menu = m_window.commands().array(QStringLiteral("mnuHighLight"))) {
    QAction* item = menu->add(definition->description);
    item->setCheckable(true);
  }
  return index;
}

std::optional<QString> HighLighter::InstallHighLightFile(const QString& path, int* index) {
  const QFileInfo source(path);
  const QString folder = syntaxFolder(m_window);
  // Copying a file onto itself would truncate it before it is read.
  if (source.absoluteDir().canonicalPath() == QDir(folder).canonicalPath())
    return QStringLiteral("Файл уже лежит в папке подсветки:\n") + path;
  QString error;
  const auto bytes = platform::ReadRegularFile(path, &error);
  if (!bytes) return QStringLiteral("Невозможно прочитать файл\n") + path + "\n\n" + error;
  QDir().mkpath(folder);
  const QString copy = QDir(folder).filePath(source.fileName());
  if (!platform::TextFile::writeBytes(copy, bytes->bytes, &error))
    return QStringLiteral("Невозможно записать файл\n") + copy + "\n\n" + error;
  const int added = LoadHighLightFile(copy);
  if (index) *index = added;
  return std::nullopt;
}

QsciLexer* HighLighter::makeLexer(const QString& language, QObject* parent,
                                  const QFont& font) const {
  if (const auto it = m_definitions.find(language); it != m_definitions.end()) {
    auto* lexer = new OhfLexer(*it->second, parent);
    paint(*lexer, m_colours, font, [lexer](int style) { return lexer->itemOfStyle(style); });
    return lexer;
  }
  QsciLexer* lexer = MakeBuiltinLexer(language, parent);
  if (lexer)
    paint(*lexer, m_colours, font, [lexer](int style) { return BuiltinStyleItem(*lexer, style); });
  return lexer;
}

void HighLighter::applyLexer(bool force) {
  platform::EditControl& editor = m_window.txtMain();
  const QString language = m_list.language(m_current);
  // Making a lexer restyles the text: not again for the scheme the editor already has, unless
  // the text was loaded without colours.
  if (!force && m_appliedLanguage == language &&
      !(editor.holdsNoColours() && colours(m_current)))
    return;
  m_appliedLanguage = language;
  m_spellings = keywordSpellingsOf(language);
  if (m_current == kPlainText || language.isEmpty()) {
    editor.setColouringEnabled(false);
    editor.setLexerMaker({});
    return;
  }
  editor.setColouringEnabled(true);
  editor.setLexerMaker([this, language](QObject* parent, const QFont& font) {
    return makeLexer(language, parent, font);
  });
}

QHash<QString, QString> HighLighter::keywordSpellingsOf(const QString& language) const {
  if (const auto it = m_definitions.find(language); it != m_definitions.end())
    return KeywordSpellings(it->second->keywords.split(u'\n', Qt::SkipEmptyParts),
                            it->second->caseSensitive);
  std::unique_ptr<QsciLexer> lexer(MakeBuiltinLexer(language, nullptr));
  if (!lexer) return {};
  return KeywordSpellings(wordsOf(lexer->keywords(1)), !BuiltinIgnoresCase(language));
}

bool HighLighter::colours(int index) const {
  return index != kPlainText && !m_list.language(index).isEmpty();
}

void HighLighter::SetHighLight(int index) {
  const platform::EditControl& editor = m_window.txtMain();
  // A big file loaded without colours gets them in a copy of its text, which leaves the undo
  // history behind: that is the user's to allow.
  if (colours(index) && editor.holdsNoColours() && (editor.canUndo() || editor.canRedo()) &&
      m_window.context().ui.message(
          QStringLiteral("Чтобы раскрасить этот большой файл, редактор перестроит его текст, и "
                         "сделанные правки больше нельзя будет отменить. Раскрасить?"),
          QString::fromUtf8(shell::kProgramName), platform::MsgButtons::YesNo,
          platform::MsgIcon::Question) != platform::MsgAnswer::Yes)
    index = m_current;
  if (shell::MenuArray* menu = m_window.commands().array(QStringLiteral("mnuHighLight")))
    for (int i = 0; i < menu->count(); ++i) menu->item(i)->setChecked(i == index);
  m_current = index;
  applyLexer(false);
  m_window.context().settings.set(Setting::HighLight, u' ' + QString::number(index));
  if (m_window.context().settings.truth(Setting::AddToAutoComplete)) feedAutoComplete(index);
  emit currentChanged(index);
}

QStringList HighLighter::schemeWords(int index) const {
  const QString language = m_list.language(index);
  if (const auto it = m_definitions.find(language); it != m_definitions.end())
    return (it->second->keywords + u'\n' + it->second->operators).split(u'\n');
  std::unique_ptr<QsciLexer> lexer(MakeBuiltinLexer(language, nullptr));
  if (!lexer) return {};
  QStringList words = wordsOf(lexer->keywords(1));
  // HTML keeps its element and attribute names in one list; the other languages have their
  // further word sets (types, functions) where an editor user looks for them too.
  for (int set = 2; set <= 4 && index != kHtml; ++set) words += wordsOf(lexer->keywords(set));
  return words;
}

void HighLighter::feedAutoComplete(int index) {
  if (index == kPlainText) {
    m_window.hooks().run(shell::Hook::AutoComplete);
    return;
  }
  auto* list = m_window.findChild<QListWidget*>(QStringLiteral("lstKeyWords"));
  if (!list) return;
  list->clear();
  for (const QString& word : schemeWords(index))
    if (!word.isEmpty()) list->addItem(word);
}

void HighLighter::LoadColors() {
  m_colours = ReadColourScheme(m_window.context().paths.file(QStringLiteral("Colors.ini")));
  m_window.txtMain().setViewColours(m_colours.viewColours());
  applyLexer(true);
}

void InstallHighLight(shell::FrmMain& window) {
  auto* lighter = new HighLighter(window);
  window.commands().bindArray(QStringLiteral("mnuHighLight"),
                              [lighter](int index) { lighter->SetHighLight(index); });
  window.hooks().add(shell::Hook::HighLight, [lighter, &window] {
    lighter->LoadHighLights();
    lighter->LoadColors();
    lighter->SetHighLight(window.context().settings.number(Setting::HighLight));
  });
  InstallKeywordCase(window, *lighter);
  window.hooks().add(shell::PathHook::HighLightForPath, [lighter](const QString& path) {
    lighter->SetHighLight(lighter->DetectHighLight(path));
  });
  // Whether the file will be coloured, known before it is read: by the scheme chosen now, or by
  // the one found for it when schemes follow the file. Not every way of opening looks for a
  // scheme afterwards (a reload does not), so either one colouring keeps the style bytes.
  window.hooks().add(shell::PathHook::ColoursForLoad, [lighter, &window](const QString& path) {
    const bool detect = window.context().settings.truth(Setting::SynAutoDetect);
    window.txtMain().expectColours(lighter->colours(lighter->current()) ||
                                   (detect && lighter->colours(lighter->DetectHighLight(path))));
  });
}

}  // namespace highlight

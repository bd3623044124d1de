#include "highlight/builtin_lexers.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qscilexerpascal.h>
#include <Qsci/qscilexersql.h>
#include <Qsci/qscilexerxml.h>
#include <Qsci/qsciscintilla.h>

#include "platform/edit_control.h"

namespace highlight {
namespace {

using Sci = QsciScintillaBase;
constexpr int kLastKeywordSet = 8;  // Scintilla numbers its word lists 0..8

// A built-in lexer that is attached as a container lexer first (see DeferredLexer).
template <typename Base>
class Deferred : public Base, public platform::DeferredLexer {
 public:
  using Base::Base;
  const char* lexer() const override { return m_attaching ? nullptr : Base::lexer(); }
  int lexerId() const override { return m_attaching ? Sci::SCLEX_CONTAINER : Base::lexerId(); }

  void attached(QsciScintilla& view) override {
    m_attaching = false;
    view.SendScintilla(Sci::SCI_SETLEXERLANGUAGE, Base::lexer());
    // Word lists and properties belong to the language, so they are given again.
    for (int set = 0; set <= kLastKeywordSet; ++set) {
      const char* words = Base::keywords(set + 1);
      view.SendScintilla(Sci::SCI_SETKEYWORDS, static_cast<unsigned long>(set), words ? words : "");
    }
    view.SendScintilla(Sci::SCI_SETPROPERTY, "fold", "1");
    view.SendScintilla(Sci::SCI_SETPROPERTY, "fold.html", "1");
    Base::refreshProperties();
  }

 private:
  bool m_attaching = true;
};

// Visual Basic through Scintilla's own "vb" lexer, which QScintilla has no class for.
class VisualBasicBase : public QsciLexer {
 public:
  using QsciLexer::QsciLexer;
  const char* language() const override { return "Basic"; }
  const char* lexer() const override { return "vb"; }
  bool caseSensitive() const override { return false; }
  const char* keywords(int set) const override {
    // The lexer compares lower-cased words.
    if (set == 1)
      return "addressof alias and as attribute base begin binary boolean byref byte byval call "
             "case cdbl cint clng compare const csng cstr currency date decimal declare defbool "
             "defbyte defcur defdate defdbl defint deflng defobj defsng defstr defvar dim do "
             "double each else elseif empty end enum eqv erase error event exit explicit false "
             "for friend function get global gosub goto if imp implements in input integer is "
             "len let lib like load lock long loop lset me mid mod new next not nothing null "
             "object on open option optional or paramarray preserve print private property "
             "public raiseevent randomize redim rem resume return rset select set single static "
             "step stop string sub then to true type typeof unload until variant wend while with "
             "withevents xor";
    return nullptr;
  }
  QString description(int style) const override {
    switch (style) {
      case 0: return QStringLiteral("Default");
      case 1: return QStringLiteral("Comment");
      case 2: return QStringLiteral("Number");
      case 3: return QStringLiteral("Keyword");
      case 4: return QStringLiteral("Double-quoted string");
      case 5: return QStringLiteral("Pre-processor");
      case 6: return QStringLiteral("Operator");
      case 7: return QStringLiteral("Identifier");
      case 8: return QStringLiteral("Date");
      case 9: return QStringLiteral("Unclosed string");
      default: return {};
    }
  }
};

}  // namespace

QsciLexer* MakeBuiltinLexer(const QString& language, QObject* parent) {
  if (language == u"HTML") return new Deferred<QsciLexerHTML>(parent);
  if (language == u"Basic") return new Deferred<VisualBasicBase>(parent);
  if (language == u"pascal") return new Deferred<QsciLexerPascal>(parent);
  if (language == u"C/C++") return new Deferred<QsciLexerCPP>(parent);
  if (language == u"SQL") return new Deferred<QsciLexerSQL>(parent);
  if (language == u"Java") return new Deferred<QsciLexerJava>(parent);
  if (language == u"XML") return new Deferred<QsciLexerXML>(parent);
  if (language == u"CSS") return new Deferred<QsciLexerCSS>(parent);
  return nullptr;
}

bool BuiltinIgnoresCase(const QString& language) {
  return language == u"HTML" || language == u"Basic" || language == u"pascal" || language == u"SQL";
}

ColourItem BuiltinStyleItem(const QsciLexer& lexer, int style) {
  const QString d = lexer.description(style).toLower();
  auto has = [&d](const char* word) { return d.contains(QLatin1String(word)); };
  if (d.isEmpty()) return ColourItem::Text;
  // Order matters: "JavaDoc keyword" is inside a comment, "End of a tag" is no element name.
  if (has("comment") || has("javadoc")) return ColourItem::Comment;
  if (has("string") || has("character") || has("cdata") || has("value") || has("date") ||
      has("regular expression") || has("uuid"))
    return ColourItem::String;
  if (has("number")) return ColourItem::Group3;
  if (has("operator") || has("symbol")) return ColourItem::Group2;
  if (has("end of a tag") || has("other text in a tag") || has("entity") || has("fragment"))
    return ColourItem::TagText;
  if (has("attribute")) return ColourItem::HtmlAttribute;
  if (has("tag") || has("selector") || has("pseudo")) return ColourItem::ElementName;
  if (has("pre-processor") || has("@-rule") || has("media rule") || has("important"))
    return ColourItem::Delimiter;
  if (has("keyword") || has("property") || has("sgml command")) return ColourItem::Group1;
  return ColourItem::Text;
}

}  // namespace highlight

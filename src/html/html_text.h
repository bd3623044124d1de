// HTML source to readable text and plain text to HTML, as whole-text conversions.
#pragma once

#include <QString>
#include <QStringView>

namespace html {

// The body of a page as text: tags dropped ("p" and "/div" become an empty line, "br", "/tr" and
// "/pre" a line break, "/td" a "|"), white space folded as a browser folds it, named entities
// decoded. One pass over the text.
QString HtmlToText(QStringView html);

struct TextToHtmlOptions {
  bool replaceSpaces = false;  // every space as &nbsp;
  bool specialSymbols = false;  // < > " » « as entities
  bool lineBreaks = false;      // CR LF as <BR>, one line
  bool paragraphs = false;      // every line as <P>…</P>
  bool pageFrame = false;       // wrapped in an empty-titled page
};

QString TextToHtml(const QString& text, const TextToHtmlOptions& options);

// Every occurrence of `what` replaced, left to right, in one pass (linear where QString::replace
// is not when the text grows).
QString ReplacedAll(QStringView text, QStringView what, QStringView with);

}  // namespace html

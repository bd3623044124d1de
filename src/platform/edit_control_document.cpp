// The component's document behind the views. A big file that nothing colours is loaded into a
// document without style bytes, which Scintilla otherwise keeps one per byte of text: for
// 100 MB of text, 100 MB more. Colours wanted later move the text into a styled document.
#include <new>
#include <vector>

#include "platform/edit_accessibility.h"
#include "platform/edit_control_impl.h"
#include "platform/line_number_margin.h"

namespace platform {
namespace {

using Sci = QsciScintillaBase;

// Every marked line of a document with the set of its markers.
std::vector<std::pair<long, long>> marksOf(const QsciScintilla* view) {
  std::vector<std::pair<long, long>> marks;
  for (long line = sci(view, Sci::SCI_MARKERNEXT, 0, -1); line >= 0;
       line = sci(view, Sci::SCI_MARKERNEXT, line + 1, -1))
    marks.emplace_back(line, sci(view, Sci::SCI_MARKERGET, line));
  return marks;
}

}  // namespace

bool EditControl::Impl::newDocument(bool styled) {
  QsciScintilla* view = primary();
  const long options = styled ? Sci::SC_DOCUMENTOPTION_DEFAULT : Sci::SC_DOCUMENTOPTION_STYLES_NONE;
  void* document = reinterpret_cast<void*>(view->SendScintilla(Sci::SCI_CREATEDOCUMENT, 0UL, options));
  if (!document) return false;  // no memory for it: the old document stays
  // Shared straight, not through QScintilla's own document objects, which know nothing of a
  // document they did not make.
  for (auto* each : made()) each->SendScintilla(Sci::SCI_SETDOCPOINTER, 0UL, document);
  // The views hold the document now; the reference its making gave is let go.
  view->SendScintilla(Sci::SCI_RELEASEDOCUMENT, 0UL, document);
  plainDocument = !styled;
  // What Scintilla keeps with the document, not the view.
  view->setUtf8(true);
  view->setEolMode(QsciScintilla::EolWindows);
  view->setTabWidth(tabSize);
  highlightHandle = -1;
  lengthIndex = false;
  joinsMarked = false;
  for (auto* each : made()) {
    sci(each, Sci::SCI_SETMODEVENTMASK, loading ? 0 : edit_accessibility::ModificationEvents());
    applyLook(each);
  }
  return true;
}

void EditControl::Impl::makeStyledDocument() {
  QsciScintilla* view = primary();
  QByteArray bytes;
  try {
    bytes = documentBytes().toByteArray();
  } catch (const std::bad_alloc&) {
    return;  // no memory for the copy: the text stays, uncoloured
  }
  struct Place {
    long anchor, caret, top;
  };
  std::vector<Place> places;
  for (const auto* each : made())
    places.push_back({sci(each, Sci::SCI_GETANCHOR), sci(each, Sci::SCI_GETCURRENTPOS),
                      sci(each, Sci::SCI_GETFIRSTVISIBLELINE)});
  const auto marks = marksOf(view);
  const int highlighted = q->highlightedLine();
  const int handle = highlightHandle;
  const bool indexed = lengthIndex;
  const bool readOnly = sci(view, Sci::SCI_GETREADONLY) != 0;
  // Kept until the copy is known to be whole: the component tells a failed allocation only by
  // its status, and the text must not go with it.
  void* old = view->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER);
  view->SendScintilla(Sci::SCI_ADDREFDOCUMENT, 0UL, old);
  // The copy is no edit: nobody hears of it, and nothing of it can be undone.
  const bool wasLoading = loading;
  loading = true;
  bool copied = newDocument(true);
  if (copied) {
    sci(view, Sci::SCI_SETSTATUS, Sci::SC_STATUS_OK);
    sci(view, Sci::SCI_SETUNDOCOLLECTION, 0);
    sci(view, Sci::SCI_ALLOCATE, long(bytes.size()) + 1);
    view->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(bytes.size()), bytes.constData());
    sci(view, Sci::SCI_SETUNDOCOLLECTION, 1);
    sci(view, Sci::SCI_EMPTYUNDOBUFFER);
    copied = sci(view, Sci::SCI_GETSTATUS) == Sci::SC_STATUS_OK &&
             sci(view, Sci::SCI_GETLENGTH) == long(bytes.size());
    sci(view, Sci::SCI_SETSTATUS, Sci::SC_STATUS_OK);
    if (!copied) {
      // Back to the old document, text, marks and undo history as they were.
      for (auto* each : made()) each->SendScintilla(Sci::SCI_SETDOCPOINTER, 0UL, old);
      plainDocument = true;
      highlightHandle = handle;
      lengthIndex = indexed;
      for (auto* each : made()) applyLook(each);
    }
  }
  view->SendScintilla(Sci::SCI_RELEASEDOCUMENT, 0UL, old);
  if (copied) {
    for (const auto& [line, set] : marks) sci(view, Sci::SCI_MARKERADDSET, line, set);
    sci(view, Sci::SCI_MARKERDELETEALL, kHighlightMarker);
    highlightHandle = -1;
    q->setHighlightedLine(highlighted);
    sci(view, Sci::SCI_SETREADONLY, readOnly ? 1 : 0);
  }
  loading = wasLoading;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const QsciScintilla* each = made()[i];
    sci(each, Sci::SCI_SETMODEVENTMASK, loading ? 0 : edit_accessibility::ModificationEvents());
    sci(each, Sci::SCI_SETSEL, places[i].anchor, places[i].caret);
    sci(each, Sci::SCI_SETFIRSTVISIBLELINE, places[i].top);
  }
  applyLineNumbers();
  applyJoinMarks();
}

void EditControl::expectColours(bool coloured) { d->coloursExpected = coloured; }

bool EditControl::holdsNoColours() const { return d->plainDocument; }

int EditControl::buffersForLoad() const { return d->coloursExpected ? 2 : 1; }

}  // namespace platform

#include "platform/edit_accessibility.h"

#include <Qsci/qsciscintilla.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>
#include <QPointer>

namespace platform::edit_accessibility {
namespace {

using Sci = QsciScintillaBase;

// Names a view as a text field, without the text itself.
class PlainViewAccessible : public QAccessibleWidget {
 public:
  explicit PlainViewAccessible(QWidget* view)
      : QAccessibleWidget(view, QAccessible::EditableText) {}
};

// Whether an assistive technology listens: as the platform said at the start, then as it tells.
bool& listening() {
  static bool on = QAccessible::isActive();
  return on;
}

// Kept as plain objects: a view is asked about while it is being destroyed, when it is no
// longer a QsciScintilla, and a pointer of that type would then point at the wrong thing.
QList<QPointer<QObject>>& views() {
  static QList<QPointer<QObject>> list;
  return list;
}

bool registered(const QObject* object) {
  for (const QPointer<QObject>& view : views())
    if (view.data() == object) return true;
  return false;
}

// Asked before Scintilla's own factory (the one installed last is asked first).
QAccessibleInterface* plainInterface(const QString&, QObject* object) {
  if (listening() || !registered(object)) return nullptr;
  return new PlainViewAccessible(static_cast<QWidget*>(object));
}

// An interface made for the other state is dropped; the next question makes the right one.
void refresh(QsciScintilla* view) {
  view->SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(ModificationEvents()));
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
  if (!iface) return;
  const bool plain = dynamic_cast<PlainViewAccessible*>(iface) != nullptr;
  if (plain == listening()) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

class StateWatch : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    listening() = active;
    views().removeAll(nullptr);
    for (const QPointer<QObject>& view : views())
      if (auto* scintilla = qobject_cast<QsciScintilla*>(view.data())) refresh(scintilla);
  }
};

void installOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  // Scintilla installs its factory with its first view: ours goes after it, to be asked first.
  QAccessible::installFactory(plainInterface);
  static StateWatch watch;
  QAccessible::installActivationObserver(&watch);
}

}  // namespace

int ModificationEvents() {
  return listening() ? int(Sci::SC_MODEVENTMASKALL)
                     : int(Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);
}

void Register(QsciScintilla* view) {
  installOnce();
  views().removeAll(nullptr);
  views().append(view);
  view->SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(ModificationEvents()));
}

}  // namespace platform::edit_accessibility

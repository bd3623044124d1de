#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <optional>

namespace platform {
namespace {

// The cached answer of ClipboardHasText, a child of the clipboard so that it goes with it.
class ClipboardTextWatch : public QObject {
 public:
  static constexpr char kName[] = "ostrelClipboardTextWatch";
  explicit ClipboardTextWatch(QClipboard* clipboard) : QObject(clipboard) {
    setObjectName(kName);
    connect(clipboard, &QClipboard::dataChanged, this, [this] { m_hasText.reset(); });
  }
  bool hasText() {
    if (!m_hasText) {
      const QMimeData* data = static_cast<QClipboard*>(parent())->mimeData();
      m_hasText = data && data->hasText();
    }
    return *m_hasText;
  }

 private:
  std::optional<bool> m_hasText;
};

ClipboardTextWatch& watch() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  // Found by name: without a meta-object of its own the class cannot be looked for by type.
  auto* found = dynamic_cast<ClipboardTextWatch*>(clipboard->findChild<QObject*>(
      QLatin1String(ClipboardTextWatch::kName), Qt::FindDirectChildrenOnly));
  return found ? *found : *new ClipboardTextWatch(clipboard);
}

}  // namespace

QString Clipboard::text() const { return QGuiApplication::clipboard()->text(); }
void Clipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
void Clipboard::clear() { QGuiApplication::clipboard()->clear(); }

bool ClipboardHasText() { return watch().hasText(); }

void OnClipboardChanged(QObject* context, std::function<void()> work) {
  // Slots run in the order they were connected: the watch, made first, forgets its answer
  // before any work asks it again.
  watch();
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, context,
                   std::move(work));
}

}  // namespace platform

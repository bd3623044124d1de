#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

QString Clipboard::text() const { return QGuiApplication::clipboard()->text(); }
void Clipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
void Clipboard::clear() { QGuiApplication::clipboard()->clear(); }

}  // namespace platform

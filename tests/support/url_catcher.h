// Catches what the program hands to the desktop's "open" verb, so tests see it without
// starting other programs.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace testing_support {

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  explicit UrlCatcher(const QStringList& schemes = {"file", "http", "https", "mailto"})
      : m_schemes(schemes) {
    for (const QString& scheme : m_schemes) QDesktopServices::setUrlHandler(scheme, this, "open");
  }
  ~UrlCatcher() override {
    for (const QString& scheme : m_schemes) QDesktopServices::unsetUrlHandler(scheme);
  }
  QList<QUrl> urls;

 public Q_SLOTS:
  void open(const QUrl& url) { urls << url; }

 private:
  QStringList m_schemes;
};

}  // namespace testing_support

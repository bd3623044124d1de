#include "highlight/highlight_list.h"

#include "document/file_paths.h"

namespace highlight {
namespace {

constexpr const char* kCaptions[kFixedSchemes] = {
    "Простой текст", "HTML", "Visual Basic", "Pascal", "C/C++", "SQL", "Java", "XML", "CSS"};
constexpr const char* kLanguages[8] = {"", "HTML", "Basic", "pascal", "C/C++", "SQL", "Java", "XML"};
constexpr const char* kExtensions[kFixedSchemes] = {"",
                                                    "HTML|*.html;*.htm",
                                                    "VB|*.bas;*.cls;*.frm;*.vbp",
                                                    "Pascal|*.pas",
                                                    "C/C++|*.cpp;*.c",
                                                    "Sql|*.sql",
                                                    "Java|*.js",
                                                    "XML|*.xml",
                                                    "CSS|*.css"};

}  // namespace

HighLightList::HighLightList() {
  for (int i = 0; i < kFixedSchemes; ++i) {
    m_captions << QString::fromUtf8(kCaptions[i]);
    m_extensions << QString::fromUtf8(kExtensions[i]);
  }
}

QString HighLightList::language(int index) const {
  if (index < 0 || index >= count()) return {};
  if (index < 8) return QString::fromUtf8(kLanguages[index]);
  return m_captions[index];
}

int HighLightList::append(const QString& description, const QString& extensions) {
  m_captions << description;
  m_extensions << description + u'|' + extensions;
  return count() - 1;
}

int HighLightList::detect(const QString& path) const {
  // Only the name's own extension counts: dots in folder names and a name without any
  // extension must not pick a scheme.
  const QString extension = document::FileExtension(path);
  if (extension.isEmpty()) return kPlainText;
  const QString key = QStringLiteral("*.") + extension;
  for (int i = 0; i < m_extensions.size(); ++i) {
    const QString& entry = m_extensions[i];
    const qsizetype bar = entry.indexOf(u'|');
    if (bar < 0) continue;
    for (const QString& pattern : entry.mid(bar + 1).split(u';'))
      if (pattern.trimmed().compare(key, Qt::CaseInsensitive) == 0) return i;
  }
  return kPlainText;
}

}  // namespace highlight

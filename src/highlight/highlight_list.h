// The highlight schemes the user chooses from: plain text, the eight built-in ones, then one per
// definition file, with the file patterns that choose a scheme by itself when a file is opened.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace highlight {

inline constexpr int kPlainText = 0;
inline constexpr int kHtml = 1;
inline constexpr int kFixedSchemes = 9;  // plain text and the built-in schemes, 0..8

class HighLightList {
 public:
  // The nine fixed entries and their extension entries.
  HighLightList();

  int count() const { return int(m_captions.size()); }
  QString caption(int index) const { return m_captions.value(index); }
  // The language the editor is given: "" for plain text, a fixed name for 1..7, and the
  // caption for 8 and up (CSS and the definitions, registered under their descriptions).
  QString language(int index) const;

  // Appends a scheme for a loaded definition; returns its index.
  int append(const QString& description, const QString& extensions);
  // "description|patterns", parallel to the entries; entry 0 is empty.
  const QStringList& extensionTable() const { return m_extensions; }

  // The scheme for a file: its name's extension as a pattern "*.ext", compared whole and without
  // regard to case with each ";"-separated pattern of an entry, first entry first. A name
  // without an extension, or an extension nobody lists, is plain text.
  int detect(const QString& path) const;

 private:
  QStringList m_captions;
  QStringList m_extensions;
};

}  // namespace highlight

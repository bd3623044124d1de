// The symbol table: the 256 single-byte characters, from which characters or their codes are
// collected and inserted into the document.
#pragma once

#include <QDialog>
#include <functional>

class QFontComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace text {

// The usual name of a control character, 0..31 and 127 ("NUL", "TAB", "DEL"); "" otherwise.
QString SymbolName(int code);
// What the table shows for a code: a control character's name, any other character itself.
// What is inserted is always the character itself.
QString SymbolLabel(int code);

class FrmSymbols : public QDialog {
  Q_OBJECT
 public:
  using Insert = std::function<void(const QString&)>;
  using FontChosen = std::function<void(const QString&)>;
  // `insert` replaces the document's selection; `fontChosen` hears the font the user picks.
  FrmSymbols(Insert insert, FontChosen fontChosen, QWidget* parent = nullptr);

  // Shows a character's preview and codes, as a click on it does.
  void showCharacter(int code);
  // Appends a character to the collected text, as a double click on it does.
  void collect(int code);

 private:
  void setListFont(const QFont& font);

  Insert m_insert;
  FontChosen m_fontChosen;
  QListWidget* m_list = nullptr;
  QFontComboBox* m_fonts = nullptr;
  QLabel* m_preview = nullptr;
  QLabel* m_hex = nullptr;
  QLabel* m_asc = nullptr;
  QLineEdit* m_collected = nullptr;
};

}  // namespace text

// The conversion window: converts the whole text between any two code pages, on demand.
#pragma once

#include <QDialog>
#include <functional>

class QComboBox;

namespace text {

class FrmConvert : public QDialog {
  Q_OBJECT
 public:
  // `convert(from, to)` converts the document; the window stays open after it.
  FrmConvert(int currentCodePage, std::function<void(int, int)> convert, QWidget* parent = nullptr);

  QComboBox* source() const { return m_source; }
  QComboBox* destination() const { return m_dest; }

 private:
  QComboBox* m_source;
  QComboBox* m_dest;
};

}  // namespace text

// The statistics window: counts of the whole document, computed when it opens.
#pragma once

#include <QDialog>

class QLabel;

namespace text {

class FrmStat : public QDialog {
  Q_OBJECT
 public:
  // `fileName` is "" for a document never saved.
  FrmStat(const QStringList& lines, const QString& fileName, QWidget* parent = nullptr);
};

}  // namespace text

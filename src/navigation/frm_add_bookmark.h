// The bookmark dialog "Добавление закладки": the document, name and position of one bookmark,
// for a new one or for one being changed. The caller stores what it gives back.
#pragma once

#include <QDialog>

#include "navigation/bookmark_list.h"

class QLineEdit;

namespace shell {
struct AppContext;
}

namespace navigation {

class FrmAddBookmark : public QDialog {
  Q_OBJECT
 public:
  FrmAddBookmark(const BookmarkFields& initial, shell::AppContext& context,
                 QWidget* parent = nullptr);

  // The three fields as they stand; after "Создать" they make a bookmark.
  BookmarkFields fields() const;

 private:
  void browse();
  void create();

  shell::AppContext& m_context;
  QLineEdit* m_file;
  QLineEdit* m_name;
  QLineEdit* m_pos;
};

}  // namespace navigation

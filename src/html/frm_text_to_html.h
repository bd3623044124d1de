// The window "Текст -> HTML": five options, remembered as they are clicked, and a button that
// converts the whole document with them.
#pragma once

#include <QDialog>
#include <functional>

#include "html/html_text.h"

namespace platform {
class SettingsStore;
}

namespace html {

// The options as the window last left them.
TextToHtmlOptions StoredTextToHtmlOptions(const platform::SettingsStore& settings);

class FrmTextToHtml : public QDialog {
  Q_OBJECT
 public:
  // `convert` turns the document into HTML with the options; the window stays open after it.
  FrmTextToHtml(platform::SettingsStore& settings,
                std::function<void(const TextToHtmlOptions&)> convert, QWidget* parent = nullptr);
  TextToHtmlOptions options() const;
};

}  // namespace html

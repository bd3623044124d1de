// The actions of batch processing: whole-text transformations of the editor's own commands,
// in the fixed order the batch list shows them and applies them.
#pragma once

#include <QString>
#include <QStringList>

#include "html/html_text.h"

namespace automation {

inline constexpr int kBatchActionCount = 15;
inline constexpr int kBatchMultiReplace = 13;
inline constexpr int kBatchCodePage = 14;

// The list's captions, index 0 to 14.
QStringList BatchActionCaptions();

struct BatchSettings {
  QString multiList;  // "search=replacement" lines, as in the multiple replacement
  int fromCodePage = 1;
  int toCodePage = 1;
  html::TextToHtmlOptions htmlOptions;
};

// The text after action `index`; the text unchanged for an index outside the list.
QString ApplyBatchAction(int index, const QString& text, const BatchSettings& settings);

// The code-page lists' entries and the code page each stands for.
QStringList BatchCodePageNames();
int BatchCodePageOfIndex(int index);

}  // namespace automation

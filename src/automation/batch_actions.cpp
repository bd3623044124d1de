#include "automation/batch_actions.h"

#include <array>

#include "navigation/multi_replace.h"
#include "text/code_page.h"
#include "text/keyboard_layout.h"
#include "text/letter_case.h"
#include "text/lines.h"
#include "text/rtf_text.h"
#include "text/transliteration.h"

namespace automation {
namespace {

const char* const kCaptions[kBatchActionCount] = {
    "Английская клавиатура - русская",
    "Русская клавиатура - английская",
    "Транслитеризация",
    "Преобразовать в верхний регистр",
    "Преобразовать в нижний регистр",
    "Каждый абзац с большой буквы",
    "Каждое слово с большой буквы",
    "Удалить абзацы",
    "Удалить пробелы",
    "Удалить лишние пробелы",
    "Преобразовать из RTF в текст",
    "Преобразовать из HTML в текст",
    "Преобразовать из текста в HTML",
    "Мультизамена",
    "Смена кодировки",
};

struct CodePageEntry {
  const char* name;
  int code;
};
constexpr CodePageEntry kCodePages[] = {
    {"Win-1251", text::kWindows1251}, {"Dos-866", text::kDos866}, {"Koi-8r", text::kKoi8R},
    {"Iso-8859", text::kIso8859_5},  {"Macintosh", text::kMacCyrillic},
};

}  // namespace

QStringList BatchActionCaptions() {
  QStringList captions;
  for (const char* caption : kCaptions) captions << QString::fromUtf8(caption);
  return captions;
}

QStringList BatchCodePageNames() {
  QStringList names;
  for (const CodePageEntry& entry : kCodePages) names << QString::fromLatin1(entry.name);
  return names;
}

int BatchCodePageOfIndex(int index) {
  return index >= 0 && index < int(std::size(kCodePages)) ? kCodePages[index].code
                                                          : text::kWindows1251;
}

QString ApplyBatchAction(int index, const QString& text, const BatchSettings& settings) {
  switch (index) {
    case 0: return text::LayoutToRussian(text);
    case 1: return text::LayoutToLatin(text);
    case 2: return text::Transliterate(text);
    case 3: return text::ToUpperCase(text);
    case 4: return text::ToLowerCase(text);
    case 5: return text::CapitalizeLines(text);
    case 6: return text::CapitalizeWords(text);
    case 7: return text::JoinLines(text);
    case 8: return text::RemoveAllSpaces(text);
    case 9: return text::SqueezeSpaces(text);
    case 10: return text::RtfToText(text);
    case 11: return text::StripTags(text);
    case 12: return html::TextToHtml(text, settings.htmlOptions);
    case kBatchMultiReplace:
      return navigation::ApplyReplacementList(text, settings.multiList, /*matchCase=*/true);
    case kBatchCodePage:
      return text::ConvertCodePage(text, settings.fromCodePage, settings.toCodePage);
    default: return text;
  }
}

}  // namespace automation

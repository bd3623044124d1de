// Interface-language files: any file loads, and its captions are looked up as a window's are.
#include "fuzz_target.h"
#include "languages/translation.h"

OSTREL_FUZZ_TARGET(language) {
  const languages::Translation language =
      languages::Translation::load(fuzz::FileOf(data, "fuzz.lng"));
  (void)language.qtLanguage();
  for (const char* section : {"Menu", "Misc", "frmMain", "Label"})
    for (const char* key : {"mnuFile", "0_f", "Form Caption", "lblFind", "QtLanguage"})
      (void)language.value(QString::fromLatin1(section), QString::fromLatin1(key));
}

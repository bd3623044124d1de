// Code pages: any text converts between every pair of the five code pages and is detected; the
// bytes of any code page survive the way to Windows-1251 and back.
#include "fuzz_target.h"
#include "platform/cp1251.h"
#include "text/code_page.h"

OSTREL_FUZZ_TARGET(code_page) {
  const QString text = fuzz::TextOf(data);
  (void)text::DetectCodePage(text);
  for (int from = 1; from <= 5; ++from)
    for (int to = 1; to <= 5; ++to) (void)text::ConvertCodePage(text, from, to);
  // The bytes as the program shows single-byte text: each byte as its Windows-1251 character.
  const QString bytes = cp1251::decode(data);
  for (int from = 2; from <= 5; ++from) {
    const QString unicode = text::ConvertCodePage(bytes, from, 1);
    fuzz::Check(text::ConvertCodePage(unicode, 1, from) == bytes,
                "bytes of a code page come back from Windows-1251", data);
  }
}

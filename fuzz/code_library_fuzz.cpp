// The code library's file: any text reads as pieces a save can store, and pieces written out read
// back the same.
#include "automation/code_library.h"
#include "fuzz_target.h"

OSTREL_FUZZ_TARGET(code_library) {
  const QList<automation::CodeEntry> entries = automation::ParseCodeLibrary(fuzz::TextOf(data));
  for (const automation::CodeEntry& entry : entries)
    fuzz::Check(!automation::CodeTextHeaderLine(entry.text), "a text read holds no header", data);
  const QString written = automation::FormatCodeLibrary(entries);
  fuzz::Check(automation::FormatCodeLibrary(automation::ParseCodeLibrary(written)) == written,
              "a written library reads back the same", data);
}

// List files: any text reads as items, and the items written out read back the same.
#include "fuzz_target.h"
#include "platform/list_file.h"

OSTREL_FUZZ_TARGET(list_file) {
  const QStringList items = platform::ListFile::parse(fuzz::TextOf(data));
  fuzz::Check(platform::ListFile::parse(platform::ListFile::format(items)) == items,
              "written items read back as they were", data);
}

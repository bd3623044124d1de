// Highlight definition files of the Syntax folder, which users write and exchange.
#include "fuzz_target.h"
#include "highlight/ohf_definition.h"

OSTREL_FUZZ_TARGET(ohf) { (void)highlight::ReadOhfFile(fuzz::FileOf(data, "fuzz.ohf")); }

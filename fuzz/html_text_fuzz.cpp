// HTML to text on any page.
#include "fuzz_target.h"
#include "html/html_text.h"

OSTREL_FUZZ_TARGET(html_text) { (void)html::HtmlToText(fuzz::TextOf(data)); }

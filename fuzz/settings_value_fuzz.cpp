// Numbers and truths read from the settings file, which the user may edit by hand: whatever the
// text, a number is only ever handed out inside its range.
#include <cmath>

#include "fuzz_target.h"
#include "platform/settings_store.h"

OSTREL_FUZZ_TARGET(settings_value) {
  const QString text = QString::fromUtf8(data);
  for (const platform::NumberRange range :
       {platform::kTwipsRange, platform::kMinutesRange, platform::kIndexRange,
        platform::kAnyIntRange, platform::Setting::TabSize.range,
        platform::Setting::LineNumberingStyle.range}) {
    const auto number = platform::CheckedNumber(text, range);
    fuzz::Check(!number || (std::isfinite(*number) && range.holds(*number)),
                "a checked number lies in its range", data);
  }
  (void)platform::SettingIsTrue(text);
}

#pragma once

#include <map>
#include <string>

#include "fuzz_target.h"

namespace fuzz {

// The corpus of target `name` is the folder fuzz/corpus/<name>.
std::map<std::string, Target>& Targets();

}  // namespace fuzz

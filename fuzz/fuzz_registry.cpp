// The registry of the replay build: every target compiled into the test program, by name.
#include "fuzz_registry.h"

namespace fuzz {

std::map<std::string, Target>& Targets() {
  static std::map<std::string, Target> targets;
  return targets;
}

bool Register(const char* name, Target target) {
  Targets()[name] = target;
  return true;
}

}  // namespace fuzz

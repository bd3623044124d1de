// The platform shell's "open" verb: a file, folder or address handed to whatever program the
// desktop associates with it.
#pragma once

#include <QString>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // False when the desktop could not open the target; callers mostly ignore it.
  virtual bool open(const QString& target);
};

}  // namespace platform

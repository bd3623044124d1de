// The system clipboard, as text.
#pragma once

#include <QString>

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual QString text() const;
  virtual void setText(const QString& text);
  virtual void clear();
};

}  // namespace platform

// Fontconfig reads its configuration and its font caches the first time anything asks for a
// font: several milliseconds, all of them on the way to the first window. A worker begun before
// the application object exists does that reading while the main thread connects to the display,
// and the first font the window needs finds it done. Nothing else is shared: Qt's own font
// database is built as before, from the configuration already in memory.
#pragma once

#include <thread>

namespace platform {

class FontWarmUp {
 public:
  FontWarmUp();
  // Waits for the worker; by the time the program ends it has long finished.
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

 private:
  std::thread m_worker;
};

}  // namespace platform

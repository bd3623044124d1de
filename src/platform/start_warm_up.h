// Work the first window waits for that needs no window: done on a worker begun before the
// application object exists, while the main thread connects to the display.
// - Fontconfig reads its configuration and font caches the first time anything asks for a font,
//   several milliseconds. Qt's own font database is then built as before, from the
//   configuration already in memory.
// - The first picture read through Qt maps every image-format plug-in, since Qt asks each one
//   whether it reads the file; the tool bar's pictures are read before the first paint.
//   Mapped here first, Qt finds them loaded.
#pragma once

#include <QString>
#include <thread>

namespace platform {

class StartWarmUp {
 public:
  // To be made on the main thread, before the application object. `imagePluginDir`: where Qt
  // looks for its image-format plug-ins.
  explicit StartWarmUp(QString imagePluginDir);
  // Waits for the worker; by the time the program ends it has long finished.
  ~StartWarmUp();
  StartWarmUp(const StartWarmUp&) = delete;
  StartWarmUp& operator=(const StartWarmUp&) = delete;

 private:
  std::thread m_worker;
};

}  // namespace platform

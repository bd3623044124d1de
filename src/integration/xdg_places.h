// Where the user's own desktop files live, from the XDG base directories as they are set at the
// moment of the call, so a change of the environment (a test's temporary home) takes effect.
#pragma once

#include <QString>

namespace integration {

struct XdgPlaces {
  QString applications;  // $XDG_DATA_HOME/applications: the user's desktop entries
  QString mimeapps;      // $XDG_CONFIG_HOME/mimeapps.list: the user's default applications
  // $XDG_CONFIG_HOME/ostrel/previous-defaults.list: which application each type had before
  // the program took it, so that giving it back is possible
  QString previousDefaults;

  // $XDG_DATA_HOME and $XDG_CONFIG_HOME when set to an absolute path (a relative one is invalid
  // and ignored), else ~/.local/share and ~/.config. Empty fields when neither a variable nor
  // $HOME gives an absolute folder: nothing is then written anywhere.
  static XdgPlaces current();
  bool isValid() const { return !applications.isEmpty() && !mimeapps.isEmpty(); }
};

}  // namespace integration

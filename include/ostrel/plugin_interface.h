// The contract between Ostrel XP and its plug-ins: a plug-in is a Qt plug-in library placed in
// the folder "Plugins" of the program directory whose root object implements ostrel::Plugin.
// This header is all a plug-in author needs besides Qt Core.
//
//   class MyPlugin : public QObject, public ostrel::Plugin {
//     Q_OBJECT
//     Q_PLUGIN_METADATA(IID OSTREL_PLUGIN_IID)
//     Q_INTERFACES(ostrel::Plugin)
//     ...
//   };
//
// Qt keeps a loaded library mapped until the program exits: a library replaced while the program
// runs is used from its next start.
//
// The interface is versioned through its IID. Any change to the members below gives a new
// version number, and the program refuses a library built for another version instead of
// calling into a class whose layout it does not know.
#pragma once

#include <QString>
#include <QtPlugin>

#define OSTREL_PLUGIN_IID "org.ostrel.Plugin/1"

namespace ostrel {

inline constexpr int kPluginInterfaceVersion = 1;

// What a plug-in may see of the editor. Valid during the call it is handed to; a plug-in keeps
// no reference to it beyond that call.
class PluginHost {
 public:
  // The whole document; lines end in CR LF.
  virtual QString text() const = 0;
  // The selected text; "" when nothing is selected.
  virtual QString selectedText() const = 0;
  // The path of the document's file; "" for a document never saved.
  virtual QString documentPath() const = 0;
  // Shows a short note in the status bar. Set during PLUGIN, it shows once the result is in
  // place.
  virtual void setStatusText(const QString& text) = 0;

 protected:
  ~PluginHost() = default;
};

// A plug-in. The program calls it on its interface thread only. An exception thrown from any
// member is caught: at loading it makes the program skip the plug-in, during PLUGIN it leaves
// the document as it was.
class Plugin {
 public:
  virtual ~Plugin() = default;

  // True: the plug-in gets an item in the menu "Плагины"; false: it is only listed in the
  // settings.
  virtual bool showme() const = 0;
  // The name the user sees in the menu and the settings.
  virtual QString id() const = 0;
  // Called once after loading at start-up, with the plug-in's slot in the program's table (1..).
  // A plug-in loaded again from the settings is not initialised again.
  virtual void Init(PluginHost& host, int index) = 0;
  // Runs the plug-in. The returned text replaces the selection, or is inserted at the caret when
  // nothing is selected; an empty text deletes the selection.
  virtual QString PLUGIN(PluginHost& host) = 0;
  // A sentence or two on what the plug-in does.
  virtual QString Description() const = 0;
  // Non-zero when the plug-in has a settings window of its own (ShowSettings).
  virtual int Settings() const = 0;
  // Opens the plug-in's settings window; called only when Settings() is non-zero.
  virtual void ShowSettings() = 0;
};

}  // namespace ostrel

Q_DECLARE_INTERFACE(ostrel::Plugin, OSTREL_PLUGIN_IID)

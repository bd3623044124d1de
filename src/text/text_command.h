// How a text command reaches the document: which text it reads, where the result goes, and
// the input box it asks with. The operations themselves are pure functions elsewhere.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace shell {
class FrmMain;
}

namespace text {

enum class Target {
  SelectionOrWhole,  // the selection, or the whole text when nothing is selected
  Whole,
  Selection,
};

using Operation = std::function<QString(const QString&)>;

// Reads the target, and when the operation's result differs, puts it back in one assignment
// (one undo step). The editor gets the focus back either way.
void Apply(shell::FrmMain& window, Target target, const Operation& operation);

// An input box; nullopt when the user cancels or answers with nothing.
std::optional<QString> Ask(shell::FrmMain& window, const QString& prompt, const QString& title,
                           const QString& defaultText = QString());

}  // namespace text

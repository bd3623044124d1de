// The scripted user: answers the program's questions in the order a test scripts them, records
// what was asked, and fails the test on a question nobody expected or an answer left unused.
#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <variant>

#include "platform/ui.h"

namespace testing_support {

struct AskedMessage {
  QString text;
  QString title;
  platform::MsgButtons buttons;
  platform::MsgIcon icon;
};

class ScriptedUi : public platform::Ui {
 public:
  ~ScriptedUi() override;

  // Script. `expect`, when given, must be part of the text shown.
  ScriptedUi& answerMessage(platform::MsgAnswer answer, const QString& expect = QString());
  // The same, and `whileShown` runs while the message is on screen, before it is answered.
  ScriptedUi& answerMessage(platform::MsgAnswer answer, const QString& expect,
                            std::function<void()> whileShown);
  // The index of the button pressed, or nullopt for Escape; `expect` as for messages.
  ScriptedUi& answerChoice(std::optional<int> answer, const QString& expect = QString());
  ScriptedUi& answerInput(std::optional<QString> answer, const QString& expect = QString());
  ScriptedUi& answerOpenFile(const QString& path, int filterIndex = 1);
  ScriptedUi& answerSaveFile(const QString& path, int filterIndex = 1);
  ScriptedUi& answerFolder(std::optional<QString> folder);
  ScriptedUi& answerColour(std::optional<QColor> colour);
  ScriptedUi& answerFont(std::optional<QFont> font);
  ScriptedUi& answerPrinter(std::function<bool(QPrinter&)> act);
  ScriptedUi& answerModal(std::function<int(QDialog&)> act);

  // What the program asked, in order.
  QList<AskedMessage> messages;
  QList<platform::FileRequest> fileRequests;
  QStringList inputPrompts;
  QList<QStringList> choiceButtons;  // the buttons each choice offered
  QList<QFont> fontRequests;  // the font each font dialog started from
  QList<QColor> colourRequests;  // the colour each colour dialog started from
  QStringList modalWindows;  // objectName of each modal window shown
  bool allAnswered() const { return m_script.empty(); }

  platform::MsgAnswer message(const QString& text, const QString& title,
                              platform::MsgButtons buttons, platform::MsgIcon icon) override;
  std::optional<int> choose(const QString& text, const QString& title, const QStringList& buttons,
                            platform::MsgIcon icon) override;
  std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  platform::FileChoice openFile(const platform::FileRequest& request) override;
  platform::FileChoice saveFile(const platform::FileRequest& request) override;
  std::optional<QString> folder(const QString& title, const QString& initialDir) override;
  std::optional<QColor> colour(const QColor& initial) override;
  std::optional<QFont> font(const QFont& initial) override;
  bool choosePrinter(QPrinter& printer) override;
  int runModal(QDialog& dialog) override;

 private:
  struct Message { platform::MsgAnswer answer; QString expect; std::function<void()> whileShown; };
  struct Choice { std::optional<int> answer; QString expect; };
  struct Input { std::optional<QString> answer; QString expect; };
  struct OpenFile { platform::FileChoice choice; };
  struct SaveFile { platform::FileChoice choice; };
  struct Folder { std::optional<QString> folder; };
  struct Colour { std::optional<QColor> colour; };
  struct Font { std::optional<QFont> font; };
  struct Printer { std::function<bool(QPrinter&)> act; };
  struct Modal { std::function<int(QDialog&)> act; };
  using Step = std::variant<Message, Choice, Input, OpenFile, SaveFile, Folder, Colour, Font, Printer, Modal>;

  template <typename T>
  std::optional<T> next(const QString& what);

  std::deque<Step> m_script;
};

}  // namespace testing_support

#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <QDialog>

namespace testing_support {

using platform::FileChoice;
using platform::MsgAnswer;

ScriptedUi::~ScriptedUi() {
  EXPECT_TRUE(m_script.empty()) << m_script.size() << " scripted answer(s) were never asked for";
}

template <typename T>
std::optional<T> ScriptedUi::next(const QString& what) {
  if (m_script.empty() || !std::holds_alternative<T>(m_script.front())) {
    ADD_FAILURE() << "unexpected question: " << what.toStdString();
    return std::nullopt;
  }
  T step = std::get<T>(m_script.front());
  m_script.pop_front();
  return step;
}

ScriptedUi& ScriptedUi::answerMessage(MsgAnswer answer, const QString& expect) {
  m_script.push_back(Message{answer, expect, {}});
  return *this;
}
ScriptedUi& ScriptedUi::answerMessage(MsgAnswer answer, const QString& expect,
                                      std::function<void()> whileShown) {
  m_script.push_back(Message{answer, expect, std::move(whileShown)});
  return *this;
}
ScriptedUi& ScriptedUi::answerInput(std::optional<QString> answer, const QString& expect) {
  m_script.push_back(Input{std::move(answer), expect});
  return *this;
}

ScriptedUi& ScriptedUi::answerChoice(std::optional<int> answer, const QString& expect) {
  m_script.push_back(Choice{answer, expect});
  return *this;
}
ScriptedUi& ScriptedUi::answerOpenFile(const QString& path, int filterIndex) {
  m_script.push_back(OpenFile{FileChoice{path, filterIndex}});
  return *this;
}
ScriptedUi& ScriptedUi::answerSaveFile(const QString& path, int filterIndex) {
  m_script.push_back(SaveFile{FileChoice{path, filterIndex}});
  return *this;
}
ScriptedUi& ScriptedUi::answerFolder(std::optional<QString> folder) {
  m_script.push_back(Folder{std::move(folder)});
  return *this;
}
ScriptedUi& ScriptedUi::answerColour(std::optional<QColor> colour) {
  m_script.push_back(Colour{colour});
  return *this;
}
ScriptedUi& ScriptedUi::answerFont(std::optional<QFont> font) {
  m_script.push_back(Font{std::move(font)});
  return *this;
}
ScriptedUi& ScriptedUi::answerPrinter(std::function<bool(QPrinter&)> act) {
  m_script.push_back(Printer{std::move(act)});
  return *this;
}
ScriptedUi& ScriptedUi::answerModal(std::function<int(QDialog&)> act) {
  m_script.push_back(Modal{std::move(act)});
  return *this;
}

MsgAnswer ScriptedUi::message(const QString& text, const QString& title,
                              platform::MsgButtons buttons, platform::MsgIcon icon) {
  messages.append({text, title, buttons, icon});
  const auto step = next<Message>("message \"" + text + "\"");
  if (!step) return MsgAnswer::Cancel;
  if (!step->expect.isEmpty()) {
    EXPECT_TRUE(text.contains(step->expect))
        << "expected \"" << step->expect.toStdString() << "\" in \"" << text.toStdString() << "\"";
  }
  if (step->whileShown) step->whileShown();
  return step->answer;
}

std::optional<int> ScriptedUi::choose(const QString& text, const QString& title,
                                      const QStringList& buttons, platform::MsgIcon icon) {
  messages.append({text, title, platform::MsgButtons::Ok, icon});
  choiceButtons.append(buttons);
  const auto step = next<Choice>("choice \"" + text + "\"");
  if (!step) return std::nullopt;
  if (!step->expect.isEmpty()) {
    EXPECT_TRUE(text.contains(step->expect))
        << "expected \"" << step->expect.toStdString() << "\" in \"" << text.toStdString() << "\"";
  }
  return step->answer;
}

std::optional<QString> ScriptedUi::inputBox(const QString& prompt, const QString&,
                                            const QString&) {
  inputPrompts.append(prompt);
  const auto step = next<Input>("input box \"" + prompt + "\"");
  if (!step) return std::nullopt;
  if (!step->expect.isEmpty()) {
    EXPECT_TRUE(prompt.contains(step->expect)) << prompt.toStdString();
  }
  return step->answer;
}

FileChoice ScriptedUi::openFile(const platform::FileRequest& request) {
  fileRequests.append(request);
  const auto step = next<OpenFile>("open dialog \"" + request.title + "\"");
  return step ? step->choice : FileChoice{QString(), request.filterIndex};
}

FileChoice ScriptedUi::saveFile(const platform::FileRequest& request) {
  fileRequests.append(request);
  const auto step = next<SaveFile>("save dialog \"" + request.title + "\"");
  return step ? step->choice : FileChoice{QString(), request.filterIndex};
}

std::optional<QString> ScriptedUi::folder(const QString& title, const QString&) {
  const auto step = next<Folder>("folder dialog \"" + title + "\"");
  return step ? step->folder : std::nullopt;
}

std::optional<QColor> ScriptedUi::colour(const QColor& initial) {
  colourRequests << initial;
  const auto step = next<Colour>("colour dialog");
  return step ? step->colour : std::nullopt;
}

std::optional<QFont> ScriptedUi::font(const QFont& initial) {
  fontRequests << initial;
  const auto step = next<Font>("font dialog");
  return step ? step->font : std::nullopt;
}

bool ScriptedUi::choosePrinter(QPrinter& printer) {
  const auto step = next<Printer>("printer dialog");
  return step && step->act(printer);
}

int ScriptedUi::runModal(QDialog& dialog) {
  modalWindows.append(dialog.objectName());
  const auto step = next<Modal>("modal window " + dialog.objectName());
  // Shown as exec() shows it, so whatever a window does on showing (taking the interface
  // language, placing itself) happens before the scripted user acts.
  dialog.show();
  const int result = step ? step->act(dialog) : QDialog::Rejected;
  dialog.hide();
  return result;
}

}  // namespace testing_support

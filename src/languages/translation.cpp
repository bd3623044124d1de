#include "languages/translation.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/caption_marks.h"

namespace languages {
namespace {

// What a control showed before a language file first changed it, and what the file gave it:
// while the caption is still the given text, the built-in one can be put back.
constexpr char kBuiltIn[] = "builtInCaption";
constexpr char kGiven[] = "givenCaption";

// Menu-array items whose first element takes its text from "Misc" rather than from the
// array's own key.
struct MiscCaption {
  const char* control;
  const char* key;
};
constexpr MiscCaption kMiscCaptions[] = {
    {"mnuSpecialTemplate", "DoNotUse"},
    {"mnuHighLight", "HighLightNone"},
};

// Buttons of a standard button box say what Qt's translations say.
bool isStandardButton(const QPushButton& button) {
  const auto* box = qobject_cast<const QDialogButtonBox*>(button.parent());
  return box && box->standardButton(const_cast<QPushButton*>(&button)) != QDialogButtonBox::NoButton;
}

QString captionOf(const QObject& object) {
  if (const auto* action = qobject_cast<const QAction*>(&object)) return action->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&object)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(&object)) return label->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(&object)) return frame->title();
  return QString();
}

void setCaptionOf(QObject& object, const QString& caption) {
  if (auto* action = qobject_cast<QAction*>(&object)) action->setText(caption);
  else if (auto* button = qobject_cast<QAbstractButton*>(&object)) button->setText(caption);
  else if (auto* label = qobject_cast<QLabel*>(&object)) label->setText(caption);
  else if (auto* frame = qobject_cast<QGroupBox*>(&object)) frame->setTitle(caption);
}

// Replaces `current` by `value`, or puts the built-in text back when there is no value.
// `current` is what the control shows now; a text the program set since the last translation
// becomes the new built-in text.
template <class Setter>
void translateText(QObject& object, const QString& current, const std::optional<QString>& value,
                   Setter set) {
  const QVariant builtIn = object.property(kBuiltIn);
  const bool ours = builtIn.isValid() && object.property(kGiven).toString() == current;
  const QString base = ours ? builtIn.toString() : current;
  const QString next = value.value_or(base);
  if (next != current) set(next);
  if (value || ours) {
    object.setProperty(kBuiltIn, base);
    object.setProperty(kGiven, next);
  }
}

// Where a control's caption is looked up: the "Misc" key of a menu array's first element, else
// the key named after the control in the section of its kind.
QList<std::pair<QString, QString>> keysFor(const char* section, const QObject& object) {
  const QString name = object.objectName();
  const QString miscKey = object.property(platform::kMiscKey).toString();
  if (!miscKey.isEmpty()) return {{QString::fromLatin1(kSectionMisc), miscKey}};
  QList<std::pair<QString, QString>> keys;
  if (qstrcmp(section, kSectionMenu) == 0)
    for (const MiscCaption& misc : kMiscCaptions)
      if (name == QLatin1String(misc.control))
        keys.append({QString::fromLatin1(kSectionMisc), QString::fromLatin1(misc.key)});
  keys.append({QString::fromLatin1(section), name});
  return keys;
}

std::optional<QString> valueFor(const Translation& language, const char* section,
                                const QObject& object) {
  for (const auto& [inSection, key] : keysFor(section, object))
    if (auto value = language.value(inSection, key)) return value;
  return std::nullopt;
}

// A control's translatable caption, and what follows it unchanged: a menu item's key after its
// Tab, or the data after a caption with a suffix.
struct Caption {
  const char* section = nullptr;
  QString text;
  QString tail;
};

std::optional<Caption> captionFor(QObject& object) {
  const char* section = SectionOf(object);
  if (!section || platform::HasDataCaption(object)) return std::nullopt;
  const QString caption = captionOf(object);
  const qsizetype tab = qobject_cast<QAction*>(&object) ? caption.indexOf(u'\t') : -1;
  if (tab >= 0) return Caption{section, caption.left(tab), caption.mid(tab)};
  const QString suffix = object.property(platform::kCaptionSuffix).toString();
  if (!suffix.isEmpty() && caption.endsWith(suffix))
    return Caption{section, caption.chopped(suffix.size()), suffix};
  return Caption{section, caption, QString()};
}

void translateControl(const Translation& language, QObject& object) {
  const auto caption = captionFor(object);
  if (!caption || object.objectName().isEmpty() ||
      (caption->text.isEmpty() && !object.property(kBuiltIn).isValid()))
    return;
  translateText(object, caption->text, valueFor(language, caption->section, object),
                [&](const QString& next) { setCaptionOf(object, next + caption->tail); });
}

bool hasTitle(const QWidget& window) {
  return window.objectName().startsWith(QLatin1String("frm"), Qt::CaseInsensitive) &&
         !platform::HasDataCaption(window);
}

// The title without the data that follows it.
QString titleOf(const QWidget& window) {
  const QString suffix = window.property(platform::kCaptionSuffix).toString();
  QString title = window.windowTitle();
  if (!suffix.isEmpty() && title.endsWith(suffix)) title.chop(suffix.size());
  return title;
}

void translateTitle(const Translation& language, QWidget& window) {
  if (!hasTitle(window)) return;
  const QString suffix = window.property(platform::kCaptionSuffix).toString();
  translateText(window, titleOf(window), language.value(window.objectName(), kFormCaption),
                [&](const QString& next) { window.setWindowTitle(next + suffix); });
}

// The "Misc" key of each entry of a list whose entries are translated; empty for other objects.
QStringList listEntryKeys(const QObject& object) {
  const auto* list = qobject_cast<const QListWidget*>(&object);
  const QString suffix = object.property(platform::kMiscListSuffix).toString();
  QStringList keys;
  if (!list || suffix.isEmpty()) return keys;
  for (int i = 0; i < list->count(); ++i) keys.append(QString::number(i) + suffix);
  return keys;
}

// Entries keep their built-in text and the given one in roles of their own, as controls keep
// them in properties.
constexpr int kBuiltInRole = Qt::UserRole + 0x4c0;
constexpr int kGivenRole = kBuiltInRole + 1;

void translateEntries(const Translation& language, QObject& object) {
  const QStringList keys = listEntryKeys(object);
  auto* list = qobject_cast<QListWidget*>(&object);
  for (int i = 0; i < keys.size(); ++i) {
    QListWidgetItem& item = *list->item(i);
    const QString current = item.text();
    const QVariant builtIn = item.data(kBuiltInRole);
    const bool ours = builtIn.isValid() && item.data(kGivenRole).toString() == current;
    const QString base = ours ? builtIn.toString() : current;
    const auto value = language.value(QString::fromLatin1(kSectionMisc), keys[i]);
    const QString next = value.value_or(base);
    if (next != current) item.setText(next);
    if (value || ours) {
      item.setData(kBuiltInRole, base);
      item.setData(kGivenRole, next);
    }
  }
}

// The root, then everything inside it.
QList<QObject*> objectsOf(QWidget& root) {
  QList<QObject*> all{&root};
  all.append(root.findChildren<QObject*>());
  return all;
}

}  // namespace

Translation Translation::load(const QString& path, bool builtIn) {
  Translation language;
  language.m_file = platform::IniSnapshot::load(path);
  language.m_builtIn = builtIn;
  return language;
}

QString Translation::qtLanguage() const {
  if (m_builtIn) return QStringLiteral("ru");
  return value(kSectionMisc, kQtLanguageKey).value_or(QStringLiteral("en")).trimmed();
}

const char* SectionOf(const QObject& object) {
  if (const auto* action = qobject_cast<const QAction*>(&object))
    return action->isSeparator() ? nullptr : kSectionMenu;
  if (qobject_cast<const QRadioButton*>(&object)) return kSectionOption;
  if (qobject_cast<const QCheckBox*>(&object)) return kSectionCheckBox;
  if (const auto* button = qobject_cast<const QPushButton*>(&object))
    return isStandardButton(*button) ? nullptr : kSectionButton;
  if (qobject_cast<const QLabel*>(&object)) return kSectionLabel;
  if (qobject_cast<const QGroupBox*>(&object)) return kSectionFrame;
  return nullptr;
}

void ApplyLanguage(const Translation& language, QWidget& root) {
  for (QObject* object : objectsOf(root)) {
    if (object->isWidgetType()) translateTitle(language, *static_cast<QWidget*>(object));
    translateControl(language, *object);
    translateEntries(language, *object);
  }
}

void ApplySettingsLanguage(const Translation& language, QWidget& dialog) {
  for (QObject* object : objectsOf(dialog)) {
    if (object->property(platform::kMiscKey).isValid()) translateControl(language, *object);
    translateEntries(language, *object);
  }
}

QList<CaptionKey> TranslatableCaptions(QWidget& root) {
  QList<CaptionKey> captions;
  for (QObject* object : objectsOf(root)) {
    if (object->isWidgetType()) {
      auto& window = *static_cast<QWidget*>(object);
      if (hasTitle(window) && !titleOf(window).isEmpty())
        captions.append({window.objectName(), QString::fromLatin1(kFormCaption), titleOf(window)});
    }
    if (const QStringList keys = listEntryKeys(*object); !keys.isEmpty()) {
      const auto& list = *qobject_cast<QListWidget*>(object);
      for (int i = 0; i < keys.size(); ++i)
        captions.append({QString::fromLatin1(kSectionMisc), keys[i], list.item(i)->text()});
    }
    const auto caption = captionFor(*object);
    if (!caption || caption->text.isEmpty()) continue;
    // Qt's own actions (a tool bar's toggle, a line edit's menu) have no name and no key.
    if (object->objectName().isEmpty() && !object->isWidgetType()) continue;
    const auto keys = keysFor(caption->section, *object);
    captions.append({keys.front().first, keys.front().second, caption->text});
  }
  return captions;
}

}  // namespace languages

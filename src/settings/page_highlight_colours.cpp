#include "settings/page_highlight_colours.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <memory>

#include "highlight/colour_scheme.h"
#include "highlight/highlighter.h"
#include "platform/caption_marks.h"
#include "platform/ini_file.h"
#include "platform/named_controls.h"
#include "settings/setting_controls.h"
#include "shell/frm_main.h"
#include "shell/version.h"

namespace settings {
namespace {

using platform::Named;
using namespace highlight;

// A sample of an item's look that opens the colour dialog when clicked, or on Space or Enter
// once it has the focus.
class ColourPreview : public QLabel {
 public:
  ColourPreview(const QString& caption, QWidget* parent, std::function<void()> choose)
      : QLabel(caption, parent), m_choose(std::move(choose)) {
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(140, 32);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      m_choose();
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
      m_choose();
    else
      QLabel::keyPressEvent(event);
  }

 private:
  std::function<void()> m_choose;
};

// The controls of the frame and what they do; shared by their handlers.
class ColourPane {
 public:
  explicit ColourPane(shell::FrmMain& window) : m_window(window) {}

  QListWidget* items = nullptr;
  ColourPreview* fore = nullptr;
  ColourPreview* back = nullptr;
  QComboBox* style = nullptr;

  // Shows the selected item as "Colors.ini" holds it now (checked values, the editor's
  // defaults for what is missing), and offers only the parts the editor paints.
  void show() {
    const int index = items->currentRow();
    const ItemParts parts = ColorItemParts(index);
    const ColourScheme scheme = ReadColourScheme(iniPath());
    const ItemLook look = index >= 0 ? scheme.items[index] : ItemLook{};
    // A part the item lacks shows as plain text would.
    const QColor foreColour = parts.fore ? look.fore : scheme[ColourItem::Text].fore;
    const QColor backColour = parts.back ? look.back : scheme[ColourItem::Background].back;
    const int fontStyle = parts.fontStyle ? look.fontStyle : 0;
    for (ColourPreview* preview : {fore, back}) paint(*preview, foreColour, backColour, fontStyle);
    fore->setEnabled(parts.fore);
    back->setEnabled(parts.back);
    style->setEnabled(parts.fontStyle);
    style->setCurrentIndex(parts.fontStyle ? fontStyle : -1);
  }

  void chooseColour(bool foreground) {
    const int index = items->currentRow();
    const ItemParts parts = ColorItemParts(index);
    if (foreground ? !parts.fore : !parts.back) return;
    const ItemLook look = ReadColourScheme(iniPath()).items[index];
    const std::optional<QColor> chosen =
        m_window.context().ui.colour(foreground ? look.fore : look.back);
    if (!chosen) return;
    store(foreground ? QStringLiteral("Color") : QStringLiteral("BackColor"), index,
          QString::number(NumberOfColour(*chosen)));
  }

  void chooseStyle(int fontStyle) {
    const int index = items->currentRow();
    if (!ColorItemParts(index).fontStyle || fontStyle < 0) return;
    store(QStringLiteral("FontStyle"), index, QString::number(fontStyle));
  }

 private:
  QString iniPath() const { return m_window.context().paths.file(QStringLiteral("Colors.ini")); }

  static void paint(QLabel& preview, const QColor& foreColour, const QColor& backColour,
                    int fontStyle) {
    QPalette palette = preview.palette();
    palette.setColor(QPalette::WindowText, foreColour);
    palette.setColor(QPalette::Window, backColour);
    preview.setPalette(palette);
    preview.setFont(platform::FontWithStyle(preview.parentWidget()->font(), fontStyle));
  }

  // Writes one value, repaints the editor from the file and shows what it holds now. A value
  // that could not be written is reported; the editor keeps its colours.
  void store(const QString& section, int index, const QString& value) {
    QString error;
    platform::IniFile ini(iniPath());
    if (!ini.write(section, ColorItemName(index), value, &error)) {
      m_window.context().ui.message(
          QStringLiteral("Не удалось записать цвета в файл «%1»:\n%2").arg(ini.path(), error),
          QString::fromUtf8(shell::kProgramName), platform::MsgButtons::Ok,
          platform::MsgIcon::Warning);
    } else if (HighLighter* lighter = HighLighterOf(m_window)) {
      lighter->LoadColors();
    }
    show();
  }

  shell::FrmMain& m_window;
};

}  // namespace

QGroupBox* HighLightColoursGroup(QWidget& parent, shell::FrmMain& window) {
  auto* group = PageGroup(&parent, "fraColors", QStringLiteral("Цвета"));
  auto pane = std::make_shared<ColourPane>(window);

  pane->items = Named(new QListWidget(group), "lstColors");
  for (int i = 0; i < kColourItemCount; ++i) pane->items->addItem(ColorItemCaption(i));
  platform::SetMiscListSuffix(*pane->items, QStringLiteral("_c"));

  pane->fore = Named(
      new ColourPreview(QStringLiteral("Цвет текста"), group, [pane] { pane->chooseColour(true); }),
      "lblFontColor");
  pane->back = Named(
      new ColourPreview(QStringLiteral("Цвет фона"), group, [pane] { pane->chooseColour(false); }),
      "lblHLBG");
  pane->style = Named(new QComboBox(group), "cmbFontStyle");
  pane->style->addItems({QStringLiteral("Нормальный"), QStringLiteral("Жирный"),
                         QStringLiteral("Курсив"), QStringLiteral("Жирный+курсив"),
                         QStringLiteral("Подчеркнутый")});

  auto* grid = new QGridLayout(group);
  grid->addWidget(pane->items, 0, 0, 4, 1);
  grid->addWidget(pane->fore, 0, 1);
  grid->addWidget(pane->back, 1, 1);
  grid->addWidget(platform::BuddyLabel({"lblFontStyle", "Стиль шрифта:", pane->style}, group), 2,
                  1);
  grid->addWidget(pane->style, 3, 1, Qt::AlignTop);
  grid->setColumnStretch(0, 1);

  // The handlers hold the pane; it goes with the last of them, when the frame goes.
  QObject::connect(pane->items, &QListWidget::currentRowChanged, group, [pane] { pane->show(); });
  QObject::connect(pane->style, &QComboBox::activated, group,
                   [pane](int index) { pane->chooseStyle(index); });
  pane->items->setCurrentRow(0);
  return group;
}

}  // namespace settings

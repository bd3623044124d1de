#include "text/frm_symbols.h"

#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/caption_marks.h"
#include "platform/cp1251.h"
#include "platform/named_controls.h"
#include "platform/tab_order.h"
#include "text/statistics.h"

namespace text {
namespace {

using platform::Named;

constexpr int kListHeightTwips = 3660;
constexpr int kCell = 26;  // pixels of one character's cell

QIcon namePicture(const QString& name, const QColor& colour) {
  QPixmap picture(kCell - 2, kCell - 2);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  QFont font = painter.font();
  font.setPixelSize(8);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(picture.rect(), Qt::AlignCenter, name);
  return QIcon(picture);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

QString SymbolName(int code) {
  static const char* const kControlNames[32] = {
      "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "TAB", "LF",
      "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
      "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  if (code >= 0 && code < 32) return QString::fromLatin1(kControlNames[code]);
  if (code == 127) return QStringLiteral("DEL");
  return QString();
}

QString SymbolLabel(int code) {
  // A control character drawn as itself is an empty box, which tells the user nothing.
  const QString name = SymbolName(code);
  return name.isEmpty() ? QString(cp1251::toUnicode(uchar(code))) : name;
}

FrmSymbols::FrmSymbols(Insert insert, FontChosen fontChosen, QWidget* parent)
    : QDialog(parent), m_insert(std::move(insert)), m_fontChosen(std::move(fontChosen)) {
  setObjectName("frmSymbols");
  setWindowTitle(QStringLiteral("Таблица символов"));
  auto* layout = new QHBoxLayout(this);

  m_list = new QListWidget(this);
  m_list->setObjectName("lstSymbols");
  m_list->setViewMode(QListView::IconMode);
  m_list->setMovement(QListView::Static);
  m_list->setGridSize(QSize(kCell, kCell));
  m_list->setIconSize(QSize(kCell - 2, kCell - 2));
  m_list->setMinimumWidth(16 * kCell + 24);
  m_list->setFont(QFont("MS Sans Serif"));
  for (int code = 0; code < 256; ++code) {
    // A name is drawn small, as a picture, so that it fits the cell of one character.
    const QString name = SymbolName(code);
    auto* item = new QListWidgetItem(name.isEmpty() ? SymbolLabel(code) : QString(), m_list);
    if (!name.isEmpty()) item->setIcon(namePicture(name, palette().color(QPalette::Text)));
    item->setToolTip(name);
    item->setData(Qt::UserRole, code);
    item->setTextAlignment(Qt::AlignCenter);
  }
  layout->addWidget(m_list, 1);

  auto* side = new QVBoxLayout;
  auto* fontFrame = Named(new QGroupBox(QStringLiteral("Шрифт"), this), "fraFont");
  m_fonts = new QFontComboBox(fontFrame);
  m_fonts->setObjectName("cmbFont");
  (new QVBoxLayout(fontFrame))->addWidget(m_fonts);
  side->addWidget(fontFrame);

  auto* previewFrame = Named(new QGroupBox(QStringLiteral("Просмотр"), this), "fraPreview");
  auto* grid = new QGridLayout(previewFrame);
  m_preview = Named(new QLabel(previewFrame), "lblPreView");
  m_preview->setFont(QFont("Courier New", 28));
  m_preview->setAlignment(Qt::AlignCenter);
  m_preview->setMinimumHeight(56);
  grid->addWidget(m_preview, 0, 0, 1, 2);
  grid->addWidget(Named(new QLabel(QStringLiteral("HEX-значение символа -"), previewFrame),
                        "lblHEXCaption"),
                  1, 0);
  m_hex = Named(new QLabel(previewFrame), "lblHEX");
  grid->addWidget(m_hex, 1, 1);
  grid->addWidget(Named(new QLabel(QStringLiteral("Код вимвола -"), previewFrame), "lblASCCaption"),
                  2, 0);
  m_asc = Named(new QLabel(previewFrame), "lblASC");
  // The preview and the two codes show the chosen character, not texts of the program.
  for (QLabel* shown : {m_preview, m_hex, m_asc}) platform::MarkDataCaption(*shown);
  grid->addWidget(m_asc, 2, 1);
  side->addWidget(previewFrame);

  m_collected = new QLineEdit(this);
  m_collected->setObjectName("txtSe");
  side->addWidget(m_collected);
  QPushButton* insertText = button(this, "cmdInsert", "Вставить");
  QPushButton* insertAsc = button(this, "cmdASC", "Вставить ASCII");
  QPushButton* insertHex = button(this, "cmdHEX", "Вставить HEX");
  QPushButton* close = button(this, "cmdClose", "Зыкрыть");
  for (QPushButton* b : {insertText, insertAsc, insertHex, close}) side->addWidget(b);
  side->addStretch();
  layout->addLayout(side);

  platform::ChainTabOrder({m_list, m_fonts, m_collected, insertText, insertAsc, insertHex, close});

  connect(m_list, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showCharacter(item->data(Qt::UserRole).toInt()); });
  connect(m_list, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { collect(item->data(Qt::UserRole).toInt()); });
  connect(insertText, &QPushButton::clicked, this, [this] { m_insert(m_collected->text()); });
  connect(insertAsc, &QPushButton::clicked, this,
          [this] { m_insert(DecimalCodes(m_collected->text())); });
  connect(insertHex, &QPushButton::clicked, this,
          [this] { m_insert(HexCodes(m_collected->text())); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(m_fonts, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
    setListFont(font);
    if (m_fontChosen) m_fontChosen(font.family());
  });
}

void FrmSymbols::setListFont(const QFont& font) {
  m_list->setFont(font);
  QFont preview = font;
  preview.setPointSize(m_preview->font().pointSize());
  m_preview->setFont(preview);
  const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
  m_list->setFixedHeight(int(kListHeightTwips * dpi / 1440.0));
}

void FrmSymbols::showCharacter(int code) {
  m_preview->setText(SymbolLabel(code));
  m_hex->setText(QString::number(code, 16).toUpper());
  m_asc->setText(QString::number(code));
  m_list->setCurrentRow(code);
}

void FrmSymbols::collect(int code) {
  m_collected->setText(m_collected->text() + cp1251::toUnicode(uchar(code)));
}

}  // namespace text

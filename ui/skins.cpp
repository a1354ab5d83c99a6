#include "ui/skins.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <array>
#include <utility>

namespace qx::skins {
namespace {

// One set of colours per skin; the style sheet is the same template filled with them, so the three
// skins differ in colour and never in layout (a text that fits in one skin fits in all).
struct Colours {
  const char* window;      // window and dialog background
  const char* panel;       // page area, group boxes
  const char* base;        // edit fields, lists, grids
  const char* text;
  const char* barTop;      // menu bar, toolbar, tab and button gradient
  const char* barBottom;
  const char* border;
  const char* accent;      // selection, hovered items, selected tab line
  const char* accentText;
  const char* header;      // grid headers
  const char* disabledText;
  const char* chunk;       // progress chunk, light enough for the text drawn over it
};

constexpr std::array<Colours, 3> kColours{{
    // 1 blue family: cool light blues with a deep blue accent.
    {"#dde9f7", "#f4f8fd", "#ffffff", "#1b2a3a", "#f4f9ff", "#aecbed", "#7d9fc8", "#2f6fb5", "#ffffff",
     "#d3e3f6", "#8795a5", "#8dbbea"},
    // 2 steel plate: brushed greys with a slate accent.
    {"#cfd3d7", "#e6e8ea", "#f8f8f8", "#1e2226", "#f0f1f2", "#a3aab2", "#6f7880", "#45566a", "#ffffff",
     "#c7ccd1", "#80868c", "#a9b7c7"},
    // 3 coffee: cream panels, roasted browns.
    {"#eadbc8", "#f8f1e7", "#fffcf7", "#3a2617", "#f4e6d3", "#c9a57e", "#946a4a", "#7b4a2a", "#fff8ee",
     "#e6d2b8", "#9b8878", "#d9b48c"},
}};

const Colours& coloursOf(int skin) { return kColours[static_cast<size_t>(isValid(skin) ? skin - 1 : 0)]; }

constexpr const char* kTemplate = R"(
QMainWindow, QDialog { background: @window; }
QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom);
  border-bottom: 1px solid @border; color: @text; }
QMenuBar::item { padding: 3px 10px; background: transparent; }
QMenuBar::item:selected { background: @accent; color: @accentText; border-radius: 3px; }
QMenu { background: @base; color: @text; border: 1px solid @border; padding: 3px; }
QMenu::item { padding: 4px 26px 4px 24px; }
QMenu::item:selected { background: @accent; color: @accentText; }
QMenu::item:disabled { color: @disabledText; }
QMenu::separator { height: 1px; background: @border; margin: 3px 6px; }
QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom);
  border: none; border-bottom: 1px solid @border; spacing: 4px; padding: 2px 4px; }
QToolBar::separator { width: 1px; background: @border; margin: 4px 6px; }
QToolBar QToolButton { color: @text; border: 1px solid transparent; border-radius: 4px; padding: 3px 8px; }
QToolBar QToolButton:hover { border-color: @border; background: @base; }
QToolBar QToolButton:pressed { background: @accent; color: @accentText; }
QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barBottom, stop:1 @barTop);
  border-top: 1px solid @border; color: @text; }
QStatusBar::item { border: none; }
QTabWidget::pane { background: @panel; border: 1px solid @border; border-radius: 3px; top: -1px; }
QTabBar::tab { color: @text; padding: 5px 16px; margin-right: 2px; border: 1px solid @border;
  border-bottom: none; border-top-left-radius: 4px; border-top-right-radius: 4px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom); }
QTabBar::tab:selected { background: @panel; border-top: 3px solid @accent; }
QTabBar::tab:!selected:hover { background: @base; }
QGroupBox { color: @text; border: 1px solid @border; border-radius: 4px; margin-top: 12px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QPushButton { color: @text; border: 1px solid @border; border-radius: 4px; padding: 4px 14px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom); }
QPushButton:hover { border-color: @accent; }
QPushButton:pressed { background: @accent; color: @accentText; }
QPushButton:disabled { color: @disabledText; }
QLineEdit, QSpinBox, QComboBox { background: @base; color: @text; border: 1px solid @border;
  border-radius: 3px; padding: 2px 4px; selection-background-color: @accent; selection-color: @accentText; }
QLineEdit:focus, QSpinBox:focus, QComboBox:focus { border-color: @accent; }
QLineEdit:disabled, QSpinBox:disabled, QComboBox:disabled { color: @disabledText; }
QLineEdit:disabled, QSpinBox:disabled { background: @panel; }
QComboBox { padding-right: 24px; }
QComboBox:disabled { background: @panel; }
QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: top right; width: 20px;
  border: none; border-left: 1px solid @border; border-top-right-radius: 2px; border-bottom-right-radius: 2px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom); }
QComboBox::drop-down:hover { background: @header; }
QComboBox::drop-down:on { background: @barBottom; }
QComboBox::drop-down:disabled { background: @panel; }
QComboBox::down-arrow { image: url("@imgComboDown"); width: 9px; height: 5px; }
QComboBox::down-arrow:on { top: 1px; }
QComboBox::down-arrow:disabled { image: url("@imgComboDim"); }
QSpinBox { padding-right: 22px; }
QSpinBox::up-button, QSpinBox::down-button { subcontrol-origin: padding; width: 18px; border: none;
  border-left: 1px solid @border;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom); }
QSpinBox::up-button { subcontrol-position: top right; border-top-right-radius: 2px; }
QSpinBox::down-button { subcontrol-position: bottom right; border-top: 1px solid @border;
  border-bottom-right-radius: 2px; }
QSpinBox::up-button:hover, QSpinBox::down-button:hover { background: @header; }
QSpinBox::up-button:pressed, QSpinBox::down-button:pressed { background: @accent; }
QSpinBox::up-button:disabled, QSpinBox::down-button:disabled,
QSpinBox::up-button:off, QSpinBox::down-button:off { background: @panel; }
QSpinBox::up-arrow { image: url("@imgSpinUp"); width: 7px; height: 4px; }
QSpinBox::down-arrow { image: url("@imgSpinDown"); width: 7px; height: 4px; }
QSpinBox::up-arrow:pressed { image: url("@imgSpinUpPressed"); }
QSpinBox::down-arrow:pressed { image: url("@imgSpinDownPressed"); }
QSpinBox::up-arrow:disabled, QSpinBox::up-arrow:off { image: url("@imgSpinUpDim"); }
QSpinBox::down-arrow:disabled, QSpinBox::down-arrow:off { image: url("@imgSpinDownDim"); }
QComboBox QAbstractItemView { background: @base; color: @text; selection-background-color: @accent;
  selection-color: @accentText; border: 1px solid @border; outline: none; }
QTableView, QTableWidget { background: @base; color: @text; gridline-color: @border; border: 1px solid @border; }
QTableView QLineEdit, QTableView QComboBox { border: 1px solid @accent; border-radius: 0; padding: 0 2px; }
QTableView QComboBox { padding-right: 15px; }
QTableView QComboBox::drop-down { width: 13px; border-radius: 0; }
QTableView QHeaderView::section { background: @header; color: @text; border: none; border-right: 1px solid @border;
  border-bottom: 1px solid @border; padding: 3px; }
QTableCornerButton::section { background: @header; border: none; }
QProgressBar { background: @base; border: 1px solid @border; border-radius: 3px; text-align: center; color: @text; }
QProgressBar::chunk { background: @chunk; border-radius: 2px; }
QCheckBox, QRadioButton, QLabel { color: @text; }
QCheckBox:disabled, QLabel:disabled { color: @disabledText; }
)";

enum class Pointing { Up, Down };

// A filled triangle pointing up or down, drawn once per colour and size.
QImage arrowImage(Pointing pointing, const QColor& colour, int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  QPainterPath path;
  const qreal w = width, h = height;
  if (pointing == Pointing::Down) {
    path.moveTo(0, 0);
    path.lineTo(w, 0);
    path.lineTo(w / 2, h);
  } else {
    path.moveTo(0, h);
    path.lineTo(w, h);
    path.lineTo(w / 2, 0);
  }
  path.closeSubpath();
  painter.drawPath(path);
  return image;
}

// The arrow images live in one folder for the whole run; style sheets can only name images by path.
QString arrowFile(Pointing pointing, const char* colour, int width, int height) {
  static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/qx4100d-arrows-XXXXXX"));
  if (!folder.isValid()) return {};
  const QString name = QStringLiteral("%1-%2-%3x%4.png")
                           .arg(pointing == Pointing::Up ? QStringLiteral("up") : QStringLiteral("down"),
                                QString::fromLatin1(colour + 1))  // without the '#'
                           .arg(width)
                           .arg(height);
  const QString path = folder.filePath(name);
  if (!QFile::exists(path) && !arrowImage(pointing, QColor(colour), width, height).save(path, "PNG")) return {};
  return path;
}

}  // namespace

bool isValid(int skin) { return skin >= kFirst && skin <= kLast; }

QPalette palette(int skin) {
  const Colours& c = coloursOf(skin);
  QPalette p;
  p.setColor(QPalette::Window, QColor(c.window));
  p.setColor(QPalette::WindowText, QColor(c.text));
  p.setColor(QPalette::Base, QColor(c.base));
  p.setColor(QPalette::AlternateBase, QColor(c.panel));
  p.setColor(QPalette::Text, QColor(c.text));
  p.setColor(QPalette::Button, QColor(c.barBottom));
  p.setColor(QPalette::ButtonText, QColor(c.text));
  p.setColor(QPalette::Highlight, QColor(c.accent));
  p.setColor(QPalette::HighlightedText, QColor(c.accentText));
  p.setColor(QPalette::ToolTipBase, QColor(c.base));
  p.setColor(QPalette::ToolTipText, QColor(c.text));
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, QColor(c.disabledText));
  return p;
}

QString styleSheet(int skin) {
  const Colours& c = coloursOf(skin);
  const std::pair<const char*, const char*> tokens[] = {
      {"@window", c.window},   {"@panel", c.panel},   {"@base", c.base},
      {"@text", c.text},       {"@barTop", c.barTop}, {"@barBottom", c.barBottom},
      {"@border", c.border},   {"@accentText", c.accentText}, {"@accent", c.accent},
      {"@header", c.header},   {"@disabledText", c.disabledText}, {"@chunk", c.chunk},
  };
  // "@accentText" is replaced before "@accent", which is its prefix.
  QString sheet = QString::fromLatin1(kTemplate);
  // Images first: their tokens hold no colour token as a prefix, but a colour token could be theirs.
  const std::pair<const char*, QString> images[] = {
      {"@imgComboDown", arrowFile(Pointing::Down, c.text, 9, 5)},
      {"@imgComboDim", arrowFile(Pointing::Down, c.disabledText, 9, 5)},
      {"@imgSpinUpPressed", arrowFile(Pointing::Up, c.accentText, 7, 4)},
      {"@imgSpinDownPressed", arrowFile(Pointing::Down, c.accentText, 7, 4)},
      {"@imgSpinUpDim", arrowFile(Pointing::Up, c.disabledText, 7, 4)},
      {"@imgSpinDownDim", arrowFile(Pointing::Down, c.disabledText, 7, 4)},
      {"@imgSpinUp", arrowFile(Pointing::Up, c.text, 7, 4)},
      {"@imgSpinDown", arrowFile(Pointing::Down, c.text, 7, 4)},
  };
  for (const auto& [token, path] : images) sheet.replace(QLatin1String(token), path);
  for (const auto& [token, colour] : tokens) sheet.replace(QLatin1String(token), QLatin1String(colour));
  return sheet;
}

void keepVisibleItemLimit(QComboBox& box) {
  box.setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}

void apply(int skin) {
  // Fusion draws the same on every desktop, so the skins look as designed everywhere.
  if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
    if (auto* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  }
  QApplication::setPalette(palette(skin));
  qApp->setStyleSheet(styleSheet(skin));
}

}  // namespace qx::skins

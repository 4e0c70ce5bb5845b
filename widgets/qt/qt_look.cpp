// Fonts, colours, cursors and the program's icon, as Qt gives them.
#include <algorithm>
#include <map>

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "widgets/qt/cp1251.h"
#include "widgets/qt/qt_controls.h"

namespace widgets::qtimpl {

// ---- fonts ----

namespace {

QString FirstInstalled(std::initializer_list<const char*> families, const QString& otherwise) {
  for (const char* family : families) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return otherwise;
}

struct Face {
  QString family;
  int stretch = QFont::Unstretched;
};

// Windows font names stand for a look; where the font itself is missing the closest
// installed one of the same kind is used. The dialogs were laid out for the narrow
// "MS Sans Serif", so a wide stand-in is taken in its semi-condensed cut.
Face FaceFor(const std::string& name) {
  static std::map<std::string, Face> chosen;
  auto found = chosen.find(name);
  if (found != chosen.end()) return found->second;
  const QString asked = DecodeText(name);
  Face face;
  if (!asked.isEmpty() && QFontDatabase::hasFamily(asked)) {
    face.family = asked;
  } else {
    const QString lower = asked.toLower();
    const bool serif = lower.contains(QLatin1String("serif")) && !lower.contains(QLatin1String("sans"));
    const bool fixed = lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("console")) ||
                       lower.contains(QLatin1String("fixedsys")) || lower.contains(QLatin1String("terminal")) ||
                       lower.contains(QLatin1String("mono"));
    if (fixed) {
      face.family = FirstInstalled({"Courier New", "Liberation Mono", "DejaVu Sans Mono"},
                                   QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    } else if (serif || lower.contains(QLatin1String("times")) || lower.contains(QLatin1String("georgia"))) {
      face.family = FirstInstalled({"Times New Roman", "Liberation Serif", "Nimbus Roman", "DejaVu Serif"},
                                   QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    } else {
      face.family = FirstInstalled({"Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans", "Helvetica",
                                    "Nimbus Sans", "Nimbus Sans L", "FreeSans", "DejaVu Sans"},
                                   QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
      if (face.family == QLatin1String("DejaVu Sans")) face.stretch = QFont::SemiCondensed;
    }
  }
  chosen.emplace(name, face);
  return face;
}

}  // namespace

namespace {

// The width a caption needs to show whole in its control: the text and the room the style
// keeps around it. A push button's own size hint is no measure: the style makes every
// button with a text at least 80 pixels wide, however short the text, and the small
// buttons (">>>", "All >>>", 55 pixels) would be squeezed for nothing.
int NeededWidth(const Control& c, QWidget* w) {
  if (c.kind != ControlKind::Button) return w->sizeHint().width();
  auto* button = static_cast<QPushButton*>(w);
  QStyleOptionButton option;
  option.initFrom(button);
  option.features = QStyleOptionButton::None;  // the text is left out, and with it the least width
  const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
  return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, text, button).width();
}

}  // namespace

void FitCaption(Control& c) {
  QWidget* w = c.widget;
  if (!w || (c.kind != ControlKind::Button && c.kind != ControlKind::CheckBox && c.kind != ControlKind::RadioButton &&
             c.kind != ControlKind::Label))
    return;
  w->setFont(c.font);
  const int available = w->width();
  const int needed = NeededWidth(c, w);
  if (available <= 0 || needed <= available) return;
  // The check mark and the margins keep their width, so a few steps may be needed. Below
  // the floor letters run into each other ("All" reads "Al"): the caption is then left
  // at the floor, readable if cut.
  QFont narrower = c.font;
  int stretch = c.font.stretch() > 0 ? c.font.stretch() : 100;
  for (int need = needed; need > available && stretch > kNarrowestStretch;) {
    stretch = std::max(kNarrowestStretch, std::min(stretch - 1, stretch * available / need));
    narrower.setStretch(stretch);
    w->setFont(narrower);
    need = NeededWidth(c, w);
  }
}

QFont ResolveFont(const TFontRec& rec) {
  const Face face = FaceFor(rec.name);
  QFont font(face.family);
  font.setStyleHint(QFont::SansSerif);
  // Glyphs keep the widths their designer gave them, not widths rounded up to whole pixels
  // (at 11 pixels that adds a tenth to DejaVu Sans), and a condensed caption narrows as
  // far as it is asked to; as fonts show on today's desktops.
  font.setHintingPreference(QFont::PreferVerticalHinting);
  font.setStretch(face.stretch);
  font.setPointSize(rec.size > 0 ? rec.size : 8);
  font.setBold(rec.style & 1);
  font.setItalic(rec.style & 2);
  font.setUnderline(rec.style & 4);
  font.setStrikeOut(rec.style & 8);
  return font;
}

// ---- colours ----

QColor ResolveColor(uint32_t color) {
  const uint32_t top = color >> 24;
  if (top == 0xFF || top == 0x80) {
    const QPalette palette = QApplication::palette();
    auto role = QPalette::Window;
    switch (color & 0xFF) {
      case 0:
      case 3:
      case 12: role = QPalette::Mid; break;  // scroll bar, inactive caption, workspace
      case 1:
      case 16: role = QPalette::Dark; break;  // desktop, button shadow
      case 2:
      case 13: role = QPalette::Highlight; break;  // active caption, highlight
      case 5: role = QPalette::Base; break;        // window (edit background)
      case 6:
      case 21: role = QPalette::Shadow; break;     // frame, dark shadow
      case 7: role = QPalette::WindowText; break;  // menu text
      case 8:
      case 19: role = QPalette::Text; break;  // window text, inactive caption text
      case 9:
      case 14: role = QPalette::HighlightedText; break;                   // caption text, highlight text
      case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
      case 18: role = QPalette::ButtonText; break;
      case 20: role = QPalette::Light; break;
      case 22: role = QPalette::Midlight; break;
      case 23: role = QPalette::ToolTipText; break;
      case 24: role = QPalette::ToolTipBase; break;
      default: role = QPalette::Window; break;  // 15 button face, 4 menu, borders
    }
    return palette.color(QPalette::Active, role);
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// ---- cursors ----

void SetCursorShape(QWidget* widget, Cursor cursor) {
  static const std::map<Cursor, Qt::CursorShape> shapes = {
      {Cursor::None, Qt::BlankCursor},         {Cursor::Arrow, Qt::ArrowCursor},
      {Cursor::Cross, Qt::CrossCursor},        {Cursor::IBeam, Qt::IBeamCursor},
      {Cursor::Size, Qt::SizeAllCursor},       {Cursor::SizeAll, Qt::SizeAllCursor},
      {Cursor::SizeNESW, Qt::SizeBDiagCursor}, {Cursor::SizeNS, Qt::SizeVerCursor},
      {Cursor::SizeNWSE, Qt::SizeFDiagCursor}, {Cursor::SizeWE, Qt::SizeHorCursor},
      {Cursor::UpArrow, Qt::UpArrowCursor},    {Cursor::HourGlass, Qt::WaitCursor},
      {Cursor::Drag, Qt::DragCopyCursor},      {Cursor::MultiDrag, Qt::DragCopyCursor},
      {Cursor::NoDrop, Qt::ForbiddenCursor},   {Cursor::No, Qt::ForbiddenCursor},
      {Cursor::HSplit, Qt::SplitHCursor},      {Cursor::VSplit, Qt::SplitVCursor},
      {Cursor::SqlWait, Qt::BusyCursor},       {Cursor::AppStart, Qt::BusyCursor},
      {Cursor::Help, Qt::WhatsThisCursor},     {Cursor::HandPoint, Qt::PointingHandCursor},
  };
  const auto found = shapes.find(cursor);
  if (found == shapes.end()) {
    widget->unsetCursor();
  } else {
    widget->setCursor(found->second);
  }
}

// ---- icon ----

namespace {

// A blue shield carrying a globe struck through in red: addresses that are kept out.
QPixmap IconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);

  QPainterPath shield;
  shield.moveTo(16, 1.5);
  shield.lineTo(28.5, 5.5);
  shield.cubicTo(28.5, 18, 23.5, 26, 16, 30.5);
  shield.cubicTo(8.5, 26, 3.5, 18, 3.5, 5.5);
  shield.closeSubpath();
  p.setPen(QPen(QColor(18, 45, 100), 1.5));
  p.setBrush(QColor(38, 92, 178));
  p.drawPath(shield);

  const QRectF globe(8.5, 7.5, 15, 15);
  p.setPen(QPen(Qt::white, 1.4));
  p.setBrush(QColor(96, 178, 236));
  p.drawEllipse(globe);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(12.5, 7.5, 7, 15));
  p.drawLine(QPointF(8.5, 15), QPointF(23.5, 15));

  p.setPen(QPen(QColor(214, 32, 32), 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9.5, 8.5), QPointF(22.5, 21.5));
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(IconPixmap(size));
  return icon;
}

}  // namespace widgets::qtimpl

// The Qt widgets behind the backend's controls, and fonts, colours, cursors and the icon.
#include "widgets/qt/qt_controls.h"

#include <algorithm>
#include <map>

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QTimer>

#include "runtime/utf8.h"
#include "widgets/qt/cp1251.h"

namespace widgets::qtimpl {

// ---- list items ----

namespace {
// A line longer than this is shown cut; painting a megabyte per row would stall the view.
constexpr size_t kShownBytes = 4096;

bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The part of an item a row shows. Whether it reads as UTF-8 is decided up to the end of the
// character the cut tears, and a torn UTF-8 character is left out rather than shown as
// Windows-1251.
QString ShownPart(std::string_view item) {
  if (item.size() <= kShownBytes) return DecodeText(item);
  size_t end = kShownBytes;
  while (end < item.size() && end < kShownBytes + 3 && Continues(item[end])) ++end;
  if (!IsNonAsciiUtf8(item.substr(0, end))) return DecodeText(item.substr(0, kShownBytes));
  size_t cut = kShownBytes;
  while (cut > 0 && Continues(item[cut])) --cut;
  return DecodeText(item.substr(0, cut));
}
}  // namespace

int ItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant ItemModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count()) return {};
  const std::string& item = At(index.row());
  return ShownPart(item);
}

Qt::ItemFlags ItemModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ItemModel::Insert(int row, std::string text) {
  beginInsertRows(QModelIndex(), row, row);
  if (row == 0) {
    items_.push_front(std::move(text));
  } else if (row == Count()) {
    items_.push_back(std::move(text));
  } else {
    items_.insert(items_.begin() + row, std::move(text));
  }
  endInsertRows();
}

void ItemModel::Remove(int row) {
  beginRemoveRows(QModelIndex(), row, row);
  items_.erase(items_.begin() + row);
  endRemoveRows();
}

void ItemModel::Set(int row, std::string text) {
  items_[static_cast<size_t>(row)] = std::move(text);
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void ItemModel::Reset(std::vector<std::string> items) {
  beginResetModel();
  items_.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
  endResetModel();
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
  const auto command = QListView::selectionCommand(index, event);
  if (command & QItemSelectionModel::Deselect) return QItemSelectionModel::NoUpdate;
  return command;
}

bool ListView::OnSelectedRow(QMouseEvent* event, QModelIndex& row) const {
  row = indexAt(event->position().toPoint());
  return event->button() == Qt::LeftButton && row.isValid() && selectionModel()->isSelected(row);
}

void ListView::mousePressEvent(QMouseEvent* event) {
  QModelIndex row;
  const bool again = OnSelectedRow(event, row);
  QListView::mousePressEvent(event);
  if (again && selectionModel()->isSelected(row) && on_reselect) on_reselect(row.row());
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QModelIndex row;
  const bool again = OnSelectedRow(event, row);
  QListView::mouseDoubleClickEvent(event);
  if (again && selectionModel()->isSelected(row) && on_reselect) on_reselect(row.row());
}

// ---- form, label, panel, radio ----

FormWidget::FormWidget(QWidget* owner) : QWidget(owner, Qt::Window) {}

void FormWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  frame_checked_ = false;
  // A window restored from the task bar is not shown anew.
  if (!event->spontaneous() && on_shown) on_shown();
  if (on_frame) on_frame();
}

void FormWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && on_frame) on_frame();
}

void FormWidget::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (frame_checked_) return;
  frame_checked_ = true;
  // Resizing from inside a paint is not allowed: the check runs right after it.
  QTimer::singleShot(0, this, [this] {
    if (on_frame) on_frame();
  });
}

void FormWidget::closeEvent(QCloseEvent* event) {
  if (on_close && !on_close()) {
    event->ignore();
  } else {
    event->accept();
  }
}

void FormWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (on_frame) on_frame();
}

void FormWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (on_frame) on_frame();
}

LabelWidget::LabelWidget(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void LabelWidget::FitWrapping() {
  const bool wrap = height() >= 2 * fontMetrics().height();
  if (wordWrap() != wrap) setWordWrap(wrap);
}

void LabelWidget::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  FitWrapping();
}

void LabelWidget::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitWrapping();
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && on_click) on_click();
}

void LabelWidget::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  if (on_enter) on_enter();
}

void LabelWidget::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  if (on_leave) on_leave();
}

PanelWidget::PanelWidget(QWidget* parent) : QWidget(parent) {}

void PanelWidget::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void PanelWidget::SetCaptionAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void PanelWidget::SetFrame(int bevel_inner, int bevel_outer, int bevel_width, int border_width) {
  bevel_inner_ = bevel_inner;
  bevel_outer_ = bevel_outer;
  bevel_width_ = std::max(bevel_width, 0);
  border_width_ = std::max(border_width, 0);
  update();
}

namespace {

// One bevel: `width` nested one-pixel frames, light over dark when raised, dark over light
// when lowered. Returns the rectangle left inside it.
QRect DrawBevel(QPainter& painter, QRect r, int kind, int width, const QPalette& palette) {
  if (kind != 1 && kind != 2) return r;
  const QColor light = palette.color(QPalette::Light);
  const QColor dark = palette.color(QPalette::Dark);
  const QColor& top_left = kind == 2 ? light : dark;
  const QColor& bottom_right = kind == 2 ? dark : light;
  for (int step = 0; step < width && r.width() > 0 && r.height() > 0; ++step) {
    painter.setPen(top_left);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottom_right);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    r.adjust(1, 1, -1, -1);
  }
  return r;
}

}  // namespace

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect inside = DrawBevel(painter, rect(), bevel_outer_, bevel_width_, palette());
  inside.adjust(border_width_, border_width_, -border_width_, -border_width_);
  inside = DrawBevel(painter, inside, bevel_inner_, bevel_width_, palette());
  if (caption_.isEmpty()) return;
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(inside.adjusted(2, 0, -2, 0), static_cast<int>(alignment_), caption_);
}

void MessageBoxWidget::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    reject();
    return;
  }
  QMessageBox::keyPressEvent(event);
}

void MessageBoxWidget::closeEvent(QCloseEvent* event) {
  QDialog::closeEvent(event);  // rejects, where the message box would press its escape button
}

void RadioWidget::nextCheckState() { setChecked(true); }

ResizeWatcher::ResizeWatcher(QWidget* watched, std::function<void()> on_resize)
    : QObject(watched), on_resize_(std::move(on_resize)) {
  watched->installEventFilter(this);
}

bool ResizeWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && on_resize_) on_resize_();
  return QObject::eventFilter(watched, event);
}

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

void FitCaption(Control& c) {
  QWidget* w = c.widget;
  if (!w || (c.kind != ControlKind::Button && c.kind != ControlKind::CheckBox && c.kind != ControlKind::RadioButton &&
             c.kind != ControlKind::Label))
    return;
  w->setFont(c.font);
  const int available = w->width();
  const int needed = w->sizeHint().width();
  if (available <= 0 || needed <= available) return;
  // The check mark and the margins keep their width, so a few steps may be needed.
  QFont narrower = c.font;
  int stretch = c.font.stretch() > 0 ? c.font.stretch() : 100;
  for (int need = needed; need > available && stretch > 60;) {
    stretch = std::max(60, std::min(stretch - 1, stretch * available / need));
    narrower.setStretch(stretch);
    w->setFont(narrower);
    need = w->sizeHint().width();
  }
}

QFont ResolveFont(const TFontRec& rec) {
  const Face face = FaceFor(rec.name);
  QFont font(face.family);
  font.setStyleHint(QFont::SansSerif);
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
      case 0: case 3: case 12: role = QPalette::Mid; break;             // scroll bar, inactive caption, workspace
      case 1: case 16: role = QPalette::Dark; break;                    // desktop, button shadow
      case 2: case 13: role = QPalette::Highlight; break;               // active caption, highlight
      case 5: role = QPalette::Base; break;                             // window (edit background)
      case 6: case 21: role = QPalette::Shadow; break;                  // frame, dark shadow
      case 7: role = QPalette::WindowText; break;                       // menu text
      case 8: case 19: role = QPalette::Text; break;                    // window text, inactive caption text
      case 9: case 14: role = QPalette::HighlightedText; break;         // caption text, highlight text
      case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
      case 18: role = QPalette::ButtonText; break;
      case 20: role = QPalette::Light; break;
      case 22: role = QPalette::Midlight; break;
      case 23: role = QPalette::ToolTipText; break;
      case 24: role = QPalette::ToolTipBase; break;
      default: role = QPalette::Window; break;                          // 15 button face, 4 menu, borders
    }
    return palette.color(QPalette::Active, role);
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// ---- cursors ----

bool SetCursorShape(QWidget* widget, int cursor) {
  // Both the classic negative cursor numbers and the system cursor resource numbers.
  static const std::map<int, Qt::CursorShape> shapes = {
      {-1, Qt::BlankCursor},         {-2, Qt::ArrowCursor},        {32512, Qt::ArrowCursor},
      {-3, Qt::CrossCursor},         {32515, Qt::CrossCursor},     {-4, Qt::IBeamCursor},
      {32513, Qt::IBeamCursor},      {-5, Qt::SizeAllCursor},      {32640, Qt::SizeAllCursor},
      {-6, Qt::SizeBDiagCursor},     {32643, Qt::SizeBDiagCursor}, {-7, Qt::SizeVerCursor},
      {32645, Qt::SizeVerCursor},    {-8, Qt::SizeFDiagCursor},    {32642, Qt::SizeFDiagCursor},
      {-9, Qt::SizeHorCursor},       {32644, Qt::SizeHorCursor},   {-10, Qt::UpArrowCursor},
      {32516, Qt::UpArrowCursor},    {-11, Qt::WaitCursor},        {32514, Qt::WaitCursor},
      {-12, Qt::DragCopyCursor},     {-13, Qt::ForbiddenCursor},   {-14, Qt::SplitHCursor},
      {-15, Qt::SplitVCursor},       {-16, Qt::DragCopyCursor},    {-17, Qt::BusyCursor},
      {-18, Qt::ForbiddenCursor},    {32648, Qt::ForbiddenCursor}, {-19, Qt::BusyCursor},
      {32650, Qt::BusyCursor},       {-20, Qt::WhatsThisCursor},   {32651, Qt::WhatsThisCursor},
      {-21, Qt::PointingHandCursor}, {32649, Qt::PointingHandCursor}, {-22, Qt::SizeAllCursor},
      {32646, Qt::SizeAllCursor},
  };
  auto found = shapes.find(cursor);
  if (found == shapes.end()) {
    widget->unsetCursor();
    return false;
  }
  widget->setCursor(found->second);
  return true;
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

// The Qt widgets behind the backend's controls.
#include "widgets/qt/qt_controls.h"

#include <algorithm>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>

#include "widgets/qt/cp1251.h"
#include "widgets/shown_text.h"

namespace widgets::qtimpl {

// ---- list items ----

int ItemModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_.Count(); }

QVariant ItemModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !rows_.Has(index.row())) return {};
  return QString::fromStdWString(ShownItemText(rows_.items[static_cast<size_t>(index.row())]));
}

Qt::ItemFlags ItemModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ItemModel::Insert(int row, std::string text) {
  beginInsertRows(QModelIndex(), row, row);
  rows_.Insert(row, std::move(text));
  endInsertRows();
}

void ItemModel::Remove(int row) {
  beginRemoveRows(QModelIndex(), row, row);
  rows_.Remove(row);
  endRemoveRows();
}

void ItemModel::Set(int row, std::string text) {
  rows_.Set(row, std::move(text));
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void ItemModel::Reset(std::vector<std::string> items) {
  beginResetModel();
  rows_.Assign(std::move(items));
  endResetModel();
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
  const auto command = QListView::selectionCommand(index, event);
  if (command & QItemSelectionModel::Deselect) return QItemSelectionModel::NoUpdate;
  return command;
}

// The view changes the selection on the press itself: the click is over once it has handled it.
void ListView::Pressed(QMouseEvent* event) {
  if (click && event->button() == Qt::LeftButton) click->Pressed();
}

void ListView::Handled(QMouseEvent* event) {
  if (!click || !click->Pending()) return;
  const QModelIndex row = indexAt(event->position().toPoint());
  const bool selected = row.isValid() && selectionModel()->isSelected(row);
  if (click->Released(row.isValid() ? row.row() : -1, selected) && on_reselect) on_reselect(row.row());
}

void ListView::mousePressEvent(QMouseEvent* event) {
  Pressed(event);
  QListView::mousePressEvent(event);
  Handled(event);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  Pressed(event);
  QListView::mouseDoubleClickEvent(event);
  Handled(event);
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

void PanelWidget::SetFrame(const PanelFrame& frame) {
  frame_ = {frame.inner, frame.outer, std::max(frame.bevel_width, 0), std::max(frame.border_width, 0)};
  update();
}

namespace {

// One bevel: `width` nested one-pixel frames, light over dark when raised, dark over light
// when lowered. Returns the rectangle left inside it.
QRect DrawBevel(QPainter& painter, QRect r, Bevel kind, int width, const QPalette& palette) {
  if (kind == Bevel::None) return r;
  const QColor light = palette.color(QPalette::Light);
  const QColor dark = palette.color(QPalette::Dark);
  const QColor& top_left = kind == Bevel::Raised ? light : dark;
  const QColor& bottom_right = kind == Bevel::Raised ? dark : light;
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
  QRect inside = DrawBevel(painter, rect(), frame_.outer, frame_.bevel_width, palette());
  inside.adjust(frame_.border_width, frame_.border_width, -frame_.border_width, -frame_.border_width);
  inside = DrawBevel(painter, inside, frame_.inner, frame_.bevel_width, palette());
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

}  // namespace widgets::qtimpl

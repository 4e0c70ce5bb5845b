// The Qt widgets behind the backend's controls, what the backend keeps about each control,
// and the small translations they need (fonts, colours, cursors, the program icon, in
// qt_look.cpp). Internal to the Qt backend.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QAbstractListModel>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QWidget>

#include "runtime/font_rec.h"
#include "widgets/backend.h"
#include "widgets/item_list.h"
#include "widgets/list_click.h"
#include "widgets/native_control.h"

class QApplication;
class QComboBox;
class QLineEdit;
class QStatusBar;
class QTabBar;

namespace widgets::qtimpl {

// A list box's rows as the view sees them: the items of the control's record, the program's
// own bytes. The view asks only for the rows it paints, so a million items cost one string
// each and nothing per widget. Every change to the rows goes through it, so that the view hears.
class ItemModel : public QAbstractListModel {
 public:
  ItemModel(ItemList& rows, QObject* parent) : QAbstractListModel(parent), rows_(rows) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void Insert(int row, std::string text);
  void Remove(int row);
  void Set(int row, std::string text);
  void Reset(std::vector<std::string> items);

 private:
  ItemList& rows_;
};

// A single-selection list whose user cannot clear the selection (Ctrl+click), as with a
// classic list box. A left press on a row goes through `click` (widgets/list_click.h): a
// press on the row already selected changes no selection, yet a list box reports it as one,
// and `on_reselect` gets that row.
class ListView : public QListView {
 public:
  using QListView::QListView;
  ListClick* click = nullptr;
  std::function<void(int row)> on_reselect;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Pressed(QMouseEvent* event);
  void Handled(QMouseEvent* event);  // the view has handled the press
};

// A top-level form: shows, close requests and frame changes go to the backend. A window
// manager frames a window after it is shown and tells nobody; the frame is looked at again
// when the window is first painted and whenever it is activated.
class FormWidget : public QWidget {
 public:
  explicit FormWidget(QWidget* owner);
  std::function<void()> on_shown;
  std::function<bool()> on_close;
  std::function<void()> on_frame;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool frame_checked_ = false;  // the frame has been looked at after the first paint since shown
};

// A static text that can also be clicked and notices the mouse. It wraps its words only
// when it is tall enough for a second line; a one-line label rather loses its last letters
// than its last words.
class LabelWidget : public QLabel {
 public:
  explicit LabelWidget(QWidget* parent);
  void FitWrapping();
  std::function<void()> on_click;
  std::function<void()> on_enter;
  std::function<void()> on_leave;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
};

// A panel with an outer and an inner bevel and an optional caption. Each bevel is a 3D frame
// one pixel per step of its width, shrinking by a pixel on every side per step; the border
// width lies between the two bevels.
class PanelWidget : public QWidget {
 public:
  explicit PanelWidget(QWidget* parent);
  void SetCaption(const QString& caption);
  const QString& Caption() const { return caption_; }
  void SetCaptionAlignment(Qt::Alignment alignment);
  void SetFrame(const PanelFrame& frame);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignCenter;
  // Raised until told otherwise, as a new panel of the platform.
  PanelFrame frame_{Bevel::None, Bevel::Raised, 1, 0};
};

// A message box that Esc or the window's close button dismiss without pressing any of its
// buttons (Qt would press No, Abort or a lone OK); clickedButton() then stays empty.
class MessageBoxWidget : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

// A radio button that a click always checks (never clears), like an automatic radio button.
class RadioWidget : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void nextCheckState() override;
};

// Calls back when the watched widget changes size.
class ResizeWatcher : public QObject {
 public:
  ResizeWatcher(QWidget* watched, std::function<void()> on_resize);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> on_resize_;
};

// Everything the backend keeps about one control: what every native backend keeps, and its widget.
struct Control : NativeControl {
  using NativeControl::NativeControl;
  QPointer<QWidget> widget;
  QFont font;                         // as asked; a caption too wide for its control is drawn narrower than this
  ControlId status_bar = kNoControl;  // the status bar docked on this window, kept above its siblings

  // Form: the outer frame asked for, and how much the frame adds to the client area.
  QRect outer;
  QSize frame_extra;
  bool fit_pending = false;

  QLabel* status_label = nullptr;  // status bar: the label showing its text

  // List box: its rows and selection are the record's (NativeControl::rows); the view follows
  // the selection lazily, so that bursts of changes on a huge list cost one layout, not one each.
  ListView* list = nullptr;
  ItemModel* model = nullptr;
  bool sync_pending = false;
};

// The application object. Where Qt cannot start its window system and gives up, `cannot_start`
// (when given) is told why, and the process ends with exit code 1 instead of Qt's abort;
// the warnings Qt gave on the way are then left out, and otherwise passed on.
QApplication* StartApplication(int& argc, char** argv, const std::function<void(const std::string&)>& cannot_start);

QFont ResolveFont(const TFontRec& font);
// The fonts standing in for the original ones may be wider: a caption that would be cut
// off by its control's width is drawn horizontally condensed until it fits, down to
// kNarrowestStretch percent, below which letters run into each other.
inline constexpr int kNarrowestStretch = 75;
void FitCaption(Control& control);
QColor ResolveColor(uint32_t color);
void SetCursorShape(QWidget* widget, Cursor cursor);  // Default and unknown ones: the class default
QIcon ProgramIcon();

}  // namespace widgets::qtimpl

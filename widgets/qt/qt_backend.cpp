// The Qt 6 Widgets backend: creates and drives the native controls and reports back
// what the user does; all behaviour a user can observe is decided by the elements.
#include "widgets/qt/qt_backend.h"

#include <algorithm>
#include <climits>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTextDocument>
#include <QUrl>
#include <QWindow>

#include "runtime/platform/files.h"
#include "widgets/qt/cp1251.h"
#include "widgets/qt/qt_controls.h"

namespace widgets {

using qtimpl::Control;

namespace {

QtBackend* g_active = nullptr;
ControlId g_last_id = 0;  // process-wide, so a handle of an earlier backend never comes back

int g_argc = 1;
char g_arg0[] = "veltrane";
char* g_argv[] = {g_arg0, nullptr};

// Caption, system menu, sizing frame, minimize and maximize boxes: an ordinary window.
constexpr uint32_t kDefaultFormStyle = 0x00CF0000;
// The text limit of an edit; far above any path or setting, and no silent cut below it.
constexpr int kEditLimit = 1 << 24;

// The application object a backend had to create; it goes with the last backend, so that
// the process ends with Qt (and the font library under it) torn down in order.
QApplication* g_own_application = nullptr;
int g_backends = 0;

void EnsureApplication(int& argc, char** argv) {
  if (QCoreApplication::instance()) return;
  g_own_application = new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
}

QString Text(std::string_view bytes) { return DecodeText(bytes); }
std::string Bytes(const QString& text) { return EncodeTyped(text); }

// Combo box items and tabs keep the program's bytes beside what they show.
constexpr int kBytesRole = Qt::UserRole;
QVariant Kept(const std::string& bytes) { return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())); }
std::string BytesOf(const QString& shown, const QVariant& kept) {
  const QByteArray set = kept.toByteArray();
  return BytesOfShown(shown, std::string_view(set.constData(), static_cast<size_t>(set.size())));
}

// File names go to the file system as they come, so they are converted with its encoding.
QString FileName(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(platform::NativePath(path)));
}

Qt::Alignment Horizontal(int alignment) {
  if (alignment == 1) return Qt::AlignHCenter;
  if (alignment == 2) return Qt::AlignRight;
  return Qt::AlignLeft;
}

// Controls the keyboard can work; panels, labels and the status bar only hold or show.
bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::TabStrip:
    case ControlKind::Button:
    case ControlKind::Edit:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      return true;
    default:
      return false;
  }
}

bool InRange(int index, int count) { return index >= 0 && index < count; }

// "Text File|*.txt|All Files|*.*" -> "Text File (*.txt)", "All Files (*)"; `descriptions`
// gets "Text File", "All Files".
QStringList NameFilters(const std::string& filter, QStringList* descriptions = nullptr) {
  const QStringList parts = Text(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (descriptions) *descriptions << parts[i].trimmed();
    QStringList patterns;
    for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      pattern = pattern.trimmed();
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");  // every name, dotted or not
      if (!pattern.isEmpty()) patterns << pattern;
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

}  // namespace

QtBackend::QtBackend() : QtBackend(g_argc, g_argv) {}

QtBackend::QtBackend(int& argc, char** argv) : alive_(std::make_shared<bool>(true)) {
  EnsureApplication(argc, argv);
  ++g_backends;
  g_active = this;
}

QtBackend::~QtBackend() {
  *alive_ = false;
  if (g_active == this) g_active = nullptr;
  for (auto& [id, c] : controls_) {
    if (c->widget && c->widget->isWindow()) delete c->widget.data();  // its controls go with it
  }
  if (--g_backends == 0 && g_own_application) {
    delete g_own_application;
    g_own_application = nullptr;
  }
}

Control* QtBackend::Find(ControlId id) const {
  auto found = controls_.find(id);
  if (found == controls_.end() || !found->second->widget) return nullptr;
  return found->second.get();
}

QWidget* QtBackend::Widget(ControlId id) const {
  Control* c = Find(id);
  return c ? c->widget.data() : nullptr;
}

ControlId QtBackend::Create(ControlKind kind, ControlId parent, ControlEvents* events) {
  Control* owner = Find(parent);
  QWidget* parent_widget = owner ? owner->widget.data() : nullptr;
  if (kind != ControlKind::Form && !parent_widget) return kNoControl;  // a control needs a window

  auto control = std::make_unique<Control>();
  Control* c = control.get();
  c->id = ++g_last_id;
  c->kind = kind;
  c->parent = owner ? parent : kNoControl;
  c->events = events;
  auto alive = alive_;
  // A user's action reaches the element unless the backend itself is changing the control.
  auto report = [alive, c](void (ControlEvents::*what)()) {
    if (*alive && c->quiet == 0 && c->events) (c->events->*what)();
  };

  switch (kind) {
    case ControlKind::Form: {
      auto* form = new qtimpl::FormWidget(parent_widget);
      form->on_shown = [this, alive, c] {
        if (*alive) FormShown(*c);
      };
      form->on_close = [this, alive, c] { return *alive ? FormCloseRequested(*c) : true; };
      form->on_frame = [this, alive, c] {
        if (*alive) FormFrameChanged(*c);
      };
      c->widget = form;
      c->style = kDefaultFormStyle;
      ApplyFormStyle(*c);
      if (!owner && first_form_ == kNoControl) first_form_ = c->id;
      break;
    }
    case ControlKind::Panel: {
      auto* panel = new qtimpl::PanelWidget(parent_widget);
      panel->setAutoFillBackground(true);
      c->widget = panel;
      break;
    }
    case ControlKind::TabStrip: {
      auto* tabs = new QTabBar(parent_widget);
      tabs->setExpanding(false);
      QObject::connect(tabs, &QTabBar::currentChanged, tabs,
                       [report](int) { report(&ControlEvents::OnSelectionChanged); });
      c->widget = tabs;
      break;
    }
    case ControlKind::StatusBar: {
      auto* bar = new QStatusBar(parent_widget);
      bar->setSizeGripEnabled(false);
      auto* label = new QLabel(bar);
      label->setTextFormat(Qt::PlainText);
      bar->addWidget(label, 1);
      c->status_label = label;
      c->widget = bar;
      new qtimpl::ResizeWatcher(parent_widget, [this, alive, c] {
        if (*alive) DockStatusBar(*c);
      });
      break;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(parent_widget);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, button, [report] { report(&ControlEvents::OnClicked); });
      c->widget = button;
      break;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent_widget);
      edit->setMaxLength(kEditLimit);
      QObject::connect(edit, &QLineEdit::textChanged, edit, [report] { report(&ControlEvents::OnTextChanged); });
      QObject::connect(edit, &QLineEdit::returnPressed, edit, [report] { report(&ControlEvents::OnEnterPressed); });
      c->widget = edit;
      break;
    }
    case ControlKind::Label: {
      auto* label = new qtimpl::LabelWidget(parent_widget);
      label->on_click = [report] { report(&ControlEvents::OnClicked); };
      label->on_enter = [report] { report(&ControlEvents::OnMouseEnter); };
      label->on_leave = [report] { report(&ControlEvents::OnMouseLeave); };
      c->widget = label;
      break;
    }
    case ControlKind::CheckBox: {
      auto* check = new QCheckBox(parent_widget);
      QObject::connect(check, &QCheckBox::clicked, check, [report] { report(&ControlEvents::OnClicked); });
      c->widget = check;
      break;
    }
    case ControlKind::RadioButton: {
      auto* radio = new qtimpl::RadioWidget(parent_widget);
      radio->setAutoExclusive(false);  // the element keeps its group
      QObject::connect(radio, &QRadioButton::clicked, radio, [report] { report(&ControlEvents::OnClicked); });
      c->widget = radio;
      break;
    }
    case ControlKind::ListBox: {
      auto* view = new qtimpl::ListView(parent_widget);
      auto* model = new qtimpl::ItemModel(view);
      view->setModel(model);
      view->setUniformItemSizes(true);
      view->setSelectionMode(QAbstractItemView::SingleSelection);
      view->setEditTriggers(QAbstractItemView::NoEditTriggers);
      QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view, [alive, c] {
        if (!*alive || c->quiet != 0) return;
        const QModelIndexList rows = c->list->selectionModel()->selectedRows();
        c->selection = rows.isEmpty() ? -1 : rows.first().row();
        if (c->events) c->events->OnSelectionChanged();
      });
      view->on_reselect = [alive, c](int row) {
        if (!*alive || c->quiet != 0) return;
        c->selection = row;
        if (c->events) c->events->OnSelectionChanged();
      };
      c->list = view;
      c->model = model;
      c->widget = view;
      break;
    }
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox(parent_widget);
      combo->setEditable(false);
      // Every pick by the user counts, also of the item already shown.
      QObject::connect(combo, &QComboBox::activated, combo,
                       [report](int) { report(&ControlEvents::OnSelectionChanged); });
      c->widget = combo;
      break;
    }
  }

  c->font = qtimpl::ResolveFont(TFontRec{});
  c->widget->setFont(c->font);
  // Tab and Shift+Tab reach only the controls that are given a tab place (SetTabOrder);
  // the others still take the focus when clicked.
  if (kind != ControlKind::Form) {
    c->widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(c->widget->focusPolicy() & ~Qt::TabFocus));
  }
  if (kind != ControlKind::Form) c->widget->show();  // shown with its window unless hidden later
  if (kind == ControlKind::StatusBar) {
    DockStatusBar(*c);
    owner->status_bar = c->id;
  }
  const bool bar_on_form = kind == ControlKind::StatusBar && owner->kind == ControlKind::Form;
  const ControlId id = c->id;
  controls_.emplace(id, std::move(control));
  if (owner) KeepStatusBarOnTop(owner->id);  // a new control starts on top of its siblings
  if (bar_on_form) SizeClient(*owner, owner->frame_extra);
  return id;
}

// ---- geometry and look ----

void QtBackend::SetGeometry(ControlId id, int left, int top, int width, int height) {
  Control* c = Find(id);
  if (!c) return;
  width = std::max(width, 0);
  height = std::max(height, 0);
  switch (c->kind) {
    case ControlKind::Form:
      c->outer = QRect(left, top, width, height);
      ApplyFormGeometry(*c);
      break;
    case ControlKind::StatusBar:
      DockStatusBar(*c);  // a status bar always spans the bottom of its window
      break;
    default:
      c->widget->setGeometry(left, top, width, height);
      qtimpl::FitCaption(*c);
      if (Control* owner = Find(c->parent); owner && owner->kind == ControlKind::Form && owner->status_bar != kNoControl)
        SizeClient(*owner, owner->frame_extra);
      break;
  }
}

void QtBackend::ApplyFormGeometry(Control& c) {
  // Qt places a window by its frame but sizes it by its client area; the frame's share is
  // known once the window manager has framed it, until then the whole size goes to the client.
  c.widget->move(c.outer.topLeft());
  SizeClient(c, c.frame_extra);
  c.fit_pending = !c.widget->isVisible() || c.frame_extra.isNull();
}

void QtBackend::SizeClient(Control& c, const QSize& extra) {
  QWidget* w = c.widget;
  if (!w || !c.outer.isValid()) return;
  QSize client(std::max(1, c.outer.width() - extra.width()), std::max(1, c.outer.height() - extra.height()));
  // The pages were laid out for a client area that the frame makes smaller: rather than let
  // the status bar cover their lowest controls (the record counts), the window grows.
  Control* bar = Find(c.status_bar);
  c.grown = 0;
  if (bar && bar->widget) {
    int bottom = 0;
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child != bar->widget && !child->isWindow()) bottom = std::max(bottom, child->geometry().bottom() + 1);
    }
    const int asked = client.height();
    client.setHeight(std::max(asked, bottom + bar->widget->sizeHint().height()));
    c.grown = client.height() - asked;
  }
  if (c.style & kStyleSizingFrame) {
    w->resize(client);
  } else {
    w->setFixedSize(client);
  }
  // A hidden window hears of its new size only when shown; the bar follows at once.
  if (bar && bar->widget) DockStatusBar(*bar);
}

void QtBackend::FormFrameChanged(Control& c) {
  QWidget* w = c.widget;
  if (!w || !w->isVisible()) return;
  const QSize extra = w->frameGeometry().size() - w->size();
  if (extra == c.frame_extra || extra.width() < 0 || extra.height() < 0) return;
  c.frame_extra = extra;
  if (!c.outer.isValid()) return;
  if (c.fit_pending) {
    ApplyFormGeometry(c);
    return;
  }
  // The frame was measured again (a window manager that is still setting itself up frames
  // a window makeshift first): the outer size stays as asked, wherever the window is now.
  SizeClient(c, extra);
}

void QtBackend::GetGeometry(ControlId id, int& left, int& top, int& width, int& height) {
  Control* c = Find(id);
  if (!c) {
    left = top = width = height = 0;
    return;
  }
  QRect r;
  if (c->kind != ControlKind::Form) {
    r = c->widget->geometry();
  } else if (c->widget->isVisible()) {
    r = c->widget->frameGeometry();
  } else {
    r = QRect(c->widget->pos(), c->widget->size() + c->frame_extra);
  }
  left = r.x();
  top = r.y();
  width = r.width();
  height = r.height() - (c->kind == ControlKind::Form ? c->grown : 0);
}

void QtBackend::DockStatusBar(Control& c) {
  QWidget* bar = c.widget;
  QWidget* parent = bar ? bar->parentWidget() : nullptr;
  if (!parent) return;
  const int height = bar->sizeHint().height();
  bar->setGeometry(0, parent->height() - height, parent->width(), height);
}

void QtBackend::SetFont(ControlId id, const TFontRec& font) {
  Control* c = Find(id);
  if (!c) return;
  QWidget* w = c->widget;
  c->font = qtimpl::ResolveFont(font);
  w->setFont(c->font);
  qtimpl::FitCaption(*c);
  // The colour goes to the enabled looks only, so that a disabled control still greys out.
  const QColor color = qtimpl::ResolveColor(font.color);
  QPalette palette = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(group, role, color);
  }
  w->setPalette(palette);
  if (c->kind == ControlKind::StatusBar) DockStatusBar(*c);
}

void QtBackend::SetColor(ControlId id, uint32_t color) {
  Control* c = Find(id);
  if (!c) return;
  QWidget* w = c->widget;
  const QColor background = qtimpl::ResolveColor(color);
  QPalette palette = w->palette();
  switch (c->kind) {
    case ControlKind::Button:
      return;  // push buttons keep the look of the style
    case ControlKind::Edit:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      for (auto group : {QPalette::Active, QPalette::Inactive}) palette.setColor(group, QPalette::Base, background);
      w->setPalette(palette);
      return;
    default:
      palette.setColor(QPalette::Window, background);
      w->setPalette(palette);
      w->setAutoFillBackground(true);
      return;
  }
}

void QtBackend::SetEnabled(ControlId id, bool enabled) {
  if (Control* c = Find(id)) c->widget->setEnabled(enabled);
}

void QtBackend::SetVisible(ControlId id, bool visible) {
  if (Control* c = Find(id)) c->widget->setVisible(visible);
}

bool QtBackend::IsVisible(ControlId id) {
  Control* c = Find(id);
  return c && !c->widget->isHidden();
}

void QtBackend::SetZOrder(ControlId id, bool to_top) {
  Control* c = Find(id);
  if (!c) return;
  if (to_top) {
    c->widget->raise();
    KeepStatusBarOnTop(c->parent);
  } else {
    c->widget->lower();
  }
}

// The status bar spans the bottom of the window over the pages, whose bottom edge the
// window's frame may push under it: no sibling brought to the front may cover it.
void QtBackend::KeepStatusBarOnTop(ControlId parent) {
  Control* window = Find(parent);
  Control* bar = window ? Find(window->status_bar) : nullptr;
  if (bar) bar->widget->raise();
}

void QtBackend::SetTooltip(ControlId id, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  QString tip = Text(text);
  if (Qt::mightBeRichText(tip)) tip = Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal);  // shown as typed
  c->widget->setToolTip(tip);
}

void QtBackend::SetTabOrder(ControlId id, int order) {
  Control* c = Find(id);
  Control* parent = c ? Find(c->parent) : nullptr;
  if (!parent) return;
  auto& chain = parent->tab_chain;
  chain.erase(std::remove(chain.begin(), chain.end(), id), chain.end());
  const auto place = static_cast<size_t>(std::clamp(order - 1, 0, static_cast<int>(chain.size())));
  chain.insert(chain.begin() + static_cast<std::ptrdiff_t>(place), id);
  if (TakesFocus(c->kind)) {
    c->widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(c->widget->focusPolicy() | Qt::TabFocus));
  }
  QWidget* previous = nullptr;
  for (ControlId member : chain) {
    QWidget* w = Widget(member);
    if (!w) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void QtBackend::SetCursor(ControlId id, int cursor) {
  Control* c = Find(id);
  if (!c) return;
  if (cursor == 0) {
    c->widget->unsetCursor();
  } else {
    qtimpl::SetCursorShape(c->widget, cursor);
  }
}

void QtBackend::SetAlignment(ControlId id, int alignment) {
  Control* c = Find(id);
  if (!c) return;
  c->alignment = alignment;
  switch (c->kind) {
    case ControlKind::Label:
      static_cast<QLabel*>(c->widget.data())->setAlignment(Horizontal(alignment) | Qt::AlignTop);
      break;
    case ControlKind::Edit:
      static_cast<QLineEdit*>(c->widget.data())->setAlignment(Horizontal(alignment) | Qt::AlignVCenter);
      break;
    case ControlKind::Panel:
      static_cast<qtimpl::PanelWidget*>(c->widget.data())->SetCaptionAlignment(Horizontal(alignment) |
                                                                              Qt::AlignVCenter);
      break;
    case ControlKind::StatusBar:
      ApplyStatusText(*c);
      break;
    default:
      break;
  }
}

// ---- text and state ----

void QtBackend::ApplyStatusText(Control& c) {
  // Leading tabs centre (one) or right-align (two) the text, as on the original status bar.
  const std::string& text = c.status_text;
  size_t tabs = 0;
  while (tabs < 2 && tabs < text.size() && text[tabs] == '\t') ++tabs;
  const int alignment = tabs > 0 ? static_cast<int>(tabs) : c.alignment;
  c.status_label->setAlignment(Horizontal(alignment) | Qt::AlignVCenter);
  c.status_label->setText(Text(std::string_view(text).substr(tabs)));
}

void QtBackend::SetText(ControlId id, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  QWidget* w = c->widget;
  c->text = text;
  switch (c->kind) {
    case ControlKind::Form:
      w->setWindowTitle(Text(text));
      break;
    case ControlKind::Panel:
      static_cast<qtimpl::PanelWidget*>(w)->SetCaption(Text(text));
      break;
    case ControlKind::StatusBar:
      c->status_text = text;
      ApplyStatusText(*c);
      break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      static_cast<QAbstractButton*>(w)->setText(Text(text));
      qtimpl::FitCaption(*c);
      break;
    case ControlKind::Label:
      static_cast<QLabel*>(w)->setText(Text(text));
      qtimpl::FitCaption(*c);
      break;
    case ControlKind::Edit: {
      // Reported exactly once, even when the text stays the same: the element counts on it.
      ++c->quiet;
      static_cast<QLineEdit*>(w)->setText(Text(text));
      --c->quiet;
      if (c->events) c->events->OnTextChanged();
      break;
    }
    case ControlKind::TabStrip:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      break;
  }
}

std::string QtBackend::GetText(ControlId id) {
  Control* c = Find(id);
  if (!c) return {};
  QWidget* w = c->widget;
  switch (c->kind) {
    case ControlKind::Form:
      return BytesOfShown(w->windowTitle(), c->text);
    case ControlKind::Panel:
      return BytesOfShown(static_cast<qtimpl::PanelWidget*>(w)->Caption(), c->text);
    case ControlKind::StatusBar:
      return c->status_text;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return BytesOfShown(static_cast<QAbstractButton*>(w)->text(), c->text);
    case ControlKind::Label:
      return BytesOfShown(static_cast<QLabel*>(w)->text(), c->text);
    case ControlKind::Edit:
      return BytesOfShown(static_cast<QLineEdit*>(w)->text(), c->text);
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      const int current = combo->currentIndex();
      return current < 0 ? std::string() : BytesOf(combo->itemText(current), combo->itemData(current, kBytesRole));
    }
    case ControlKind::TabStrip:
    case ControlKind::ListBox:
      return {};
  }
  return {};
}

void QtBackend::SetPanelFrame(ControlId id, int bevel_inner, int bevel_outer, int bevel_width, int border_width) {
  Control* c = Find(id);
  if (c && c->kind == ControlKind::Panel) {
    static_cast<qtimpl::PanelWidget*>(c->widget.data())->SetFrame(bevel_inner, bevel_outer, bevel_width, border_width);
  }
}

void QtBackend::SetChecked(ControlId id, bool checked) {
  Control* c = Find(id);
  if (!c || (c->kind != ControlKind::CheckBox && c->kind != ControlKind::RadioButton)) return;
  ++c->quiet;
  static_cast<QAbstractButton*>(c->widget.data())->setChecked(checked);
  --c->quiet;
}

bool QtBackend::GetChecked(ControlId id) {
  Control* c = Find(id);
  if (!c || (c->kind != ControlKind::CheckBox && c->kind != ControlKind::RadioButton)) return false;
  return static_cast<QAbstractButton*>(c->widget.data())->isChecked();
}

// ---- items ----

void QtBackend::InsertItem(ControlId id, int index, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  const int count = ItemCount(id);
  if (index < 0 || index > count) index = count;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox:
      c->model->Insert(index, text);
      if (c->selection >= index) ++c->selection;  // the selection stays on its item
      break;
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(c->widget.data());
      const bool none = combo->currentIndex() < 0;
      combo->insertItem(index, Text(text), Kept(text));
      if (none) combo->setCurrentIndex(-1);  // a drop-down list does not pick its first item itself
      break;
    }
    case ControlKind::TabStrip:
      static_cast<QTabBar*>(c->widget.data())->insertTab(index, Text(text));
      static_cast<QTabBar*>(c->widget.data())->setTabData(index, Kept(text));
      break;
    default:
      break;
  }
  --c->quiet;
}

void QtBackend::DeleteItem(ControlId id, int index) {
  Control* c = Find(id);
  if (!c || !InRange(index, ItemCount(id))) return;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox: {
      // The view would move its current item to a neighbour and select that; a list box
      // is left without selection instead.
      QItemSelectionModel* selection = c->list->selectionModel();
      if (selection->currentIndex().row() == index) selection->clearCurrentIndex();
      c->model->Remove(index);
      if (c->selection == index) {
        c->selection = -1;
      } else if (c->selection > index) {
        --c->selection;
      }
      break;
    }
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(c->widget.data());
      const bool was_current = combo->currentIndex() == index;
      combo->removeItem(index);
      if (was_current) combo->setCurrentIndex(-1);
      break;
    }
    case ControlKind::TabStrip:
      static_cast<QTabBar*>(c->widget.data())->removeTab(index);
      break;
    default:
      break;
  }
  --c->quiet;
}

void QtBackend::SetItem(ControlId id, int index, const std::string& text) {
  Control* c = Find(id);
  if (!c || !InRange(index, ItemCount(id))) return;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox:
      c->model->Set(index, text);
      break;
    case ControlKind::ComboBox:
      static_cast<QComboBox*>(c->widget.data())->setItemText(index, Text(text));
      static_cast<QComboBox*>(c->widget.data())->setItemData(index, Kept(text), kBytesRole);
      break;
    case ControlKind::TabStrip:
      static_cast<QTabBar*>(c->widget.data())->setTabText(index, Text(text));
      static_cast<QTabBar*>(c->widget.data())->setTabData(index, Kept(text));
      break;
    default:
      break;
  }
  --c->quiet;
}

std::string QtBackend::GetItem(ControlId id, int index) {
  Control* c = Find(id);
  if (!c || !InRange(index, ItemCount(id))) return {};
  switch (c->kind) {
    case ControlKind::ListBox:
      return c->model->At(index);
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(c->widget.data());
      return BytesOf(combo->itemText(index), combo->itemData(index, kBytesRole));
    }
    case ControlKind::TabStrip: {
      auto* tabs = static_cast<QTabBar*>(c->widget.data());
      return BytesOf(tabs->tabText(index), tabs->tabData(index));
    }
    default:
      return {};
  }
}

int QtBackend::ItemCount(ControlId id) {
  Control* c = Find(id);
  if (!c) return 0;
  switch (c->kind) {
    case ControlKind::ListBox:
      return c->model->Count();
    case ControlKind::ComboBox:
      return static_cast<QComboBox*>(c->widget.data())->count();
    case ControlKind::TabStrip:
      return static_cast<QTabBar*>(c->widget.data())->count();
    default:
      return 0;
  }
}

void QtBackend::SetItems(ControlId id, std::vector<std::string> items) {
  Control* c = Find(id);
  if (!c) return;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox:
      c->model->Reset(std::move(items));
      c->selection = -1;
      break;
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(c->widget.data());
      combo->clear();
      QStringList texts;
      texts.reserve(static_cast<qsizetype>(items.size()));
      for (const auto& item : items) texts << Text(item);
      combo->addItems(texts);
      for (int i = 0; i < combo->count(); ++i) combo->setItemData(i, Kept(items[static_cast<size_t>(i)]), kBytesRole);
      combo->setCurrentIndex(-1);
      break;
    }
    case ControlKind::TabStrip: {
      auto* tabs = static_cast<QTabBar*>(c->widget.data());
      while (tabs->count() > 0) tabs->removeTab(tabs->count() - 1);
      for (const auto& item : items) tabs->setTabData(tabs->addTab(Text(item)), Kept(item));
      break;
    }
    default:
      break;
  }
  --c->quiet;
}

std::vector<std::string> QtBackend::GetItems(ControlId id) {
  Control* c = Find(id);
  if (!c) return {};
  if (c->kind == ControlKind::ListBox) return c->model->All();
  std::vector<std::string> items;
  const int count = ItemCount(id);
  items.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) items.push_back(GetItem(id, i));
  return items;
}

int QtBackend::GetSelection(ControlId id) {
  Control* c = Find(id);
  if (!c) return -1;
  switch (c->kind) {
    case ControlKind::ListBox:
      return c->selection;
    case ControlKind::ComboBox:
      return static_cast<QComboBox*>(c->widget.data())->currentIndex();
    case ControlKind::TabStrip:
      return static_cast<QTabBar*>(c->widget.data())->currentIndex();
    default:
      return -1;
  }
}

void QtBackend::SetSelection(ControlId id, int index) {
  Control* c = Find(id);
  if (!c) return;
  if (!InRange(index, ItemCount(id))) index = -1;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox:
      c->selection = index;
      ScheduleListSync(*c);
      break;
    case ControlKind::ComboBox:
      static_cast<QComboBox*>(c->widget.data())->setCurrentIndex(index);
      break;
    case ControlKind::TabStrip:
      if (index >= 0) static_cast<QTabBar*>(c->widget.data())->setCurrentIndex(index);
      break;
    default:
      break;
  }
  --c->quiet;
}

void QtBackend::ScheduleListSync(Control& c) {
  if (c.sync_pending) return;
  c.sync_pending = true;
  auto alive = alive_;
  const ControlId id = c.id;
  QMetaObject::invokeMethod(
      c.list,
      [this, alive, id] {
        if (!*alive) return;
        if (Control* found = Find(id)) SyncListSelection(*found);
      },
      Qt::QueuedConnection);
}

void QtBackend::SyncListSelection(Control& c) {
  c.sync_pending = false;
  QItemSelectionModel* selection = c.list->selectionModel();
  ++c.quiet;
  if (c.selection < 0) {
    selection->clearSelection();
  } else {
    const QModelIndex item = c.model->index(c.selection);
    selection->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    c.list->scrollTo(item);
  }
  --c.quiet;
}

// ---- main window ----

uint32_t QtBackend::GetStyle(ControlId id) {
  Control* c = Find(id);
  return c ? c->style : 0;
}

void QtBackend::SetStyle(ControlId id, uint32_t style) {
  Control* c = Find(id);
  if (!c) return;
  c->style = style;
  if (c->kind == ControlKind::Form) ApplyFormStyle(*c);
}

void QtBackend::ApplyFormStyle(Control& c) {
  QWidget* w = c.widget;
  const bool sizable = c.style & kStyleSizingFrame;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  if (c.style & kStyleMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  if (c.style & kStyleMaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  if (w->windowFlags() != flags) {
    // A window that exists gets its new buttons in place; recreating it would hide it.
    if (QWindow* handle = w->windowHandle()) {
      w->overrideWindowFlags(flags);
      handle->setFlags(flags);
    } else {
      w->setWindowFlags(flags);
    }
  }
  if (sizable) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    w->setFixedSize(w->size());
  }
}

void QtBackend::SetIcon(ControlId id, const std::string& resource) {
  Control* c = Find(id);
  if (!c || resource != "ICON0") return;  // the program's only icon
  const QIcon icon = qtimpl::ProgramIcon();
  c->widget->setWindowIcon(icon);
  if (IsMainForm(*c)) QApplication::setWindowIcon(icon);
}

void QtBackend::SetWindowState(ControlId form, int state) {
  Control* c = Find(form);
  if (!c || c->kind != ControlKind::Form) return;
  Qt::WindowStates states = c->widget->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
  if (state == 1) states |= Qt::WindowMaximized;
  if (state == 2) states |= Qt::WindowMinimized;
  c->widget->setWindowState(states);
}

void QtBackend::Show(ControlId form) {
  Control* c = Find(form);
  if (!c) return;
  c->widget->show();
  c->widget->activateWindow();
}

void QtBackend::FormShown(Control& c) {
  if (c.events) c.events->OnShown();
}

bool QtBackend::IsMainForm(const Control& c) const {
  if (c.kind != ControlKind::Form) return false;
  const ControlId main = MainWindowControl();
  if (main != kNoControl && Find(main)) return c.id == main;
  return c.id == first_form_;
}

bool QtBackend::FormCloseRequested(Control& c) {
  if (c.events && !c.events->OnCloseRequest()) return false;
  if (IsMainForm(c)) {
    main_closed_ = true;
    if (in_loop_) QCoreApplication::exit(0);
  }
  return true;
}

void QtBackend::RequestClose(ControlId form) {
  Control* c = Find(form);
  if (c && c->kind == ControlKind::Form) c->widget->close();
}

void QtBackend::RunMessageLoop() {
  const ControlId main = MainWindowControl() != kNoControl ? MainWindowControl() : first_form_;
  Control* c = Find(main);
  // A loop that no window could ever end would hang the program.
  if (!c || main_closed_ || !c->widget->isVisible()) return;
  in_loop_ = true;
  QApplication::exec();
  in_loop_ = false;
}

void QtBackend::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

// ---- dialogs, shell, clipboard ----

std::optional<FileDialogAnswer> QtBackend::RunFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(Widget(MainWindowControl()), Text(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);  // descriptions shown as written
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList descriptions;
  const QStringList filters = NameFilters(request.filter, &descriptions);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(request.filter_index, filters.first()));
  }
  if (!request.start_dir.empty()) dialog.setDirectory(FileName(request.start_dir));
  if (!request.initial_name.empty()) dialog.selectFile(FileName(request.initial_name));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  // The dialog names its filter as shown, that is by the description alone.
  const QString in_use = dialog.selectedNameFilter();
  qsizetype filter_index = filters.indexOf(in_use);
  if (filter_index < 0) filter_index = descriptions.indexOf(in_use.trimmed());
  return FileDialogAnswer{QFile::encodeName(chosen.first()).toStdString(), std::max(0, int(filter_index))};
}

int QtBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption, int type,
                          int icon) {
  QMessageBox::Icon shown_icon = QMessageBox::NoIcon;
  switch (icon) {
    case 1: shown_icon = QMessageBox::Critical; break;
    case 2: shown_icon = QMessageBox::Question; break;
    case 3: case 5: shown_icon = QMessageBox::Warning; break;
    case 4: shown_icon = QMessageBox::Information; break;
    default: break;
  }
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  switch (type) {
    case 1: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case 2: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case 3: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case 4: buttons = QMessageBox::Retry | QMessageBox::Cancel; break;
    case 5: buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore; break;
    default: break;
  }
  qtimpl::MessageBoxWidget box(shown_icon, Text(caption), Text(text), buttons, Widget(owner));
  box.setTextFormat(Qt::PlainText);
  // The first button is the default one, as on the original boxes.
  for (auto first : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Retry, QMessageBox::Abort}) {
    if (buttons & first) {
      box.setDefaultButton(first);
      break;
    }
  }
  box.exec();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return 1;
    case QMessageBox::Abort: return 3;
    case QMessageBox::Retry: return 4;
    case QMessageBox::Ignore: return 5;
    case QMessageBox::Yes: return 6;
    case QMessageBox::No: return 7;
    default: return 2;  // Cancel, and a box closed with Esc or its close button
  }
}

QUrl DocumentUrl(const std::string& target) {
  const QString text = Text(target).trimmed();
  if (text.isEmpty()) return {};
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  const QString native = FileName(target);
  if (!QFileInfo::exists(native)) {
    if (scheme.match(text).hasMatch()) return QUrl(text, QUrl::TolerantMode);
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
      return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    }
  }
  return QUrl::fromLocalFile(QFileInfo(native).absoluteFilePath());
}

void QtBackend::OpenDocument(const std::string& target) {
  const QUrl url = DocumentUrl(target);
  if (url.isValid()) QDesktopServices::openUrl(url);  // no shell: nothing in the text is interpreted
}

std::string QtBackend::ClipboardText() { return Bytes(QGuiApplication::clipboard()->text()); }

// ---- access for tests and tools ----

QWidget* WidgetOf(ControlId id) { return g_active ? g_active->Widget(id) : nullptr; }

bool SaveWindowShot(ControlId form, const std::string& png_path) {
  QWidget* w = WidgetOf(form);
  if (!w) return false;
  const QPixmap shot = w->grab();
  return !shot.isNull() && shot.save(QFile::decodeName(QByteArray::fromStdString(png_path)), "PNG");
}

}  // namespace widgets

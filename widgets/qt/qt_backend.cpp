// The Qt 6 Widgets backend: its lifetime, and the control factory that makes a widget for
// each kind of control and ties what the user does with it to the control's element.
#include "widgets/qt/qt_backend.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

#include "widgets/qt/qt_controls.h"
#include "widgets/qt/qt_items.h"

namespace widgets {

using qtimpl::Control;

namespace {

QtBackend* g_active = nullptr;

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

void EnsureApplication(int& argc, char** argv, const QtBackend::StartFailure& cannot_start) {
  if (QCoreApplication::instance()) return;
  g_own_application = qtimpl::StartApplication(argc, argv, cannot_start);
  QApplication::setQuitOnLastWindowClosed(false);
}

}  // namespace

QtBackend::QtBackend() : QtBackend(g_argc, g_argv) {}

QtBackend::QtBackend(int& argc, char** argv) : QtBackend(argc, argv, nullptr) {}

QtBackend::QtBackend(int& argc, char** argv, const StartFailure& cannot_start) : alive_(std::make_shared<bool>(true)) {
  EnsureApplication(argc, argv, cannot_start);
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

NativeControl* QtBackend::Record(ControlId id) const { return Find(id); }

QWidget* QtBackend::Widget(ControlId id) const {
  Control* c = Find(id);
  return c ? c->widget.data() : nullptr;
}

ControlId QtBackend::Make(ControlKind kind, NativeControl* owner_record, ControlEvents* events) {
  auto* owner = static_cast<Control*>(owner_record);
  auto control = std::make_unique<Control>(NextControlId(), kind, owner ? owner->id : kNoControl, events);
  Control* c = control.get();
  c->widget = MakeWidget(*c, owner ? owner->widget.data() : nullptr);
  c->font = qtimpl::ResolveFont(TFontRec{});
  c->widget->setFont(c->font);
  if (kind != ControlKind::Form) {
    // Tab and Shift+Tab reach only the controls that are given a tab place (SetTabOrder);
    // the others still take the focus when clicked.
    c->widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(c->widget->focusPolicy() & ~Qt::TabFocus));
    c->widget->show();  // shown with its window unless hidden later
  }
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

// The widget of a new control, wired so that a user's action reaches its element unless the
// backend itself is changing the control.
QWidget* QtBackend::MakeWidget(Control& c, QWidget* parent) {
  auto alive = alive_;
  Control* record = &c;
  auto report = [alive, record](void (ControlEvents::*what)()) {
    if (*alive) record->Report(what);
  };
  switch (c.kind) {
    case ControlKind::Form: {
      auto* form = new qtimpl::FormWidget(parent);
      form->on_shown = [alive, record] {
        if (*alive && record->events) record->events->OnShown();
      };
      form->on_close = [this, alive, record] { return *alive ? FormCloseRequested(*record) : true; };
      form->on_frame = [this, alive, record] {
        if (*alive) FormFrameChanged(*record);
      };
      c.widget = form;
      c.style = kDefaultFormStyle;
      ShowStyle(c);
      return form;
    }
    case ControlKind::Panel: {
      auto* panel = new qtimpl::PanelWidget(parent);
      panel->setAutoFillBackground(true);
      return panel;
    }
    case ControlKind::TabStrip: {
      auto* tabs = new QTabBar(parent);
      tabs->setExpanding(false);
      QObject::connect(tabs, &QTabBar::currentChanged, tabs,
                       [report](int) { report(&ControlEvents::OnSelectionChanged); });
      c.items = qtimpl::TabStripItems(*tabs);
      return tabs;
    }
    case ControlKind::StatusBar: {
      auto* bar = new QStatusBar(parent);
      bar->setSizeGripEnabled(false);
      auto* label = new QLabel(bar);
      label->setTextFormat(Qt::PlainText);
      bar->addWidget(label, 1);
      c.status_label = label;
      new qtimpl::ResizeWatcher(parent, [this, alive, record] {
        if (*alive) DockStatusBar(*record);
      });
      return bar;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, button, [report] { report(&ControlEvents::OnClicked); });
      return button;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setMaxLength(kEditLimit);
      QObject::connect(edit, &QLineEdit::textChanged, edit, [report] { report(&ControlEvents::OnTextChanged); });
      QObject::connect(edit, &QLineEdit::returnPressed, edit, [report] { report(&ControlEvents::OnEnterPressed); });
      return edit;
    }
    case ControlKind::Label: {
      auto* label = new qtimpl::LabelWidget(parent);
      label->on_click = [report] { report(&ControlEvents::OnClicked); };
      label->on_enter = [report] { report(&ControlEvents::OnMouseEnter); };
      label->on_leave = [report] { report(&ControlEvents::OnMouseLeave); };
      return label;
    }
    case ControlKind::CheckBox: {
      auto* check = new QCheckBox(parent);
      QObject::connect(check, &QCheckBox::clicked, check, [report] { report(&ControlEvents::OnClicked); });
      return check;
    }
    case ControlKind::RadioButton: {
      auto* radio = new qtimpl::RadioWidget(parent);
      radio->setAutoExclusive(false);  // the element keeps its group
      QObject::connect(radio, &QRadioButton::clicked, radio, [report] { report(&ControlEvents::OnClicked); });
      return radio;
    }
    case ControlKind::ListBox: {
      auto* view = new qtimpl::ListView(parent);
      auto* model = new qtimpl::ItemModel(c.rows, view);
      view->setModel(model);
      view->setUniformItemSizes(true);
      view->setSelectionMode(QAbstractItemView::SingleSelection);
      view->setEditTriggers(QAbstractItemView::NoEditTriggers);
      view->click = &c.click;
      QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view, [alive, record] {
        if (!*alive || record->quiet != 0) return;
        const QModelIndexList rows = record->list->selectionModel()->selectedRows();
        record->rows.selection = rows.isEmpty() ? -1 : rows.first().row();
        record->click.SelectionReported();
        record->Report(&ControlEvents::OnSelectionChanged);
      });
      view->on_reselect = [alive, record](int row) {
        if (!*alive || record->quiet != 0) return;
        record->rows.selection = row;
        record->Report(&ControlEvents::OnSelectionChanged);
      };
      c.list = view;
      c.model = model;
      c.items = qtimpl::ListBoxItems(c);
      return view;
    }
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      // Every pick by the user counts, also of the item already shown.
      QObject::connect(combo, &QComboBox::activated, combo,
                       [report](int) { report(&ControlEvents::OnSelectionChanged); });
      c.items = qtimpl::ComboBoxItems(*combo);
      return combo;
    }
  }
  return new QWidget(parent);
}

// ---- access for tests and tools ----

QWidget* WidgetOf(ControlId id) { return g_active ? g_active->Widget(id) : nullptr; }

bool SaveWindowShot(ControlId form, const std::string& png_path) {
  QWidget* w = WidgetOf(form);
  if (!w) return false;
  // What the user would see: changes the window still has queued (a selection scrolled into
  // view) are made first.
  QCoreApplication::processEvents();
  const QPixmap shot = w->grab();
  return !shot.isNull() && shot.save(QFile::decodeName(QByteArray::fromStdString(png_path)), "PNG");
}

}  // namespace widgets

// The Qt backend's forms: placed by their outer frame, which a window manager adds only once a
// window is shown; the room a status bar needs; styles, icon, state, showing and closing; and
// the message loop.
#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>
#include <QWindow>

#include "widgets/qt/qt_backend.h"
#include "widgets/qt/qt_controls.h"
#include "widgets/status_bar_layout.h"

namespace widgets {

using qtimpl::Control;

// ---- geometry ----

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
      if (Control* owner = Find(c->parent);
          owner && owner->kind == ControlKind::Form && owner->status_bar != kNoControl)
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
  Control* bar = Find(c.status_bar);
  c.grown = 0;
  if (bar && bar->widget) {
    int bottom = 0;
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child != bar->widget && !child->isWindow()) bottom = std::max(bottom, child->geometry().bottom() + 1);
    }
    c.grown = StatusBarRoom(client.height(), bottom, bar->widget->sizeHint().height());
    client.setHeight(client.height() + c.grown);
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

// The status bar spans the bottom of the window over the pages, whose bottom edge the
// window's frame may push under it: no sibling brought to the front may cover it.
void QtBackend::KeepStatusBarOnTop(ControlId parent) {
  Control* window = Find(parent);
  Control* bar = window ? Find(window->status_bar) : nullptr;
  if (bar) bar->widget->raise();
}

// ---- style, icon, state ----

void QtBackend::ShowStyle(NativeControl& form) {
  auto& c = static_cast<Control&>(form);
  QWidget* w = c.widget;
  const bool sizable = c.style & kStyleSizingFrame;
  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
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

void QtBackend::SetWindowState(ControlId form, WindowState state) {
  Control* c = Find(form);
  if (!c || c->kind != ControlKind::Form) return;
  Qt::WindowStates states = c->widget->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
  if (state == WindowState::Maximized) states |= Qt::WindowMaximized;
  if (state == WindowState::Minimized) states |= Qt::WindowMinimized;
  c->widget->setWindowState(states);
}

// ---- showing, closing, the loop ----

void QtBackend::Show(ControlId form) {
  Control* c = Find(form);
  if (!c) return;
  c->widget->show();
  c->widget->activateWindow();
}

void QtBackend::RequestClose(ControlId form) {
  Control* c = Find(form);
  if (c && c->kind == ControlKind::Form) c->widget->close();  // asks the element through closeEvent
}

bool QtBackend::OnScreen(const NativeControl& form) const {
  return static_cast<const Control&>(form).widget->isVisible();
}

void QtBackend::RunLoop(ControlId) { QApplication::exec(); }

void QtBackend::QuitLoop() { QCoreApplication::exit(0); }

namespace {

// While the program works (a download): the user's keys, clicks and closes are dropped, so
// that none acts on a window that changes under it; Esc among them asks to stop.
class InputDropper : public QObject {
 public:
  bool escape = false;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: escape = escape || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape; return true;
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::ContextMenu:
      case QEvent::InputMethod: return true;
      case QEvent::Close: {
        const auto* widget = qobject_cast<QWidget*>(target);
        return widget && widget->isWindow() && !widget->inherits("QTipLabel");
      }
      default: return false;
    }
  }
};

}  // namespace

bool QtBackend::ProcessEvents() {
  InputDropper dropper;
  QCoreApplication::instance()->installEventFilter(&dropper);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::instance()->removeEventFilter(&dropper);
  return dropper.escape;
}

}  // namespace widgets

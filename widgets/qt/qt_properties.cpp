// What a control of the Qt backend shows: its text, alignment and checked state, its font,
// colours, cursor and tooltip, whether it is enabled and seen, and its place in the tab chain.
#include <algorithm>

#include <QAbstractButton>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextDocument>

#include "widgets/qt/cp1251.h"
#include "widgets/qt/qt_backend.h"
#include "widgets/qt/qt_controls.h"
#include "widgets/status_bar_layout.h"

namespace widgets {

using qtimpl::Control;

namespace {

Qt::Alignment Horizontal(Alignment alignment) {
  switch (alignment) {
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Left: break;
  }
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
    case ControlKind::ComboBox: return true;
    default: return false;
  }
}

// The text a control shows, as Qt holds it.
QString NativeText(const Control& c) {
  QWidget* w = c.widget;
  switch (c.kind) {
    case ControlKind::Form: return w->windowTitle();
    case ControlKind::Panel: return static_cast<qtimpl::PanelWidget*>(w)->Caption();
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: return static_cast<QAbstractButton*>(w)->text();
    case ControlKind::Label: return static_cast<QLabel*>(w)->text();
    case ControlKind::Edit: return static_cast<QLineEdit*>(w)->text();
    default: return {};
  }
}

}  // namespace

// ---- text, alignment, checked state ----

void QtBackend::ShowText(NativeControl& record) {
  auto& c = static_cast<Control&>(record);
  QWidget* w = c.widget;
  const QString text = DecodeText(c.text);
  switch (c.kind) {
    case ControlKind::Form: w->setWindowTitle(text); break;
    case ControlKind::Panel: static_cast<qtimpl::PanelWidget*>(w)->SetCaption(text); break;
    case ControlKind::StatusBar: {
      const StatusLine line = LayOutStatusText(c.text, c.alignment);
      c.status_label->setAlignment(Horizontal(line.alignment) | Qt::AlignVCenter);
      c.status_label->setText(DecodeText(line.text));
      break;
    }
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      static_cast<QAbstractButton*>(w)->setText(text);
      qtimpl::FitCaption(c);
      break;
    case ControlKind::Label:
      static_cast<QLabel*>(w)->setText(text);
      qtimpl::FitCaption(c);
      break;
    case ControlKind::Edit: static_cast<QLineEdit*>(w)->setText(text); break;
    default: break;
  }
}

std::string QtBackend::ShownText(const NativeControl& record) const {
  const auto& c = static_cast<const Control&>(record);
  return BytesOfShown(NativeText(c), c.text);
}

void QtBackend::ShowAlignment(NativeControl& record) {
  auto& c = static_cast<Control&>(record);
  const Qt::Alignment horizontal = Horizontal(c.alignment);
  switch (c.kind) {
    case ControlKind::Label: static_cast<QLabel*>(c.widget.data())->setAlignment(horizontal | Qt::AlignTop); break;
    case ControlKind::Edit:
      static_cast<QLineEdit*>(c.widget.data())->setAlignment(horizontal | Qt::AlignVCenter);
      break;
    case ControlKind::Panel:
      static_cast<qtimpl::PanelWidget*>(c.widget.data())->SetCaptionAlignment(horizontal | Qt::AlignVCenter);
      break;
    default: break;
  }
}

void QtBackend::ShowChecked(NativeControl& c, bool checked) {
  static_cast<QAbstractButton*>(static_cast<Control&>(c).widget.data())->setChecked(checked);
}

bool QtBackend::ShownChecked(const NativeControl& c) const {
  return static_cast<QAbstractButton*>(static_cast<const Control&>(c).widget.data())->isChecked();
}

void QtBackend::SetPanelFrame(ControlId id, const PanelFrame& frame) {
  Control* c = Find(id);
  if (c && c->kind == ControlKind::Panel) static_cast<qtimpl::PanelWidget*>(c->widget.data())->SetFrame(frame);
}

// ---- font, colours, cursor, tooltip ----

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
    case ControlKind::Button: return;  // push buttons keep the look of the style
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

void QtBackend::SetCursor(ControlId id, Cursor cursor) {
  if (Control* c = Find(id)) qtimpl::SetCursorShape(c->widget, cursor);
}

void QtBackend::SetTooltip(ControlId id, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  QString tip = DecodeText(text);
  if (Qt::mightBeRichText(tip)) tip = Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal);  // shown as typed
  c->widget->setToolTip(tip);
}

// ---- enabled, seen, in front ----

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

// ---- the tab chain ----

void QtBackend::ShowTabChain(NativeControl& parent, NativeControl& placed) {
  QWidget* w = static_cast<Control&>(placed).widget;
  if (TakesFocus(placed.kind)) w->setFocusPolicy(static_cast<Qt::FocusPolicy>(w->focusPolicy() | Qt::TabFocus));
  QWidget* previous = nullptr;
  for (ControlId member : parent.tab_chain) {
    QWidget* next = Widget(member);
    if (!next) continue;
    if (previous) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

}  // namespace widgets

// The user on Qt widgets, for the Qt backend's tests: presses, keys, and answers to the modal
// windows a call is about to open.
#pragma once

#include <QtWidgets>
#include <functional>
#include <memory>

namespace qtuser {

inline void Pump() { QCoreApplication::processEvents(); }

inline void Press(QWidget* target, QPoint at) {
  QMouseEvent event(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

inline void Key(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &event);
}

// Acts on the next modal window as soon as it is up (file dialog, message box), and again
// while that same window stays up: a file dialog may refuse its first accept while it still
// lists its folder.
inline void AnswerModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(QCoreApplication::instance());  // goes at the latest with the application
  auto target = std::make_shared<QPointer<QWidget>>();
  auto acted = std::make_shared<bool>(false);
  QObject::connect(timer, &QTimer::timeout, [timer, act, target, acted] {
    if (*acted && (target->isNull() || !(*target)->isVisible())) {
      timer->stop();
      timer->deleteLater();
      return;
    }
    if (!*acted) *target = QApplication::activeModalWidget();
    if (target->isNull()) return;
    *acted = true;
    act(target->data());
  });
  timer->start(10);
}

}  // namespace qtuser

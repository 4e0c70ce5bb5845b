// Qt's start, where it may have no display: a plain check of the environment first, then
// Qt's own attempt, whose failure ends the program with a word for the user instead of an
// abort that blames the installation.
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <QApplication>

#include "widgets/qt/qt_backend.h"
#include "widgets/qt/qt_controls.h"

namespace widgets {

std::string QtBackend::MissingDisplay() {
#if defined(__linux__)
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  // QT_QPA_PLATFORM chooses the platform itself (offscreen, vnc, eglfs ...): then Qt decides.
  if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM"))
    return "neither DISPLAY nor WAYLAND_DISPLAY is set";
#endif
  return {};
}

namespace qtimpl {

namespace {

struct Held {
  QtMsgType type;
  std::string category;
  QString text;
};

// What the start is told by Qt while it runs; only ever one start at a time, on the one thread.
const std::function<void(const std::string&)>* g_cannot_start = nullptr;
std::vector<Held>* g_held = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    g_held->push_back({type, context.category ? context.category : "", text});
    return;
  }
  // The platform's own words say best what failed ("could not connect to display :1");
  // Qt's last words advise reinstalling, which would not help.
  std::string why;
  for (const Held& held : *g_held)
    if (held.category.starts_with("qt.qpa") && held.type != QtDebugMsg) {
      why = held.text.toStdString();
      break;
    }
  if (why.empty()) why = "Qt could not start its window system (" + text.section('\n', 0, 0).toStdString() + ")";
  (*g_cannot_start)(why);
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

QApplication* StartApplication(int& argc, char** argv, const std::function<void(const std::string&)>& cannot_start) {
  if (!cannot_start) return new QApplication(argc, argv);
  std::vector<Held> held;
  g_held = &held;
  g_cannot_start = &cannot_start;
  const QtMessageHandler before = qInstallMessageHandler(HoldMessage);
  auto* application = new QApplication(argc, argv);
  qInstallMessageHandler(before);
  g_held = nullptr;
  g_cannot_start = nullptr;
  // The start went well: what Qt said on the way is said now, as it would have been.
  for (const Held& message : held) {
    const std::string category = message.category;
    const QMessageLogContext context(nullptr, 0, nullptr, category.empty() ? nullptr : category.c_str());
    if (before) {
      before(message.type, context, message.text);
    } else {
      std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(message.type, context, message.text)));
    }
  }
  return application;
}

}  // namespace qtimpl

}  // namespace widgets

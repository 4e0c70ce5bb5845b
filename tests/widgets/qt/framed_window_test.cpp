// The main window under a real X server with a window manager (its own Xvfb and openbox on a
// free display): its outer frame is placed as asked, and the status bar gets room below the
// pages although the frame takes its share of the height.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QtWidgets>
#include <filesystem>
#include <string>
#include <vector>

#include "widgets/qt/qt_backend.h"

extern char** environ;

namespace {

using widgets::ControlId;
using widgets::ControlKind;

pid_t Start(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  const int failed = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  return failed ? 0 : pid;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
}

// Runs the event loop until `done` holds or `limit_ms` have gone by; whether it held.
template <class Done>
bool PumpUntil(Done done, int limit_ms = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limit_ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ::usleep(10000);
  }
  return true;
}

class FramedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    int display = 90 + static_cast<int>(::getpid() % 100);
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) {
      ++display;
    }
    const std::string name = ":" + std::to_string(display);
    xvfb_ = Start({"Xvfb", name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!xvfb_) GTEST_SKIP() << "Xvfb is needed";
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists("/tmp/.X11-unix/X" + name.substr(1)); }))
        << "no X server on " << name;
    ::setenv("DISPLAY", name.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Openbox runs its start-up command once it manages the screen.
    const std::string ready = "/tmp/veltrane-wm-ready-" + name.substr(1);
    std::filesystem::remove(ready);
    wm_ = Start({"openbox", "--sm-disable", "--startup", "touch " + ready});
    if (!wm_) GTEST_SKIP() << "openbox is needed";
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(ready); })) << "openbox did not start";
    std::filesystem::remove(ready);
    // Let it settle: a window mapped while the manager still sets itself up may get its frame
    // measured half made, and Qt keeps that measure.
    ::usleep(500000);
  }
  void TearDown() override {
    widgets::SetMainWindowControl(widgets::kNoControl);
    qt_.reset();
    Stop(wm_);
    Stop(xvfb_);
  }

  pid_t xvfb_ = 0, wm_ = 0;
  std::unique_ptr<widgets::QtBackend> qt_;
};

TEST_F(FramedWindow, the_frame_takes_the_asked_place_and_the_status_bar_gets_room_below_the_pages) {
  qt_ = std::make_unique<widgets::QtBackend>();
  widgets::QtBackend& qt = *qt_;
  const ControlId form = qt.Create(ControlKind::Form, widgets::kNoControl, nullptr);
  widgets::SetMainWindowControl(form);
  qt.SetGeometry(form, 20, 105, 621, 440);
  qt.SetStyle(form, qt.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  const ControlId bar = qt.Create(ControlKind::StatusBar, form, nullptr);
  const ControlId page = qt.Create(ControlKind::Panel, form, nullptr);
  qt.SetGeometry(page, 0, 20, 616, 390);
  qt.Show(form);
  QWidget* window = qt.Widget(form);
  const auto text = [](const QRect& r) { return QDebug::toString(r).toStdString(); };
  // On a busy machine the window manager may map the window before it frames windows at
  // all, and Qt then does not learn the frame (none, or 1x1): show it again, as a user would.
  const auto framed = [&] {
    const QRect frame = window->frameGeometry();
    return frame != window->geometry() && frame.width() > 1 && frame.height() > 1;
  };
  for (int attempt = 0; attempt < 3 && !PumpUntil(framed, 4000); ++attempt) {
    window->hide();
    PumpUntil([] { return false; }, 300);
    qt.Show(form);
  }
  if (!framed()) GTEST_SKIP() << "the window manager did not frame the window: " << text(window->frameGeometry());
  const auto placed = [&] {
    const QRect frame = window->frameGeometry();
    return frame.topLeft() == QPoint(20, 105) && frame.width() == 621 && frame.height() >= 440 &&
           window->height() >= 20 + 390 + qt.Widget(bar)->height();
  };
  // Likewise a frame measured while the manager was still busy places the client, not the frame,
  // at the asked place: placed again once the frame is known, as a user would move it.
  for (int attempt = 0; attempt < 3 && !PumpUntil(placed, 4000); ++attempt) {
    window->hide();
    PumpUntil([] { return false; }, 300);
    qt.SetGeometry(form, 20, 105, 621, 440);
    qt.Show(form);
  }
  ASSERT_TRUE(placed()) << "frame " << text(window->frameGeometry()) << ", client " << text(window->geometry());
  EXPECT_GE(qt.Widget(bar)->geometry().top(), 20 + 390);
}

}  // namespace

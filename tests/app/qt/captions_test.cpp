// The program's own captions on Qt, where the fonts they were laid out for ("MS Sans Serif",
// size 8) are missing: on each of the three pages every caption of a button, check box,
// radio button or label shows whole within the size its control was given, in a font no
// narrower than letters stay apart in ("All >>>" must not read "Al >>>").
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QtWidgets>
#include <filesystem>
#include <string>

#include "app/main_program.h"
#include "runtime/platform/files.h"
#include "widgets/qt/qt_backend.h"

namespace {

// The room a push button keeps about its caption: its frame and a pixel or two of air.
constexpr int kButtonFrame = 4;

TEST(Captions, every_caption_of_the_three_pages_shows_whole_in_a_readable_font) {
  char pattern[] = "/tmp/veltrane-captions-XXXXXX";
  const std::string dir = std::string(mkdtemp(pattern)) + "/";
  platform::SetProgramDir(dir);
  widgets::QtBackend qt;
  widgets::SetCurrentBackend(&qt);
  {
    TMainProgram program;
    program.Start();
    QCoreApplication::processEvents();
    int seen = 0;
    for (QWidget* w : QApplication::allWidgets()) {
      const auto* button = qobject_cast<QAbstractButton*>(w);
      const auto* label = qobject_cast<QLabel*>(w);
      if ((!button && !label) || qobject_cast<QStatusBar*>(w->parentWidget())) continue;
      const QString text = button ? button->text() : label->text();
      if (text.isEmpty() || text.contains(QLatin1Char('\n'))) continue;
      ++seen;
      const QFont font = w->font();
      const int needed = qobject_cast<const QPushButton*>(w)
                             ? QFontMetrics(font).horizontalAdvance(text) + 2 * kButtonFrame
                             : w->sizeHint().width();
      const int stretch = font.stretch() == 0 ? 100 : font.stretch();
      EXPECT_LE(needed, w->width()) << text.toStdString() << ": cut off, " << needed << " pixels for " << w->width();
      EXPECT_GE(stretch, 75) << text.toStdString() << ": squeezed to " << stretch
                             << "% of its width, where its letters run into each other";
      EXPECT_GE(QFontInfo(font).pixelSize(), 10) << text.toStdString() << ": smaller than the size it was given";
    }
    EXPECT_GT(seen, 60) << "the captions of all three pages";
  }
  widgets::SetCurrentBackend(nullptr);
  std::filesystem::remove_all(dir);
}

}  // namespace
